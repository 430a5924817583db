// Writing and reading the parameter records of both foundation kinds: round trips, the wrong
// kind, rewriting, short records, long values and a member that cannot take its record.
#include "delta/DeltaShape.h"
#include "square/SquareShape.h"

#include "dbents.h"
#include "dbsymtb.h"
#include "support/FoundationDrawingFixture.h"

#include <cstring>

namespace {

using veld::test::FoundationDrawingFixture;

// The raw items of one application on an entity, 1001 item included.
std::vector<std::pair<int, std::string>> rawItems(AcDbObjectId id, const char* app) {
    std::vector<std::pair<int, std::string>> items;
    AcDbObject* object = nullptr;
    if (acdbOpenObject(object, id, AcDb::kForRead) != Acad::eOk) {
        return items;
    }
    resbuf* chain = object->xData(app);
    object->close();
    for (const resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) {
        std::string value;
        if (rb->restype == 1070) {
            value = std::to_string(rb->resval.rint);
        } else if (rb->restype == 1010) {
            value = std::to_string(rb->resval.rpoint[0]) + "," +
                    std::to_string(rb->resval.rpoint[1]) + "," +
                    std::to_string(rb->resval.rpoint[2]);
        } else if (rb->resval.rstring != nullptr) {
            value = rb->resval.rstring;
        }
        items.emplace_back(rb->restype, value);
    }
    acutRelRb(chain);
    return items;
}

std::vector<std::string> slotsOf(const FoundationSettings& settings) {
    std::vector<std::string> values;
    settings.GetParameterArray(values);
    return values;
}

// Settings whose every slot reads "old": what a read must leave alone.
FoundationSettings oldSettings() {
    FoundationSettings settings;
    settings.SetParameterArray(std::vector<std::string>(FoundationParameterSet::kCount, "old"));
    return settings;
}

class FoundationRecords : public FoundationDrawingFixture {
protected:
    // A drawn foundation of either kind with its records written; the group id.
    template <class Shape>
    AcDbObjectId placeWithRecords(const FoundationSettings& settings, const char* typeText) {
        Shape shape;
        shape.basePoint = AcGePoint3d(1000, 2000, 0);
        const AcDbObjectId group = shape.draw(settings);
        shape.symbolPoint = AcGePoint3d(2500, 1000, 0);
        EXPECT_EQ(shape.writeRecords(group, settings, typeText), Acad::eOk);
        return group;
    }

