// HELP and ?: the commands that can be typed at the command prompt, one line each, and the keys
// of the terminal.
#pragma once
#include "host/ed/HostCommand.h"

namespace veld::ed {

class HelpCommand : public HostCommand {
public:
    explicit HelpCommand(std::string name) : name_(std::move(name)) {}
    std::string name() const override { return name_; }
    bool isUndoStep() const override { return false; }
    int run() override;

private:
    std::string name_;
};

} // namespace veld::ed
