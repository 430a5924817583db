// The square property page run through the dialog framework from scripts: the shift
// recalculations, the search-layer list, opening with the stored texts and closing into the
// settings and the user file.
#include "square/SquarePage.h"
#include "settings/FoundationSettings.h"
#include "support/DialogScript.h"
#include "support/FileBytes.h"
#include "support/PageFixture.h"

namespace {

using veld::test::DialogScript;
using Slot = FoundationSlot;
using Page = SquarePage;

class SquarePageTest : public veld::test::PageFixture {
protected:
    INT_PTR run(DialogScript& script) { return runWith(script, placement); }
    INT_PTR runWith(DialogScript& script, FoundationSettings& settings, bool editMode = false) {
        Page page;
        page.editMode = editMode;
        page.settings = &settings;
        return script.run(page);
    }

    FoundationSettings placement{true};
};

TEST_F(SquarePageTest, OpensWithTheStoredTextsAndTheFocusOnOk) {
    writeUserFile({"SHIFT_X1=700", "SHIFT_X2=1", "STRUCTURE_MARK_CHECK=1"});
    DialogScript script({"cancel"});
    EXPECT_EQ(run(script), IDCANCEL);
    const auto& view = script.opened();
    EXPECT_EQ(view.caption, "四角形基礎配置のプロパティ");
    EXPECT_EQ(view.focus, IDOK);
    EXPECT_EQ(view.text(Page::kSizeXId), "1500");
    EXPECT_EQ(view.text(Page::kShiftX1Id), "700") << "no recalculation on opening";
    EXPECT_EQ(view.text(Page::kShiftX2Id), "1");
    EXPECT_EQ(view.text(Page::kShiftY1Id), "750");
    EXPECT_EQ(view.text(Page::kFukashi1Id + 3), "50");
    EXPECT_EQ(view.at(Page::kLabelCheckId).check, BST_CHECKED);
    EXPECT_EQ(view.at(Page::kStructureMarkCheckId).check, BST_CHECKED);
    EXPECT_EQ(view.text(Page::kLookLayerId), "基礎見かけ線");
    EXPECT_EQ(view.text(Page::kSerchLayerId), "通り芯");
    EXPECT_EQ(view.at(Page::kDimLayerId).entries.size(), drawingLayers().size() + 1);
}

TEST_F(SquarePageTest, SizesHalveIntoTheShiftsAndEachShiftSetsItsPartner) {
    DialogScript halves({"set BASE_SIZE_X 1500", "set BASE_SIZE_Y 900", "cancel"});
    run(halves);
    EXPECT_EQ(halves.closed().text(Page::kShiftX1Id), "750.00");
    EXPECT_EQ(halves.closed().text(Page::kShiftX2Id), "750.00");
    EXPECT_EQ(halves.closed().text(Page::kShiftY1Id), "450.00");
    EXPECT_EQ(halves.closed().text(Page::kShiftY2Id), "450.00");

    DialogScript script({"set BASE_SIZE_X 1500", "set SHIFT_X1 500", "set BASE_SIZE_Y 900",
                         "set SHIFT_Y2 200", "cancel"});
    run(script);
    const auto& view = script.closed();
    EXPECT_EQ(view.text(Page::kSizeXId), "1500");
    EXPECT_EQ(view.text(Page::kShiftX1Id), "500") << "the field left keeps what was typed";
    EXPECT_EQ(view.text(Page::kShiftX2Id), "1000.00");
    EXPECT_EQ(view.text(Page::kShiftY1Id), "700.00");
    EXPECT_EQ(view.text(Page::kShiftY2Id), "200");

    DialogScript empty({"set BASE_SIZE_Y", "set SHIFT_Y1 100", "cancel"});
    run(empty);
    EXPECT_EQ(empty.closed().text(Page::kShiftY2Id), "-100.00") << "no size counts as 0";
}

TEST_F(SquarePageTest, LeavingAFieldUnchangedStillRewritesItsPartner) {
    DialogScript script({"leave SHIFT_X1", "leave SHIFT_Y2", "cancel"});
    run(script);
    const auto& view = script.closed();
    EXPECT_EQ(view.text(Page::kShiftX1Id), "750");
    EXPECT_EQ(view.text(Page::kShiftX2Id), "750.00");
    EXPECT_EQ(view.text(Page::kShiftY1Id), "750.00");
    EXPECT_EQ(view.text(Page::kShiftY2Id), "750");

    DialogScript sizes({"set SHIFT_X2 123", "leave BASE_SIZE_X", "cancel"});
    run(sizes);
    EXPECT_EQ(sizes.closed().text(Page::kShiftX1Id), "750.00");
    EXPECT_EQ(sizes.closed().text(Page::kShiftX2Id), "750.00");
}

TEST_F(SquarePageTest, SearchLayerListStartsEnabledAndFollowsTheBulkBoxOnceClicked) {
    DialogScript script({"check LABEL_CHECK off", "check BULK_CHECK on", "set BASE_SIZE_X 10",
                         "check BULK_CHECK off", "cancel"});
    run(script);
    EXPECT_TRUE(script.opened().at(Page::kSerchLayerId).enabled);
    EXPECT_FALSE(script.closed().at(Page::kSerchLayerId).enabled);
    EXPECT_EQ(script.closed().at(Page::kLabelCheckId).check, BST_UNCHECKED)
        << "a recalculation keeps the boxes";

    writeUserFile({"BULK_CHECK=1"});
    DialogScript stored({"check BULK_CHECK off", "check BULK_CHECK on", "cancel"});
    run(stored);
    EXPECT_EQ(stored.opened().at(Page::kBulkCheckId).check, BST_CHECKED);
    EXPECT_TRUE(stored.opened().at(Page::kSerchLayerId).enabled);
    EXPECT_TRUE(stored.closed().at(Page::kSerchLayerId).enabled);
}

TEST_F(SquarePageTest, OkInPlacementModeWritesTheUserFileAndKeepsTheTriangleSection) {
    writeUserFile({"PILE_SPAN=1700"});
    DialogScript script({"set BASE_SIZE_X 2000", "set MARK FS1", "check BULK_CHECK on",
                         "select SERCH_LAYER 通り芯-補助", "ok"});
    EXPECT_EQ(run(script), IDOK);
    FoundationSettings reread{true};
    ASSERT_TRUE(reread.ReadDefaults("DAT", Page::kFoundationKind));
    EXPECT_EQ(reread.GetBaseSizeX(), "2000");
    EXPECT_EQ(reread.GetShiftX1(), "1000.00");
    EXPECT_EQ(reread.GetShiftY1(), "750");
    EXPECT_EQ(reread.GetMark(), "FS1");
    EXPECT_EQ(reread.GetBulkCheck(), "1");
    EXPECT_EQ(reread.GetSerchLayer(), "通り芯-補助");
    ASSERT_TRUE(reread.ReadDefaults("DAT", 0));
    EXPECT_EQ(reread.GetPileSpan(), "1700");
}

TEST_F(SquarePageTest, ShownAgainThePageOpensWithWhatItSaved) {
    Page page;
    page.settings = &placement;
    DialogScript first({"set BASE_SIZE_X 2000", "check STRUCTURE_MARK_CHECK on", "ok"});
    ASSERT_EQ(first.run(page), IDOK);
    DialogScript second({"cancel"});
    EXPECT_EQ(second.run(page), IDCANCEL);
    const auto& view = second.opened();
    EXPECT_EQ(view.text(Page::kSizeXId), "2000");
    EXPECT_EQ(view.text(Page::kShiftX2Id), "1000.00");
    EXPECT_EQ(view.at(Page::kStructureMarkCheckId).check, BST_CHECKED);
    EXPECT_EQ(view.at(Page::kLookLayerId).entries, first.opened().at(Page::kLookLayerId).entries);
}

TEST_F(SquarePageTest, StoredLayerMissingFromTheDrawingLeavesTheListUnselectedAndOkStoresNoName) {
    writeUserFile({"OUTER_LAYER=外周"});
    DialogScript script({"ok"});
    run(script);
    EXPECT_EQ(script.opened().at(Page::kOuterLayerId).selection, CB_ERR);
    EXPECT_EQ(placement.GetOuterLayer(), "");
    EXPECT_EQ(placement.GetLookLayer(), "基礎見かけ線");
}

TEST_F(SquarePageTest, ChangeDialogWritesNoFile) {
    FoundationSettings edited{false};
    ASSERT_TRUE(edited.ReadDefaults("DEF", Page::kFoundationKind));
    edited.SetSlot(Slot::BaseSizeX, "1800");
    const std::string factory = veld::test::readBytes(factoryFile());

    DialogScript script({"set SHIFT_X1 600", "ok"});
    EXPECT_EQ(runWith(script, edited, true), IDOK);
    EXPECT_EQ(script.opened().caption, "四角形基礎変更のプロパティ");
    EXPECT_EQ(script.opened().text(Page::kSizeXId), "1800");
    EXPECT_EQ(edited.GetShiftX2(), "1200.00");
    EXPECT_FALSE(std::filesystem::exists(userFile()));
    EXPECT_EQ(veld::test::readBytes(factoryFile()), factory);
}

} // namespace
