// The standard contents of a new drawing, made without journaling.
#include "DefaultDrawing.h"

#include "DatabaseImpl.h"
#include "ObjectAccess.h"
#include "RawObjects.h"
#include "dbdict.h"

namespace veld::db {

namespace {

// Adds an object owned by the database itself and closes it.
AcDbObjectId addRoot(DatabaseImpl& impl, AcDbObject* object) {
    AcDbStub* stub = impl.addObject(object, nullptr);
    object->close();
    return AcDbObjectId(stub);
}

// Adds a record to a table and closes it.
template <class Table>
AcDbObjectId addRecord(AcDbObjectId tableId, AcDbSymbolTableRecord* record, const char* name) {
    record->setName(name);
    Table* table = nullptr;
    acdbOpenObject(table, tableId, AcDb::kForWrite);
    AcDbObjectId id;
    table->add(id, record);
    record->close();
    table->close();
    return id;
}

AcDbObjectId addLinetype(AcDbObjectId table, const char* name, const char* comments) {
    auto* record = new AcDbLinetypeTableRecord;
    record->setComments(comments);
    return addRecord<AcDbLinetypeTable>(table, record, name);
}

void addTables(DatabaseImpl& impl, WellKnownIds& ids) {
    ids.blockTable = addRoot(impl, new AcDbBlockTable);
    ids.layerTable = addRoot(impl, new AcDbLayerTable);
    ids.textStyleTable = addRoot(impl, new AcDbTextStyleTable);
    ids.linetypeTable = addRoot(impl, new AcDbLinetypeTable);
    for (const char* name : {"VIEW", "UCS", "VPORT"}) {
        impl.rawTables().push_back(addRoot(impl, new AcDbRawSymbolTable(name, {})));
    }
    ids.regAppTable = addRoot(impl, new AcDbRegAppTable);
    ids.dimStyleTable = addRoot(impl, new AcDbDimStyleTable);
}

void addRecords(WellKnownIds& ids) {
    ids.byBlock = addLinetype(ids.linetypeTable, "ByBlock", "");
    ids.byLayer = addLinetype(ids.linetypeTable, "ByLayer", "");
    ids.continuous = addLinetype(ids.linetypeTable, "Continuous", "Solid line");

    auto* layer = new AcDbLayerTableRecord;
    layer->setLinetypeObjectId(ids.continuous);
    ids.layerZero = addRecord<AcDbLayerTable>(ids.layerTable, layer, "0");

    ids.standardTextStyle =
        addRecord<AcDbTextStyleTable>(ids.textStyleTable, new AcDbTextStyleTableRecord, "STANDARD");
    auto* dimStyle = new AcDbDimStyleTableRecord;
    dimStyle->setDimtxsty(ids.standardTextStyle);
    ids.standardDimStyle = addRecord<AcDbDimStyleTable>(ids.dimStyleTable, dimStyle, "STANDARD");
    addRecord<AcDbRegAppTable>(ids.regAppTable, new AcDbRegAppTableRecord, "ACAD");

    ids.modelSpace =
        addRecord<AcDbBlockTable>(ids.blockTable, new AcDbBlockTableRecord, ACDB_MODEL_SPACE);
    ids.paperSpace =
        addRecord<AcDbBlockTable>(ids.blockTable, new AcDbBlockTableRecord, ACDB_PAPER_SPACE);
}

void addDictionaries(DatabaseImpl& impl, WellKnownIds& ids) {
    ids.namedObjects = addRoot(impl, new AcDbDictionary);
    AcDbDictionary* nod = nullptr;
    acdbOpenObject(nod, ids.namedObjects, AcDb::kForWrite);
    auto* groups = new AcDbDictionary;
    nod->setAt("ACAD_GROUP", groups, ids.groupDictionary);
    groups->close();
    nod->close();
}

} // namespace

void buildDefaultDrawing(AcDbDatabase& database) {
    DatabaseImpl& impl = database.impl();
    const bool recording = impl.journal().recording();
    impl.journal().setRecording(false);
    WellKnownIds& ids = impl.ids();
    addTables(impl, ids);
    addRecords(ids);
    addDictionaries(impl, ids);
    ids.currentSpace = ids.modelSpace;
    ids.clayer = ids.layerZero;
    ids.textstyle = ids.standardTextStyle;
    ids.dimstyle = ids.standardDimStyle;
    impl.journal().setRecording(recording);
}

} // namespace veld::db
