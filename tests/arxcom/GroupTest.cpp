// Anonymous groups: creation with reactors on the members, lookup by id and name, extension,
// and the erasure of empty groups on every dictionary walk.
#include "ToolkitFixture.h"
#include "arxcom/CArxComGroup.h"

namespace {

const char* const kNotAGroup = "\nｸﾞﾙｰﾌﾟｵﾌﾞｼﾞｪｸﾄではありません";

class GroupTest : public ToolkitTest {
protected:
    // A group whose members have all been erased since.
    AcDbObjectId emptiedGroup() {
        const AcDbObjectIdArray ids = lines(2);
        const AcDbObjectId group = CArxComGroup().CreateAnonymousGroup(ids);
        for (const AcDbObjectId& id : ids) {
            erase(id);
        }
        return group;
    }
    std::vector<AcDbObjectId> members(AcDbObjectId group) {
        AcDbObjectIdArray ids;
        CArxComGroup().GetGroupEntitiesById(group, ids);
        return ids.toStdVector();
    }
};

TEST_F(GroupTest, CreateAnonymousGroupPutsItInTheDictionaryWithTheMembersInOrder) {
    AcDbObjectIdArray ids = lines(3);
    ids.insertAt(1, AcDbObjectId::kNull);
    const AcDbObjectId groupId = CArxComGroup().CreateAnonymousGroup(ids);
    ASSERT_FALSE(groupId.isNull());
    ids.removeAt(1);
    {
        Opened<AcDbGroup> group(groupId);
        EXPECT_EQ(group->description(), "*");
        EXPECT_TRUE(group->isSelectable());
        EXPECT_TRUE(group->isAnonymous());
        EXPECT_EQ(group->name().rfind("*A", 0), 0u);
        AcDbObjectIdArray listed;
        group->allEntityIds(listed);
        EXPECT_EQ(listed, ids);
        Opened<AcDbDictionary> dictionary(db()->groupDictionaryId());
        EXPECT_TRUE(dictionary->has(groupId));
    }
    // Members know their group: erasing one drops it from the group.
    for (const AcDbObjectId& id : ids) {
        EXPECT_GE(Opened<AcDbEntity>(id)->persistentReactors().find(groupId), 0);
    }
    erase(ids[0]);
    EXPECT_EQ(members(groupId), (std::vector<AcDbObjectId>{ids[1], ids[2]}));
    EXPECT_EQ(transcript(), "");
}

TEST_F(GroupTest, EachGroupWalkErasesTheEmptyGroupsItPasses) {
    const AcDbObjectId kept = CArxComGroup().CreateAnonymousGroup(lines(1));
    const AcDbObjectId first = emptiedGroup();
    CArxComGroup().PurgeEmptyGroups();
    EXPECT_TRUE(first.isErased());
    EXPECT_FALSE(kept.isErased());

    const AcDbObjectId second = emptiedGroup();
    const AcDbObjectId looked = CArxComGroup().CreateAnonymousGroup(lines(1));
    AcDbObjectIdArray ids;
    EXPECT_EQ(CArxComGroup().GetGroupEntitiesById(looked, ids), 1);
    EXPECT_TRUE(second.isErased());

    const AcDbObjectId third = emptiedGroup();
    const AcDbObjectId last = CArxComGroup().CreateAnonymousGroup(lines(1));
    EXPECT_TRUE(CArxComGroup().AppendToGroup(last, lines(1)));
    EXPECT_TRUE(third.isErased());
    EXPECT_EQ(members(last).size(), 2u);
    EXPECT_EQ(transcript(), "");
}

// The walk ends at the group it looks for; empty groups behind it wait for the next walk.
TEST_F(GroupTest, WalkStopsAtTheGroupItLooksFor) {
    const AcDbObjectId target = CArxComGroup().CreateAnonymousGroup(lines(1));
    const AcDbObjectId behind = emptiedGroup();
    CArxComGroup().AppendToGroup(target, lines(1));
    EXPECT_FALSE(behind.isErased());
    CArxComGroup().PurgeEmptyGroups();
    EXPECT_TRUE(behind.isErased());
}

// A group that is empty but is the one asked for gets its new members instead of being erased.
TEST_F(GroupTest, AppendFillsAnEmptyTargetGroup) {
    const AcDbObjectId group = CArxComGroup().CreateAnonymousGroup(AcDbObjectIdArray());
    const AcDbObjectIdArray ids = lines(2);
    EXPECT_TRUE(CArxComGroup().AppendToGroup(group, ids));
    EXPECT_FALSE(group.isErased());
    EXPECT_EQ(members(group), ids.toStdVector());
}

TEST_F(GroupTest, LookupsOfUnknownGroupsPrintNotAGroup) {
    CArxComGroup().CreateAnonymousGroup(lines(1));
    const AcDbObjectId line = addLine({0, 0, 0}, {5, 5, 0});
    EXPECT_TRUE(CArxComGroup().AppendToGroup(AcDbObjectId::kNull, lines(1)));
    EXPECT_EQ(transcript(), kNotAGroup);
    clearTranscript();
    AcDbObjectIdArray ids;
    ids.append(line);
    EXPECT_EQ(CArxComGroup().GetGroupEntitiesById(line, ids), 0);
    EXPECT_TRUE(ids.isEmpty());
    EXPECT_EQ(transcript(), kNotAGroup);
}

TEST_F(GroupTest, NullIdGivesNothingAndPrintsNothing) {
    AcDbObjectIdArray ids;
    ids.append(addLine({0, 0, 0}, {1, 0, 0}));
    EXPECT_EQ(CArxComGroup().GetGroupEntitiesById(AcDbObjectId::kNull, ids), 0);
    EXPECT_EQ(transcript(), "");
}

TEST_F(GroupTest, GroupsAreFoundByNameWithoutRegardToCase) {
    const AcDbObjectIdArray ids = lines(2);
    const AcDbObjectId groupId = CArxComGroup().CreateAnonymousGroup(ids);
    std::string name = Opened<AcDbGroup>(groupId)->name();
    name[1] = 'a'; // "*A1" -> "*a1"
    CArxComGroup byName;
    byName.groupName = name;
    AcDbObjectIdArray found;
    EXPECT_EQ(byName.GetGroupEntities(found), 2);
    EXPECT_EQ(found, ids);
}

TEST_F(GroupTest, WithoutAGroupDictionaryEveryOperationSaysSo) {
    AcDbDatabase bare(false, true);
    acdbHostApplicationServices()->setWorkingDatabase(&bare);
    CArxComGroup groups;
    EXPECT_TRUE(groups.CreateAnonymousGroup(AcDbObjectIdArray()).isNull());
    groups.PurgeEmptyGroups();
    EXPECT_FALSE(groups.AppendToGroup(AcDbObjectId::kNull, AcDbObjectIdArray()));
    groups.groupName = "*A1";
    AcDbObjectIdArray ids;
    EXPECT_EQ(groups.GetGroupEntities(ids), 0);
    const std::string message = "\nグループディクショナリが取得できませんでした";
    EXPECT_EQ(transcript(), message + message + message);
}

} // namespace
