// Drawing and records of a triangular foundation; the geometry comes from DeltaOutline.
#include "delta/DeltaShape.h"

#include "aced.h"
#include "crt.h"
#include "delta/DeltaOutline.h"

namespace {

double numberOf(const std::string& text) {
    return veldAtof(text.c_str());
}

DeltaSizes sizesOf(const FoundationSettings& settings) {
    DeltaSizes sizes;
    sizes.bottom = numberOf(settings.GetBottom());
    sizes.surface = numberOf(settings.GetSurface());
    sizes.height = numberOf(settings.GetHeight());
    sizes.shiftX1 = numberOf(settings.GetShiftX1());
    sizes.shiftY1 = numberOf(settings.GetShiftY1());
    sizes.thickening = {numberOf(settings.GetFukashi1()), numberOf(settings.GetFukashi2()),
                        numberOf(settings.GetFukashi3()), numberOf(settings.GetFukashi4()),
                        numberOf(settings.GetFukashi5()), numberOf(settings.GetFukashi6())};
    return sizes;
}

} // namespace

DeltaShape::DeltaShape() = default;

DeltaShape::~DeltaShape() = default;

AcDbObjectId DeltaShape::draw(FoundationSettings settings) {
    const DeltaOutline outline(sizesOf(settings), basePoint, rotation);
    if (!outline.isDrawable()) {
        acutPrintf("%s", kNotDrawableMessage);
        return AcDbObjectId::kNull;
    }
    AcDbObjectIdArray lookLines;
    DrawClosedOutline(outline.placedLook(), settings.GetLookLayer().c_str(), lookLines);
    SetObjectLinetype(lookLines, "LOOKS", 0);

    AcDbObjectIdArray outerLines;
    DrawClosedOutline(outline.placedOuter(), settings.GetOuterLayer().c_str(), outerLines);
    SetObjectLinetype(outerLines, "OUTER", 0);

    AcDbObjectIdArray dimensions;
    drawDimensionRows(outline.dimensionRows(dimensionTiers()), settings.GetDimLayer(), dimensions);

    const AcDbObjectId point = addBasePointMarker(basePoint);
    return bindGroup(dimensions, lookLines, outerLines, point);
}

Acad::ErrorStatus DeltaShape::writeRecords(AcDbObjectId groupId, FoundationSettings settings,
                                           const char* typeText) {
    return writeFoundationRecords(groupId, settings, typeText, kDialogApp, kShapeApp);
}

Acad::ErrorStatus DeltaShape::readRecords(AcDbObjectId entityId, const char* typeText,
                                          FoundationSettings& settings) {
    return readFoundationRecords(entityId, typeText, settings, kDialogApp, kShapeApp);
}
