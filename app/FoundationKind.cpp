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

std::unique_ptr<FoundationShape> FoundationKind::shapeAt(const AcGePoint3d& base,
                                                         const FoundationSettings& settings) const {
    std::unique_ptr<FoundationShape> shape = newShape();
    shape->basePoint = base;
    shape->rotation = CArxComGeo().DegToRad(veldAtof(settings.GetRotateAngle().c_str()));
    return shape;
}

AcDbObjectId FoundationKind::place(const AcGePoint3d& base,
                                   const FoundationSettings& settings) const {
    std::unique_ptr<FoundationShape> shape = shapeAt(base, settings);
    const AcDbObjectId group = draw(*shape, settings);
    if (group.isNull()) {
        return group;
    }
    bool ok = true;
    if (wantsSymbol(settings)) {
        AcGePoint3d position;
        if (CArxComFigure().GetPoint(positionPrompt(), position)) {
            shape->symbolPoint = position;
            ok = shape->insertSymbol(settings, group);
        } else {
            ok = false;
        }
    }
    // Also when the position was declined: what was drawn carries its records either way.
    writeRecords(*shape, group, settings);
    return ok ? group : AcDbObjectId::kNull;
}

AcDbObjectId FoundationKind::redraw(const FoundationSettings& settings, const AcGePoint3d& base,
                                    const AcGePoint3d& symbol, bool found) const {
    std::unique_ptr<FoundationShape> shape = shapeAt(base, settings);
    const AcDbObjectId group = draw(*shape, settings);
    if (group.isNull()) {
        return group;
    }
    bool ok = true;
    if (wantsSymbol(settings)) {
        shape->symbolPoint = found ? symbol : defaultSymbolPoint(base, settings);
        ok = shape->insertSymbol(settings, group);
    }
    writeRecords(*shape, group, settings);
    return ok ? group : AcDbObjectId::kNull;
}
