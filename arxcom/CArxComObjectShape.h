// The tag side of a placed foundation: GROUP_TYPE (the handle of the entity's group),
// OBJECT_TYPE (the kind of foundation record) and OBJECT_LINETYPE (the line class) are extended
// data on every member. Resolves a pick to the groups of the picked entities, and draws closed
// outlines. The base of the foundation shapes, which keep their insertion point and rotation
// here.
#pragma once
#include "dbmain.h"

class CArxComObjectShape {
public:
    CArxComObjectShape();
    virtual ~CArxComObjectShape();

    int shapeCode = 3;
    AcGePoint3d basePoint; // the shape's insertion point
    AcGePoint3d reservedPoints[4];
    double rotation = 0.0; // radians
    AcDbObjectId reservedIds[2];

    // Tags the object with OBJECT_TYPE = typeName; the open or write status.
    Acad::ErrorStatus SetObjectType(AcDbObjectId id, const char* typeName);
    // 0 when the object's OBJECT_TYPE is exactly typeName (case-sensitive); 21
    // (eIllegalEntityType) when it differs or is missing; the open status when it cannot be read.
    Acad::ErrorStatus CheckObjectType(AcDbObjectId id, const char* typeName);
    // Tags every entity with OBJECT_LINETYPE = (lineClass, value). Entities that cannot be
    // opened are skipped; the status of the last entity tagged is returned.
    Acad::ErrorStatus SetObjectLinetype(const AcDbObjectIdArray& ids, const char* lineClass,
                                        int value);
    // Tags every entity with GROUP_TYPE = the handle text of the group; as above.
    Acad::ErrorStatus SetGroupType(const AcDbObjectIdArray& ids, AcDbObjectId groupId);
    // The group named by the entity's GROUP_TYPE tag; null when it has none. The open status.
    Acad::ErrorStatus GetGroupOfEntity(AcDbObjectId entityId, AcDbObjectId& groupId);

    // Prints the prompt, lets the user select in the given mode, appends the selected entities'
    // ids and (each once) their groups' ids, null included for entities without a tag. Prints
    // "\nｵﾌﾞｼﾞｪｸﾄが選択されていません" and leaves the arrays alone when nothing was selected.
    void SelectShapes(const char* prompt, const char* mode, AcDbObjectIdArray& groupIds,
                      AcDbObjectIdArray& entityIds);
    // The same with one pick or window (mode ":S").
    void SelectSingleShape(const char* prompt, AcDbObjectIdArray& groupIds,
                           AcDbObjectIdArray& entityIds);

    // One line per point, from each point to the next and from the last back to the first, on
    // the layer with linetype scale 1.0; the ids of the lines appended go to `ids`.
    void DrawClosedOutline(const AcGePoint3dArray& points, const char* layer,
                           AcDbObjectIdArray& ids);
};
