// The command object of FNDD, FNSD and FNDE: a handler makes one on its stack for each run.
// It keeps the command echo to give back at the end, and sends the host's UNDO command to wrap
// each unit of drawing work in one undo group.
#pragma once
#include "dbmain.h"

class BulkWindow;
class FoundationSettings;

class FoundationCommand {
public:
    FoundationCommand() = default;
    virtual ~FoundationCommand() = default;
    FoundationCommand(const FoundationCommand&) = delete;
    FoundationCommand& operator=(const FoundationCommand&) = delete;

    // Reads CMDECHO into savedCmdEcho and turns the echo off.
    void saveCmdEcho();
    // Sets CMDECHO back to savedCmdEcho.
    void restoreCmdEcho();
    // "_undo" "g": the changes that follow are one undo step.
    void beginUndoGroup();
    // "_undo" "e": ends that step.
    void endUndoGroup();
    // "_undo" "1": takes back the step just ended.
    void undoLastGroup();

    // The command bodies: FNDD, FNSD, FNDE.
    void placeDelta();
    void placeSquare();
    void editFoundation();

    // One foundation of each kind at `base` with the settings: drawn, its symbol (triangle) or
    // label (square) placed where the user points when one is wanted, its records written.
    // The group; null when nothing was drawn or the position prompt was not answered.
    AcDbObjectId finishDelta(const AcGePoint3d& base, FoundationSettings settings);
    AcDbObjectId finishSquare(const AcGePoint3d& base, FoundationSettings settings);
    // A changed foundation drawn again at `base`, its symbol at `symbol` when the old one had
    // one (`found`), else at the kind's default point. The group, or null.
    AcDbObjectId redrawDelta(FoundationSettings settings, const AcGePoint3d& base,
                             const AcGePoint3d& symbol, bool found);
    AcDbObjectId redrawSquare(FoundationSettings settings, const AcGePoint3d& base,
                              const AcGePoint3d& symbol, bool found);
    // Appends the points where two different entities of the list meet, for the pairs that can
    // meet inside the window, in the all-pairs order (i ascending, then j > i) and with every
    // repetition: the points inside the window are exactly those of intersecting every pair.
    // Entities that cannot be opened are skipped.
    void collectIntersections(const AcDbObjectIdArray& ids, const BulkWindow& window,
                              AcGePoint3dArray& points);

private:
    // The host starts with the echo on; a value that could not be read stays at that.
    short savedCmdEcho = 1;
};
