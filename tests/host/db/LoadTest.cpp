// What the file reader and writer use: objects with their own handles, references made before
// the object, repairs at the end of a load, iteration in handle order, raw objects.
#include "DbTestSupport.h"
#include "host/db/DatabaseImpl.h"
#include "host/db/Dump.h"
#include "host/db/RawObjects.h"
#include "support/SameText.h"

#include <algorithm>

namespace veld::test {
using namespace veld::db;
namespace {

using veld::test::sameText;

class DbLoad : public ::testing::Test {
protected:
    AcDbDatabase db_{false};
    DatabaseImpl& impl() { return db_.impl(); }

    AcDbObjectId load(AcDbObject* object, std::uint64_t handle, AcDbObjectId owner = {}) {
        AcDbObjectId id;
        EXPECT_EQ(impl().addLoadedObject(object, AcDbHandle(handle), owner, id), Acad::eOk);
        return id;
    }
};

TEST_F(DbLoad, ObjectsKeepTheirHandlesAndTheSeedMovesPast) {
    EXPECT_EQ(impl().objectsInHandleOrder().size(), 0u);
    const AcDbObjectId table = load(new AcDbBlockTable, 0x1);
    auto* space = new AcDbBlockTableRecord;
    space->setName(ACDB_MODEL_SPACE);
    const AcDbObjectId ms = load(space, 0x1F, table);
    const AcDbObjectId line = load(new AcDbLine, 0x40, ms);
    load(new AcDbLine, 0x30, ms);
    EXPECT_EQ(impl().handseed(), 0x41u);
    impl().setHandseed(0x20); // never goes back
    EXPECT_EQ(impl().handseed(), 0x41u);
    AcDbObjectId id;
    AcDbLine twin;
    EXPECT_EQ(impl().addLoadedObject(&twin, AcDbHandle(0x40), ms, id), Acad::eHandleInUse);
    EXPECT_EQ(line.handle().value(), 0x40u);
    std::vector<std::uint64_t> order;
    for (const AcDbObjectId& oid : impl().objectsInHandleOrder()) {
        order.push_back(oid.handle().value());
    }
    EXPECT_EQ(order, (std::vector<std::uint64_t>{0x1, 0x1F, 0x30, 0x40}));
    // Block entities stay in file order; the owner index is in handle order.
    AcDbBlockTableRecord* record = nullptr;
    ASSERT_EQ(acdbOpenObject(record, ms, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(record->entityIds()[0], line);
    record->close();
    EXPECT_EQ(impl().objectsOwnedBy(ms).front().handle().value(), 0x30u);
}

TEST_F(DbLoad, ReferencesBeforeTheObjectAndRepairsAtTheEnd) {
    const AcDbObjectId nod = load(new AcDbDictionary, 0xC);
    const AcDbObjectId groupsId = impl().reserveHandle(AcDbHandle(0xD));
    ASSERT_EQ(impl().addLoadedDictionaryEntry(nod, "ACAD_GROUP", groupsId), Acad::eOk);
    load(new AcDbDictionary, 0xD, nod); // fills the reservation
    const AcDbObjectId blocks = load(new AcDbBlockTable, 0x1);
    auto* space = new AcDbBlockTableRecord;
    space->setName(ACDB_MODEL_SPACE);
    const AcDbObjectId ms = load(space, 0x1F, blocks);
    const AcDbObjectId group = load(new AcDbGroup("*"), 0x50, groupsId);
    ASSERT_EQ(impl().addLoadedDictionaryEntry(groupsId, "*A7", group), Acad::eOk);
    const AcDbObjectId member = load(new AcDbLine, 0x51, ms);
    ASSERT_EQ(impl().addLoadedGroupMember(group, member), Acad::eOk);
    ASSERT_EQ(impl().addLoadedGroupMember(group, impl().reserveHandle(AcDbHandle(0x99))),
              Acad::eOk);
    const LoadRepairs repairs = impl().finishLoading();
    EXPECT_EQ(repairs.count, repairs.lines.size());
    auto count = [&](const std::string& prefix) {
        return std::count_if(repairs.lines.begin(), repairs.lines.end(),
                             [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    };
    EXPECT_EQ(count("object 99"), 1);        // referenced but missing
    EXPECT_EQ(count("group 50 lost"), 1);    // the member dropped
    EXPECT_EQ(count("group 50 reactor"), 1); // the reactor planted on the real member
    // What the file had is kept; only what it lacked is added.
    EXPECT_EQ(db_.namedObjectsDictionaryId(), nod);
    EXPECT_EQ(db_.groupDictionaryId(), groupsId);
    EXPECT_EQ(db_.modelSpaceId(), ms);
    EXPECT_EQ(count("added the ACAD_GROUP"), 0);
    EXPECT_EQ(count("added the record 0"), 1);
    EXPECT_FALSE(db_.paperSpaceId().isNull());
    EXPECT_FALSE(db_.clayer().isNull());
    EXPECT_FALSE(impl().journal().canUndo());
    EXPECT_EQ(openObjectCount(db_), 0);
    AcDbGroup* g = nullptr;
    ASSERT_EQ(acdbOpenObject(g, group, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(g->numEntities(), 1u);
    EXPECT_EQ(g->name(), "*A7");
    g->close();
    AcDbObject* line = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(line, member, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(line->persistentReactors().length(), 1);
    EXPECT_EQ(line->persistentReactors()[0], group);
    line->close();
    // The counter of anonymous names moved past the loaded *A7.
    EXPECT_EQ(impl().nextAnonymousNumber(), 8u);
    EXPECT_GT(impl().handseed(), 0x99u);
}

TEST_F(DbLoad, ManyRepairsAreAllCountedAndTheFirstOnesTold) {
    for (std::uint64_t h = 0x100; h < 0x100 + 150; ++h) {
        impl().reserveHandle(AcDbHandle(h)); // referenced, never loaded
    }
    const LoadRepairs repairs = impl().finishLoading();
    EXPECT_GE(repairs.count, 150u); // with the standard records completed
    EXPECT_EQ(repairs.lines.size(), LoadRepairs::kLinesKept);
    EXPECT_EQ(repairs.lines.front(), "object 100 is referenced but missing");
}

TEST_F(DbLoad, RawObjectsKeepTheirTagsAndUndoLikeOthers) {
    AcDbDatabase db;
    const Tags tags = {{100, "AcDbMText"}, {10, "1.5"}, {1, "テキスト"}};
    auto* raw = new AcDbRawEntity("MTEXT", tags);
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    ASSERT_EQ(space->appendAcDbEntity(id, raw), Acad::eOk);
    raw->close();
    space->close();
    db.impl().journal().clear();
    const std::string before = dumpDatabase(db);
    db.impl().journal().beginCommand("EDIT");
    AcDbRawEntity* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(open->setTags("MTEXT", {{1, "changed"}}), Acad::eOk);
    open->close();
    db.impl().journal().endCommand();
    db.impl().journal().undo(1);
    EXPECT_TRUE(sameText(before, dumpDatabase(db)));
    ASSERT_EQ(acdbOpenObject(open, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(open->tags(), tags);
    EXPECT_EQ(open->dxfType(), "MTEXT");
    open->close();
    EXPECT_EQ(db.impl().rawTables().size(), 3u); // VIEW, UCS, VPORT of a new drawing
    db.impl().setUserR(1, 2.5);
    EXPECT_EQ(db.impl().userR(1), 2.5);
    EXPECT_EQ(db.impl().userR(6), 0.0);
}

TEST_F(DbLoad, RawTagsReadFromAFileStayPackedUntilAskedForAListAndUndoToThem) {
    const std::vector<KeptTag> read = {{100, "AcDbEntity"}, {8, "0"}, {1, "{\\fArial;x}"}};
    const Tags asList(read.begin(), read.end());
    auto* raw = new AcDbRawEntity("MTEXT", RawTags(impl().packTags(read)));
    const AcDbObjectId id = load(raw, 0x40);
    std::vector<KeptTag> visited;
    raw->rawTags().forEach(
        [&](int code, std::string_view value) { visited.emplace_back(code, value); });
    EXPECT_EQ(visited, read);
    EXPECT_TRUE(raw->rawTags().packed()) << "a visit copies nothing out";
    EXPECT_TRUE(raw->rawTags().hasCode(8));
    EXPECT_FALSE(raw->rawTags().hasCode(330));
    impl().journal().clear();
    impl().journal().beginCommand("EDIT");
    AcDbRawEntity* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(open->setTags("MTEXT", {{1, "changed"}}), Acad::eOk);
    EXPECT_FALSE(open->rawTags().packed());
    open->close();
    impl().journal().endCommand();
    impl().journal().undo(1);
    ASSERT_EQ(acdbOpenObject(open, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(open->tags(), asList);
    EXPECT_EQ(open->rawTags().size(), 3u);
    EXPECT_FALSE(open->rawTags().packed()) << "copied out once asked for as a list";
    open->close();
}

} // namespace
} // namespace veld::test

namespace veld::test {
using namespace veld::db;
namespace {

TEST(DbBlockMarkers, AreGivenOnceAndKept) {
    AcDbDatabase db;
    DatabaseImpl& impl = db.impl();
    const auto first = impl.blockMarkers(db.modelSpaceId());
    EXPECT_FALSE(first.first.isNull());
    EXPECT_NE(first.first, first.second);
    EXPECT_EQ(impl.blockMarkers(db.modelSpaceId()), first);
    EXPECT_TRUE(impl.blockMarkers(db.layerTableId()).first.isNull());
    EXPECT_EQ(impl.setBlockMarkers(db.paperSpaceId(), AcDbHandle(0x500), AcDbHandle(0x501)),
              Acad::eOk);
    EXPECT_EQ(impl.handseed(), 0x502u);
    // A new object never takes a handle given to a marker.
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(db.getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    auto* dict = new AcDbDictionary;
    AcDbObjectId id;
    ASSERT_EQ(nod->setAt("X", dict, id), Acad::eOk);
    dict->close();
    nod->close();
    EXPECT_EQ(id.handle().value(), 0x502u);
}

TEST(DbBlockMarkers, KeepTheRecordsAsReadBesideOtherKeptRecords) {
    AcDbDatabase db;
    DatabaseImpl& impl = db.impl();
    EXPECT_FALSE(impl.keptBlockMarkers(db.modelSpaceId().stub()));
    impl.keepRecord(db.layerTableId().stub(), Tags{{2, "LAYER"}});
    const Tags begin = {{0, "BLOCK"}, {100, "AcDbBlockBegin"}, {2, "*D1"}, {1, ""}};
    const Tags end = {{0, "ENDBLK"}, {100, "AcDbBlockEnd"}};
    impl.keepBlockMarkers(db.paperSpaceId().stub(), begin, end);
    const auto kept = impl.keptBlockMarkers(db.paperSpaceId().stub());
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->first.toTags(), begin);
    EXPECT_EQ(kept->second.toTags(), end);
    EXPECT_EQ(impl.keptRecord(db.layerTableId().stub()).toTags(), (Tags{{2, "LAYER"}}));
    EXPECT_FALSE(impl.keptBlockMarkers(db.modelSpaceId().stub()));
}

} // namespace
} // namespace veld::test
