// The command object: command echo, the undo-group protocol, and the command bodies.
#include "app/FoundationCommand.h"

#include "aced.h"

namespace {

void sendUndo(const char* option) {
    acedCommand(RTSTR, "_undo", RTSTR, option, 0);
}

} // namespace

void FoundationCommand::saveCmdEcho() {
    resbuf value{};
    if (acedGetVar("CMDECHO", &value) == RTNORM && value.restype == RTSHORT) {
        savedCmdEcho = value.resval.rint;
    }
    resbuf off{};
    off.restype = RTSHORT;
    off.resval.rint = 0;
    acedSetVar("CMDECHO", &off);
}

void FoundationCommand::restoreCmdEcho() {
    resbuf saved{};
    saved.restype = RTSHORT;
    saved.resval.rint = savedCmdEcho;
    acedSetVar("CMDECHO", &saved);
}

void FoundationCommand::beginUndoGroup() {
    sendUndo("g");
}

void FoundationCommand::endUndoGroup() {
    sendUndo("e");
}

void FoundationCommand::undoLastGroup() {
    sendUndo("1");
}

void FoundationCommand::placeDelta() {}

void FoundationCommand::placeSquare() {}

void FoundationCommand::editFoundation() {}
