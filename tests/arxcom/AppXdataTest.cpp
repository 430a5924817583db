// Numbered extended-data entries: layout on the object, replacement in place, type guards,
// brackets, 16-bit values and reading back.
#include "ToolkitFixture.h"
#include "arxcom/CArxComAppXdata.h"
#include "arxcom/CArxComRbList.h"

namespace {

class AppXdataTest : public ToolkitTest {
protected:
    // Writes an application's raw chain on a new line and returns the line.
    AcDbObjectId lineWithXdata(resbuf* chain) {
        acdbRegApp("APP");
        const AcDbObjectId id = addLine({0, 0, 0}, {1, 0, 0});
        AcDbObject* object = nullptr;
        EXPECT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForWrite), Acad::eOk);
        EXPECT_EQ(object->setXData(chain), Acad::eOk);
        object->close();
        acutRelRb(chain);
        return id;
    }
    Acad::ErrorStatus write(const CArxComAppXdata& data, AcDbObjectId id) {
        AcDbObject* object = nullptr;
        EXPECT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForWrite), Acad::eOk);
        const Acad::ErrorStatus es = data.WriteTo(object);
        object->close();
        return es;
    }
    Acad::ErrorStatus read(CArxComAppXdata& data, AcDbObjectId id) {
        Opened<AcDbObject> object(id);
        return data.ReadFrom(object.object);
    }
};

