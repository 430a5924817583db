// Entity creation with one set of drawing properties, the point prompts and entity searches.
#include "arxcom/CArxComFigure.h"

#include "aced.h"
#include "arxcom/ArxOpened.h"
#include "arxcom/ArxText.h"
#include "arxcom/CArxComGeo.h"

#include <memory>
#include <string_view>

namespace {

AcDbDatabase* workingDatabase() {
    return acdbHostApplicationServices()->workingDatabase();
}

void toAdsPoint(const AcGePoint3d& from, ads_point to) {
    to[0] = from.x;
    to[1] = from.y;
    to[2] = from.z;
}

// Opens "*Model_Space" of the working database for read through its block table.
Acad::ErrorStatus openModelSpace(ArxOpened<AcDbBlockTableRecord>& modelSpace) {
    AcDbDatabase* database = workingDatabase();
    if (database == nullptr) {
        return Acad::eNullObjectPointer;
    }
    ArxOpened<AcDbBlockTable> table;
    const Acad::ErrorStatus es = database->getBlockTable(table.receive(), AcDb::kForRead);
    if (es != Acad::eOk) {
        return es;
    }
    return table->getAt(ACDB_MODEL_SPACE, modelSpace.receive(), AcDb::kForRead);
}

bool hasLayerPrefix(const AcDbEntity* entity, std::string_view prefix) {
    return prefix.empty() || std::string_view(entity->layer()).starts_with(prefix);
}

// Appends the ids of one block's entities that pass the class and layer tests.
void collectFromBlock(AcDbObjectId blockId, std::string_view prefix, const AcRxClass* entityClass,
                      AcDbObjectIdArray& ids) {
    ArxOpened<AcDbBlockTableRecord> block;
    if (block.open(blockId, AcDb::kForRead) != Acad::eOk) {
        return;
    }
    for (const AcDbObjectId& id : block->entityIds()) {
        // The class is known from the id; only candidates are opened to read their layer.
        const AcRxClass* cls = id.objectClass();
        if (cls == nullptr || !cls->isDerivedFrom(entityClass)) {
            continue;
        }
        ArxOpened<AcDbEntity> entity;
        if (entity.open(id, AcDb::kForRead) == Acad::eOk && hasLayerPrefix(entity.get(), prefix)) {
            ids.append(id);
        }
    }
}

} // namespace

CArxComFigure::CArxComFigure() = default;

CArxComFigure::~CArxComFigure() = default;

bool CArxComFigure::GetPoint(const char* prompt, AcGePoint3d& point) {
    ads_point answer = {};
    if (acedGetPoint(nullptr, prompt, answer) != RTNORM) {
        return false;
    }
    point.set(answer[0], answer[1], answer[2]);
    return true;
}

bool CArxComFigure::GetCorner(const AcGePoint3d& base, const char* prompt, AcGePoint3d& corner) {
    ads_point from = {};
    toAdsPoint(base, from);
    ads_point answer = {};
    if (acedGetCorner(from, prompt, answer) != RTNORM) {
        return false;
    }
    corner.set(answer[0], answer[1], answer[2]);
    return true;
}

AcDbBlockTableRecord* CArxComFigure::OpenCurrentSpace(AcDbDatabase* database, AcDb::OpenMode mode) {
    if (database == nullptr) {
        return nullptr;
    }
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, database->currentSpaceId(), mode) != Acad::eOk) {
        return nullptr;
    }
    return space;
}

Acad::ErrorStatus CArxComFigure::AppendToCurrentSpace(AcDbEntity* entity, AcDbDatabase* database) {
    ArxOpened<AcDbBlockTableRecord> space(OpenCurrentSpace(database, AcDb::kForWrite));
    if (!space) {
        return Acad::eInvalidInput;
    }
    const Acad::ErrorStatus es = space->appendAcDbEntity(entity);
    space.close();
    if (es == Acad::eOk) {
        lastId = entity->objectId();
    }
    return es;
}

Acad::ErrorStatus CArxComFigure::ApplyPropertiesAndAppend(AcDbEntity* entity) {
    if (entity == nullptr) {
        return Acad::eNullEntityPointer;
    }
    if (!linetypeName.empty()) {
        entity->setLinetype(linetypeName.c_str());
    }
    if (!linetypeId.isNull()) {
        entity->setLinetype(linetypeId);
    }
    if (linetypeScale != 0.0) {
        entity->setLinetypeScale(linetypeScale);
    }
    if (colorIndex != 255) {
        AcCmColor color;
        color.setColorIndex(static_cast<Adesk::UInt16>(colorIndex));
        entity->setColor(color);
    }
    return AppendToCurrentSpace(entity, workingDatabase());
}

