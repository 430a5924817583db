// Groups and dictionaries: members carry the group as reactor, erased members leave the count
// and come back, anonymous names are unique.
#include "DbTestSupport.h"
#include "host/db/DatabaseImpl.h"

namespace veld::test {
using namespace veld::db;
namespace {

class DbGroup : public DbTest {
protected:
    AcDbGroup* openGroup(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForWrite) {
        AcDbGroup* group = nullptr;
        EXPECT_EQ(acdbOpenObject(group, id, mode), Acad::eOk);
        return group;
    }
    AcDbObjectIdArray reactorsOf(AcDbObjectId id) {
        AcDbObject* object = nullptr;
        EXPECT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForRead, true), Acad::eOk);
        AcDbObjectIdArray reactors = object->persistentReactors();
        object->close();
        return reactors;
    }
    void setErased(AcDbObjectId id, bool erased) {
        AcDbObject* object = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForWrite, true), Acad::eOk);
        EXPECT_EQ(object->erase(erased), Acad::eOk);
        object->close();
    }
};

TEST_F(DbGroup, MembersCarryTheGroupAsReactorInMemberOrder) {
    const AcDbObjectId a = appendLine(0, 0, 1, 1);
    const AcDbObjectId b = appendLine(1, 1, 2, 2);
    AcDbObjectIdArray ids;
    ids.append(b);
    ids.append(a);
    const AcDbObjectId g = addGroup(ids);
    EXPECT_EQ(reactorsOf(a).length(), 1);
    EXPECT_EQ(reactorsOf(a)[0], g);
    AcDbGroup* group = openGroup(g, AcDb::kForRead);
    AcDbObjectIdArray members;
    EXPECT_EQ(group->allEntityIds(members), 2u);
    EXPECT_EQ(members[0], b);
    EXPECT_EQ(members[1], a);
    EXPECT_TRUE(group->isAnonymous());
    EXPECT_EQ(group->description(), "*");
    group->close();
}

TEST_F(DbGroup, ErasedMembersAreNotCountedAndComeBackWhenUnerased) {
    const AcDbObjectId a = appendLine(0, 0, 1, 1);
    const AcDbObjectId b = appendLine(1, 1, 2, 2);
    AcDbObjectIdArray ids;
    ids.append(a);
    ids.append(b);
    const AcDbObjectId g = addGroup(ids);
    setErased(a, true);
    AcDbGroup* group = openGroup(g, AcDb::kForRead);
    AcDbObjectIdArray members;
    EXPECT_EQ(group->numEntities(), 1u);
    EXPECT_EQ(group->allEntityIds(members), 1u);
    EXPECT_EQ(members[0], b);
    group->close();
    setErased(a, false);
    group = openGroup(g, AcDb::kForRead);
    EXPECT_EQ(group->allEntityIds(members), 2u);
    EXPECT_EQ(members[0], a); // back in its old place
    group->close();
}

TEST_F(DbGroup, AppendChecksEveryIdBeforeChangingAnything) {
    const AcDbObjectId a = appendLine(0, 0, 1, 1);
    const AcDbObjectId erased = appendLine(1, 1, 2, 2);
    setErased(erased, true);
    const AcDbObjectId g = addGroup(AcDbObjectIdArray{});
    AcDbGroup* group = openGroup(g);
    AcDbObjectIdArray ids;
    ids.append(a);
    ids.append(erased);
    EXPECT_EQ(group->append(ids), Acad::eWasErased);
    EXPECT_EQ(group->numEntities(), 0u);
    EXPECT_EQ(reactorsOf(a).length(), 0);
    EXPECT_EQ(group->append(a), Acad::eOk);
    EXPECT_EQ(group->append(a), Acad::eAlreadyInGroup);
    EXPECT_EQ(group->append(db().layerTableId()), Acad::eNotThatKindOfClass);
    EXPECT_EQ(group->append(AcDbObjectId::kNull), Acad::eNullObjectId);
    EXPECT_EQ(group->remove(erased), Acad::eNotInGroup);
    EXPECT_EQ(group->remove(a), Acad::eOk);
    group->close();
    EXPECT_EQ(reactorsOf(a).length(), 0);
}

TEST_F(DbGroup, GroupOutsideADatabaseTakesNoMembers) {
    const AcDbObjectId a = appendLine(0, 0, 1, 1);
    AcDbGroup group("*", true);
    EXPECT_EQ(group.append(a), Acad::eInvalidInput);
    EXPECT_EQ(group.name(), "");
}

TEST_F(DbGroup, AnonymousKeysAreUniqueAndErasedEntriesSkipped) {
    const AcDbObjectId g1 = addGroup(AcDbObjectIdArray{});
    const AcDbObjectId g2 = addGroup(AcDbObjectIdArray{});
    AcDbGroup* group = openGroup(g1);
    EXPECT_EQ(group->name(), "*A1");
    EXPECT_EQ(group->erase(), Acad::eOk);
    group->close();
    AcDbDictionary* groups = nullptr;
    ASSERT_EQ(db().getGroupDictionary(groups, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(groups->numEntries(), 1u);
    EXPECT_FALSE(groups->has("*a1"));
    AcDbObjectId found;
    EXPECT_EQ(groups->getAt("*a2", found), Acad::eOk); // keys ignore case
    EXPECT_EQ(found, g2);
    std::unique_ptr<AcDbDictionaryIterator> it(groups->newIterator());
    ASSERT_FALSE(it->done());
    EXPECT_STREQ(it->name(), "*A2");
    EXPECT_FALSE(it->next());
    auto* named = new AcDbGroup("named");
    AcDbObjectId namedId;
    ASSERT_EQ(groups->setAt("WALLS", named, namedId), Acad::eOk);
    named->close();
    auto* third = new AcDbGroup;
    AcDbObjectId thirdId;
    ASSERT_EQ(groups->setAt("*", third, thirdId), Acad::eOk);
    third->close();
    std::string key;
    EXPECT_EQ(groups->nameAt(thirdId, key), Acad::eOk);
    EXPECT_EQ(key, "*A3");
    groups->close();
}

TEST_F(DbGroup, RemovedDictionaryEntryComesBackWithUndo) {
    const AcDbObjectId g = addGroup(AcDbObjectIdArray{});
    db().impl().journal().clear();
    db().impl().journal().beginCommand("X");
    AcDbDictionary* groups = nullptr;
    ASSERT_EQ(db().getGroupDictionary(groups, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId removed;
    EXPECT_EQ(groups->remove("*A1", removed), Acad::eOk);
    EXPECT_EQ(removed, g);
    EXPECT_EQ(groups->remove("*A1"), Acad::eKeyNotFound);
    groups->close();
    db().impl().journal().endCommand();
    db().impl().journal().undo(1);
    ASSERT_EQ(db().getGroupDictionary(groups, AcDb::kForRead), Acad::eOk);
    AcDbObjectId found;
    EXPECT_EQ(groups->getAt("*A1", found), Acad::eOk);
    EXPECT_EQ(found, g);
    groups->close();
}

} // namespace
} // namespace veld::test
