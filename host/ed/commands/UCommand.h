// U: takes back the last step (a command, or a whole UNDO group).
#pragma once
#include "host/ed/HostCommand.h"

namespace veld::ed {

class UCommand : public HostCommand {
public:
    std::string name() const override { return "U"; }
    bool isUndoStep() const override { return false; }
    int run() override;
};

} // namespace veld::ed
