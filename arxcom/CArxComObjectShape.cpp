// Tags on a foundation's entities, pick resolution and closed outlines.
#include "arxcom/CArxComObjectShape.h"

#include "aced.h"
#include "arxcom/ArxObjectRefs.h"
#include "arxcom/ArxOpened.h"
#include "arxcom/CArxComAppXdata.h"
#include "arxcom/CArxComFigure.h"

namespace {

// Opens the object, writes the tag and closes it. `opened` tells whether the object could be
// opened at all; the result is the open, upgrade or write status.
Acad::ErrorStatus writeTag(AcDbObjectId id, const CArxComAppXdata& tag, bool& opened) {
    ArxOpened<AcDbObject> object;
    Acad::ErrorStatus es = object.open(id, AcDb::kForRead);
    opened = es == Acad::eOk;
    if (opened) {
        es = object->upgradeOpen();
    }
    if (es == Acad::eOk) {
        es = tag.WriteTo(object.get());
    }
    return es;
}

// Writes the same tag on every entity; those that cannot be opened are passed over.
Acad::ErrorStatus writeTagToAll(const AcDbObjectIdArray& ids, const CArxComAppXdata& tag) {
    Acad::ErrorStatus last = Acad::eOk;
    for (const AcDbObjectId& id : ids) {
        bool opened = false;
        const Acad::ErrorStatus es = writeTag(id, tag, opened);
        if (opened) {
            last = es;
        }
    }
    return last;
}

} // namespace

CArxComObjectShape::CArxComObjectShape() = default;

CArxComObjectShape::~CArxComObjectShape() = default;

Acad::ErrorStatus CArxComObjectShape::SetObjectType(AcDbObjectId id, const char* typeName) {
    CArxComAppXdata tag("OBJECT_TYPE");
    tag.SetStringEntry(0, typeName);
    bool opened = false;
    return writeTag(id, tag, opened);
}

Acad::ErrorStatus CArxComObjectShape::CheckObjectType(AcDbObjectId id, const char* typeName) {
    ArxOpened<AcDbObject> object;
    const Acad::ErrorStatus es = object.open(id, AcDb::kForRead);
    if (es != Acad::eOk) {
        return es;
    }
    CArxComAppXdata tag("OBJECT_TYPE");
    tag.ReadFrom(object.get());
    std::string stored;
    if (!tag.GetStringEntry(0, stored) || stored != (typeName != nullptr ? typeName : "")) {
        return Acad::eIllegalEntityType;
    }
    return es;
}

Acad::ErrorStatus CArxComObjectShape::SetObjectLinetype(const AcDbObjectIdArray& ids,
                                                        const char* lineClass, int value) {
    CArxComAppXdata tag("OBJECT_LINETYPE");
    tag.SetStringEntry(0, lineClass);
    tag.SetIntEntry(1, value);
    return writeTagToAll(ids, tag);
}

Acad::ErrorStatus CArxComObjectShape::SetGroupType(const AcDbObjectIdArray& ids,
                                                   AcDbObjectId groupId) {
    CArxComAppXdata tag("GROUP_TYPE");
    tag.SetStringEntry(0, HandleTextOfId(groupId).c_str());
    return writeTagToAll(ids, tag);
}

Acad::ErrorStatus CArxComObjectShape::GetGroupOfEntity(AcDbObjectId entityId,
                                                       AcDbObjectId& groupId) {
    groupId.setNull();
    ArxOpened<AcDbObject> entity;
    const Acad::ErrorStatus es = entity.open(entityId, AcDb::kForRead);
    if (es != Acad::eOk) {
        return es;
    }
    CArxComAppXdata tag("GROUP_TYPE", entity->database());
    tag.ReadFrom(entity.get());
    std::string handleText;
    tag.GetStringEntry(0, handleText);
    IdFromHandle(entity->database(), handleText.c_str(), groupId, false);
    return Acad::eOk;
}

// A set exists only when the selection returned RTNORM: only then is it measured and freed.
void CArxComObjectShape::SelectShapes(const char* prompt, const char* mode,
                                      AcDbObjectIdArray& groupIds, AcDbObjectIdArray& entityIds) {
    acutPrintf("%s", prompt != nullptr ? prompt : "");
    ads_name selection = {0, 0};
    Adesk::Int32 length = 0;
    if (acedSSGet(mode, nullptr, nullptr, nullptr, selection) != RTNORM) {
        acutPrintf("\nｵﾌﾞｼﾞｪｸﾄが選択されていません");
        return;
    }
    if (acedSSLength(selection, &length) != RTNORM) {
        acutPrintf("\nｵﾌﾞｼﾞｪｸﾄが選択されていません");
        acedSSFree(selection);
        return;
    }
    AcDbObjectIdArray picked;
    for (Adesk::Int32 i = 0; i < length; ++i) {
        ads_name name = {0, 0};
        AcDbObjectId id;
        if (acedSSName(selection, i, name) == RTNORM && IdFromEname(name, id) == Acad::eOk) {
            picked.append(id);
        }
    }
    for (const AcDbObjectId& id : picked) {
        AcDbObjectId groupId;
        GetGroupOfEntity(id, groupId);
        if (groupIds.find(groupId) < 0) {
            groupIds.append(groupId);
        }
    }
    entityIds.append(picked);
    acedSSFree(selection);
}

void CArxComObjectShape::SelectSingleShape(const char* prompt, AcDbObjectIdArray& groupIds,
                                           AcDbObjectIdArray& entityIds) {
    SelectShapes(prompt, ":S", groupIds, entityIds);
}

void CArxComObjectShape::DrawClosedOutline(const AcGePoint3dArray& points, const char* layer,
                                           AcDbObjectIdArray& ids) {
    CArxComFigure figure;
    const int count = points.length();
    for (int i = 0; i < count; ++i) {
        ArxOpened<AcDbLine> line(new AcDbLine(points[i], points[(i + 1) % count]));
        line->setLayer(layer != nullptr ? layer : "0");
        line->setLinetypeScale(1.0);
        if (figure.ApplyPropertiesAndAppend(line.get()) == Acad::eOk) {
            ids.append(figure.lastId);
        }
    }
}
