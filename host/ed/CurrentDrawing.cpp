// The host commands' access to the working database.
#include "host/ed/CurrentDrawing.h"

namespace veld::ed {

AcDbDatabase* CurrentDrawing::database() {
    return acdbHostApplicationServices()->workingDatabase();
}

Acad::ErrorStatus CurrentDrawing::append(AcDbEntity* entity, AcDbObjectId& id) {
    AcDbDatabase* db = database();
    AcDbBlockTableRecord* space = nullptr;
    Acad::ErrorStatus es = db == nullptr
                               ? Acad::eNullObjectPointer
                               : acdbOpenObject(space, db->currentSpaceId(), AcDb::kForWrite);
    if (es != Acad::eOk) {
        delete entity;
        return es;
    }
    entity->setLayer(db->clayer());
    es = space->appendAcDbEntity(id, entity);
    space->close();
    if (es != Acad::eOk) {
        delete entity;
        return es;
    }
    return entity->close();
}

Acad::ErrorStatus CurrentDrawing::erase(AcDbObjectId id) {
    AcDbObject* object = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(object, id, AcDb::kForWrite);
    if (es != Acad::eOk) {
        return es;
    }
    es = object->erase();
    object->close();
    return es;
}

AcDbObjectId CurrentDrawing::layer(const std::string& name) {
    AcDbDatabase* db = database();
    AcDbLayerTable* table = nullptr;
    AcDbObjectId id;
    if (db != nullptr && db->getLayerTable(table, AcDb::kForRead) == Acad::eOk) {
        table->getAt(name.c_str(), id);
        table->close();
    }
    return id;
}

std::vector<std::pair<AcDbObjectId, std::string>> CurrentDrawing::layers() {
    std::vector<std::pair<AcDbObjectId, std::string>> out;
    AcDbDatabase* db = database();
    AcDbLayerTable* table = nullptr;
    if (db == nullptr || db->getLayerTable(table, AcDb::kForRead) != Acad::eOk) {
        return out;
    }
    AcDbObjectIdArray ids = table->recordIds();
    table->close();
    for (int i = 0; i < ids.length(); ++i) {
        out.emplace_back(ids[i], layerName(ids[i]));
    }
    return out;
}

std::string CurrentDrawing::layerName(AcDbObjectId layerId) {
    AcDbLayerTableRecord* record = nullptr;
    if (acdbOpenObject(record, layerId, AcDb::kForRead) != Acad::eOk) {
        return "";
    }
    std::string name = record->name();
    record->close();
    return name;
}

} // namespace veld::ed
