// The undo journal: a step taken back restores the drawing byte for byte, handles are never
// given out twice, and steps nest as commands and groups.
#include "DbTestSupport.h"
#include "host/db/DatabaseImpl.h"
#include "host/db/Dump.h"
#include "support/SameText.h"

namespace veld::test {
using namespace veld::db;
namespace {

using veld::test::sameText;

class DbUndo : public DbTest {
protected:
    UndoJournal& journal() { return db().impl().journal(); }

    // Writes one application's data (1001 name, 1070 0, 1000 text) to an object.
    void tag(AcDbObjectId id, const char* app, const char* text) {
        regApp(app);
        AcDbObject* object = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForWrite), Acad::eOk);
        resbuf* chain = acutBuildList(1001, app, 1070, 0, 1000, text, 0);
        EXPECT_EQ(object->setXData(chain), Acad::eOk);
        acutRelRb(chain);
        object->close();
    }
    void moveStart(AcDbObjectId id, double x) {
        AcDbLine* line = nullptr;
        ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForWrite), Acad::eOk);
        line->setStartPoint(AcGePoint3d(x, 0, 0));
        line->setEndPoint(AcGePoint3d(x, 9, 0)); // second change of the same open
        line->close();
    }
    Acad::ErrorStatus erase(AcDbObjectId id, bool erasing = true) {
        AcDbObject* object = nullptr;
        Acad::ErrorStatus es = acdbOpenAcDbObject(object, id, AcDb::kForWrite, true);
        if (es == Acad::eOk) {
            es = object->erase(erasing);
            object->close();
        }
        return es;
    }
    std::string dump() { return dumpDatabase(db()); }
};

TEST_F(DbUndo, GroupOfCreationsModificationsAndErasuresRestoresTheDumpExactly) {
    const AcDbObjectId old1 = appendLine(0, 0, 1, 0);
    const AcDbObjectId old2 = appendLine(0, 1, 1, 1);
    const AcDbObjectId oldGroup = addGroup(AcDbObjectIdArray{});
    tag(old1, "OBJECT_TYPE", "before");
    journal().clear();
    const std::string before = dump();

    journal().beginCommand("FNDE");
    journal().beginGroup();
    ASSERT_EQ(erase(old2), Acad::eOk);
    moveStart(old1, 5);
    tag(old1, "OBJECT_TYPE", "after");
    tag(old1, "GROUP_TYPE", "1F");
    const AcDbObjectId fresh = appendLine(2, 2, 3, 3);
    const AcDbObjectId group = addGroup(AcDbObjectIdArray{});
    {
        AcDbGroup* g = nullptr;
        ASSERT_EQ(acdbOpenObject(g, oldGroup, AcDb::kForWrite), Acad::eOk);
        EXPECT_EQ(g->append(old1), Acad::eOk);
        EXPECT_EQ(g->append(fresh), Acad::eOk);
        g->close();
    }
    EXPECT_NE(dump(), before);
    journal().endGroup();
    journal().endCommand();

    EXPECT_EQ(journal().undo(1), std::vector<std::string>{"FNDE"});
    EXPECT_TRUE(sameText(before, dump()));
    EXPECT_EQ(openObjectCount(db()), 0);
    AcDbObject* object = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(object, fresh, AcDb::kForRead, true), Acad::ePermanentlyErased);
    EXPECT_EQ(acdbOpenAcDbObject(object, group, AcDb::kForRead), Acad::ePermanentlyErased);
    EXPECT_TRUE(fresh.isErased());
    EXPECT_FALSE(fresh.isValid());
}

TEST_F(DbUndo, HandlesAreNeverGivenOutTwiceAlsoAfterUndo) {
    journal().beginCommand("LINE");
    const AcDbObjectId a = appendLine(0, 0, 1, 1);
    journal().endCommand();
    const std::uint64_t seedAfterA = db().impl().handseed();
    journal().undo(1);
    EXPECT_EQ(db().impl().handseed(), seedAfterA);
    const AcDbObjectId b = appendLine(0, 0, 1, 1);
    EXPECT_GT(b.handle(), a.handle());
    AcDbObjectId found;
    EXPECT_EQ(db().getAcDbObjectId(found, false, a.handle()), Acad::ePermanentlyErased);
    EXPECT_EQ(db().getAcDbObjectId(found, false, b.handle()), Acad::eOk);
    EXPECT_EQ(found, b);
}

