// The edit command's flow: selection, kind, page in edit mode, erase and redraw.
#include "app/FoundationEdit.h"

#include "aced.h"
#include "afxwin.h"
#include "app/DeltaKind.h"
#include "app/FoundationCommand.h"
#include "app/SquareKind.h"
#include "app/UndoGroup.h"
#include "arxcom/CArxComFigure.h"
#include "arxcom/CArxComGroup.h"

namespace {

constexpr const char* kSelectPrompt = "\n変更する基礎を指示(RETURN=終了):";
constexpr const char* kSeveralMessage = "複数の変更はできません";
constexpr const char* kNoneMessage = "基礎が選択されていません";

void reportNoFoundation() {
    AfxMessageBox(kNoneMessage, MB_OK);
    acutPrintf("\n%s", kNoneMessage);
}

} // namespace

FoundationEdit::FoundationEdit(FoundationCommand& command) : command_(command) {}

FoundationEdit::~FoundationEdit() = default;

AcDbObjectIdArray FoundationEdit::pickFoundation() {
    AcDbObjectIdArray members;
    AcDbObjectIdArray groups;
    AcDbObjectIdArray picked;
    FoundationShape picker;
    picker.SelectSingleShape(kSelectPrompt, groups, picked);
    if (groups.length() > 1) {
        acutPrintf("\n%s", kSeveralMessage);
        AfxMessageBox(kSeveralMessage, MB_OK);
        return members;
    }
    if (groups.length() == 0) {
        reportNoFoundation();
        return members;
    }
    CArxComGroup().GetGroupEntitiesById(groups[0], members);
    if (members.length() == 0) {
        reportNoFoundation();
    }
    return members;
}

void FoundationEdit::run() {
    const AcDbObjectIdArray members = pickFoundation();
    if (members.length() == 0) {
        return;
    }
    FoundationSettings settings(false);
    DeltaKind delta;
    SquareKind square;
    for (FoundationKind* kind :
         {static_cast<FoundationKind*>(&delta), static_cast<FoundationKind*>(&square)}) {
        std::unique_ptr<FoundationShape> shape = kind->newShape();
        if (kind->readRecords(*shape, members[0], settings) == Acad::eOk) {
            change(*kind, *shape, settings, members);
            return;
        }
    }
    acutPrintf("\n%s", kNoneMessage);
}

void FoundationEdit::change(FoundationKind& kind, FoundationShape& shape,
                            FoundationSettings& settings, const AcDbObjectIdArray& members) {
    shape.findBasePoint(members);
    shape.findSymbolPoint(members);
    if (kind.showPage(settings, true) != IDOK) {
        return;
    }
    redraw(kind, settings, members, shape.basePoint, shape.symbolPoint, shape.symbolFound);
}

void FoundationEdit::redraw(FoundationKind& kind, const FoundationSettings& settings,
                            const AcDbObjectIdArray& members, const AcGePoint3d& base,
                            const AcGePoint3d& symbol, bool found) {
    UndoGroup undo(command_);
    CArxComFigure figure;
    for (const AcDbObjectId& id : members) {
        figure.EraseFromModelSpace(id);
    }
    const AcDbObjectId group = kind.redraw(settings, base, symbol, found);
    undo.close(group.isNull());
}
