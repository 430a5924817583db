// SETVAR: shows or changes a system variable. Typing a variable's name at the command prompt
// does the same for that variable.
#pragma once
#include "host/ed/HostCommand.h"

#include <string>

namespace veld::ed {

class SetvarCommand : public HostCommand {
public:
    std::string name() const override { return "SETVAR"; }
    int run() override;
    // Asks the new value of one variable (its current value is the default).
    static int askValue(const std::string& variableName);

private:
    static int list();
};

} // namespace veld::ed
