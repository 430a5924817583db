// The foundation defaults files: factory and user file, the user file's creation and in-place
// updates, failures that must leave files whole, and the parameter array of the records.
#include "settings/FoundationSettings.h"
#include "SettingsFixture.h"

#include <span>
#include <sys/stat.h>

namespace {

using veld::test::readBytes;
using veld::test::writeBytes;
using Slot = FoundationSlot;

constexpr int kDelta = FoundationSettings::kKindDelta;
constexpr int kSquare = FoundationSettings::kKindSquare;

// The header of a new user file, written out byte for byte (Shift-JIS, CR LF).
const std::string kHeader = ";; File:        VELDOR-FOUNDATION.DAT\r\n"
                            ";; Description: "
                            "\x8E\x7B\x8D\x48\x90\x7D\x81\x40\x8A\xEE\x91\x62\x81\x40"
                            "\x83\x66\x81\x5B\x83\x5E\x83\x74\x83\x40\x83\x43\x83\x8B\r\n"
                            ";; Notice:\r\n";

class Defaults : public veld::test::SettingsFixture {
protected:
    FoundationSettings settings{true};

    // The keys of a section as a file this program writes them, with the slots' values.
    std::string sectionText(std::string_view name, std::span<const FoundationSlot> slots) {
        std::string text = "[" + std::string(name) + "]\r\n";
        for (FoundationSlot slot : slots) {
            text += std::string(FoundationParameterSet::key(slot)) + "=" +
                    veld::test::sjis(settings.GetSlot(slot)) + "\r\n";
        }
        return text;
    }
};

TEST_F(Defaults, FactoryFileIsCompleteForBothKinds) {
    ASSERT_TRUE(settings.ReadDefaults("DEF", kDelta));
    ASSERT_TRUE(settings.ReadDefaults("DEF", kSquare));
    std::vector<std::string> values;
    settings.GetParameterArray(values);
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_FALSE(values[i].empty()) << FoundationParameterSet::kParameters[i].key;
    }
    EXPECT_EQ(settings.GetPileNumList(), "3,6");
    EXPECT_EQ(settings.GetLookLayer(), "基礎見かけ線");
    EXPECT_EQ(settings.GetSerchLayer(), "通り芯");
    EXPECT_EQ(settings.GetMarkSize(), "300");
}

TEST_F(Defaults, FreshProfileHasNoUserFileSoThePageFallsBackToTheFactoryFile) {
    EXPECT_FALSE(settings.LoadFromDat(nullptr, kDelta));
    EXPECT_TRUE(settings.LoadFromDef(nullptr, kDelta));
    EXPECT_EQ(settings.GetPileSpan(), "1000");
    EXPECT_EQ(settings.GetBaseSizeX(), "") << "the triangle does not read the square's sizes";
    EXPECT_EQ(veld::test::printed(), "");
}

TEST_F(Defaults, MissingFactoryFileIsReportedAndThePageIsNotFilled) {
    std::filesystem::remove(factoryFile());
    EXPECT_FALSE(settings.LoadFromDef(nullptr, kSquare));
    EXPECT_EQ(veld::test::printed(), "\n ﾀﾞｲｱﾛｸﾞﾃﾞｰﾀが取得できませんでした");
}

TEST_F(Defaults, NewUserFileStartsWithTheHeaderThenTheKindSavedThenOthers) {
    ASSERT_TRUE(settings.ReadDefaults("DEF", kSquare));
    ASSERT_TRUE(settings.Save(nullptr, kSquare));
    const std::string expected =
        kHeader + sectionText("FOUNDATION_SQUARE", FoundationParameterSet::kSquareSection) +
        sectionText("OTHERS", FoundationParameterSet::kOthersSection);
    EXPECT_EQ(readBytes(userFile()), expected);

    FoundationSettings reread{true};
    EXPECT_TRUE(reread.LoadFromDat(nullptr, kSquare));
    EXPECT_EQ(reread.GetLookLayer(), "基礎見かけ線");
    EXPECT_FALSE(reread.LoadFromDat(nullptr, kDelta)) << "no triangle section yet";
}