std::string CArxComFigure::GetLayer() const {
    return layer;
}

bool CArxComFigure::AddDefPoint(const AcGePoint3d& position) {
    ArxOpened<AcDbBlockTableRecord> modelSpace;
    if (openModelSpace(modelSpace) != Acad::eOk) {
        return false;
    }
    ArxOpened<AcDbPoint> point(new AcDbPoint(position));
    if (modelSpace->upgradeOpen() != Acad::eOk) {
        return true;
    }
    point->setLayer("DefPoints");
    if (modelSpace->appendAcDbEntity(point.get()) != Acad::eOk) {
        return false;
    }
    lastId = point->objectId();
    return true;
}

bool CArxComFigure::EraseFromModelSpace(AcDbObjectId id) {
    ArxOpened<AcDbBlockTableRecord> modelSpace;
    if (openModelSpace(modelSpace) != Acad::eOk) {
        return false;
    }
    for (const AcDbObjectId& entityId : modelSpace->entityIds()) {
        if (entityId != id) {
            continue;
        }
        ArxOpened<AcDbEntity> entity;
        if (entity.open(entityId, AcDb::kForRead) == Acad::eOk &&
            entity->upgradeOpen() == Acad::eOk) {
            entity->erase();
        }
    }
    return true;
}

int CArxComFigure::CollectEntities(AcDbObjectIdArray& ids, const char* layerPrefix,
                                   AcRxClass* entityClass) {
    ids.removeAll();
    AcDbDatabase* database = workingDatabase();
    if (database == nullptr) {
        return 0;
    }
    ArxOpened<AcDbBlockTable> table;
    if (database->getBlockTable(table.receive(), AcDb::kForRead) != Acad::eOk) {
        return 0;
    }
    const AcDbObjectIdArray blockIds = table->recordIds();
    table.close();
    const std::string_view prefix = layerPrefix != nullptr ? layerPrefix : "";
    for (const AcDbObjectId& blockId : blockIds) {
        collectFromBlock(blockId, prefix, entityClass, ids);
    }
    return 1;
}

AcDbObjectId CArxComFigure::FindDimStyle(const char* styleName) {
    AcDbDatabase* database = workingDatabase();
    if (styleName == nullptr || *styleName == '\0' || database == nullptr) {
        return AcDbObjectId::kNull;
    }
    ArxOpened<AcDbDimStyleTable> table;
    if (database->getDimStyleTable(table.receive(), AcDb::kForRead) != Acad::eOk) {
        return AcDbObjectId::kNull;
    }
    for (const AcDbObjectId& id : table->recordIds()) {
        ArxOpened<AcDbDimStyleTableRecord> record;
        if (record.open(id, AcDb::kForRead) == Acad::eOk &&
            ArxEqualsNoCase(record->name(), styleName)) {
            return id;
        }
    }
    return AcDbObjectId::kNull;
}

void CArxComFigure::AddText(AcDbObjectId& id, const AcGePoint3d& position, const char* text,
                            double height, double rotationDegrees, double oblique,
                            AcDb::TextHorzMode horizontalMode, AcDb::TextVertMode verticalMode,
                            AcDbObjectId textStyleId, int textColorIndex) {
    ArxOpened<AcDbText> entity(new AcDbText);
    if (layer.empty()) {
        layer = std::string(1, '0');
    }
    if (!textStyleId.isNull()) {
        entity->setTextStyle(textStyleId);
    }
    entity->setHorizontalMode(horizontalMode);
    entity->setVerticalMode(verticalMode);
    entity->setPosition(position);
    entity->setRotation(CArxComGeo().DegToRad(rotationDegrees));
    entity->setHeight(height);
    entity->setTextString(text != nullptr ? text : "");
    entity->setLayer(layer.c_str());
    entity->setAlignmentPoint(position);
    entity->setOblique(oblique);
    entity->setColorIndex(static_cast<Adesk::UInt16>(textColorIndex));
    // A failed append leaves lastId on an older entity, which must not be handed out.
    const bool appended = ApplyPropertiesAndAppend(entity.get()) == Acad::eOk;
    entity.close();
    id = appended ? lastId : AcDbObjectId::kNull;
}
