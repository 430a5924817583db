// -DIMSTYLE: the command-line form of the dimension style command: Save the current settings
// under a name, Restore a style as the current one, show the variables of the current (STatus)
// or a named style (Variables), and list the styles (?). One option per run.
#pragma once
#include "host/ed/HostCommand.h"

#include <optional>
#include <string>

namespace veld::ed {

class DimStyleCommand : public HostCommand {
public:
    std::string name() const override { return "DIMSTYLE"; }
    bool hasDashForm() const override { return true; }
    int run() override;

private:
    int save();
    int restore();
    int variables();
    int list(const std::string& pattern);
    // A style name typed at `prompt`; "?" lists first and asks again. nullopt for ESC.
    std::optional<std::string> askStyleName(const std::string& prompt, const std::string& fallback);
};

} // namespace veld::ed
