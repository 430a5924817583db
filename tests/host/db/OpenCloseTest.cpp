// Open and close rules: many readers or one writer, erased objects, closing what was opened.
#include "DbTestSupport.h"
#include "host/db/DatabaseImpl.h"

namespace veld::db::test {
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
} // namespace veld::db::test
