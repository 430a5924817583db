// Symbol tables: names unique regardless of case, forbidden characters, renames and their undo,
// the current layer, registered applications, entity layers by name.
#include "DbTestSupport.h"
#include "host/db/DatabaseImpl.h"

namespace veld::test {
using namespace veld::db;
namespace {

class DbTable : public DbTest {
protected:
    AcDbObjectId addLayer(const char* name, bool frozen = false) {
        return drawing().addLayer(name, frozen);
    }
};

TEST_F(DbTable, NamesAreUniqueRegardlessOfCase) {
    addLayer("Walls");
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db().getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    EXPECT_TRUE(table->has("WALLS"));
    auto* twin = new AcDbLayerTableRecord;
    twin->setName("walls");
    EXPECT_EQ(table->add(twin), Acad::eDuplicateRecordName);
    delete twin;
    AcDbLinetypeTableRecord wrongKind;
    EXPECT_EQ(table->add(&wrongKind), Acad::eWrongObjectType);
    table->close();
}

TEST_F(DbTable, NamesWithReservedCharactersAreRefused) {
    AcDbLayerTableRecord layer;
    for (const char* bad : {"", "a<b", "a/b", "a:b", "a*b", "a|b", "a=b", "a`b", "a\"b"}) {
        EXPECT_EQ(layer.setName(bad), Acad::eInvalidInput) << bad;
    }
    EXPECT_EQ(layer.setName("基礎 外周-1"), Acad::eOk);
    AcDbBlockTableRecord block;
    EXPECT_EQ(block.setName("*U"), Acad::eOk); // anonymous blocks start with "*"
    EXPECT_EQ(block.setName("A*"), Acad::eInvalidInput);
}

TEST_F(DbTable, AnonymousBlocksAreNumberedByTheTable) {
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db().getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* a = new AcDbBlockTableRecord;
    auto* b = new AcDbBlockTableRecord;
    a->setName("*D");
    b->setName("*D");
    EXPECT_EQ(table->add(a), Acad::eOk);
    EXPECT_EQ(table->add(b), Acad::eOk);
    EXPECT_NE(a->name(), b->name());
    EXPECT_TRUE(a->isAnonymous());
    EXPECT_EQ(a->name().substr(0, 2), "*D");
    a->close();
    b->close();
    table->close();
}

TEST_F(DbTable, RenameAndItsUndoMoveTheLookup) {
    const AcDbObjectId id = addLayer("OLD");
    db().impl().journal().clear();
    db().impl().journal().beginCommand("RENAME");
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(layer->setName("0"), Acad::eDuplicateRecordName);
    EXPECT_EQ(layer->setName("NEW"), Acad::eOk);
    layer->close();
    db().impl().journal().endCommand();
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db().getLayerTable(table, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(table->has("new"));
    EXPECT_FALSE(table->has("old"));
    table->close();
    db().impl().journal().undo(1);
    ASSERT_EQ(db().getLayerTable(table, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(table->has("NEW"));
    AcDbObjectId found;
    EXPECT_EQ(table->getAt("old", found), Acad::eOk);
    EXPECT_EQ(found, id);
    table->close();
}

TEST_F(DbTable, ErasedRecordsAreFoundOnlyWhenAskedFor) {
    const AcDbObjectId id = addLayer("GONE");
    AcDbObject* layer = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(layer, id, AcDb::kForWrite), Acad::eOk);
    layer->erase();
    layer->close();
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db().getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId found;
    EXPECT_EQ(table->getAt("GONE", found), Acad::eKeyNotFound);
    EXPECT_EQ(table->getAt("GONE", found, true), Acad::eOk);
    EXPECT_EQ(table->recordIds().length(), 1);      // "0"
    EXPECT_EQ(table->recordIds(false).length(), 2); // "0" and the erased one
    auto* again = new AcDbLayerTableRecord;
    again->setName("GONE");
    EXPECT_EQ(table->add(again), Acad::eOk); // the erased record's name is free
    again->close();
    table->close();
}

TEST_F(DbTable, CurrentLayerMustBeAnUnfrozenLayerOfTheDrawing) {
    const AcDbObjectId frozen = addLayer("FROZEN", true);
    const AcDbObjectId thawed = addLayer("THAWED");
    EXPECT_EQ(db().setClayer(frozen), Acad::eInvalidInput);
    EXPECT_EQ(db().setClayer(db().continuousLinetype()), Acad::eWrongObjectType);
    EXPECT_EQ(db().setClayer(thawed), Acad::eOk);
    EXPECT_EQ(db().clayer(), thawed);
    // Undo takes the layer a command made away and puts back the layer current before it.
    db().impl().journal().clear();
    db().impl().journal().beginCommand("LAYER");
    const AcDbObjectId temporary = addLayer("TEMP");
    EXPECT_EQ(db().setClayer(temporary), Acad::eOk);
    db().impl().journal().endCommand();
    db().impl().journal().undo(1);
    EXPECT_EQ(db().clayer(), thawed);
}

TEST_F(DbTable, RegAppAddsOnceAndEntitiesTakeLayersByName) {
    EXPECT_EQ(acdbRegApp("GROUP_TYPE"), RTNORM);
    EXPECT_EQ(acdbRegApp("GROUP_TYPE"), RTERROR);
    addLayer("DIM");
    AcDbLine line;
    EXPECT_EQ(line.layer(), "0");
    EXPECT_EQ(line.setLayer("dim"), Acad::eOk);
    EXPECT_EQ(line.layer(), "DIM");
    EXPECT_EQ(line.setLayer("NOPE"), Acad::eKeyNotFound);
    EXPECT_EQ(line.setLinetype("continuous"), Acad::eOk);
    EXPECT_EQ(line.linetypeId(), db().continuousLinetype());
    EXPECT_EQ(line.setLinetypeScale(0.0), Acad::eInvalidInput);
    EXPECT_EQ(line.setColorIndex(257), Acad::eInvalidInput);
    EXPECT_EQ(line.setStartPoint(AcGePoint3d(NAN, 0, 0)), Acad::eInvalidInput);
}

TEST_F(DbTable, DefaultDrawingHasTheStandardRecords) {
    AcDbLinetypeTable* linetypes = nullptr;
    ASSERT_EQ(db().getLinetypeTable(linetypes, AcDb::kForRead), Acad::eOk);
    std::vector<std::string> names;
    for (const AcDbObjectId& id : linetypes->recordIds()) {
        AcDbSymbolTableRecord* record = nullptr;
        acdbOpenObject(record, id, AcDb::kForRead);
        names.push_back(record->name());
        record->close();
    }
    linetypes->close();
    EXPECT_EQ(names, (std::vector<std::string>{"ByBlock", "ByLayer", "Continuous"}));
    AcDbDimStyleTableRecord* standard = nullptr;
    ASSERT_EQ(acdbOpenObject(standard, db().dimstyle(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(standard->name(), "STANDARD");
    EXPECT_EQ(standard->dimtxsty(), db().textstyle());
    standard->close();
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(db().getNamedObjectsDictionary(nod, AcDb::kForRead), Acad::eOk);
    AcDbObjectId groups;
    EXPECT_EQ(nod->getAt("ACAD_GROUP", groups), Acad::eOk);
    EXPECT_EQ(groups, db().groupDictionaryId());
    nod->close();
    EXPECT_EQ(db().currentSpaceId(), db().modelSpaceId());
    EXPECT_EQ(db().impl().userR(1), 0.0);
    EXPECT_EQ(openObjectCount(db()), 0);
    EXPECT_FALSE(db().impl().journal().canUndo());
}

} // namespace
} // namespace veld::test

namespace veld::test {
using namespace veld::db;
namespace {

TEST(DbLayerColor, TakesZeroToTwoFiftyFiveButNotByLayer) {
    AcDbLayerTableRecord layer;
    EXPECT_EQ(layer.color().colorIndex(), 7);
    AcCmColor color;
    color.setColorIndex(0);
    EXPECT_EQ(layer.setColor(color), Acad::eOk);
    EXPECT_EQ(layer.color().colorIndex(), 0);
    color.setColorIndex(256);
    EXPECT_EQ(layer.setColor(color), Acad::eInvalidInput);
    EXPECT_EQ(layer.color().colorIndex(), 0);
}

} // namespace
} // namespace veld::test
