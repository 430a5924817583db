// The page exchange of the settings: each page's table against its template's control keys,
// what filling selects in the lists, which slots taking a page leaves alone, and pages of the
// wrong kind.
#include "arxcom/CArxComLayer.h"
#include "delta/DeltaPage.h"
#include "host/ui/ResourceDirectory.h"
#include "settings/FoundationSettings.h"
#include "square/SquarePage.h"
#include "support/DialogScript.h"
#include "support/PageFixture.h"

#include <set>

namespace {

using veld::test::DialogScript;
using Slot = FoundationSlot;

constexpr int kDelta = FoundationSettings::kKindDelta;
constexpr int kSquare = FoundationSettings::kKindSquare;

template <class Page>
void expectTableMatchesTemplate(std::vector<PageField<Page>> fields, int dialogId) {
    const veld::ui::ResourceDirectory resources(veldModuleResourceTable());
    const auto keys = resources.controlKeys(dialogId);
    std::set<int> slots;
    for (const auto& field : fields) {
        const auto found = keys.find(std::string(field.key()));
        ASSERT_NE(found, keys.end()) << field.key();
        EXPECT_EQ(found->second, field.controlId) << field.key();
        EXPECT_EQ(field.control == PageControl::Check, field.checkState != nullptr) << field.key();
        slots.insert(static_cast<int>(field.slot));
    }
    EXPECT_EQ(slots.size(), keys.size()) << "every keyed control is exchanged, once";
}

TEST(FoundationPageTables, EachPageExchangesEveryKeyedControlOfItsTemplate) {
    std::vector<PageField<DeltaPage>> delta = {DeltaPage::kPileCountField};
    delta.insert(delta.end(), DeltaPage::ValueFields().begin(), DeltaPage::ValueFields().end());
    delta.insert(delta.end(), DeltaPage::StateFields().begin(), DeltaPage::StateFields().end());
    expectTableMatchesTemplate(delta, DeltaPage::IDD);

    const auto square = SquarePage::Fields();
    expectTableMatchesTemplate(std::vector(square.begin(), square.end()), SquarePage::IDD);
}

TEST(FoundationPageKinds, PageOfTheOtherKindIsRefused) {
    FoundationSettings settings{false};
    SquarePage square;
    DeltaPage delta;
    EXPECT_FALSE(settings.LoadFromDat(&square, kDelta));
    EXPECT_FALSE(settings.LoadFromDat(&delta, kSquare));
    EXPECT_FALSE(settings.Save(&square, kDelta));
}

class FoundationPageExchange : public veld::test::PageFixture {
protected:
    // Opens the page in change mode and runs the script (OK at once by default).
    template <class Page> void show(FoundationSettings& settings, DialogScript& script) {
        Page page;
        page.editMode = true;
        page.settings = &settings;
        script.run(page);
    }
    std::vector<std::string> slotsOf(const FoundationSettings& settings) {
        std::vector<std::string> values;
        settings.GetParameterArray(values);
        return values;
    }
    // Every slot holding its own key, so a slot taken from the wrong control shows.
    FoundationSettings markedSettings() {
        FoundationSettings settings{false};
        for (const auto& parameter : FoundationParameterSet::kParameters) {
            settings.SetSlot(parameter.slot, std::string(parameter.key));
        }
        return settings;
    }
};

TEST_F(FoundationPageExchange, SquareTakeChangesOnlyTheSquareSlots) {
    FoundationSettings settings = markedSettings();
    settings.SetSlot(Slot::LookLayer, "基礎見かけ線");
    settings.SetSlot(Slot::LabelCheck, "1");
    const auto before = slotsOf(settings);
    DialogScript script({"ok"});
    show<SquarePage>(settings, script);
    const auto after = slotsOf(settings);
    for (int slot : {15, 16, 22, 23, 24, 25, 26, 27, 28, 29, 32}) {
        EXPECT_EQ(after[slot], before[slot]) << FoundationParameterSet::kParameters[slot].key;
    }
    EXPECT_EQ(settings.GetBaseSizeX(), "BASE_SIZE_X");
    EXPECT_EQ(settings.GetFukashi4(), "FUKASHI4");
    EXPECT_EQ(settings.GetLabelCheck(), "1");
    EXPECT_EQ(settings.GetStructureMarkCheck(), "0") << "a text other than 1 is unchecked";
    EXPECT_EQ(settings.GetLookLayer(), "基礎見かけ線");
    EXPECT_EQ(settings.GetOuterLayer(), "") << "no such layer in the drawing";
}

TEST_F(FoundationPageExchange, DeltaTakeLeavesTheListAndTheSquareSlotsAlone) {
    FoundationSettings settings = markedSettings();
    settings.SetSlot(Slot::PileNumList, "3,6");
    settings.SetSlot(Slot::PileNum, "6");
    DialogScript script({"ok"});
    show<DeltaPage>(settings, script);
    EXPECT_EQ(settings.GetPileNumList(), "3,6");
    EXPECT_EQ(settings.GetBaseSizeX(), "BASE_SIZE_X");
    EXPECT_EQ(settings.GetBaseSizeY(), "BASE_SIZE_Y");
    EXPECT_EQ(settings.GetMarkSize(), "MARK_SIZE");
    EXPECT_EQ(settings.GetPileNum(), "6");
    EXPECT_EQ(settings.GetFukashi6(), "FUKASHI6");
    EXPECT_EQ(settings.GetMark(), "MARK");
    EXPECT_EQ(settings.GetBottom(), "0.00") << "computed from non-numeric pile values";
}

TEST_F(FoundationPageExchange, PileCountIsSelectedByItsWholeTextAndAddedWhenMissing) {
    FoundationSettings settings{false};
    ASSERT_TRUE(settings.ReadDefaults("DEF", kDelta));
    settings.SetSlot(Slot::PileNumList, "1,10,12");
    settings.SetSlot(Slot::PileNum, "1");
    DialogScript script({"ok"});
    show<DeltaPage>(settings, script);
    const auto& pileCount = script.opened().at(DeltaPage::kPileCountId);
    EXPECT_EQ(pileCount.entries, (std::vector<std::string>{"1", "10", "12"}));
    EXPECT_EQ(pileCount.selection, 0) << "not 10, which merely begins with 1";
    EXPECT_EQ(script.opened().text(DeltaPage::kBottomId), "1588.68");

    settings.SetSlot(Slot::PileNum, "8");
    DialogScript missing({"ok"});
    show<DeltaPage>(settings, missing);
    EXPECT_EQ(missing.opened().at(DeltaPage::kPileCountId).entries,
              (std::vector<std::string>{"1", "10", "12", "8"}));
    EXPECT_EQ(missing.opened().at(DeltaPage::kPileCountId).selection, 3);
    EXPECT_EQ(settings.GetPileNum(), "8");
    EXPECT_EQ(settings.GetPileNumList(), "1,10,12") << "the added count is not stored";
}

TEST_F(FoundationPageExchange, LayerIsSelectedByItsWholeNameWithoutRegardToCase) {
    ASSERT_TRUE(CArxComLayer().CreateLayer("0-下書き", 7, true, false, false, "Continuous"));
    FoundationSettings settings{false};
    ASSERT_TRUE(settings.ReadDefaults("DEF", kSquare));
    settings.SetSlot(Slot::LookLayer, "0");
    settings.SetSlot(Slot::OuterLayer, "a");
    settings.SetSlot(Slot::DimLayer, "");
    settings.SetSlot(Slot::SerchLayer, "通り");
    DialogScript script({"ok"});
    show<SquarePage>(settings, script);
    EXPECT_EQ(script.opened().text(SquarePage::kLookLayerId), "0") << "not 0-下書き";
    EXPECT_EQ(script.opened().text(SquarePage::kOuterLayerId), "A");
    EXPECT_EQ(script.opened().at(SquarePage::kDimLayerId).selection, CB_ERR);
    EXPECT_EQ(script.opened().at(SquarePage::kSerchLayerId).selection, CB_ERR);
    EXPECT_EQ(settings.GetOuterLayer(), "A") << "stored as the drawing spells it";
}

} // namespace
