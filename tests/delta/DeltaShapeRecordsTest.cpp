// The extended data a drawn and recorded triangular foundation carries on every member, read
// back from the saved file by ezdxf item by item.
#include "delta/DeltaShape.h"

#include "support/EzdxfGroupDump.h"
#include "support/FoundationDrawingFixture.h"

#include <utility>

namespace {

using veld::test::EzdxfMember;
using veld::test::FoundationDrawingFixture;
using Items = std::vector<std::pair<int, std::string>>;

using DeltaShapeRecords = FoundationDrawingFixture;

Items dialogItems(const FoundationSettings& settings) {
    std::vector<std::string> values;
    settings.GetParameterArray(values);
    Items items = {{1001, "FOUND_DELTADIALOG"}};
    for (std::size_t i = 0; i < values.size(); ++i) {
        items.emplace_back(1070, std::to_string(i));
        items.emplace_back(1000, values[i]);
    }
    return items;
}

TEST_F(DeltaShapeRecords, EveryMemberCarriesTheRecordsInTheIndexedItemLayout) {
    FoundationSettings settings = deltaSettings();
    setThickenings(settings, "25", 6);
    settings.SetSlot(FoundationSlot::Mark, "");
    DeltaShape shape;
    shape.basePoint = AcGePoint3d(100, 200, 0);
    const AcDbObjectId group = shape.draw(settings);
    ASSERT_FALSE(group.isNull());
    shape.symbolPoint = AcGePoint3d(1100, -800, 0);
    EXPECT_EQ(shape.writeRecords(group, settings, "三角基礎"), Acad::eOk);

    const auto dump = veld::test::dumpGroupsWithEzdxf(saveChecked("records.dxf"));
    ASSERT_TRUE(dump.loaded) << dump.error;
    ASSERT_EQ(dump.groups.size(), 1u);
    const std::vector<EzdxfMember>& members = dump.groups[0].members;
    ASSERT_EQ(members.size(), 25u);
    const Items dialog = dialogItems(settings);
    ASSERT_EQ(dialog.size(), 67u);
    EXPECT_EQ(dialog[18], (std::pair<int, std::string>{1000, ""})) << "empty MARK kept";
    for (std::size_t i = 0; i < members.size(); ++i) {
        const EzdxfMember& m = members[i];
        EXPECT_EQ(m.xdataOf("OBJECT_TYPE"),
                  (Items{{1001, "OBJECT_TYPE"}, {1070, "0"}, {1000, "三角基礎"}}))
            << "member " << i;
        EXPECT_EQ(m.xdataOf("FOUND_DELTADIALOG"), dialog) << "member " << i;
        EXPECT_EQ(m.xdataOf("FOUND_DELTASHAPE"), (Items{{1001, "FOUND_DELTASHAPE"},
                                                        {1070, "0"},
                                                        {1000, m.handle},
                                                        {1070, "1"},
                                                        {1010, "100.0,200.0,0.0"},
                                                        {1070, "2"},
                                                        {1010, "1100.0,-800.0,0.0"}}))
            << "member " << i;
        EXPECT_EQ(m.xdataOf("GROUP_TYPE"),
                  (Items{{1001, "GROUP_TYPE"}, {1070, "0"}, {1000, dump.groups[0].handle}}))
            << "member " << i;
        Items lineClass;
        if (i >= 12 && i < 24) {
            lineClass = {{1001, "OBJECT_LINETYPE"},
                         {1070, "0"},
                         {1000, i < 18 ? "LOOKS" : "OUTER"},
                         {1070, "1"},
                         {1070, "0"}};
        }
        EXPECT_EQ(m.xdataOf("OBJECT_LINETYPE"), lineClass) << "member " << i;
    }
}

} // namespace
