// QUIT: ends the session; the runner then finishes (and writes --out, --svg). A person at a
// terminal with unsaved changes is asked first whether to save them.
#pragma once
#include "host/ed/HostCommand.h"

namespace veld::ed {

class QuitCommand : public HostCommand {
public:
    std::string name() const override { return "QUIT"; }
    bool isUndoStep() const override { return false; }
    int run() override;

    // Whether the session may end now. At a terminal with unsaved changes: "Save changes to
    // NAME?" Yes saves (through SAVE) and ends only when that worked, No ends, Cancel and ESC
    // stay. Scripts always end.
    static bool mayEnd();
};

} // namespace veld::ed
