// Helpers of the database tests: a fresh drawing as the working database, entity creation.
#pragma once
#include "dbdict.h"
#include "dbents.h"
#include "dbsymtb.h"

#include <gtest/gtest.h>

namespace veld::db::test {

// A new drawing, made the working database for the test's duration.
class DbTest : public ::testing::Test {
protected:
    DbTest() : db_(std::make_unique<AcDbDatabase>()) {
        acdbHostApplicationServices()->setWorkingDatabase(db_.get());
    }
    ~DbTest() override { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }

    AcDbDatabase& db() { return *db_; }

    // Appends an entity to model space and closes it; returns its id.
    AcDbObjectId append(AcDbEntity* entity) {
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db().modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        space->close();
        return id;
    }
    AcDbObjectId appendLine(double x0, double y0, double x1, double y1) {
        return append(new AcDbLine(AcGePoint3d(x0, y0, 0), AcGePoint3d(x1, y1, 0)));
    }
    // A new anonymous group holding `members`, closed.
    AcDbObjectId addGroup(const AcDbObjectIdArray& members) {
        AcDbDictionary* groups = nullptr;
        EXPECT_EQ(db().getGroupDictionary(groups, AcDb::kForWrite), Acad::eOk);
        auto* group = new AcDbGroup("*", true);
        AcDbObjectId id;
        EXPECT_EQ(groups->setAt("*", group, id), Acad::eOk);
        EXPECT_EQ(group->append(members), Acad::eOk);
        group->close();
        groups->close();
        return id;
    }
    void regApp(const char* name) { acdbRegApp(name); }

private:
    std::unique_ptr<AcDbDatabase> db_;
};

} // namespace veld::db::test
