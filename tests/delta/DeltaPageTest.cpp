// The triangular property page run through the dialog framework from scripts: the pile
// calculation and the shift handlers, the check boxes and the search-layer list, opening from
// the defaults files and closing into the settings and the user file.
#include "delta/DeltaPage.h"
#include "settings/FoundationSettings.h"
#include "support/DialogScript.h"
#include "support/FileBytes.h"
#include "support/PageFixture.h"

#include <algorithm>

namespace {

using veld::test::DialogScript;
using Slot = FoundationSlot;
using Page = DeltaPage;

constexpr const char* kPlacementCaption = "三角形基礎配置のプロパティ";
constexpr const char* kChangeCaption = "三角形基礎変更のプロパティ";

class DeltaPageTest : public veld::test::PageFixture {
protected:
    // Shows the page in placement mode (user file, else factory file) with the script.
    INT_PTR run(DialogScript& script) { return runWith(script, placement); }
    INT_PTR runWith(DialogScript& script, FoundationSettings& settings, bool editMode = false) {
        Page page;
        page.editMode = editMode;
        page.settings = &settings;
        return script.run(page);
    }

    // The derived outline of S = 1000, D = 300, c = 100 with the first pile count.
    static void expectFirstEntryOutline(const veld::test::DialogView& view) {
        EXPECT_EQ(view.text(Page::kAuxBottomId), "1588.68");
        EXPECT_EQ(view.text(Page::kBottomId), "1588.68");
        EXPECT_EQ(view.text(Page::kAuxSurfaceId), "288.68");
        EXPECT_EQ(view.text(Page::kSurfaceId), "288.68");
        EXPECT_EQ(view.text(Page::kAuxHeightId), "1625.83");
        EXPECT_EQ(view.text(Page::kHeightId), "1625.84") << "from the two-decimal texts";
        EXPECT_EQ(view.text(Page::kShiftX1Id), "794.34");
        EXPECT_EQ(view.text(Page::kShiftX2Id), "794.34");
        EXPECT_EQ(view.text(Page::kShiftY1Id), "812.92");
        EXPECT_EQ(view.text(Page::kShiftY2Id), "812.92");
    }

