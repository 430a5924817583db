// What the triangular and the square foundation have in common: the symbol block and structure
// mark, the base-point marker, finding both positions again in a placed foundation, the records
// of the parameter set on every member, and the dimension and group steps of drawing.
#pragma once
#include "arxcom/CArxComDimensionTiers.h"
#include "arxcom/CArxComObjectShape.h"
#include "settings/FoundationSettings.h"

#include <string>
#include <vector>

class FoundationShape : public CArxComObjectShape {
public:
    FoundationShape();
    ~FoundationShape() override;

    // Where the symbol block and the structure mark go (the block's insertion point, the mark's
    // right-bottom corner); the origin when none was placed. Stored in the shape record.
    AcGePoint3d symbolPoint;
    // Set by findSymbolPoint: the foundation's group holds a block reference.
    bool symbolFound = false;

    // Inserts, at symbolPoint, the symbol block (LABEL_CHECK "1") through the host's -INSERT
    // command, scaled by USERR1, and the structure mark text MARK (STRUCTURE_MARK_CHECK "1"),
    // right-bottom aligned, and adds what was created to the group with its GROUP_TYPE tag.
    // The block joins only when -INSERT really made a new entity. OSMODE and ATTDIA are 0
    // and ATTREQ 1 meanwhile, all restored afterwards; CLAYER is left on the symbol layer when
    // either check is on. Always true.
    bool insertSymbol(FoundationSettings settings, AcDbObjectId groupId);
    // A point entity at `point` on layer "DefPoints" in model space, the layer made when the
    // drawing lacks it. The point's id, null when it could not be appended.
    AcDbObjectId addBasePointMarker(const AcGePoint3d& point);
    // basePoint := the position of the last point entity among the ids; unchanged when there
    // is none. Always true.
    bool findBasePoint(const AcDbObjectIdArray& ids);
    // symbolPoint := the position of the last block reference among the ids, symbolFound :=
    // whether there was one (symbolPoint unchanged otherwise). Returns symbolFound.
    bool findSymbolPoint(const AcDbObjectIdArray& ids);

    // Message printed, and nothing drawn, when the sizes give no drawable outline.
    static constexpr const char* kNotDrawableMessage = "\n基礎の寸法が不正なため作図できません";

protected:
    // The records of one foundation kind, written on every member of the group in group order:
    // OBJECT_TYPE = typeText, `dialogApp` with the 33 parameter values, `shapeApp` with the
    // member's own handle, basePoint and symbolPoint. Each record replaces the member's previous
    // one. 0, or the status of the failure that stopped the write (a member whose dialog record
    // cannot be stored stops it with a message) or of the last member's shape record.
    Acad::ErrorStatus writeFoundationRecords(AcDbObjectId groupId,
                                             const FoundationSettings& settings,
                                             const char* typeText, const char* dialogApp,
                                             const char* shapeApp);
    // Reads them back from one member: the parameter slots, basePoint and symbolPoint. 21 and
    // nothing changed when the entity is not of typeText or has no dialog record; the open
    // status when it cannot be opened.
    Acad::ErrorStatus readFoundationRecords(AcDbObjectId entityId, const char* typeText,
                                            FoundationSettings& settings, const char* dialogApp,
                                            const char* shapeApp);

    // The dimension tiers from DIM_INTERVAL_F of VELDOR.ini and the scale USERR1 (0 -> 100).
    static CArxComDimensionTiers dimensionTiers();
    // One aligned dimension per row with the style DIM_STYLE of VELDOR.ini ("STANDARD" when it
    // is empty) on `layer`; the ids of those appended go to `ids` in row order.
    void drawDimensionRows(const std::vector<CArxComDimensionRow>& rows, const std::string& layer,
                           AcDbObjectIdArray& ids);
    // Drops empty groups, then binds dimensions, look lines, outer lines and the point (in that
    // order, null ids left out) into a new anonymous group and tags each with GROUP_TYPE.
    AcDbObjectId bindGroup(const AcDbObjectIdArray& dimensions, const AcDbObjectIdArray& lookLines,
                           const AcDbObjectIdArray& outerLines, AcDbObjectId point);

private:
    void insertSymbolBlock(const FoundationSettings& settings, AcDbObjectIdArray& created);
    void insertStructureMark(const FoundationSettings& settings, AcDbObjectIdArray& created);
    Acad::ErrorStatus writeDialogRecord(AcDbObjectId id, const std::vector<std::string>& values,
                                        const char* dialogApp);
    Acad::ErrorStatus writeShapeRecord(AcDbObjectId id, const char* shapeApp);
    void readShapeRecord(const AcDbObject* entity, const char* shapeApp);
};
