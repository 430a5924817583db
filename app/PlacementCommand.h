// The body of FNDD and FNSD: the kind's page, and after each OK one placement pass as one undo
// group (foundations at single picked points, or in bulk at the grid crossings inside picked
// windows), until the page is cancelled.
#pragma once
#include "app/FoundationKind.h"
#include "arxcom/CArxComFigure.h"
#include "settings/FoundationSettings.h"

class FoundationCommand;

class PlacementCommand {
public:
    PlacementCommand(FoundationCommand& command, FoundationKind& kind);
    virtual ~PlacementCommand();
    PlacementCommand(const PlacementCommand&) = delete;
    PlacementCommand& operator=(const PlacementCommand&) = delete;

    // The whole command: CMDECHO off, page and passes, CMDECHO back.
    void run();

private:
    // One pass under its undo group, withdrawn when its last placement was.
    void runPass();
    // Each returns passCancelled: whether the last placement tried was withdrawn.
    bool runSinglePass();
    bool runBulkPass();
    // Places at the crossings inside the window, in the order found, until one is withdrawn;
    // `cancelled` follows the last placement tried (unchanged when there was none).
    void placeInWindow(const AcGePoint3d& first, const AcGePoint3d& opposite, bool& cancelled);

    FoundationCommand& command_;
    FoundationKind& kind_;
    FoundationSettings settings_{true};
    CArxComFigure figure_;
};
