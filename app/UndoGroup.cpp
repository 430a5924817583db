// The undo group of one unit of drawing work.
#include "app/UndoGroup.h"

#include "app/FoundationCommand.h"

UndoGroup::UndoGroup(FoundationCommand& command) : command_(command) {
    command_.beginUndoGroup();
}

UndoGroup::~UndoGroup() {
    close(false);
}

void UndoGroup::close(bool withdrawn) {
    if (!open_) {
        return;
    }
    open_ = false;
    command_.endUndoGroup();
    if (withdrawn) {
        command_.undoLastGroup();
    }
}
