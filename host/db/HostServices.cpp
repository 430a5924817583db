// Process-wide database services: the working database, application registration and the
// conversion between entity names and ids.
#include "DatabaseImpl.h"
#include "ObjectAccess.h"
#include "dbsymtb.h"

AcDbHostApplicationServices* acdbHostApplicationServices() {
    static AcDbHostApplicationServices services;
    return &services;
}

int acdbRegApp(const char* appName) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (db == nullptr || appName == nullptr || *appName == '\0') {
        return RTERROR;
    }
    const std::string name = veld::db::upperAscii(appName);
    AcDbRegAppTable* table = nullptr;
    if (db->getRegAppTable(table, AcDb::kForWrite) != Acad::eOk) {
        return RTERROR;
    }
    int result = RTERROR;
    if (!table->has(name.c_str())) {
        auto* record = new AcDbRegAppTableRecord;
        if (record->setName(name.c_str()) == Acad::eOk && table->add(record) == Acad::eOk) {
            record->close();
            result = RTNORM;
        } else {
            delete record;
        }
    }
    table->close();
    return result;
}

// An entity name is (stub address, handle); it is only believed when a live database has a
// stub at that address with that handle.
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name) {
    id = AcDbObjectId::kNull;
    if (name == nullptr || ads_name_nil(name)) {
        return Acad::eNullObjectId;
    }
    AcDbStub* stub = veld::db::DatabaseImpl::stubForName(name[0], name[1]);
    if (stub == nullptr || (stub->object == nullptr && !stub->gone)) {
        return Acad::eUnknownHandle;
    }
    id = AcDbObjectId(stub);
    return Acad::eOk;
}

Acad::ErrorStatus acdbGetAdsName(ads_name name, AcDbObjectId id) {
    if (name == nullptr) {
        return Acad::eInvalidInput;
    }
    ads_name_clear(name);
    if (id.isNull()) {
        return Acad::eNullObjectId;
    }
    name[0] = reinterpret_cast<std::int64_t>(id.stub());
    name[1] = static_cast<std::int64_t>(id.stub()->handle);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbIndexFilterManager::updateIndexes(AcDbDatabase* database) {
    return database != nullptr ? Acad::eOk : Acad::eNullObjectPointer;
}