    FoundationSettings placement{true};
};

TEST_F(DeltaPageTest, OpensFromTheFactoryFileWithTheOutlineDerivedFromThePiles) {
    DialogScript script({"cancel"});
    EXPECT_EQ(run(script), IDCANCEL);
    const auto& view = script.opened();
    EXPECT_EQ(view.caption, kPlacementCaption);
    EXPECT_EQ(view.at(Page::kPileCountId).entries, (std::vector<std::string>{"3", "6"}));
    EXPECT_EQ(view.at(Page::kPileCountId).selection, 0);
    EXPECT_EQ(view.text(Page::kPileSpanId), "1000");
    expectFirstEntryOutline(view);
    EXPECT_EQ(view.text(Page::kMarkId), "F1");
    EXPECT_EQ(view.text(Page::kFukashi1Id + 5), "50");
    EXPECT_EQ(view.at(Page::kLabelCheckId).check, BST_CHECKED);
    EXPECT_EQ(view.at(Page::kStructureMarkCheckId).check, BST_UNCHECKED);
    EXPECT_EQ(view.at(Page::kBulkCheckId).check, BST_UNCHECKED);
    EXPECT_EQ(view.text(Page::kLookLayerId), "基礎見かけ線");
    EXPECT_EQ(view.text(Page::kOuterLayerId), "基礎外周線");
    EXPECT_EQ(view.text(Page::kDimLayerId), "基礎寸法線");
    EXPECT_EQ(view.text(Page::kSerchLayerId), "通り芯") << "not the longer 通り芯-補助";

    std::vector<std::string> layers = drawingLayers();
    layers.push_back("0");
    std::sort(layers.begin(), layers.end());
    for (int id :
         {Page::kLookLayerId, Page::kOuterLayerId, Page::kDimLayerId, Page::kSerchLayerId}) {
        EXPECT_EQ(view.at(id).entries, layers) << "every layer, sorted, in list " << id;
    }
}

TEST_F(DeltaPageTest, ChoosingAnotherPileCountTakesTwoSpansAndAPile) {
    DialogScript script({"select PILE_NUM 6", "cancel"});
    run(script);
    const auto& view = script.closed();
    EXPECT_EQ(view.text(Page::kAuxBottomId), "2888.68");
    EXPECT_EQ(view.text(Page::kBottomId), "2888.68");
    EXPECT_EQ(view.text(Page::kSurfaceId), "288.68");
    EXPECT_EQ(view.text(Page::kAuxHeightId), "2751.67");
    EXPECT_EQ(view.text(Page::kHeightId), "2751.67");
    EXPECT_EQ(view.text(Page::kShiftX1Id), "1444.34");
    EXPECT_EQ(view.text(Page::kShiftX2Id), "1444.34");
    EXPECT_EQ(view.text(Page::kShiftY1Id), "1375.84");
    EXPECT_EQ(view.text(Page::kShiftY2Id), "1375.84");
}

TEST_F(DeltaPageTest, PileValuesRecalculateTheOutlineWhenTheirFieldIsLeft) {
    DialogScript script({"set PILE_SPAN 1500", "cancel"});
    run(script);
    const auto& view = script.closed();
    EXPECT_EQ(view.text(Page::kBottomId), "2088.68");
    EXPECT_EQ(view.text(Page::kAuxHeightId), "2058.85");
    EXPECT_EQ(view.text(Page::kShiftX1Id), "1044.34");
    EXPECT_EQ(view.text(Page::kShiftY2Id), "1029.43");
}

TEST_F(DeltaPageTest, EachShiftSetsItsPartnerFromTheBaseSideOrTheHeight) {
    DialogScript script({"set SHIFT_X1 600", "set SHIFT_Y2 800", "cancel"});
    run(script);
    const auto& view = script.closed();
    EXPECT_EQ(view.text(Page::kShiftX1Id), "600") << "the field left keeps what was typed";
    EXPECT_EQ(view.text(Page::kShiftX2Id), "988.68");
    EXPECT_EQ(view.text(Page::kShiftY2Id), "800");
    EXPECT_EQ(view.text(Page::kShiftY1Id), "825.84");

    DialogScript other({"set SHIFT_X2 88.68", "set SHIFT_Y1 25.84", "cancel"});
    run(other);
    EXPECT_EQ(other.closed().text(Page::kShiftX1Id), "1500.00");
    EXPECT_EQ(other.closed().text(Page::kShiftY2Id), "1600.00");
}

TEST_F(DeltaPageTest, FacePartChangeKeepsTheHorizontalShiftsAndBaseSideChangeCentresThem) {
    DialogScript script({"set SHIFT_X1 600", "set SURFACE 300", "cancel"});
    run(script);
    auto view = script.closed();
    EXPECT_EQ(view.text(Page::kHeightId), "1635.64");
    EXPECT_EQ(view.text(Page::kShiftY1Id), "817.82");
    EXPECT_EQ(view.text(Page::kShiftY2Id), "817.82");
    EXPECT_EQ(view.text(Page::kShiftX1Id), "600");
    EXPECT_EQ(view.text(Page::kShiftX2Id), "988.68");
    EXPECT_EQ(view.text(Page::kAuxHeightId), "1625.83") << "the auxiliary values stay";

    DialogScript bottom({"set SHIFT_X1 600", "set BOTTOM 2000", "cancel"});
    run(bottom);
    view = bottom.closed();
    EXPECT_EQ(view.text(Page::kHeightId), "1982.06");
    EXPECT_EQ(view.text(Page::kShiftX1Id), "1000.00");
    EXPECT_EQ(view.text(Page::kShiftX2Id), "1000.00");
    EXPECT_EQ(view.text(Page::kShiftY1Id), "991.03");
    EXPECT_EQ(view.text(Page::kAuxBottomId), "1588.68");
}

TEST_F(DeltaPageTest, TextThatIsNoNumberCountsAsZero) {
    DialogScript script({"set PILE_DIAMETER abc", "set OVER", "cancel"});
    run(script);
    const auto& view = script.closed();
    EXPECT_EQ(view.text(Page::kBottomId), "1000.00");
    EXPECT_EQ(view.text(Page::kSurfaceId), "0.00");
    EXPECT_EQ(view.text(Page::kAuxHeightId), "866.03");
}

TEST_F(DeltaPageTest, HandlersLeaveTheCheckBoxesAsTheUserSetThem) {
    DialogScript script({"check LABEL_CHECK off", "check STRUCTURE_MARK_CHECK on",
                         "set PILE_SPAN 1200", "set SHIFT_X1 10", "cancel"});
    run(script);
    EXPECT_EQ(script.closed().at(Page::kLabelCheckId).check, BST_UNCHECKED);
    EXPECT_EQ(script.closed().at(Page::kStructureMarkCheckId).check, BST_CHECKED);
}

TEST_F(DeltaPageTest, SearchLayerListStartsEnabledAndFollowsTheBulkBoxOnceClicked) {
    writeUserFile({"BULK_CHECK=1"});
    DialogScript stored({"cancel"});
    run(stored);
    EXPECT_EQ(stored.opened().at(Page::kBulkCheckId).check, BST_CHECKED);
    EXPECT_TRUE(stored.opened().at(Page::kSerchLayerId).enabled);

    writeUserFile({"BULK_CHECK=0"});
    DialogScript script({"check BULK_CHECK on", "check BULK_CHECK off", "cancel"});
    run(script);
    EXPECT_EQ(script.opened().at(Page::kBulkCheckId).check, BST_UNCHECKED);
    EXPECT_TRUE(script.opened().at(Page::kSerchLayerId).enabled);
    EXPECT_FALSE(script.closed().at(Page::kSerchLayerId).enabled);

    DialogScript again({"check BULK_CHECK on", "cancel"});
    run(again);
    EXPECT_TRUE(again.closed().at(Page::kSerchLayerId).enabled);
}

TEST_F(DeltaPageTest, OkInPlacementModeWritesTheUserFile) {
    DialogScript script(
        {"set PILE_SPAN 1500", "set MARK F7", "check BULK_CHECK on", "select DIM_LAYER A", "ok"});
    EXPECT_EQ(run(script), IDOK);
    FoundationSettings reread{true};
    ASSERT_TRUE(reread.ReadDefaults("DAT", Page::kFoundationKind));
    EXPECT_EQ(reread.GetPileNum(), "3");
    EXPECT_EQ(reread.GetPileNumList(), "3,6");
    EXPECT_EQ(reread.GetPileSpan(), "1500");
    EXPECT_EQ(reread.GetBottom(), "2088.68");
    EXPECT_EQ(reread.GetHeight(), "2058.85");
    EXPECT_EQ(reread.GetShiftY1(), "1029.43");
    EXPECT_EQ(reread.GetMark(), "F7");
    EXPECT_EQ(reread.GetBulkCheck(), "1");
    EXPECT_EQ(reread.GetLabelCheck(), "1");
    EXPECT_EQ(reread.GetStructureMarkCheck(), "0");
    EXPECT_EQ(reread.GetDimLayer(), "A");
    EXPECT_EQ(reread.GetSerchLayer(), "通り芯");
    EXPECT_EQ(reread.GetMarkSize(), "300");
}

TEST_F(DeltaPageTest, OpensFromTheUserFileWhenItIsComplete) {
    writeUserFile({"PILE_NUM=6", "PILE_SPAN=1500", "MARK=F9", "LABEL_CHECK=0"});
    DialogScript script({"cancel"});
    run(script);
    const auto& view = script.opened();
    EXPECT_EQ(view.at(Page::kPileCountId).selection, 1);
    EXPECT_EQ(view.text(Page::kPileSpanId), "1500");
    EXPECT_EQ(view.text(Page::kMarkId), "F9");
    EXPECT_EQ(view.at(Page::kLabelCheckId).check, BST_UNCHECKED);
}

TEST_F(DeltaPageTest, CancelChangesNeitherTheSettingsNorAnyFile) {
    const std::string factory = veld::test::readBytes(factoryFile());
    DialogScript script({"set PILE_SPAN 1500", "set MARK F7", "cancel"});
    EXPECT_EQ(run(script), IDCANCEL);
    EXPECT_EQ(placement.GetPileSpan(), "1000");
    EXPECT_EQ(placement.GetMark(), "F1");
    EXPECT_FALSE(std::filesystem::exists(userFile()));
    EXPECT_EQ(veld::test::readBytes(factoryFile()), factory);
}

TEST_F(DeltaPageTest, StoredLayerMissingFromTheDrawingLeavesTheListUnselectedAndOkStoresNoName) {
    writeUserFile({"LOOK_LAYER=消えたレイヤー"});
    DialogScript script({"ok"});
    run(script);
    EXPECT_EQ(script.opened().at(Page::kLookLayerId).selection, CB_ERR);
    EXPECT_EQ(placement.GetLookLayer(), "");
    EXPECT_EQ(placement.GetOuterLayer(), "基礎外周線");
}

TEST_F(DeltaPageTest, ChangeDialogShowsTheHeldValuesWithTheOutlineFromThePilesAndWritesNoFile) {
    FoundationSettings edited{false};
    ASSERT_TRUE(edited.ReadDefaults("DEF", Page::kFoundationKind));
    edited.SetSlot(Slot::Bottom, "2000"); // typed by hand when it was placed
    edited.SetSlot(Slot::ShiftX1, "100");
    edited.SetSlot(Slot::Mark, "F5");
    const std::string factory = veld::test::readBytes(factoryFile());

    DialogScript script({"set MARK F6", "ok"});
    EXPECT_EQ(runWith(script, edited, true), IDOK);
    EXPECT_EQ(script.opened().caption, kChangeCaption);
    expectFirstEntryOutline(script.opened());
    EXPECT_EQ(script.opened().text(Page::kMarkId), "F5");
    EXPECT_EQ(edited.GetMark(), "F6");
    EXPECT_EQ(edited.GetBottom(), "1588.68");
    EXPECT_EQ(edited.GetShiftX1(), "794.34");
    EXPECT_FALSE(std::filesystem::exists(userFile()));
    EXPECT_EQ(veld::test::readBytes(factoryFile()), factory);
}

TEST_F(DeltaPageTest, NoDefaultsFileIsReportedAndThePageOpensEmpty) {
    std::filesystem::remove(factoryFile());
    DialogScript script({"cancel"});
    run(script);
    EXPECT_NE(script.transcript().find("\n ﾀﾞｲｱﾛｸﾞﾃﾞｰﾀが取得できませんでした"), std::string::npos);
    EXPECT_EQ(script.opened().text(Page::kPileSpanId), "");
    EXPECT_EQ(script.opened().at(Page::kPileCountId).entries.size(), 0u);
    EXPECT_EQ(script.opened().at(Page::kLookLayerId).selection, CB_ERR);
}

} // namespace
