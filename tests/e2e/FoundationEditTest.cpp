// FNDE through the real veld: a pick on any member opens the foundation's page in edit mode with
// its stored values; OK erases and redraws it in one undo group (one U brings the old one back
// exactly), the symbol keeps its place or goes to the default point; picks that name no single
// foundation, Cancel, the defaults file, and a drawing saved and opened again.
#include "FoundationRun.h"
#include "support/EzdxfAudit.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace veld::test;
namespace fs = std::filesystem;

namespace {

constexpr const char* kDeltaEdit = "Dialog 1020 \"三角形基礎変更のプロパティ\" opened";
constexpr const char* kSquareEdit = "Dialog 1021 \"四角形基礎変更のプロパティ\" opened";
constexpr const char* kNone = "基礎が選択されていません";

// A triangle at 0,0 (MARK F7) with its symbol at 1500,-1500, and a square at 6000,0 (MARK S2)
// without a label. Picks: (300,-812.92) on the triangle's bottom look line, (-600,-1862.92) on a
// dimension of it, (1500,-1500) its symbol, (6300,-750) the square's bottom look line.
std::vector<std::string> twoFoundations() {
    return join({{"FNDD"},
                 pageOk({"set MARK F7"}),
                 {"0,0", "1500,-1500", "", "cancel", "FNSD"},
                 pageOk({"set MARK S2", "check LABEL_CHECK off"}),
                 {"6000,0", "", "cancel"}});
}

std::vector<std::string> edit(const std::string& pick, std::vector<std::string> actions) {
    return join({{"FNDE", pick}, actions});
}

const veld::test::EzdxfGroup* groupAt(const FoundationRun& run, const std::string& base) {
    for (const auto& group : run.dump.groups) {
        if (basePointOf(group) == base) {
            return &group;
        }
    }
    return nullptr;
}

std::string dialogItem(const veld::test::EzdxfGroup& group, const char* app, int index) {
    return recordItem(group.members.front(), app, index);
}

// The groups with their members, points and records, handles included.
std::string fullDump(const FoundationRun& run) {
    std::string text;
    for (const auto& group : run.dump.groups) {
        text += "GROUP " + group.handle + "\n";
        for (const auto& m : group.members) {
            text += m.handle + " " + m.type + " " + m.layer;
            for (const auto& p : m.points) {
                text += " " + std::to_string(p.x) + "," + std::to_string(p.y);
            }
            for (const auto& [code, value] : m.xdata) {
                text += " " + std::to_string(code) + ":" + value;
            }
            text += "\n";
        }
    }
    return text;
}

} // namespace

