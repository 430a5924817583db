// U: UNDO 1.
#include "host/ed/commands/UCommand.h"

#include "adsdef.h"
#include "host/ed/commands/UndoCommand.h"

namespace veld::ed {

int UCommand::run() {
    UndoCommand::undoSteps(1);
    return RTNORM;
}

} // namespace veld::ed
