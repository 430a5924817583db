// Tags on entities (group, type, line class), their reading back, closed outlines, and the
// conversions between entity names, ids and handles with their error lines.
#include "ToolkitFixture.h"
#include "arxcom/ArxError.h"
#include "arxcom/ArxObjectRefs.h"
#include "arxcom/CArxComGroup.h"
#include "arxcom/CArxComObjectShape.h"

namespace {

using ObjectShapeTest = ToolkitTest;

TEST_F(ObjectShapeTest, GroupTagHoldsTheGroupHandleAndLeadsBackToTheGroup) {
    const AcDbObjectIdArray ids = lines(2);
    const AcDbObjectId group = CArxComGroup().CreateAnonymousGroup(ids);
    CArxComObjectShape shape;
    EXPECT_EQ(shape.SetGroupType(ids, group), Acad::eOk);
    const std::string handle = group.handle().text();
    EXPECT_EQ(HandleTextOfId(group), handle);
    EXPECT_EQ(xdataOf(ids[1], "GROUP_TYPE"), "1001:GROUP_TYPE 1070:0 1000:" + handle);

    AcDbObjectId found;
    EXPECT_EQ(shape.GetGroupOfEntity(ids[1], found), Acad::eOk);
    EXPECT_EQ(found, group);
    const AcDbObjectId untagged = addLine({0, 0, 0}, {9, 9, 0});
    found = group;
    EXPECT_EQ(shape.GetGroupOfEntity(untagged, found), Acad::eOk);
    EXPECT_TRUE(found.isNull());
    EXPECT_EQ(transcript(), "");
}

// Ids that cannot be opened are passed over; the result is the last tagged entity's status.
class SelectShapesTest : public ObjectShapeTest {
protected:
    // A tagged group of two horizontal lines at y = 0 and y = 10 and an untagged line at y = 50.
    void SetUp() override {
        ObjectShapeTest::SetUp();
        members.append(addLine({0, 0, 0}, {100, 0, 0}));
        members.append(addLine({0, 10, 0}, {100, 10, 0}));
        group = CArxComGroup().CreateAnonymousGroup(members);
        ASSERT_EQ(CArxComObjectShape().SetGroupType(members, group), Acad::eOk);
        untagged = addLine({0, 50, 0}, {100, 50, 0});
        clearTranscript();
    }
    void select(AcDbObjectIdArray& groups, AcDbObjectIdArray& entities) {
        CArxComObjectShape().SelectSingleShape("\n基礎を選択: ", groups, entities);
        EXPECT_EQ(host().commandLine().selectionSets().count(), 0u) << "the set is freed";
    }

