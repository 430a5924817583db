// Open and close rules: many readers or one writer, erased objects, closing what was opened.
#include "DbTestSupport.h"
#include "host/db/DatabaseImpl.h"

namespace veld::test {
using namespace veld::db;
namespace {

using DbOpenClose = DbTest;

TEST_F(DbOpenClose, ManyReadersOrOneWriter) {
    const AcDbObjectId id = appendLine(0, 0, 1, 1);
    AcDbLine* r1 = nullptr;
    AcDbLine* r2 = nullptr;
    AcDbLine* w = nullptr;
    ASSERT_EQ(acdbOpenObject(r1, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenObject(r2, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(acdbOpenObject(w, id, AcDb::kForWrite), Acad::eWasOpenForRead);
    EXPECT_EQ(w, nullptr);
    EXPECT_EQ(r1->upgradeOpen(), Acad::eWasOpenForRead); // two readers
    EXPECT_EQ(r2->close(), Acad::eOk);
    EXPECT_EQ(r1->upgradeOpen(), Acad::eOk);
    EXPECT_EQ(acdbOpenObject(r2, id, AcDb::kForRead), Acad::eWasOpenForWrite);
    EXPECT_EQ(acdbOpenObject(w, id, AcDb::kForWrite), Acad::eWasOpenForWrite);
    EXPECT_EQ(openObjectCount(db()), 1);
    EXPECT_EQ(r1->close(), Acad::eOk);
    EXPECT_EQ(openObjectCount(db()), 0);
}

} // namespace
} // namespace veld::test

namespace veld::test {
using namespace veld::db;
namespace {

using DbLifeCycle = DbTest;

TEST_F(DbLifeCycle, AppendedObjectIsOpenForWriteUntilClosed) {
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    EXPECT_TRUE(line->objectId().isNull());
    EXPECT_EQ(line->setStartPoint(AcGePoint3d(2, 0, 0)), Acad::eOk); // not in a database yet
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db().modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    ASSERT_EQ(space->appendAcDbEntity(id, line), Acad::eOk);
    EXPECT_EQ(space->appendAcDbEntity(line), Acad::eAlreadyInDb);
    space->close();
    EXPECT_TRUE(line->isWriteEnabled());
    EXPECT_TRUE(line->isNewObject());
    EXPECT_EQ(line->ownerId(), db().modelSpaceId());
    EXPECT_EQ(line->layerId(), db().clayer()); // an entity made outside starts on layer "0"
    EXPECT_EQ(line->linetype(), "ByLayer");
    EXPECT_FALSE(id.handle().isNull());
    EXPECT_EQ(openObjectCount(db()), 1);
    EXPECT_EQ(line->close(), Acad::eOk);
    EXPECT_EQ(openObjectCount(db()), 0);
    AcDbLine* again = nullptr;
    ASSERT_EQ(acdbOpenObject(again, id, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(again->isNewObject());
    EXPECT_EQ(again->setStartPoint(AcGePoint3d(5, 5, 5)), Acad::eNotOpenForWrite);
    EXPECT_EQ(again->startPoint(), AcGePoint3d(2, 0, 0));
    again->close();
}

TEST_F(DbLifeCycle, CloseOfAnObjectOutsideTheDatabaseDeletesIt) {
    auto* line = new AcDbLine;
    EXPECT_EQ(line->close(), Acad::eOk); // the sanitizer build catches a leak or a double free
}

TEST_F(DbLifeCycle, ClosingWhatWasNotOpenedIsRefused) {
    const AcDbObjectId id = appendLine(0, 0, 1, 1);
    AcDbObject* object = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(object->close(), Acad::eOk);
    EXPECT_EQ(object->close(), Acad::eNotOpenForRead);
    EXPECT_EQ(openObjectCount(db()), 0);
}

TEST_F(DbLifeCycle, ErasedObjectsOpenOnlyWhenAskedFor) {
    const AcDbObjectId id = appendLine(0, 0, 1, 1);
    AcDbObject* object = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(object->erase(), Acad::eNotOpenForWrite);
    ASSERT_EQ(object->upgradeOpen(), Acad::eOk);
    EXPECT_EQ(object->erase(), Acad::eOk);
    EXPECT_EQ(object->erase(), Acad::eWasErased);
    object->close();
    EXPECT_TRUE(id.isErased());
    EXPECT_TRUE(id.isValid());
    EXPECT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForRead), Acad::eWasErased);
    EXPECT_EQ(object, nullptr);
    ASSERT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForWrite, true), Acad::eOk);
    EXPECT_EQ(object->erase(false), Acad::eOk);
    object->close();
    EXPECT_FALSE(id.isErased());
}

TEST_F(DbLifeCycle, OpeningAsTheWrongClassLeavesNothingOpen) {
    const AcDbObjectId id = appendLine(0, 0, 1, 1);
    AcDbCircle* circle = nullptr;
    EXPECT_EQ(acdbOpenObject(circle, id, AcDb::kForWrite), Acad::eNotThatKindOfClass);
    EXPECT_EQ(circle, nullptr);
    EXPECT_EQ(openObjectCount(db()), 0);
    AcDbEntity* entity = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(entity, db().layerTableId(), AcDb::kForRead),
              Acad::eNotThatKindOfClass);
    EXPECT_EQ(acdbOpenAcDbEntity(entity, AcDbObjectId::kNull, AcDb::kForRead), Acad::eNullObjectId);
    EXPECT_EQ(openObjectCount(db()), 0);
}

TEST_F(DbLifeCycle, DowngradeLetsOtherReadersIn) {
    const AcDbObjectId id = appendLine(0, 0, 1, 1);
    AcDbObject* writer = nullptr;
    AcDbObject* reader = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(writer, id, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(writer->downgradeOpen(), Acad::eOk);
    EXPECT_EQ(writer->downgradeOpen(), Acad::eNotOpenForWrite);
    ASSERT_EQ(acdbOpenAcDbObject(reader, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(reader->close(), Acad::eOk);
    EXPECT_EQ(writer->close(), Acad::eOk);
    EXPECT_TRUE(openObjects(db()).empty());
}

TEST_F(DbLifeCycle, OpenObjectsAreListedForTheEndOfCommandCheck) {
    const AcDbObjectId a = appendLine(0, 0, 1, 1);
    appendLine(0, 0, 2, 2);
    AcDbObject* object = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(object, a, AcDb::kForRead), Acad::eOk);
    const std::vector<AcDbObjectId> open = openObjects(db());
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0], a);
    object->close();
}

TEST_F(DbLifeCycle, EntityNamesAreCheckedAgainstLiveStubs) {
    const AcDbObjectId id = appendLine(0, 0, 1, 1);
    ads_name name;
    ASSERT_EQ(acdbGetAdsName(name, id), Acad::eOk);
    AcDbObjectId back;
    ASSERT_EQ(acdbGetObjectId(back, name), Acad::eOk);
    EXPECT_EQ(back, id);
    // A bogus name (garbage address, or a real address with another handle) never crashes.
    ads_name bogus = {0x12345678, 42};
    EXPECT_EQ(acdbGetObjectId(back, bogus), Acad::eUnknownHandle);
    EXPECT_TRUE(back.isNull());
    ads_name shifted = {name[0], name[1] + 1};
    EXPECT_EQ(acdbGetObjectId(back, shifted), Acad::eUnknownHandle);
    ads_name nil = {0, 0};
    EXPECT_EQ(acdbGetObjectId(back, nil), Acad::eNullObjectId);
    // A name from a database that is gone.
    ads_name stale;
    {
        AcDbDatabase other;
        AcDbBlockTableRecord* space = nullptr;
        ASSERT_EQ(acdbOpenObject(space, other.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        auto* line = new AcDbLine;
        AcDbObjectId otherId;
        space->appendAcDbEntity(otherId, line);
        line->close();
        space->close();
        acdbGetAdsName(stale, otherId);
    }
    EXPECT_EQ(acdbGetObjectId(back, stale), Acad::eUnknownHandle);
}

TEST(DbHandle, TextIsUpperCaseHexWithoutLeadingZeros) {
    EXPECT_EQ(AcDbHandle(0x2AFu).text(), "2AF");
    EXPECT_EQ(AcDbHandle("002af").value(), 0x2AFu);
    EXPECT_TRUE(AcDbHandle("xyz").isNull());
    EXPECT_TRUE(AcDbHandle("").isNull());
    EXPECT_TRUE(AcDbHandle("12345678901234567").isNull()); // more than 64 bits
    char buffer[4];
    EXPECT_TRUE(AcDbHandle(0xABCu).getIntoAsciiBuffer(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "ABC");
    EXPECT_FALSE(AcDbHandle(0xABCDu).getIntoAsciiBuffer(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
}

TEST(DbStatusText, IsTheEnumeratorName) {
    EXPECT_STREQ(acadErrorStatusText(Acad::eInvalidInput), "eInvalidInput");
    EXPECT_STREQ(acadErrorStatusText(Acad::eWasOpenForWrite), "eWasOpenForWrite");
    EXPECT_STREQ(acadErrorStatusText(static_cast<Acad::ErrorStatus>(300)), "eUnknownErrorStatus");
}

TEST(DbClasses, EveryClassIsInTheClassDictionary) {
    AcRxDictionary* classes = acrxClassDictionary;
    ASSERT_NE(classes, nullptr);
    EXPECT_EQ(classes->at("AcDbLine"), AcDbLine::desc());
    EXPECT_EQ(classes->at("AcDbGroup"), AcDbGroup::desc());
    EXPECT_TRUE(AcDbLine::desc()->isDerivedFrom(AcDbCurve::desc()));
    EXPECT_FALSE(AcDbLine::desc()->isDerivedFrom(AcDbText::desc()));
}

} // namespace
} // namespace veld::test
