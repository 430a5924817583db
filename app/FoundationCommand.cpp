// The command object: command echo, the undo-group protocol, and the command bodies.
#include "app/FoundationCommand.h"

#include "aced.h"
#include "app/DeltaKind.h"
#include "app/FoundationEdit.h"
#include "app/HostEntityGeometry.h"
#include "app/IntersectionSearch.h"
#include "app/PlacementCommand.h"
#include "app/SquareKind.h"

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

void FoundationCommand::placeDelta() {
    DeltaKind kind;
    PlacementCommand(*this, kind).run();
}

void FoundationCommand::placeSquare() {
    SquareKind kind;
    PlacementCommand(*this, kind).run();
}

void FoundationCommand::editFoundation() {
    FoundationEdit(*this).run();
}

AcDbObjectId FoundationCommand::finishDelta(const AcGePoint3d& base, FoundationSettings settings) {
    return DeltaKind().place(base, settings);
}

AcDbObjectId FoundationCommand::finishSquare(const AcGePoint3d& base, FoundationSettings settings) {
    return SquareKind().place(base, settings);
}

AcDbObjectId FoundationCommand::redrawDelta(FoundationSettings settings, const AcGePoint3d& base,
                                            const AcGePoint3d& symbol, bool found) {
    return DeltaKind().redraw(settings, base, symbol, found);
}

AcDbObjectId FoundationCommand::redrawSquare(FoundationSettings settings, const AcGePoint3d& base,
                                             const AcGePoint3d& symbol, bool found) {
    return SquareKind().redraw(settings, base, symbol, found);
}

void FoundationCommand::collectIntersections(const AcDbObjectIdArray& ids, const BulkWindow& window,
                                             AcGePoint3dArray& points) {
    IntersectionSearch().collect(HostEntityGeometry(ids), window, points);
}