TEST_F(DbUndo, UndoneCreationLeavesEveryIteration) {
    const AcDbObjectId keep = appendLine(0, 0, 1, 1);
    journal().clear();
    journal().beginCommand("LINE");
    appendLine(1, 1, 2, 2);
    journal().endCommand();
    journal().undo(1);
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db().modelSpaceId(), AcDb::kForRead), Acad::eOk);
    const AcDbObjectIdArray all = space->entityIds(false);
    space->close();
    ASSERT_EQ(all.length(), 1);
    EXPECT_EQ(all[0], keep);
    for (const AcDbObjectId& id : db().impl().objectsInHandleOrder()) {
        EXPECT_TRUE(id.isValid());
    }
}

TEST_F(DbUndo, UndoOfAppendedRecordAndAnonymousGroupKeepsNamesUnique) {
    journal().clear();
    journal().beginCommand("X");
    const AcDbObjectId g1 = addGroup(AcDbObjectIdArray{});
    AcDbGroup* group = nullptr;
    ASSERT_EQ(acdbOpenObject(group, g1, AcDb::kForRead), Acad::eOk);
    const std::string first = group->name();
    group->close();
    journal().endCommand();
    journal().undo(1);
    const AcDbObjectId g2 = addGroup(AcDbObjectIdArray{});
    ASSERT_EQ(acdbOpenObject(group, g2, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(first, "*A1");
    EXPECT_EQ(group->name(), "*A2"); // never reused, even after the undo
    group->close();
}

TEST_F(DbUndo, SubStepsInsideARunningCommand) {
    journal().beginCommand("FNDD");
    const AcDbObjectId loose = appendLine(0, 0, 1, 1);
    journal().beginGroup();
    const AcDbObjectId pass1 = appendLine(1, 1, 2, 2);
    journal().endGroup();
    journal().beginGroup();
    const AcDbObjectId pass2 = appendLine(2, 2, 3, 3);
    journal().endGroup();
    // "_undo" "1" right after "_undo" "e" takes back only the group just ended.
    EXPECT_EQ(journal().undo(1), std::vector<std::string>{"GROUP"});
    EXPECT_FALSE(pass2.isValid());
    EXPECT_TRUE(pass1.isValid());
    // An empty group is still a step of its own.
    journal().beginGroup();
    journal().endGroup();
    EXPECT_EQ(journal().undo(1), std::vector<std::string>{"GROUP"});
    EXPECT_TRUE(pass1.isValid());
    journal().endCommand();
    // The finished command is one step for a later U.
    EXPECT_EQ(journal().undo(1), std::vector<std::string>{"FNDD"});
    EXPECT_FALSE(pass1.isValid());
    EXPECT_FALSE(loose.isValid());
}

TEST_F(DbUndo, UndoInsideACommandNeverReachesEarlierCommands) {
    journal().beginCommand("LINE");
    const AcDbObjectId earlier = appendLine(0, 0, 1, 1);
    journal().endCommand();
    journal().beginCommand("FNDD");
    journal().beginGroup();
    appendLine(1, 1, 2, 2);
    journal().endGroup();
    EXPECT_EQ(journal().undo(5).size(), 1u);
    EXPECT_TRUE(earlier.isValid());
    journal().endCommand();
    EXPECT_EQ(journal().undo(5), (std::vector<std::string>{"FNDD", "LINE"}));
    EXPECT_FALSE(earlier.isValid());
}

TEST_F(DbUndo, BeginWhileAGroupIsOpenEndsItFirst) {
    journal().beginCommand("FNDD");
    journal().beginGroup();
    const AcDbObjectId a = appendLine(0, 0, 1, 1);
    journal().beginGroup(); // ends the first group
    const AcDbObjectId b = appendLine(1, 1, 2, 2);
    journal().endGroup();
    EXPECT_EQ(journal().undo(1).size(), 1u);
    EXPECT_FALSE(b.isValid());
    EXPECT_TRUE(a.isValid());
    journal().endCommand();
}

TEST_F(DbUndo, TopLevelGroupCollectsCommandsAndBlocksUndoPastItsStart) {
    journal().beginCommand("LINE");
    const AcDbObjectId before = appendLine(0, 0, 1, 1);
    journal().endCommand();
    journal().beginGroup(); // UNDO BEgin typed at the prompt
    EXPECT_TRUE(journal().groupOpen());
    journal().beginCommand("LINE");
    const AcDbObjectId a = appendLine(1, 1, 2, 2);
    journal().endCommand();
    journal().beginCommand("CIRCLE");
    const AcDbObjectId b = append(new AcDbCircle(AcGePoint3d(0, 0, 0), 1));
    journal().endCommand();
    // Inside the open group U takes back one command at a time, never past the group start.
    EXPECT_EQ(journal().undo(1), std::vector<std::string>{"CIRCLE"});
    EXPECT_EQ(journal().undo(9), std::vector<std::string>{"LINE"});
    EXPECT_TRUE(before.isValid());
    EXPECT_FALSE(journal().canUndo());
    journal().beginCommand("LINE");
    const AcDbObjectId c = appendLine(2, 2, 3, 3);
    journal().endCommand();
    journal().endGroup();
    EXPECT_FALSE(journal().groupOpen());
    // Ended, the whole group is one step.
    EXPECT_EQ(journal().undo(1), std::vector<std::string>{"GROUP"});
    EXPECT_FALSE(c.isValid());
    EXPECT_FALSE(a.isValid() || b.isValid());
    EXPECT_TRUE(before.isValid());
}

TEST_F(DbUndo, EndCommandClosesAGroupTheCommandLeftOpen) {
    journal().beginCommand("FNDD");
    journal().beginGroup();
    const AcDbObjectId a = appendLine(0, 0, 1, 1);
    journal().endCommand();
    EXPECT_FALSE(journal().groupOpen());
    EXPECT_FALSE(journal().commandRunning());
    EXPECT_EQ(journal().undo(1), std::vector<std::string>{"FNDD"});
    EXPECT_FALSE(a.isValid());
}

TEST_F(DbUndo, MarkAndBack) {
    journal().beginCommand("LINE");
    const AcDbObjectId a = appendLine(0, 0, 1, 1);
    journal().endCommand();
    journal().mark();
    for (int i = 0; i < 3; ++i) {
        journal().beginCommand("LINE");
        appendLine(i, 0, i, 1);
        journal().endCommand();
    }
    EXPECT_EQ(journal().back(), 3);
    EXPECT_TRUE(a.isValid());
    // The mark is gone: the next Back takes everything.
    EXPECT_EQ(journal().back(), 1);
    EXPECT_FALSE(a.isValid());
    EXPECT_FALSE(journal().canUndo());
}

TEST_F(DbUndo, UndoPassesMarksWithoutCountingThem) {
    journal().beginCommand("A");
    appendLine(0, 0, 1, 1);
    journal().endCommand();
    journal().mark();
    journal().beginCommand("B");
    appendLine(0, 0, 1, 1);
    journal().endCommand();
    EXPECT_EQ(journal().undo(2), (std::vector<std::string>{"B", "A"}));
}

TEST_F(DbUndo, ErasedGroupMemberComesBackWithUndo) {
    const AcDbObjectId a = appendLine(0, 0, 1, 1);
    const AcDbObjectId b = appendLine(1, 1, 2, 2);
    const AcDbObjectId g = addGroup(AcDbObjectIdArray{});
    {
        AcDbGroup* group = nullptr;
        ASSERT_EQ(acdbOpenObject(group, g, AcDb::kForWrite), Acad::eOk);
        AcDbObjectIdArray ids;
        ids.append(a);
        ids.append(b);
        EXPECT_EQ(group->append(ids), Acad::eOk);
        group->close();
    }
    journal().clear();
    journal().beginCommand("ERASE");
    ASSERT_EQ(erase(a), Acad::eOk);
    journal().endCommand();
    AcDbGroup* group = nullptr;
    ASSERT_EQ(acdbOpenObject(group, g, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(group->numEntities(), 1u);
    group->close();
    journal().undo(1);
    ASSERT_EQ(acdbOpenObject(group, g, AcDb::kForRead), Acad::eOk);
    AcDbObjectIdArray ids;
    EXPECT_EQ(group->allEntityIds(ids), 2u);
    EXPECT_EQ(ids[0], a);
    EXPECT_EQ(ids[1], b);
    group->close();
}

// How long this takes is measured by bench_db (BM_UndoGroupOfHundredThousandChanges).
TEST_F(DbUndo, HundredThousandChangesUndoneExactly) {
    std::vector<AcDbObjectId> ids;
    for (int i = 0; i < 20000; ++i) {
        ids.push_back(appendLine(i, 0, i, 1));
    }
    journal().clear();
    const std::string before = dump();
    journal().beginCommand("BULK");
    journal().beginGroup();
    for (int i = 0; i < 20000; ++i) {
        moveStart(ids[static_cast<std::size_t>(i)], -i);
        tag(ids[static_cast<std::size_t>(i)], "FOUND_DELTASHAPE", "x");
        appendLine(i, 5, i, 6);
    }
    for (int i = 0; i < 40000; ++i) {
        erase(ids[static_cast<std::size_t>(i % 20000)], i < 20000);
    }
    journal().endGroup();
    journal().endCommand();
    EXPECT_GE(journal().entryCount(), 100000u);
    journal().undo(1);
    EXPECT_TRUE(sameText(before, dump()));
}

} // namespace
} // namespace veld::test

namespace veld::test {
using namespace veld::db;
namespace {

using DbUndoEdges = DbUndo;

TEST_F(DbUndoEdges, SeveralKindsOfChangeInOneOpenComeBackTogether) {
    regApp("APP");
    const AcDbObjectId id = appendLine(0, 0, 1, 1);
    const AcDbObjectId other = appendLine(5, 5, 6, 6);
    journal().clear();
    const std::string before = dump();
    journal().beginCommand("EDIT");
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForWrite), Acad::eOk);
    resbuf* chain = acutBuildList(1001, "APP", 1000, "x", 0);
    EXPECT_EQ(line->setXData(chain), Acad::eOk); // journaled on its own
    acutRelRb(chain);
    EXPECT_EQ(line->setColorIndex(3), Acad::eOk); // the first state copy of this open
    EXPECT_EQ(line->addPersistentReactor(other), Acad::eOk);
    EXPECT_EQ(line->erase(), Acad::eOk);
    line->close();
    journal().endCommand();
    journal().undo(1);
    EXPECT_TRUE(sameText(before, dump()));
}

TEST_F(DbUndoEdges, ReplacedDictionaryEntryComesBack) {
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(db().getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    auto* first = new AcDbDictionary;
    AcDbObjectId firstId;
    ASSERT_EQ(nod->setAt("MINE", first, firstId), Acad::eOk);
    first->close();
    nod->close();
    journal().clear();
    const std::string before = dump();
    journal().beginCommand("X");
    ASSERT_EQ(db().getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    auto* second = new AcDbDictionary;
    AcDbObjectId secondId;
    ASSERT_EQ(nod->setAt("mine", second, secondId), Acad::eOk);
    second->close();
    AcDbObjectId found;
    EXPECT_EQ(nod->getAt("MINE", found), Acad::eOk);
    EXPECT_EQ(found, secondId);
    nod->close();
    journal().endCommand();
    journal().undo(1);
    EXPECT_TRUE(sameText(before, dump()));
}

TEST_F(DbUndoEdges, ObjectStillOpenWhenItsCreationIsUndoneGoesAtItsClose) {
    journal().beginCommand("X");
    journal().beginGroup();
    auto* line = new AcDbLine;
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db().modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    ASSERT_EQ(space->appendAcDbEntity(id, line), Acad::eOk);
    space->close();
    journal().endGroup();
    journal().undo(1); // a fault in the caller: the line is still open
    EXPECT_TRUE(line->isErased());
    EXPECT_EQ(line->close(), Acad::eOk); // deleted here; the sanitizer build checks it
    EXPECT_EQ(openObjectCount(db()), 0);
    journal().endCommand();
}

TEST_F(DbUndoEdges, NothingRecordedWhileRecordingIsOff) {
    journal().setRecording(false);
    appendLine(0, 0, 1, 1);
    journal().setRecording(true);
    EXPECT_EQ(journal().entryCount(), 0u);
    EXPECT_FALSE(journal().canUndo());
}

} // namespace
} // namespace veld::test

namespace veld::test {
using namespace veld::db;
namespace {

using DbUndoRuns = DbUndo;

TEST_F(DbUndoRuns, ChangesToObjectsMadeInTheSameStepCostNoEntries) {
    journal().beginCommand("FNDD");
    journal().beginGroup();
    const AcDbObjectId id = appendLine(0, 0, 1, 1);
    const std::size_t afterCreation = journal().entryCount();
    moveStart(id, 3);
    tag(id, "FOUND_DELTASHAPE", "x");
    EXPECT_EQ(journal().entryCount(), afterCreation + 1); // the application's registration only
    journal().endGroup();
    // After the group, the same object is an older one: its changes are journaled again.
    journal().beginGroup();
    const std::string beforeSecond = dump();
    moveStart(id, 4);
    journal().endGroup();
    EXPECT_EQ(journal().undo(1).size(), 1u);
    EXPECT_TRUE(sameText(beforeSecond, dump()));
    journal().endCommand();
}

TEST_F(DbUndoRuns, ObjectsMadeWhileRecordingWasOffKeepTheirChangesJournaled) {
    journal().setRecording(false);
    const AcDbObjectId id = appendLine(0, 0, 1, 1); // no creation entry covers it
    journal().setRecording(true);
    const std::string before = dump();
    journal().beginCommand("MOVE");
    moveStart(id, 7);
    journal().endCommand();
    journal().undo(1);
    EXPECT_TRUE(sameText(before, dump()));
}

} // namespace
} // namespace veld::test
