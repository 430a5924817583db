// UNDO: takes back a number of steps, or opens (BEgin, also called Group) and closes (End) a
// group that counts as one step, sets a Mark, or goes Back to the last mark.
#pragma once
#include "host/ed/HostCommand.h"

namespace veld::ed {

class UndoCommand : public HostCommand {
public:
    std::string name() const override { return "UNDO"; }
    bool isUndoStep() const override { return false; }
    int run() override;
    // Undoes up to n steps and shows what was undone (shared with U).
    static void undoSteps(int count);
};

} // namespace veld::ed