    AcDbObjectIdArray members;
    AcDbObjectId group, untagged;
};

TEST_F(SelectShapesTest, APickOnAnyMemberResolvesToTheGroup) {
    answer({"50,10"});
    AcDbObjectIdArray groups, entities;
    select(groups, entities);
    EXPECT_EQ(entities.toStdVector(), std::vector<AcDbObjectId>{members[1]});
    EXPECT_EQ(groups.toStdVector(), std::vector<AcDbObjectId>{group});
    EXPECT_EQ(transcript().rfind("\n基礎を選択: ", 0), 0u) << transcript();
}

TEST_F(SelectShapesTest, TwoMembersOfOneGroupGiveTheGroupOnce) {
    answer({"-10,-5", "110,15"}); // a window around both members
    AcDbObjectIdArray groups, entities;
    select(groups, entities);
    EXPECT_EQ(entities, members);
    EXPECT_EQ(groups.toStdVector(), std::vector<AcDbObjectId>{group});
}

TEST_F(SelectShapesTest, AnUntaggedEntityGivesANullGroupOnce) {
    answer({"110,55", "-10,-5"}); // a crossing over everything
    AcDbObjectIdArray groups, entities;
    select(groups, entities);
    EXPECT_EQ(entities.length(), 3);
    EXPECT_EQ(groups.toStdVector(), (std::vector<AcDbObjectId>{group, AcDbObjectId::kNull}));

    answer({"50,50"});
    AcDbObjectIdArray alone, picked;
    select(alone, picked);
    EXPECT_EQ(alone.toStdVector(), std::vector<AcDbObjectId>{AcDbObjectId::kNull});
    EXPECT_EQ(picked.toStdVector(), std::vector<AcDbObjectId>{untagged});
}

TEST_F(SelectShapesTest, NothingSelectedSaysSoAndLeavesTheArraysAlone) {
    answer({"200,200", "300,300", "^C"});
    AcDbObjectIdArray groups, entities;
    groups.append(group);
    select(groups, entities);
    const std::string message = "\nｵﾌﾞｼﾞｪｸﾄが選択されていません";
    EXPECT_NE(transcript().find(message), std::string::npos) << transcript();
    select(groups, entities);
    EXPECT_EQ(transcript().substr(transcript().size() - message.size()), message);
    EXPECT_EQ(groups.toStdVector(), std::vector<AcDbObjectId>{group});
    EXPECT_TRUE(entities.isEmpty());
}

TEST_F(ObjectShapeTest, TagWritersSkipEntitiesThatCannotBeOpened) {
    AcDbObjectIdArray ids = lines(3);
    erase(ids[2]);
    ids.insertAt(0, AcDbObjectId::kNull);
    CArxComObjectShape shape;
    EXPECT_EQ(shape.SetObjectLinetype(ids, "外形線", 40000), Acad::eOk);
    EXPECT_EQ(xdataOf(ids[1], "OBJECT_LINETYPE"),
              "1001:OBJECT_LINETYPE 1070:0 1000:外形線 1070:1 1070:-25536");
    EXPECT_EQ(xdataOf(ids[2], "OBJECT_LINETYPE"), xdataOf(ids[1], "OBJECT_LINETYPE"));
    AcDbObjectId found;
    EXPECT_EQ(shape.GetGroupOfEntity(ids[3], found), Acad::eWasErased);
}

TEST_F(ObjectShapeTest, ObjectTypeMatchesExactlyAndCaseSensitively) {
    const AcDbObjectIdArray ids = lines(2);
    CArxComObjectShape shape;
    ASSERT_EQ(shape.SetObjectType(ids[0], "Delta基礎"), Acad::eOk);
    ASSERT_EQ(shape.SetObjectType(ids[0], "三角基礎"), Acad::eOk); // replaces the first
    EXPECT_EQ(xdataOf(ids[0], "OBJECT_TYPE"), "1001:OBJECT_TYPE 1070:0 1000:三角基礎");
    EXPECT_EQ(shape.CheckObjectType(ids[0], "三角基礎"), Acad::eOk);
    EXPECT_EQ(shape.CheckObjectType(ids[0], "四角基礎"), Acad::eIllegalEntityType);
    EXPECT_EQ(shape.CheckObjectType(ids[1], "三角基礎"), Acad::eIllegalEntityType);

    ASSERT_EQ(shape.SetObjectType(ids[1], "Square"), Acad::eOk);
    EXPECT_EQ(shape.CheckObjectType(ids[1], "SQUARE"), Acad::eIllegalEntityType);
    EXPECT_EQ(shape.CheckObjectType(AcDbObjectId::kNull, "Square"), Acad::eNullObjectId);
    EXPECT_EQ(shape.SetObjectType(AcDbObjectId::kNull, "Square"), Acad::eNullObjectId);
}

TEST_F(ObjectShapeTest, ClosedOutlineOfFourPointsIsFourLinesBackToTheStart) {
    ensureLayer("LOOK");
    AcGePoint3dArray points;
    points.append({0, 0, 0});
    points.append({10, 0, 0});
    points.append({10, 5, 0});
    points.append({0, 5, 0});
    AcDbObjectIdArray ids;
    ids.append(AcDbObjectId::kNull); // appended to, not replaced
    CArxComObjectShape().DrawClosedOutline(points, "LOOK", ids);
    ASSERT_EQ(ids.length(), 5);
    for (int i = 0; i < 4; ++i) {
        Opened<AcDbLine> line(ids[i + 1]);
        EXPECT_EQ(line->startPoint(), points[i]);
        EXPECT_EQ(line->endPoint(), points[(i + 1) % 4]);
        EXPECT_EQ(line->layer(), "LOOK");
        EXPECT_DOUBLE_EQ(line->linetypeScale(), 1.0);
        EXPECT_EQ(line->colorIndex(), 256);
    }
}

TEST_F(ObjectShapeTest, HandleConversionsReportOnlyWhenAsked) {
    const AcDbObjectId line = addLine({0, 0, 0}, {1, 0, 0});
    AcDbObjectId id;
    EXPECT_EQ(IdFromHandle(db(), line.handle().text().c_str(), id, true), 0);
    EXPECT_EQ(id, line);
    EXPECT_EQ(IdFromHandle(db(), "FFFFF", id, false), 3);
    EXPECT_TRUE(id.isNull());
    EXPECT_EQ(transcript(), "");
    EXPECT_EQ(IdFromHandle(db(), "FFFFF", id, true), 3);
    EXPECT_EQ(transcript(), std::string("\nERROR: Could not translate handle to objectId (") +
                                acadErrorStatusText(Acad::eUnknownHandle) + ")");
    EXPECT_EQ(HandleTextOfId(AcDbObjectId::kNull), "");
}

TEST_F(ObjectShapeTest, EntityNamesConvertOrReportTheHostError) {
    const AcDbObjectId line = addLine({0, 0, 0}, {1, 0, 0});
    ads_name name = {0, 0};
    ASSERT_EQ(acdbGetAdsName(name, line), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(IdFromEname(name, id), Acad::eOk);
    EXPECT_EQ(id, line);
    EXPECT_EQ(transcript(), "");

    const ads_name bogus = {0, 0};
    const Acad::ErrorStatus es = IdFromEname(bogus, id);
    EXPECT_NE(es, Acad::eOk);
    EXPECT_TRUE(id.isNull());
    EXPECT_EQ(transcript(), std::string("\nARX ERROR: ") + ArxErrorText(es));
}

TEST_F(ObjectShapeTest, ErrorReportIsSilentForSuccess) {
    ReportArxError(Acad::eOk);
    EXPECT_EQ(transcript(), "");
    ReportArxError(Acad::eWasErased);
    EXPECT_EQ(transcript(), "\nARX ERROR: eWasErased");
}

} // namespace
