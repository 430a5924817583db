// The standard contents of a drawing: found among what was loaded, or made. Not journaled.
#include "DefaultDrawing.h"

#include "DatabaseImpl.h"
#include "ObjectAccess.h"
#include "RawObjects.h"
#include "dbdict.h"

namespace veld::db {

namespace {

class Completer {
public:
    explicit Completer(AcDbDatabase& database) : impl_(database.impl()), ids_(impl_.ids()) {}

    std::vector<std::string> run();

private:
    AcDbObjectId rootOfClass(const AcRxClass* cls) const;
    AcDbObjectId rawTable(const std::string& dxfType);
    template <class Table> void table(AcDbObjectId& id, const char* what);
    AcDbObjectId record(AcDbObjectId tableId, const char* name, AcDbSymbolTableRecord* fresh);
    void records();
    void dictionaries();
    void settings();

    DatabaseImpl& impl_;
    WellKnownIds& ids_;
    std::vector<std::string> added_;
};

// The first object of a class owned by the database itself, in handle order.
AcDbObjectId Completer::rootOfClass(const AcRxClass* cls) const {
    for (const AcDbObjectId& id : impl_.objectsOwnedBy(AcDbObjectId::kNull, false)) {
        if (id.stub()->object->isA() == cls) {
            return id;
        }
    }
    return AcDbObjectId::kNull;
}

// Adds an object owned by the database itself, closed.
AcDbObjectId addRoot(DatabaseImpl& impl, AcDbObject* object) {
    AcDbStub* stub = impl.addObject(object, nullptr);
    object->close();
    return AcDbObjectId(stub);
}

template <class Table> void Completer::table(AcDbObjectId& id, const char* what) {
    if (id.isValid()) {
        return;
    }
    id = rootOfClass(Table::desc());
    if (id.isNull()) {
        id = addRoot(impl_, new Table);
        added_.push_back(std::string("added the ") + what + " table");
    }
}

AcDbObjectId Completer::rawTable(const std::string& dxfType) {
    for (const AcDbObjectId& id : impl_.objectsOwnedBy(AcDbObjectId::kNull, false)) {
        auto* raw = AcDbRawSymbolTable::cast(id.stub()->object);
        if (raw != nullptr && raw->dxfType() == dxfType) {
            return id;
        }
    }
    added_.push_back("added the " + dxfType + " table");
    return addRoot(impl_, new AcDbRawSymbolTable(dxfType, {}));
}

// The record of that name, added (from `fresh`, else deleted) when missing.
AcDbObjectId Completer::record(AcDbObjectId tableId, const char* name,
                               AcDbSymbolTableRecord* fresh) {
    auto* table = AcDbSymbolTable::cast(liveObject(tableId.stub()));
    if (AcDbStub* found = ObjectAccess::findRecord(*table, name, false)) {
        delete fresh;
        return AcDbObjectId(found);
    }
    fresh->setName(name);
    AcDbSymbolTable* open = nullptr;
    acdbOpenObject(open, tableId, AcDb::kForWrite);
    AcDbObjectId id;
    open->add(id, fresh);
    fresh->close();
    open->close();
    added_.push_back(std::string("added the record ") + name);
    return id;
}

void Completer::records() {
    ids_.byBlock = record(ids_.linetypeTable, "ByBlock", new AcDbLinetypeTableRecord);
    ids_.byLayer = record(ids_.linetypeTable, "ByLayer", new AcDbLinetypeTableRecord);
    auto* continuous = new AcDbLinetypeTableRecord;
    continuous->setComments("Solid line");
    ids_.continuous = record(ids_.linetypeTable, "Continuous", continuous);
    auto* layer = new AcDbLayerTableRecord;
    layer->setLinetypeObjectId(ids_.continuous);
    ids_.layerZero = record(ids_.layerTable, "0", layer);
    ids_.standardTextStyle = record(ids_.textStyleTable, "STANDARD", new AcDbTextStyleTableRecord);
    auto* dimStyle = new AcDbDimStyleTableRecord;
    dimStyle->setDimtxsty(ids_.standardTextStyle);
    ids_.standardDimStyle = record(ids_.dimStyleTable, "STANDARD", dimStyle);
    record(ids_.regAppTable, "ACAD", new AcDbRegAppTableRecord);
    ids_.modelSpace = record(ids_.blockTable, ACDB_MODEL_SPACE, new AcDbBlockTableRecord);
    ids_.paperSpace = record(ids_.blockTable, ACDB_PAPER_SPACE, new AcDbBlockTableRecord);
}

void Completer::dictionaries() {
    if (!ids_.namedObjects.isValid()) {
        ids_.namedObjects = rootOfClass(AcDbDictionary::desc());
        if (ids_.namedObjects.isNull()) {
            ids_.namedObjects = addRoot(impl_, new AcDbDictionary);
            added_.push_back("added the named-object dictionary");
        }
    }
    AcDbDictionary* nod = nullptr;
    acdbOpenObject(nod, ids_.namedObjects, AcDb::kForWrite);
    if (nod->getAt("ACAD_GROUP", ids_.groupDictionary) != Acad::eOk ||
        AcDbDictionary::cast(liveObject(ids_.groupDictionary.stub())) == nullptr) {
        auto* groups = new AcDbDictionary;
        nod->setAt("ACAD_GROUP", groups, ids_.groupDictionary);
        groups->close();
        added_.push_back("added the ACAD_GROUP dictionary");
    }
    nod->close();
}

void Completer::settings() {
    if (!ids_.currentSpace.isValid()) {
        ids_.currentSpace = ids_.modelSpace;
    }
    if (!ids_.clayer.isValid()) {
        ids_.clayer = ids_.layerZero;
    }
    if (!ids_.textstyle.isValid()) {
        ids_.textstyle = ids_.standardTextStyle;
    }
    if (!ids_.dimstyle.isValid()) {
        ids_.dimstyle = ids_.standardDimStyle;
    }
}

std::vector<std::string> Completer::run() {
    const bool recording = impl_.journal().recording();
    impl_.journal().setRecording(false);
    table<AcDbBlockTable>(ids_.blockTable, "block");
    table<AcDbLayerTable>(ids_.layerTable, "layer");
    table<AcDbTextStyleTable>(ids_.textStyleTable, "text style");
    table<AcDbLinetypeTable>(ids_.linetypeTable, "linetype");
    if (impl_.rawTables().empty()) {
        for (const char* name : {"VIEW", "UCS", "VPORT"}) {
            impl_.rawTables().push_back(rawTable(name));
        }
    }
    table<AcDbRegAppTable>(ids_.regAppTable, "registered application");
    table<AcDbDimStyleTable>(ids_.dimStyleTable, "dimension style");
    records();
    dictionaries();
    settings();
    impl_.journal().setRecording(recording);
    return added_;
}

} // namespace

std::vector<std::string> completeStandardContents(AcDbDatabase& database) {
    return Completer(database).run();
}

void buildDefaultDrawing(AcDbDatabase& database) {
    completeStandardContents(database);
}

} // namespace veld::db
