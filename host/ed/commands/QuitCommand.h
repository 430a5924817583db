// QUIT: ends the session; the runner then finishes (and writes --out, --svg).
#pragma once
#include "host/ed/HostCommand.h"

namespace veld::ed {

class QuitCommand : public HostCommand {
public:
    std::string name() const override { return "QUIT"; }
    bool isUndoStep() const override { return false; }
    int run() override;
};

} // namespace veld::ed