TEST_F(AppXdataTest, ConstructionRegistersTheApplicationOnceEvenForReaders) {
    {
        CArxComAppXdata reader("VELD_TEST_APP");
        CArxComAppXdata again("VELD_TEST_APP");
        EXPECT_EQ(again.GetAppName(), "VELD_TEST_APP");
    }
    AcDbRegAppTable* table = nullptr;
    ASSERT_EQ(db()->getRegAppTable(table, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(table->has("VELD_TEST_APP"));
    int named = 0;
    for (const AcDbObjectId& id : table->recordIds()) {
        Opened<AcDbRegAppTableRecord> record(id);
        named += record->name() == "VELD_TEST_APP" ? 1 : 0;
    }
    table->close();
    EXPECT_EQ(named, 1);
}

TEST_F(AppXdataTest, EntriesAreWrittenAsIndexValuePairsInTheOrderFirstSet) {
    CArxComAppXdata data("APP");
    data.SetStringEntry(2, "A");
    data.SetPointEntry(0, AcGePoint3d(1, 2, 3));
    data.SetIntEntry(1, 7);
    data.SetStringEntry(2, "B"); // replaced in place, no second entry
    const AcDbObjectId line = addLine({0, 0, 0}, {1, 0, 0});
    ASSERT_EQ(write(data, line), Acad::eOk);
    EXPECT_EQ(xdataOf(line, "APP"), "1001:APP 1070:2 1000:B 1070:0 1010:(1,2,3) 1070:1 1070:7");
}

TEST_F(AppXdataTest, SettersAndGettersLeaveAnEntryOfAnotherTypeAlone) {
    CArxComAppXdata data("APP");
    data.SetStringEntry(1, "text");
    data.SetPointEntry(2, AcGePoint3d(4, 5, 6));
    data.SetIntEntry(3, 9);

    data.SetIntEntry(1, 5);
    data.SetPointEntry(3, AcGePoint3d(1, 1, 1));
    data.SetStringEntry(2, "other");
    EXPECT_EQ(describeChain(data.Entries()), "1070:1 1000:text 1070:2 1010:(4,5,6) 1070:3 1070:9");

    std::string text = "untouched";
    EXPECT_FALSE(data.GetStringEntry(2, text));
    EXPECT_FALSE(data.GetStringEntry(4, text));
    EXPECT_EQ(text, "untouched");
    AcGePoint3d point(8, 8, 8);
    EXPECT_FALSE(data.GetPointEntry(1, point));
    EXPECT_EQ(point, AcGePoint3d(8, 8, 8));
    EXPECT_TRUE(data.GetPointEntry(2, point));
    EXPECT_EQ(point, AcGePoint3d(4, 5, 6));
}

TEST_F(AppXdataTest, IntegersAndIndicesKeepTheirLowSixteenBits) {
    CArxComAppXdata data("APP");
    data.SetIntEntry(0, 70000);  // 0x11170 -> 0x1170
    data.SetIntEntry(1, 40000);  // 0x9C40 -> -25536
    data.SetIntEntry(65538, 11); // index 0x10002 -> 2
    data.SetIntEntry(2, 12);     // the same entry
    EXPECT_EQ(describeChain(data.Entries()), "1070:0 1070:4464 1070:1 1070:-25536 1070:2 1070:12");
}

// Index items inside a bracketed value belong to the value: only the outer index 1 matches.
TEST_F(AppXdataTest, FindEntryPassesIndicesInsideBrackets) {
    const AcDbObjectId line = lineWithXdata(
        acutBuildList(1001, "APP", 1070, 0, 1002, "{", 1070, 1, 1000, "inner", 1002, "{", 1070, 3,
                      1002, "}", 1002, "}", 1070, 1, 1000, "outer", 1070, 3, 1000, "three", 0));
    CArxComAppXdata data("APP");
    ASSERT_EQ(read(data, line), Acad::eOk);
    std::string text;
    EXPECT_TRUE(data.GetStringEntry(1, text));
    EXPECT_EQ(text, "outer");
    EXPECT_TRUE(data.GetStringEntry(3, text));
    EXPECT_EQ(text, "three");
    EXPECT_FALSE(data.GetStringEntry(0, text)); // its value is the bracketed run
    ASSERT_NE(data.FindEntry(0), nullptr);
    EXPECT_EQ(data.FindEntry(0)->rbnext->restype, 1002);
}

TEST_F(AppXdataTest, ReadFromAnObjectWithoutDataGivesTwentyOneAndNoEntries) {
    const AcDbObjectId line = addLine({0, 0, 0}, {1, 0, 0});
    CArxComAppXdata data("APP");
    data.SetStringEntry(0, "stale");
    EXPECT_EQ(read(data, line), Acad::eIllegalEntityType);
    std::string text;
    AcGePoint3d point;
    EXPECT_FALSE(data.GetStringEntry(0, text));
    EXPECT_FALSE(data.GetPointEntry(0, point));
    EXPECT_EQ(data.Entries(), nullptr);
}

// Data read from one object and written to another keeps one application-name item, and
// writing replaces only this application's data.
TEST_F(AppXdataTest, ReadDataWrittenElsewhereReplacesOnlyThatApplication) {
    const AcDbObjectId source = lineWithXdata(acutBuildList(1001, "APP", 1070, 0, 1000, "v", 0));
    const AcDbObjectId target = lineWithXdata(
        acutBuildList(1001, "APP", 1070, 5, 1000, "old", 1001, "ACAD", 1000, "keep", 0));
    CArxComAppXdata data("APP");
    ASSERT_EQ(read(data, source), Acad::eOk);
    data.SetStringEntry(0, "w");
    ASSERT_EQ(write(data, target), Acad::eOk);
    EXPECT_EQ(xdataOf(target, "APP"), "1001:APP 1070:0 1000:w");
    EXPECT_EQ(xdataOf(target, "ACAD"), "1001:ACAD 1000:keep");
}

TEST(RbListTest, KeepsTheTailThroughAppendAssignAndClear) {
    CArxComRbList list;
    EXPECT_EQ(list.Head(), nullptr);
    resbuf* first = acutNewRb(1070);
    list.Append(first);
    resbuf* second = acutBuildList(1000, "a", 1000, "b", 0);
    list.Append(second); // a chain brings its followers
    EXPECT_EQ(list.Head(), first);
    EXPECT_EQ(list.Tail(), second->rbnext);
    EXPECT_EQ(LastItem(list.Head()), list.Tail());
    resbuf* single = acutNewRb(1070);
    list.Append(single);
    EXPECT_EQ(list.Tail(), single);

    list.Assign(acutBuildList(1000, "x", 0));
    EXPECT_EQ(describeChain(list.Head()), "1000:x");
    EXPECT_EQ(list.Head(), list.Tail());
    list.Clear();
    EXPECT_EQ(list.Head(), nullptr);
    EXPECT_EQ(list.Tail(), nullptr);
    EXPECT_EQ(LastItem(nullptr), nullptr);
}

} // namespace
