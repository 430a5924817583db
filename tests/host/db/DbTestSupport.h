// Helpers of the database tests: a fresh drawing as the working database, entity creation.
#pragma once
#include "dbdict.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "support/TestDrawing.h"

#include <gtest/gtest.h>

namespace veld::test {

// A new drawing, made the working database for the test's duration.
class DbTest : public ::testing::Test {
protected:
    DbTest() : db_(std::make_unique<AcDbDatabase>()) {
        acdbHostApplicationServices()->setWorkingDatabase(db_.get());
    }
    ~DbTest() override { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }

    AcDbDatabase& db() { return *db_; }

    veld::test::TestDrawing drawing() { return veld::test::TestDrawing(db()); }
    // Appends an entity to model space and closes it; returns its id.
    AcDbObjectId append(AcDbEntity* entity) { return drawing().append(entity); }
    AcDbObjectId appendLine(double x0, double y0, double x1, double y1) {
        return drawing().addLine(AcGePoint3d(x0, y0, 0), AcGePoint3d(x1, y1, 0));
    }
    // A new anonymous group holding `members`, closed.
    AcDbObjectId addGroup(const AcDbObjectIdArray& members) { return drawing().addGroup(members); }
    void regApp(const char* name) { acdbRegApp(name); }

private:
    std::unique_ptr<AcDbDatabase> db_;
};

} // namespace veld::test
