// One foundation's placement and redraw, shared by both kinds.
#include "app/FoundationKind.h"

#include "arxcom/CArxComFigure.h"
#include "arxcom/CArxComGeo.h"
#include "crt.h"

namespace {

bool wantsSymbol(const FoundationSettings& settings) {
    return settings.GetLabelCheck() == "1" || settings.GetStructureMarkCheck() == "1";
}

} // namespace

FoundationKind::~FoundationKind() = default;

AcDbObjectId FoundationKind::drawWithSymbol(const AcGePoint3d& base,
                                            const FoundationSettings& settings,
                                            const SymbolPosition& position) const {
    std::unique_ptr<FoundationShape> shape = newShape();
    shape->basePoint = base;
    shape->rotation = CArxComGeo().DegToRad(veldAtof(settings.GetRotateAngle().c_str()));
    const AcDbObjectId group = draw(*shape, settings);
    if (group.isNull()) {
        return group;
    }
    bool ok = true;
    if (wantsSymbol(settings)) {
        ok = position(shape->symbolPoint) && shape->insertSymbol(settings, group);
    }
    // Also when the position was declined: what was drawn carries its records either way.
    writeRecords(*shape, group, settings);
    return ok ? group : AcDbObjectId::kNull;
}

AcDbObjectId FoundationKind::place(const AcGePoint3d& base,
                                   const FoundationSettings& settings) const {
    return drawWithSymbol(base, settings, [this](AcGePoint3d& position) {
        return CArxComFigure().GetPoint(positionPrompt(), position);
    });
}

AcDbObjectId FoundationKind::redraw(const FoundationSettings& settings, const AcGePoint3d& base,
                                    const AcGePoint3d& symbol, bool found) const {
    return drawWithSymbol(base, settings, [&](AcGePoint3d& position) {
        position = found ? symbol : defaultSymbolPoint(base, settings);
        return true;
    });
}
