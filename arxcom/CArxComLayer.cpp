// Layer lookup, listing and creation, the current-layer switch and linetype lookup.
#include "arxcom/CArxComLayer.h"

#include "aced.h"
#include "arxcom/ArxOpened.h"
#include "arxcom/ArxText.h"
#include "dbsymtb.h"

namespace {

AcDbDatabase* workingDatabase() {
    return acdbHostApplicationServices()->workingDatabase();
}

Acad::ErrorStatus openLayerTable(ArxOpened<AcDbLayerTable>& table) {
    AcDbDatabase* database = workingDatabase();
    if (database == nullptr) {
        return Acad::eNullObjectPointer;
    }
    return database->getLayerTable(table.receive(), AcDb::kForRead);
}

// Holds the current document's write lock for one scope; releases only a lock it obtained.
class DocumentWriteLock {
public:
    DocumentWriteLock() {
        AcApDocManager* manager = acDocManager;
        document_ = manager != nullptr ? manager->curDocument() : nullptr;
        if (document_ != nullptr &&
            manager->lockDocument(document_, AcAp::kWrite, nullptr, nullptr, true) != Acad::eOk) {
            document_ = nullptr;
        }
    }
    ~DocumentWriteLock() {
        if (document_ != nullptr) {
            acDocManager->unlockDocument(document_);
        }
    }
    DocumentWriteLock(const DocumentWriteLock&) = delete;
    DocumentWriteLock& operator=(const DocumentWriteLock&) = delete;

private:
    AcApDocument* document_ = nullptr;
};

} // namespace

CArxComLayer::CArxComLayer() = default;

CArxComLayer::~CArxComLayer() = default;

AcDbObjectId CArxComLayer::GetLayerId(AcDbObjectId& id, const char* layerName,
                                      AcDb::OpenMode mode) {
    id.setNull();
    ArxOpened<AcDbLayerTable> table;
    if (layerName == nullptr || openLayerTable(table) != Acad::eOk) {
        return id;
    }
    ArxOpened<AcDbLayerTableRecord> record;
    if (table->getAt(layerName, record.receive(), mode, false) == Acad::eOk) {
        id = record->objectId();
    }
    return id;
}

void CArxComLayer::ListLayers(std::vector<std::string>& names, AcDbObjectIdArray& ids) {
    ArxOpened<AcDbLayerTable> table;
    if (openLayerTable(table) != Acad::eOk) {
        return;
    }
    for (const AcDbObjectId& id : table->recordIds()) {
        ArxOpened<AcDbLayerTableRecord> record;
        if (record.open(id, AcDb::kForRead) == Acad::eOk) {
            names.push_back(record->name());
            ids.append(id);
        }
    }
}

bool CArxComLayer::SetCurrentLayer(const char* layerName) {
    const char* name = layerName != nullptr ? layerName : "";
    const DocumentWriteLock lock;
    resbuf value = {};
    value.restype = RTSTR;
    value.resval.rstring = const_cast<char*>(name);
    const int result = acedSetVar("CLAYER", &value);
    if (result != RTNORM) {
        acutPrintf("\n図面に存在しないﾚｲﾔｰ名(%s)です", name);
    }
    return result == RTNORM;
}

void CArxComLayer::FindLinetypeId(const char* linetypeName, AcDbObjectId& id) {
    id.setNull();
    AcDbDatabase* database = workingDatabase();
    ArxOpened<AcDbLinetypeTable> table;
    if (linetypeName == nullptr || database == nullptr ||
        database->getLinetypeTable(table.receive(), AcDb::kForRead) != Acad::eOk) {
        return;
    }
    for (const AcDbObjectId& recordId : table->recordIds()) {
        ArxOpened<AcDbLinetypeTableRecord> record;
        if (record.open(recordId, AcDb::kForRead) == Acad::eOk &&
            ArxEqualsNoCase(record->name(), linetypeName)) {
            id = recordId;
            return;
        }
    }
}

bool CArxComLayer::CreateLayer(const char* layerName, int colorIndex, bool on, bool locked,
                               bool frozen, const char* linetypeName) {
    ArxOpened<AcDbLayerTable> table;
    if (layerName == nullptr || openLayerTable(table) != Acad::eOk || table->has(layerName) ||
        table->upgradeOpen() != Acad::eOk) {
        return false;
    }
    // Until the table takes it, the holder deletes the record on the way out.
    ArxOpened<AcDbLayerTableRecord> record(new AcDbLayerTableRecord);
    if (record->setName(layerName) != Acad::eOk) {
        return false;
    }
    if (colorIndex >= 0 && colorIndex < 256) {
        AcCmColor color;
        color.setColorIndex(static_cast<Adesk::UInt16>(colorIndex));
        record->setColor(color);
    }
    record->setIsOff(!on);
    record->setIsLocked(locked);
    record->setIsFrozen(frozen);
    AcDbObjectId linetype;
    if (useNamedLinetype) {
        FindLinetypeId(linetypeName, linetype);
    }
    record->setLinetypeObjectId(linetype.isNull() ? table->database()->continuousLinetype()
                                                  : linetype);
    return table->add(record.get()) == Acad::eOk;
}