    static FoundationSettings recordedSettings(const FoundationSettings& base) {
        FoundationSettings settings = base;
        settings.SetSlot(FoundationSlot::Mark, "");
        settings.SetSlot(FoundationSlot::SerchLayer, "通り芯 ｶﾅ");
        settings.SetSlot(FoundationSlot::RotateAngle, "0");
        return settings;
    }
};

TEST_F(FoundationRecords, BothKindsReadBackWhatWasWritten) {
    const FoundationSettings delta = recordedSettings(deltaSettings());
    const FoundationSettings square = recordedSettings(squareSettings());
    const AcDbObjectId deltaGroup = placeWithRecords<DeltaShape>(delta, "三角基礎");
    const AcDbObjectId squareGroup = placeWithRecords<SquareShape>(square, "四角基礎");

    for (const AcDbObjectId& member : groupMembers(deltaGroup)) {
        DeltaShape shape;
        FoundationSettings read = oldSettings();
        ASSERT_EQ(shape.readRecords(member, "三角基礎", read), Acad::eOk);
        EXPECT_EQ(slotsOf(read), slotsOf(delta));
        EXPECT_EQ(shape.basePoint, AcGePoint3d(1000, 2000, 0));
        EXPECT_EQ(shape.symbolPoint, AcGePoint3d(2500, 1000, 0));
    }
    const AcDbObjectId squareMember = groupMembers(squareGroup)[0];
    SquareShape shape;
    FoundationSettings read = oldSettings();
    ASSERT_EQ(shape.readRecords(squareMember, "四角基礎", read), Acad::eOk);
    EXPECT_EQ(slotsOf(read), slotsOf(square));
    EXPECT_EQ(read.GetMark(), "");
    EXPECT_EQ(shape.symbolPoint, AcGePoint3d(2500, 1000, 0));
    EXPECT_EQ(rawItems(squareMember, "FOUND_SQUAREDIALOG")[18],
              (std::pair<int, std::string>{1000, ""}));
    EXPECT_EQ(printed(), "");
}

// A member of the other kind, or an entity of no foundation: 21, no message, nothing changed.
TEST_F(FoundationRecords, OtherKindsAreRefusedWithoutChangingAnything) {
    const AcDbObjectId deltaMember =
        groupMembers(placeWithRecords<DeltaShape>(deltaSettings(), "三角基礎"))[0];
    const AcDbObjectId squareMember =
        groupMembers(placeWithRecords<SquareShape>(squareSettings(), "四角基礎"))[0];
    AcDbObjectId plain;
    {
        AcDbLine* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
        AcDbBlockTableRecord* space = nullptr;
        ASSERT_EQ(acdbOpenObject(space, database()->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        ASSERT_EQ(space->appendAcDbEntity(plain, line), Acad::eOk);
        line->close();
        space->close();
    }
    clearPrinted();
    SquareShape square;
    square.basePoint = AcGePoint3d(7, 8, 9);
    FoundationSettings settings = oldSettings();
    EXPECT_EQ(square.readRecords(deltaMember, "四角基礎", settings), Acad::eIllegalEntityType);
    EXPECT_EQ(square.readRecords(plain, "四角基礎", settings), Acad::eIllegalEntityType);
    DeltaShape delta;
    EXPECT_EQ(delta.readRecords(squareMember, "三角基礎", settings), Acad::eIllegalEntityType);
    EXPECT_EQ(slotsOf(settings), slotsOf(oldSettings()));
    EXPECT_EQ(square.basePoint, AcGePoint3d(7, 8, 9));
    EXPECT_EQ(square.symbolPoint, AcGePoint3d(0, 0, 0));
    EXPECT_EQ(printed(), "");
}

TEST_F(FoundationRecords, WritingAgainReplacesEachRecordWithoutDuplicates) {
    FoundationSettings settings = deltaSettings();
    const AcDbObjectId group = placeWithRecords<DeltaShape>(settings, "三角基礎");
    settings.SetSlot(FoundationSlot::Mark, "F2");
    DeltaShape again;
    again.basePoint = AcGePoint3d(1, 2, 0);
    EXPECT_EQ(again.writeRecords(group, settings, "三角基礎"), Acad::eOk);
    for (const AcDbObjectId& member : groupMembers(group)) {
        const auto dialog = rawItems(member, "FOUND_DELTADIALOG");
        ASSERT_EQ(dialog.size(), 67u);
        EXPECT_EQ(dialog[18].second, "F2");
        const auto shape = rawItems(member, "FOUND_DELTASHAPE");
        ASSERT_EQ(shape.size(), 7u);
        EXPECT_EQ(shape[4].second, "1.000000,2.000000,0.000000");
        EXPECT_EQ(shape[6].second, "0.000000,0.000000,0.000000") << "no symbol placed";
        EXPECT_EQ(rawItems(member, "OBJECT_TYPE").size(), 3u);
    }
}

// A dialog record with fewer items than slots fills the slots it has; the others keep their
// values. An entity tagged as a foundation without a dialog record is reported.
TEST_F(FoundationRecords, ShortOrMissingDialogRecords) {
    const AcDbObjectIdArray members =
        groupMembers(placeWithRecords<DeltaShape>(deltaSettings(), "三角基礎"));
    {
        resbuf* chain = acutBuildList(1001, "FOUND_DELTADIALOG", 1070, 0, 1000, "new0", 1070, 1,
                                      1000, "new1", 1070, 3, 1000, "new3", 0);
        AcDbObject* object = nullptr;
        ASSERT_EQ(acdbOpenObject(object, members[0], AcDb::kForWrite), Acad::eOk);
        EXPECT_EQ(object->setXData(chain), Acad::eOk);
        object->close();
        acutRelRb(chain);
    }
    DeltaShape shape;
    FoundationSettings settings = oldSettings();
    ASSERT_EQ(shape.readRecords(members[0], "三角基礎", settings), Acad::eOk);
    std::vector<std::string> expected(FoundationParameterSet::kCount, "old");
    expected[0] = "new0";
    expected[1] = "new1"; // item 3 follows a gap and is not taken
    EXPECT_EQ(slotsOf(settings), expected);

    {
        resbuf* removal = acutBuildList(1001, "FOUND_DELTADIALOG", 0);
        AcDbObject* object = nullptr;
        ASSERT_EQ(acdbOpenObject(object, members[1], AcDb::kForWrite), Acad::eOk);
        EXPECT_EQ(object->setXData(removal), Acad::eOk);
        object->close();
        acutRelRb(removal);
    }
    clearPrinted();
    settings = oldSettings();
    EXPECT_EQ(shape.readRecords(members[1], "三角基礎", settings), Acad::eIllegalEntityType);
    EXPECT_EQ(printed(), "\nダイアログデータの取得ができませんでした");
    EXPECT_EQ(slotsOf(settings), slotsOf(oldSettings()));
}

// A value longer than an extended-data string can hold is cut to 255 bytes at a character
// boundary instead of making the host refuse the whole record.
TEST_F(FoundationRecords, OverlongValuesAreCutAtACharacterBoundary) {
    FoundationSettings settings = squareSettings();
    std::string list = "1";
    while (list.size() < 400) {
        list += ",杭";
    }
    settings.SetSlot(FoundationSlot::PileNumList, list);
    const AcDbObjectId group = placeWithRecords<SquareShape>(settings, "四角基礎");
    const auto items = rawItems(groupMembers(group)[0], "FOUND_SQUAREDIALOG");
    ASSERT_EQ(items.size(), 67u);
    const std::string stored = items[2 * 23 + 2].second;
    // "1" and 63 times ",杭" make 253 bytes; the next comma fits, the next 杭 (3 bytes) not.
    EXPECT_EQ(stored.size(), 254u);
    EXPECT_EQ(list.compare(0, stored.size(), stored), 0);
}

// The first member whose dialog record cannot be stored ends the write with a message; members
// before it keep their records, those after it get none.
TEST_F(FoundationRecords, AMemberThatCannotBeWrittenStopsTheWrite) {
    DeltaShape shape;
    const AcDbObjectId group = shape.draw(deltaSettings());
    const AcDbObjectIdArray members = groupMembers(group);
    AcDbObject* held = nullptr;
    ASSERT_EQ(acdbOpenObject(held, members[3], AcDb::kForRead), Acad::eOk);
    clearPrinted();
    EXPECT_NE(shape.writeRecords(group, deltaSettings(), "三角基礎"), Acad::eOk);
    held->close();
    EXPECT_EQ(printed(), "\nダイアログデータの設定ができませんでした");
    EXPECT_EQ(rawItems(members[2], "FOUND_DELTADIALOG").size(), 67u);
    EXPECT_EQ(rawItems(members[2], "FOUND_DELTASHAPE").size(), 7u);
    EXPECT_TRUE(rawItems(members[3], "FOUND_DELTADIALOG").empty());
    EXPECT_TRUE(rawItems(members[4], "FOUND_DELTADIALOG").empty());
}

} // namespace