TEST_F(Defaults, SavingTheSquareKeepsTheTriangleSectionAndReplacesSquareKeysInPlace) {
    ASSERT_TRUE(settings.ReadDefaults("DEF", kDelta));
    ASSERT_TRUE(settings.ReadDefaults("DEF", kSquare));
    ASSERT_TRUE(settings.WriteDefaults(kDelta));
    ASSERT_TRUE(settings.WriteDefaults(kSquare));
    const std::string before = readBytes(userFile());
    const std::string deltaSection =
        sectionText("FOUNDATION_DELTA", FoundationParameterSet::kDeltaSection);
    ASSERT_NE(before.find(deltaSection), std::string::npos);

    settings.SetSlot(Slot::BaseSizeX, "2000");
    settings.SetSlot(Slot::Mark, "F2");
    settings.SetSlot(Slot::ShiftX1, "1000");
    ASSERT_TRUE(settings.Save(nullptr, kSquare));
    std::string expected = before;
    const std::size_t square = expected.find("[FOUNDATION_SQUARE]");
    for (auto [from, to] :
         {std::pair{"BASE_SIZE_X=1500", "BASE_SIZE_X=2000"}, std::pair{"MARK=F1", "MARK=F2"},
          std::pair{"SHIFT_X1=750", "SHIFT_X1=1000"}}) {
        const std::size_t at = expected.find(from, square);
        ASSERT_NE(at, std::string::npos) << from;
        expected.replace(at, std::string(from).size(), to);
    }
    EXPECT_EQ(readBytes(userFile()), expected);
    EXPECT_EQ(readBytes(userFile()).find(deltaSection), before.find(deltaSection));
}

TEST_F(Defaults, UserFileWithAnEmptyMarkFallsBackWhollyToTheFactoryFile) {
    ASSERT_TRUE(settings.ReadDefaults("DEF", kDelta));
    settings.SetSlot(Slot::Mark, "");
    settings.SetSlot(Slot::PileSpan, "2222");
    ASSERT_TRUE(settings.Save(nullptr, kDelta));
    EXPECT_NE(readBytes(userFile()).find("\r\nMARK=\r\n"), std::string::npos);

    FoundationSettings next{true};
    EXPECT_FALSE(next.LoadFromDat(nullptr, kDelta));
    EXPECT_TRUE(next.LoadFromDef(nullptr, kDelta));
    EXPECT_EQ(next.GetMark(), "F1");
    EXPECT_EQ(next.GetPileSpan(), "1000");
}

TEST_F(Defaults, UserFileWithoutMarkSizeFailsAsAWhole) {
    ASSERT_TRUE(settings.ReadDefaults("DEF", kDelta));
    ASSERT_TRUE(settings.WriteDefaults(kDelta));
    ASSERT_TRUE(WritePrivateProfileStringA("OTHERS", "MARK_SIZE", nullptr, userFile().c_str()));
    FoundationSettings next{true};
    EXPECT_FALSE(next.ReadDefaults("DAT", kDelta));
    EXPECT_EQ(next.GetPileSpan(), "1000") << "earlier keys were read";
    EXPECT_EQ(next.GetMarkSize(), "");
}

TEST_F(Defaults, FailedReadEmptiesItsSlotAndKeepsTheLaterOnes) {
    writeBytes(userFile(), "[FOUNDATION_DELTA]\r\nPILE_NUM=6\r\nPILE_NUM_LIST=\r\n");
    settings.SetSlot(Slot::PileNum, "3");
    settings.SetSlot(Slot::PileNumList, "3,6");
    settings.SetSlot(Slot::PileSpan, "900");
    EXPECT_FALSE(settings.ReadDefaults("DAT", kDelta));
    EXPECT_EQ(settings.GetPileNum(), "6");
    EXPECT_EQ(settings.GetPileNumList(), "");
    EXPECT_EQ(settings.GetPileSpan(), "900");
}

TEST_F(Defaults, MissingDatFolderMakesSavingFailAndCreatesNothing) {
    std::filesystem::remove_all(profile + "/DAT");
    ASSERT_TRUE(settings.ReadDefaults("DEF", kDelta));
    EXPECT_FALSE(settings.Save(nullptr, kDelta));
    EXPECT_FALSE(veld::test::exists(profile + "/DAT"));
}

