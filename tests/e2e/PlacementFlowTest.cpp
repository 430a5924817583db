// FNDD and FNSD through the real veld: the page loop, single placement passes, their undo
// groups (a declined symbol or label position withdraws the whole pass), CMDECHO and OSMODE,
// and values no foundation can be drawn with.
#include "FoundationRun.h"
#include "support/EzdxfAudit.h"

#include <gtest/gtest.h>

using namespace veld::test;

namespace {

constexpr const char* kInsertionPrompt = "挿入基点を指示(RETURN=終了):";
constexpr const char* kSymbolPrompt = "符号の位置を指示(RETURN=終了):";
constexpr const char* kLabelPrompt = "ラベルの位置を指示(RETURN=終了):";
constexpr const char* kDeltaOpened = "Dialog 1020 \"三角形基礎配置のプロパティ\" opened";
constexpr const char* kSquareOpened = "Dialog 1021 \"四角形基礎配置のプロパティ\" opened";

std::vector<std::string> showVariable(const char* name) {
    return {name, ""};
}

} // namespace

TEST(E2ePlacementFlow, CancelAtOnceDrawsNothingAndGivesTheCommandEchoBack) {
    FoundationBench bench;
    const FoundationRun run = bench.run("cancel", join({{"FNDD", "cancel"},
                                                        showVariable("CMDECHO"),
                                                        {"CMDECHO", "0"},
                                                        {"FNSD", "cancel"},
                                                        showVariable("CMDECHO")}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    EXPECT_NE(run.result.out.find("Enter new value for CMDECHO <1>: \n"), std::string::npos);
    EXPECT_NE(run.result.out.find("Enter new value for CMDECHO <0>: \n"), std::string::npos);
    EXPECT_EQ(countOf(run.result.out, kInsertionPrompt), 0u);
    ASSERT_TRUE(run.dump.loaded) << run.dump.error;
    EXPECT_TRUE(run.dump.groups.empty());
}

TEST(E2ePlacementFlow, ReturnOrEscapeAtTheFirstPointShowsThePageAgainWithTheValuesJustConfirmed) {
    FoundationBench bench;
    const FoundationRun run =
        bench.run("return", join({{"FNDD"},
                                  pageOk({"set MARK F9", "check LABEL_CHECK off"}),
                                  {""},
                                  pageOk({"set MARK F8"}),
                                  {"^C", "cancel"}}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    const std::string& out = run.result.out;
    const std::size_t firstPrompt = out.find(std::string(kInsertionPrompt) + "\n");
    ASSERT_NE(firstPrompt, std::string::npos) << out;
    const std::size_t reopened = out.find(kDeltaOpened, firstPrompt);
    ASSERT_NE(reopened, std::string::npos) << out;
    EXPECT_EQ(out.find("MARK 符号 / 基礎符号 = \"F9\"", reopened),
              out.find("MARK 符号 / 基礎符号", reopened))
        << "the page shows the MARK confirmed before the pass";
    EXPECT_EQ(countOf(out, kDeltaOpened), 3u) << "ESC ends the pass like RETURN";
    EXPECT_TRUE(run.dump.groups.empty());
}

TEST(E2ePlacementFlow, ADeclinedSymbolTakesBackTheWholePassButNotTheOneBefore) {
    FoundationBench bench;
    const FoundationRun run =
        bench.run("withdrawn", join({{"FNDD"},
                                     pageOk({"check LABEL_CHECK off"}),
                                     {"0,0", ""},
                                     pageOk({"check LABEL_CHECK on"}),
                                     {"6000,0", "6500,-1500", "12000,0", "12500,-1500", "18000,0",
                                      "18500,-1500", "24000,0", ""},
                                     {"cancel"}}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    EXPECT_EQ(countOf(run.result.out, kSymbolPrompt), 4u);
    EXPECT_EQ(countOf(run.result.out, kDeltaOpened), 3u) << "the page comes back after the pass";
    ASSERT_TRUE(run.dump.loaded) << run.dump.error;
    ASSERT_EQ(run.dump.groups.size(), 1u) << "the three placed and the fourth go in one step";
    EXPECT_EQ(basePointOf(run.dump.groups[0]), "0.0,0.0,0.0");
    EXPECT_TRUE(insertsOf(run.saved).empty()) << "the three symbols went with their pass";
    EXPECT_EZDXF_CLEAN(run.saved.string());
}

TEST(E2ePlacementFlow, SinglePlacementLeavesIntersectionSnapOnAndBulkPlacementLeavesOsmodeAlone) {
    FoundationBench bench;
    const FoundationRun run =
        bench.run("osmode", join({showVariable("OSMODE"),
                                  {"FNDD"},
                                  pageOk({"check LABEL_CHECK off"}),
                                  {"0,0", ""},
                                  {"cancel"},
                                  showVariable("OSMODE"),
                                  {"OSMODE", "7", "FNSD"},
                                  pageOk({"check LABEL_CHECK off", "check BULK_CHECK on"}),
                                  {"-1000,-1000", "1000,1000", "", "cancel"},
                                  showVariable("OSMODE")}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    const std::string& out = run.result.out;
    const std::size_t before = out.find("Enter new value for OSMODE <4133>: ");
    const std::size_t afterSingle = out.find("Enter new value for OSMODE <32>: ");
    const std::size_t afterBulk = out.find("Enter new value for OSMODE <7>: \n");
    EXPECT_NE(before, std::string::npos) << out;
    EXPECT_GT(afterSingle, before);
    EXPECT_NE(afterBulk, std::string::npos) << out;
    EXPECT_EQ(run.dump.groups.size(), 2u);
}

TEST(E2ePlacementFlow, TheSquareWithdrawsAPassOnADeclinedLabelAndALaterEmptyPassUndoesNothing) {
    FoundationBench bench;
    const FoundationRun run = bench.run("square", join({{"FNSD"},
                                                        pageOk({"set MARK S1"}),
                                                        {"0,0", "1500,-1500", ""},
                                                        pageOk({}),
                                                        {"6000,0", ""},
                                                        pageOk({}),
                                                        {"", "cancel"}}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    EXPECT_EQ(countOf(run.result.out, kSquareOpened), 4u);
    EXPECT_EQ(countOf(run.result.out, kLabelPrompt), 2u);
    ASSERT_TRUE(run.dump.loaded) << run.dump.error;
    ASSERT_EQ(run.dump.groups.size(), 1u);
    EXPECT_EQ(basePointOf(run.dump.groups[0]), "0.0,0.0,0.0");
    const auto inserts = insertsOf(run.saved);
    ASSERT_EQ(inserts.size(), 1u);
    EXPECT_EQ(inserts[0].x, 1500.0);
    EXPECT_EQ(inserts[0].y, -1500.0);
    EXPECT_EQ(inserts[0].attributes.front(),
              std::make_pair(std::string("MARK"), std::string("S1")));
}

namespace {

// One pass of a placement at 0,0 with page actions: drawn (then RETURN ends the pass) or refused
// (the pass ends by itself).
struct BadPass {
    std::vector<std::string> actions;
    bool drawn;
};

// The page keeps what the pass before confirmed: each pass starts from the factory values of the
// fields the passes change.
const std::vector<std::string> kDeltaBaseline = {"set PILE_SPAN 1000", "set PILE_DIAMETER 300",
                                                 "set OVER 100", "set FUKASHI1 50",
                                                 "set ROATE_ANGLE 0"};
const std::vector<std::string> kSquareBaseline = {"set BASE_SIZE_X 1500", "set BASE_SIZE_Y 1500",
                                                  "set FUKASHI2 50", "set SHIFT_Y1 750"};

std::vector<std::string> passes(const std::vector<BadPass>& list,
                                const std::vector<std::string>& baseline) {
    std::vector<std::string> lines;
    for (const BadPass& pass : list) {
        auto page = pageOk(join({{"check LABEL_CHECK off"}, baseline, pass.actions}));
        lines = join({lines,
                      page,
                      {"0,0"},
                      pass.drawn ? std::vector<std::string>{""} : std::vector<std::string>{}});
    }
    return lines;
}

} // namespace

// Texts that are no number, empty sizes, face parts of 0 or less, values too large for any
// drawing, a rotation beyond a double, points far out: whatever is drawn has finite coordinates,
// and what cannot be drawn is refused with its message.
TEST(E2ePlacementFlow, ValuesNoFoundationCanBeDrawnWithNeverReachTheDrawing) {
    FoundationBench bench;
    const std::vector<BadPass> triangles = {
        {{"set PILE_SPAN abc", "set SURFACE -5"}, true},
        {{"set SURFACE 0"}, true},
        {{"set BOTTOM \"\"", "set SURFACE \"\""}, false},
        {{"set PILE_DIAMETER 1e300"}, false},
        {{"set FUKASHI1 1e308", "set ROATE_ANGLE 1e400"}, false},
        {{"set SHIFT_X1 -1e200", "set ROATE_ANGLE nan"}, false},
    };
    const std::vector<BadPass> squares = {
        {{"set BASE_SIZE_X abc"}, false},   {{"set BASE_SIZE_Y -100"}, false},
        {{"set BASE_SIZE_X 1e300"}, false}, {{"set FUKASHI2 -1e300"}, false},
        {{"set SHIFT_Y1 1e299"}, false},
    };
    const auto lines = join({{"FNDD"},
                             passes(triangles, kDeltaBaseline),
                             pageOk(kDeltaBaseline),
                             {"1e308,-1e308", "^C"},
                             pageOk(join({{"check LABEL_CHECK on"}, kDeltaBaseline})),
                             {"0,0", "1e300,1e300", "", "cancel", "FNSD"},
                             passes(squares, kSquareBaseline),
                             {"cancel"}});
    const FoundationRun run = bench.run("bad", lines);
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    ASSERT_TRUE(run.dump.loaded) << run.dump.error;
    // The far points (1e308 and 1e300) are refused where they are typed, so neither is placed.
    EXPECT_EQ(run.dump.groups.size(), 2u) << run.result.out;
    EXPECT_EQ(countOf(run.result.out, "\n基礎の寸法が不正なため作図できません"), 9u);
    EXPECT_EQ(countOf(run.result.out, "\nInvalid point."), 2u);
    EXPECT_NE(run.result.out.find("1e308,-1e308\nInvalid point."), std::string::npos)
        << "a point beyond the drawing's range is refused where it is typed";
    EXPECT_TRUE(insertsOf(run.saved).empty());
    EXPECT_TRUE(allNumbersFinite(run.saved));
    EXPECT_EZDXF_CLEAN(run.saved.string());
}

// ATTREQ 0 is a common setting: the symbol still gets its four attribute values (a mark "U" is
// not run as a command and takes nothing back), ATTREQ is 0 again afterwards, and the height of
// the symbol point is kept.
TEST(E2ePlacementFlow, TheSymbolGetsItsAttributesAndHeightWhateverAttreqSays) {
    FoundationBench bench;
    const FoundationRun run = bench.run("attreq", join({{"ATTREQ", "0", "FNDD"},
                                                        pageOk({"set MARK U"}),
                                                        {"0,0", "500,-1500,250", ""},
                                                        {"cancel"},
                                                        showVariable("ATTREQ")}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    const std::string& out = run.result.out;
    EXPECT_EQ(out.find("Unknown command"), std::string::npos) << out;
    EXPECT_NE(out.find("Enter new value for ATTREQ <0>: \n"), std::string::npos) << out;
    ASSERT_TRUE(run.dump.loaded) << run.dump.error;
    EXPECT_EQ(run.dump.groups.size(), 1u);
    const std::vector<InsertSeen> inserts = insertsOf(run.saved);
    ASSERT_EQ(inserts.size(), 1u) << out;
    EXPECT_DOUBLE_EQ(inserts[0].z, 250.0);
    ASSERT_EQ(inserts[0].attributes.size(), 4u);
    EXPECT_EQ(inserts[0].attributes[0].second, "U");
    EXPECT_EZDXF_CLEAN(run.saved.string());
}
