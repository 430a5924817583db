// One square (rectangular) foundation in the drawing: its outer and look lines, dimensions and
// base-point marker bound into an anonymous group, and its records on every member.
#pragma once
#include "app/FoundationShape.h"

class SquareOutline;

class SquareShape : public FoundationShape {
public:
    static constexpr const char* kTypeText = "四角基礎";
    static constexpr const char* kDialogApp = "FOUND_SQUAREDIALOG";
    static constexpr const char* kShapeApp = "FOUND_SQUARESHAPE";

    SquareShape();
    ~SquareShape() override;

    // Draws the foundation at basePoint turned by rotation (both set by the caller): outer lines
    // (tagged OBJECT_LINETYPE "OUTER"), look lines ("LOOKS"), dimensions and the point, and
    // returns the id of its new group, whose members are ordered dimensions, look lines, outer
    // lines, point, each tagged with GROUP_TYPE. When the sizes give no drawable outline (body
    // or outer size 0 or less, values too large, a position or rotation that is not a usable
    // number), nothing is drawn, kNotDrawableMessage is printed and the null id is returned.
    AcDbObjectId draw(FoundationSettings settings);

    // The drawing steps; each appends the ids of the entities it created to `ids`, and creates
    // nothing for sizes that give no drawable outline.
    // Eight lines on OUTER_LAYER, each side of the outer rectangle as two lines meeting at its
    // midpoint, starting at the top middle and going clockwise.
    void drawOuterLine(FoundationSettings settings, AcDbObjectIdArray& ids);
    // Four lines on LOOK_LAYER: top-right -> bottom-right -> bottom-left -> top-left -> back.
    void drawLookLines(FoundationSettings settings, AcDbObjectIdArray& ids);
    // The aligned dimensions on DIM_LAYER: right side first, then the bottom.
    void drawDimensions(FoundationSettings settings, AcDbObjectIdArray& ids);

    // The records of the square (typeText "四角基礎") on every member of the group; see
    // FoundationShape::writeFoundationRecords.
    Acad::ErrorStatus writeRecords(AcDbObjectId groupId, FoundationSettings settings,
                                   const char* typeText);
    // Reads them from a picked member into the settings, basePoint and symbolPoint: 0, or 21
    // when the entity is not a square foundation or carries no dialog record.
    Acad::ErrorStatus readRecords(AcDbObjectId entityId, const char* typeText,
                                  FoundationSettings& settings);

private:
    SquareOutline outlineOf(const FoundationSettings& settings) const;
};