TEST_F(Defaults, WriteProtectedOrFailedReplacementLeavesTheUserFileWhole) {
    ASSERT_TRUE(settings.ReadDefaults("DEF", kDelta));
    ASSERT_TRUE(settings.WriteDefaults(kDelta));
    const std::string saved = readBytes(userFile());
    settings.SetSlot(Slot::Mark, "F7");

    veld::files::setBeforeRenameHookForTesting([](const std::string&) { return false; });
    EXPECT_FALSE(settings.WriteDefaults(kDelta));
    EXPECT_EQ(readBytes(userFile()), saved);
    veld::files::setBeforeRenameHookForTesting(nullptr);

    ::chmod(userFile().c_str(), 0444);
    EXPECT_FALSE(settings.WriteDefaults(kDelta));
    EXPECT_EQ(readBytes(userFile()), saved);
    EXPECT_EQ(veld::test::entryCount(profile + "/DAT"), 2); // README and the user file only
}

TEST_F(Defaults, WithoutFilesThePageUsesTheSlotsHeldAndNothingIsWritten) {
    FoundationSettings edit{false};
    edit.SetSlot(Slot::Mark, "F9");
    EXPECT_TRUE(edit.LoadFromDat(nullptr, kSquare));
    EXPECT_TRUE(edit.Save(nullptr, kSquare));
    EXPECT_EQ(edit.GetMark(), "F9");
    EXPECT_FALSE(veld::test::exists(userFile()));
}

TEST_F(Defaults, PathsAreBuiltFromProgAndTheFileNameEntry) {
    const std::string prog = std::filesystem::absolute(profile).lexically_normal().string();
    EXPECT_EQ(settings.GetDefaultsFilePath("DEF"), prog + "\\DEF\\VELDOR-FOUNDATION.DEF");
    EXPECT_EQ(settings.GetDefaultsFilePath("DAT"), prog + "\\DAT\\VELDOR-FOUNDATION.DAT");
    EXPECT_EQ(settings.GetDefaultsFilePath("other"), prog + "\\DAT\\VELDOR-FOUNDATION.DAT");
}

TEST(ParameterArray, GivesAndTakesTheSlotsInSlotOrder) {
    FoundationSettings settings;
    std::vector<std::string> values;
    for (int i = 0; i < FoundationParameterSet::kCount; ++i) {
        values.push_back("v" + std::to_string(i));
    }
    settings.SetParameterArray(values);
    EXPECT_EQ(settings.GetShiftX1(), "v0");
    EXPECT_EQ(settings.GetRotateAngle(), "v7");
    EXPECT_EQ(settings.GetSerchLayer(), "v21");
    EXPECT_EQ(settings.GetMarkSize(), "v32");
    std::vector<std::string> out{"before"};
    settings.GetParameterArray(out);
    ASSERT_EQ(out.size(), 34u);
    EXPECT_EQ(std::vector<std::string>(out.begin() + 1, out.end()), values);

    // A short record (an old or damaged drawing) leaves the slots it does not reach.
    settings.SetParameterArray({"a", "b"});
    EXPECT_EQ(settings.GetShiftX1(), "a");
    EXPECT_EQ(settings.GetShiftY1(), "v2");
    EXPECT_EQ(settings.GetMarkSize(), "v32");

    FoundationSettings copy = settings;
    EXPECT_EQ(copy.GetShiftX2(), "b");
    EXPECT_FALSE(copy.useFile);
}

TEST(PileNumList, SplitsAtEveryCommaAndKeepsEmptyEntries) {
    using List = std::vector<std::string>;
    EXPECT_EQ(FoundationSettings::SplitPileNumList("4,6,8"), (List{"4", "6", "8"}));
    EXPECT_EQ(FoundationSettings::SplitPileNumList(""), (List{""}));
    EXPECT_EQ(FoundationSettings::SplitPileNumList("3,,6,"), (List{"3", "", "6", ""}));
    // ソ and 表 end in 0x5C in Shift-JIS; no byte of a character is taken for a separator.
    EXPECT_EQ(FoundationSettings::SplitPileNumList("ソ,表,３本"), (List{"ソ", "表", "３本"}));
}

} // namespace
