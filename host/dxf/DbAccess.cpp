// The file code's access to the database's host-internal side.
// Each function is a direct use of DatabaseImpl or of the raw object classes.
#include "host/dxf/DbAccess.h"

#include "host/db/DatabaseImpl.h"
#include "host/db/RawObjects.h"

namespace veld::dxf::dbaccess {

std::uint64_t handseed(const AcDbDatabase& db) {
    return db.impl().handseed();
}

std::uint64_t freeHandleFrom(const AcDbDatabase& db, std::uint64_t handle) {
    return db.impl().freeHandleFrom(handle);
}

std::pair<std::uint64_t, std::uint64_t> blockMarkers(const AcDbDatabase& db, AcDbObjectId record) {
    const auto [begin, end] = const_cast<AcDbDatabase&>(db).impl().blockMarkers(record);
    return {begin.value(), end.value()};
}

void setBlockMarkers(AcDbDatabase& db, AcDbObjectId record, std::uint64_t begin,
                     std::uint64_t end) {
    db.impl().setBlockMarkers(record, AcDbHandle(begin), AcDbHandle(end));
}

std::uint64_t sequenceEnd(const AcDbDatabase& db, std::uint64_t insert) {
    const auto& ends = db.impl().sequenceEnds();
    const auto it = ends.find(insert);
    return it == ends.end() ? 0 : it->second;
}

void setSequenceEnd(AcDbDatabase& db, std::uint64_t insert, std::uint64_t handle) {
    db.impl().sequenceEnds()[insert] = handle;
    db.impl().setHandseed(handle + 1);
}

void forEachObject(const AcDbDatabase& db, const std::function<void(AcDbObjectId)>& visit) {
    for (const AcDbObjectId& id : db.impl().objectsInHandleOrder(false)) {
        visit(id);
    }
}

veld::db::KeptTagsView keptRecord(const AcDbObject& object) {
    const AcDbObjectId id = object.objectId();
    const AcDbDatabase* db = object.database();
    return id.isNull() || db == nullptr ? veld::db::KeptTagsView()
                                        : db->impl().keptRecord(id.stub());
}

void keepRecord(AcDbDatabase& db, AcDbObjectId id, const Tags& tags) {
    db.impl().keepRecord(id.stub(), tags);
}

void keepRecord(AcDbDatabase& db, AcDbObjectId id, const std::vector<veld::db::KeptTag>& tags) {
    db.impl().keepRecord(id.stub(), tags);
}

std::optional<std::pair<veld::db::KeptTagsView, veld::db::KeptTagsView>>
keptBlockMarkers(const AcDbDatabase& db, AcDbObjectId record) {
    return db.impl().keptBlockMarkers(record.stub());
}

void keepBlockMarkers(AcDbDatabase& db, AcDbObjectId record, const Tags& begin, const Tags& end) {
    db.impl().keepBlockMarkers(record.stub(), begin, end);
}

bool changedSinceRead(const AcDbObject& object) {
    const AcDbStub* stub = object.objectId().stub();
    return stub == nullptr || stub->changed;
}

const veld::db::RawTags* rawTags(const AcDbObject& object, std::string& dxfType) {
    if (const auto* e = AcDbRawEntity::cast(&object)) {
        dxfType = e->dxfType();
        return &e->rawTags();
    }
    if (const auto* o = AcDbRawObject::cast(&object)) {
        dxfType = o->dxfType();
        return &o->rawTags();
    }
    if (const auto* t = AcDbRawSymbolTable::cast(&object)) {
        dxfType = t->dxfType();
        return &t->rawTags();
    }
    if (const auto* r = AcDbRawTableRecord::cast(&object)) {
        dxfType = r->dxfType();
        return &r->rawTags();
    }
    return nullptr;
}

bool rawContent(const AcDbObject& object, std::string& dxfType, const Tags*& tags) {
    const veld::db::RawTags* raw = rawTags(object, dxfType);
    if (raw == nullptr) {
        return false;
    }
    tags = &raw->list();
    return true;
}

AcDbObject* makeRawEntity(AcDbDatabase& db, const std::string& dxfType,
                          const std::vector<veld::db::KeptTag>& tags) {
    return new AcDbRawEntity(dxfType, veld::db::RawTags(db.impl().packTags(tags)));
}

AcDbObject* makeRawObject(AcDbDatabase& db, const std::string& dxfType,
                          const std::vector<veld::db::KeptTag>& tags) {
    return new AcDbRawObject(dxfType, veld::db::RawTags(db.impl().packTags(tags)));
}

AcDbObject* makeRawTable(const std::string& name, Tags tags) {
    return new AcDbRawSymbolTable(name, std::move(tags));
}

AcDbObject* makeRawRecord(const std::string& table, const std::string& name, Tags tags) {
    return new AcDbRawTableRecord(table, name, std::move(tags));
}

const std::vector<std::pair<std::string, Tags>>& keptHeader(const AcDbDatabase& db) {
    return const_cast<AcDbDatabase&>(db).impl().headerVariables();
}

const std::vector<Tags>& keptClasses(const AcDbDatabase& db) {
    return const_cast<AcDbDatabase&>(db).impl().classes();
}

std::vector<AcDbObjectId> rawTables(const AcDbDatabase& db) {
    return const_cast<AcDbDatabase&>(db).impl().rawTables();
}

double userReal(const AcDbDatabase& db, int index) {
    return db.impl().userR(index);
}

} // namespace veld::dxf::dbaccess
