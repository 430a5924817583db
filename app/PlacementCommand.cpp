// The placement commands' flow, the same for both foundation kinds.
#include "app/PlacementCommand.h"

#include "aced.h"
#include "afxwin.h"
#include "app/BulkWindow.h"
#include "app/DebugTrace.h"
#include "app/FoundationCommand.h"
#include "app/UndoGroup.h"

namespace {

constexpr const char* kInsertionPrompt = "\n挿入基点を指示(RETURN=終了):";
constexpr const char* kFirstCornerPrompt = "\n1点目を指示(RETURN=終了):";
constexpr const char* kSecondCornerPrompt = "\n2点目を指示:";
constexpr short kSnapToIntersections = 32;

void setOsmode(short value) {
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = value;
    acedSetVar("OSMODE", &rb);
}

} // namespace

PlacementCommand::PlacementCommand(FoundationCommand& command, FoundationKind& kind)
    : command_(command), kind_(kind) {}

PlacementCommand::~PlacementCommand() = default;

void PlacementCommand::run() {
    DebugTrace(kind_.startTrace());
    command_.saveCmdEcho();
    while (kind_.showPage(settings_, false) == IDOK) {
        runPass();
    }
    command_.restoreCmdEcho();
    DebugTrace(kind_.endTrace());
}

void PlacementCommand::runPass() {
    UndoGroup undo(command_);
    const bool cancelled = settings_.GetBulkCheck() == "1" ? runBulkPass() : runSinglePass();
    undo.close(cancelled);
}

bool PlacementCommand::runSinglePass() {
    bool cancelled = false;
    setOsmode(kSnapToIntersections);
    AcGePoint3d base;
    if (!figure_.GetPoint(kInsertionPrompt, base)) {
        return cancelled;
    }
    for (;;) {
        cancelled = kind_.place(base, settings_).isNull();
        if (cancelled) {
            return cancelled;
        }
        setOsmode(0);
        setOsmode(kSnapToIntersections);
        if (!figure_.GetPoint(kInsertionPrompt, base)) {
            return cancelled;
        }
    }
}

bool PlacementCommand::runBulkPass() {
    bool cancelled = false;
    AcGePoint3d first;
    if (!figure_.GetPoint(kFirstCornerPrompt, first)) {
        return cancelled;
    }
    for (;;) {
        AcGePoint3d opposite;
        if (!figure_.GetCorner(first, kSecondCornerPrompt, opposite)) {
            return cancelled;
        }
        placeInWindow(first, opposite, cancelled);
        if (!figure_.GetPoint(kFirstCornerPrompt, first)) {
            return cancelled;
        }
    }
}

void PlacementCommand::placeInWindow(const AcGePoint3d& first, const AcGePoint3d& opposite,
                                     bool& cancelled) {
    AcDbObjectIdArray ids;
    figure_.CollectEntities(ids, settings_.GetSerchLayer().c_str(), AcDbEntity::desc());
    const BulkWindow window(first, opposite);
    AcGePoint3dArray crossings;
    command_.collectIntersections(ids, window, crossings);
    for (const AcGePoint3d& point : crossings) {
        if (!window.contains(point)) {
            continue;
        }
        cancelled = kind_.place(point, settings_).isNull();
        if (cancelled) {
            return;
        }
    }
}