TEST(E2eFoundationEdit, APickOnAnyMemberOpensItsKindsPageInEditModeWithTheStoredValues) {
    FoundationBench bench;
    const auto cancel = std::vector<std::string>{"cancel"};
    const FoundationRun run = bench.run(
        "pick", join({twoFoundations(), edit("300,-812.92", cancel), edit("-600,-1862.92", cancel),
                      edit("1500,-1500", cancel), edit("6300,-750", cancel)}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    const std::string& out = run.result.out;
    EXPECT_EQ(countOf(out, kDeltaEdit), 3u) << out;
    EXPECT_EQ(countOf(out, kSquareEdit), 1u);
    const std::size_t square = out.find(kSquareEdit);
    EXPECT_NE(out.find("MARK 符号 / 基礎符号 = \"S2\"", square), std::string::npos);
    EXPECT_NE(out.find("MARK 符号 / 基礎符号 = \"F7\"", out.find(kDeltaEdit)), std::string::npos);
    EXPECT_EQ(countOf(out, "_undo"), 0u) << "Cancel sends no undo marks";

    const FoundationRun untouched = bench.run("untouched", twoFoundations());
    ASSERT_EQ(run.dump.groups.size(), 2u);
    EXPECT_EQ(fullDump(run), fullDump(untouched)) << "Cancel changes nothing";
}

TEST(E2eFoundationEdit, OkRedrawsInPlaceInOneUndoGroupAndOneUndoBringsTheOldFoundationBack) {
    FoundationBench bench;
    const fs::path before = bench.workspace().folder() / "before.dxf";
    const fs::path edited = bench.workspace().folder() / "edited.dxf";
    const FoundationRun run = bench.run(
        "redraw", join({twoFoundations(),
                        {"SAVE", before.string()},
                        edit("300,-812.92", pageOk({"set ROATE_ANGLE 90", "set MARK F8"})),
                        {"SAVE", edited.string(), "U"}}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    const std::string& out = run.result.out;
    const std::size_t begin = out.find("Command: _undo\n");
    const std::size_t insert = out.find("Command: -INSERT", begin);
    const std::size_t end = out.find("[BEgin/End/Mark/Back] <1>: e\n", insert);
    EXPECT_NE(begin, std::string::npos) << out;
    EXPECT_NE(insert, std::string::npos);
    EXPECT_NE(end, std::string::npos);
    EXPECT_EQ(countOf(out, "Command: _undo"), 2u) << "one group: begin and end";

    const auto dumpOf = [&](const fs::path& path) {
        FoundationRun read;
        read.saved = path;
        read.dump = veld::test::dumpGroupsWithEzdxf(path.string());
        return read;
    };
    const FoundationRun changed = dumpOf(edited);
    const auto* triangle = groupAt(changed, "0.0,0.0,0.0");
    ASSERT_NE(triangle, nullptr);
    EXPECT_EQ(dialogItem(*triangle, "FOUND_DELTADIALOG", 8), "F8");
    EXPECT_EQ(dialogItem(*triangle, "FOUND_DELTADIALOG", 7), "90");
    EXPECT_EQ(changed.dump.groups.size(), 2u);
    const auto symbols = insertsOf(edited);
    ASSERT_EQ(symbols.size(), 1u) << "the old symbol is gone, the new one in its place";
    EXPECT_EQ(symbols[0].x, 1500.0);
    EXPECT_EQ(symbols[0].y, -1500.0);
    EXPECT_EQ(symbols[0].attributes.front().second, "F8");
    EXPECT_EZDXF_CLEAN(edited.string());

    ASSERT_EQ(run.dump.groups.size(), 2u);
    EXPECT_EQ(fullDump(run), fullDump(dumpOf(before))) << "U gives the old foundation back";
    EXPECT_EQ(insertsOf(run.saved).size(), 1u);
}

TEST(E2eFoundationEdit, PicksThatNameNoSingleFoundationChangeNothing) {
    FoundationBench bench;
    const FoundationRun run = bench.run("nothing", join({twoFoundations(),
                                                         {"FNDE", "-3000,-3000", "9000,3000"},
                                                         {"FNDE", ""},
                                                         {"FNDE", "3000,0"}}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    const std::string& out = run.result.out;
    const std::size_t window = out.find("Specify opposite corner: 9000,3000");
    ASSERT_NE(window, std::string::npos) << out;
    const std::size_t several = out.find("\n複数の変更はできません\n", window);
    EXPECT_LT(several, out.find("Message box: 複数の変更はできません [OK]", window));

    const std::size_t empty = out.find("Select objects: \n", window);
    ASSERT_NE(empty, std::string::npos) << out;
    const std::size_t noObject = out.find("ｵﾌﾞｼﾞｪｸﾄが選択されていません", empty);
    const std::size_t box = out.find(std::string("Message box: ") + kNone, empty);
    const std::size_t line = out.find(std::string("\n") + kNone + "\n", box);
    EXPECT_LT(noObject, box);
    EXPECT_LT(box, line);
    EXPECT_NE(line, std::string::npos);

    const std::size_t grid = out.find("Select objects: 3000,0");
    ASSERT_NE(grid, std::string::npos);
    EXPECT_NE(out.find(std::string("Message box: ") + kNone, grid), std::string::npos)
        << "a grid line belongs to no foundation";
    EXPECT_EQ(countOf(out, "変更のプロパティ"), 0u);
    EXPECT_EQ(run.dump.groups.size(), 2u);
}

TEST(E2eFoundationEdit, ALabelGivenToAFoundationWithoutOneGoesToItsDefaultPoint) {
    FoundationBench bench;
    const FoundationRun run =
        bench.run("label", join({twoFoundations(),
                                 {"FNDD"},
                                 pageOk({"check LABEL_CHECK off"}),
                                 {"12000,0", "", "cancel"},
                                 edit("6300,-750", pageOk({"check LABEL_CHECK on"})),
                                 edit("12300,-812.92", pageOk({"check LABEL_CHECK on"}))}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    const auto symbols = insertsOf(run.saved);
    ASSERT_EQ(symbols.size(), 3u) << run.result.out;
    // The square: SHIFT_X2 750 and SHIFT_Y1 750 beyond its body; the triangle: HEIGHT / 2 + 500
    // to the right and down.
    EXPECT_NEAR(symbols[1].x, 6000 + 750 + 500, 1e-9);
    EXPECT_NEAR(symbols[1].y, -(750 + 500), 1e-9);
    EXPECT_NEAR(symbols[2].x, 12000 + 1625.84 / 2 + 500, 1e-9);
    EXPECT_NEAR(symbols[2].y, -(1625.84 / 2 + 500), 1e-9);
    const auto* square = groupAt(run, "6000.0,0.0,0.0");
    ASSERT_NE(square, nullptr);
    EXPECT_EQ(recordItem(square->members.front(), "FOUND_SQUARESHAPE", 2), "7250.0,-1250.0,0.0");
}

TEST(E2eFoundationEdit, TheDefaultsFileIsNotTouched) {
    FoundationBench bench;
    const FoundationRun setup = bench.run("setup", twoFoundations());
    const fs::path defaults = bench.workspace().profile() / "DAT" / "VELDOR-FOUNDATION.DAT";
    const std::string bytes = readBytes(defaults);
    ASSERT_FALSE(bytes.empty());
    const FoundationRun run =
        bench.run("edit",
                  join({edit("300,-812.92", pageOk({"set MARK ZZ", "set PILE_SPAN 2000"})),
                        edit("6300,-750", pageOk({"set BASE_SIZE_X 3000"})),
                        edit("6300,-750", {"set MARK QQ", "cancel"})}),
                  setup.saved);
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    EXPECT_EQ(countOf(run.result.out, "変更のプロパティ\" opened"), 3u) << run.result.out;
    EXPECT_EQ(readBytes(defaults), bytes);
}

TEST(E2eFoundationEdit, ADrawingSavedAndOpenedAgainStillHasEveryFoundationToChange) {
    FoundationBench bench;
    const FoundationRun setup = bench.run("setup", twoFoundations());
    const FoundationRun run = bench.run("reopened",
                                        join({edit("300,-812.92", pageOk({"set MARK T9"})),
                                              edit("6300,-750", pageOk({"set MARK S9"}))}),
                                        setup.saved);
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    ASSERT_EQ(run.dump.groups.size(), 2u) << run.result.out;
    const auto* triangle = groupAt(run, "0.0,0.0,0.0");
    const auto* square = groupAt(run, "6000.0,0.0,0.0");
    ASSERT_NE(triangle, nullptr);
    ASSERT_NE(square, nullptr);
    EXPECT_EQ(dialogItem(*triangle, "FOUND_DELTADIALOG", 8), "T9");
    EXPECT_EQ(dialogItem(*square, "FOUND_SQUAREDIALOG", 8), "S9");
    EXPECT_EZDXF_CLEAN(run.saved.string());
}
