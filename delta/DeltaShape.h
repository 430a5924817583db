// One triangular foundation in the drawing: its look and outer lines, dimensions and base-point
// marker bound into an anonymous group, and its records on every member.
#pragma once
#include "app/FoundationShape.h"

class DeltaShape : public FoundationShape {
public:
    static constexpr const char* kTypeText = "三角基礎";
    static constexpr const char* kDialogApp = "FOUND_DELTADIALOG";
    static constexpr const char* kShapeApp = "FOUND_DELTASHAPE";

    DeltaShape();
    ~DeltaShape() override;

    // Draws the foundation at basePoint turned by rotation (both set by the caller) and returns
    // the id of its new group: dimensions, look lines, outer lines and the point, in that order,
    // each tagged with GROUP_TYPE; look and outer lines also with OBJECT_LINETYPE "LOOKS" or
    // "OUTER". When the sizes give no drawable outline (base side 0 or less, sizes, shifts or
    // thickenings too large, a position or rotation that is not a usable number), nothing is
    // drawn, kNotDrawableMessage is printed and the null id is returned.
    AcDbObjectId draw(FoundationSettings settings);

    // The records of the triangle (typeText "三角基礎") on every member of the group; see
    // FoundationShape::writeFoundationRecords.
    Acad::ErrorStatus writeRecords(AcDbObjectId groupId, FoundationSettings settings,
                                   const char* typeText);
    // Reads them from a picked member into the settings, basePoint and symbolPoint: 0, or 21
    // when the entity is not a triangular foundation or carries no dialog record.
    Acad::ErrorStatus readRecords(AcDbObjectId entityId, const char* typeText,
                                  FoundationSettings& settings);
};
