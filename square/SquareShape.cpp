// Drawing and records of a square foundation; the geometry comes from SquareOutline.
#include "square/SquareShape.h"

#include "aced.h"
#include "crt.h"
#include "square/SquareOutline.h"

namespace {

double numberOf(const std::string& text) {
    return veldAtof(text.c_str());
}

SquareSizes sizesOf(const FoundationSettings& settings) {
    SquareSizes sizes;
    sizes.sizeX = numberOf(settings.GetBaseSizeX());
    sizes.sizeY = numberOf(settings.GetBaseSizeY());
    sizes.shiftX1 = numberOf(settings.GetShiftX1());
    sizes.shiftY1 = numberOf(settings.GetShiftY1());
    sizes.thickening = {numberOf(settings.GetFukashi1()), numberOf(settings.GetFukashi2()),
                        numberOf(settings.GetFukashi3()), numberOf(settings.GetFukashi4())};
    return sizes;
}

} // namespace

SquareShape::SquareShape() = default;

SquareShape::~SquareShape() = default;

SquareOutline SquareShape::outlineOf(const FoundationSettings& settings) const {
    return SquareOutline(sizesOf(settings), basePoint, rotation);
}

AcDbObjectId SquareShape::draw(FoundationSettings settings) {
    if (!outlineOf(settings).isDrawable()) {
        acutPrintf("%s", kNotDrawableMessage);
        return AcDbObjectId::kNull;
    }
    AcDbObjectIdArray outerLines;
    drawOuterLine(settings, outerLines);
    SetObjectLinetype(outerLines, "OUTER", 0);

    AcDbObjectIdArray lookLines;
    drawLookLines(settings, lookLines);
    SetObjectLinetype(lookLines, "LOOKS", 0);

    AcDbObjectIdArray dimensions;
    drawDimensions(settings, dimensions);

    const AcDbObjectId point = addBasePointMarker(basePoint);
    return bindGroup(dimensions, lookLines, outerLines, point);
}

void SquareShape::drawOuterLine(FoundationSettings settings, AcDbObjectIdArray& ids) {
    DrawClosedOutline(outlineOf(settings).outerPoints(), settings.GetOuterLayer().c_str(), ids);
}

void SquareShape::drawLookLines(FoundationSettings settings, AcDbObjectIdArray& ids) {
    DrawClosedOutline(outlineOf(settings).lookCorners(), settings.GetLookLayer().c_str(), ids);
}

void SquareShape::drawDimensions(FoundationSettings settings, AcDbObjectIdArray& ids) {
    const SquareOutline outline = outlineOf(settings);
    if (!outline.isDrawable()) {
        return;
    }
    drawDimensionRows(outline.dimensionRows(dimensionTiers()), settings.GetDimLayer(), ids);
}

Acad::ErrorStatus SquareShape::writeRecords(AcDbObjectId groupId, FoundationSettings settings,
                                            const char* typeText) {
    return writeFoundationRecords(groupId, settings, typeText, kDialogApp, kShapeApp);
}

Acad::ErrorStatus SquareShape::readRecords(AcDbObjectId entityId, const char* typeText,
                                           FoundationSettings& settings) {
    return readFoundationRecords(entityId, typeText, settings, kDialogApp, kShapeApp);
}
