// Drawings from other programs through the real veld: a foundation placed with FNDD, the drawing
// saved, opened again, the foundation changed with FNDE and saved again; ezdxf then finds every
// record the drawing had with every value as before (mirrored entities, thickness, lineweights,
// colours, transparency, arrays, a second layout, complex linetypes) and audits the file clean.
#include "FoundationRun.h"
#include "support/CommandOutput.h"
#include "support/DxfText.h"
#include "support/EzdxfAudit.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iomanip>
#include <sstream>

using namespace veld::test;
namespace fs = std::filesystem;

namespace {

const fs::path kFidelity = fs::path(VELD_SOURCE_DIR) / "tests" / "e2e" / "ezdxf_fidelity.py";
constexpr const char* kDeltaEdit = "Dialog 1020 \"三角形基礎変更のプロパティ\" opened";

std::string fidelity(const std::vector<std::string>& args, int& exitCode) {
    std::string command = "/usr/bin/python3 " + veld::test::shellQuote(kFidelity.string());
    for (const std::string& arg : args) {
        command += " " + veld::test::shellQuote(arg);
    }
    return veld::test::runCommand(command, exitCode);
}

// One answer of the checker per (before, after) pair, in order.
std::vector<std::string> compareAll(const std::vector<std::pair<fs::path, fs::path>>& pairs) {
    std::vector<std::string> args{"compare"};
    for (const auto& [before, after] : pairs) {
        args.push_back(before.string());
        args.push_back(after.string());
    }
    int exitCode = 0;
    std::stringstream answer(fidelity(args, exitCode));
    std::vector<std::string> lines;
    for (std::string line; std::getline(answer, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool keptEverything(const std::string& answer) {
    return answer.find("\"loaded\": true") != std::string::npos &&
           answer.find("\"difference_count\": 0") != std::string::npos &&
           answer.find("\"compared\": 0,") == std::string::npos;
}

std::string point(double x, double y) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(2) << x << "," << y;
    return text.str();
}

// A triangle with the reference settings at (x, y), its symbol down and to the right.
std::vector<std::string> placeAt(double x, double y) {
    return join({{"FNDD"},
                 pageOk({"set MARK F7"}),
                 {point(x, y), point(x + 1500, y - 1500), "", "cancel"}});
}

// A pick on that triangle's bottom look line, the mark changed to F8.
std::vector<std::string> editAt(double x, double y) {
    return join({{"FNDE", point(x + 300, y - 812.92)}, pageOk({"set MARK F8"})});
}

// How many "*D" geometry blocks of dimensions the file holds.
int dimensionBlocks(const fs::path& file) {
    const DxfTags tags = dxfTags(readBytes(file));
    int count = 0;
    for (std::size_t i = 0; i + 1 < tags.size(); ++i) {
        if (tags[i] == DxfTags::value_type{0, "BLOCK"}) {
            const auto name = std::find_if(tags.begin() + static_cast<long>(i) + 1, tags.end(),
                                           [](const auto& tag) { return tag.first == 2; });
            count += name != tags.end() && name->second.rfind("*D", 0) == 0 ? 1 : 0;
        }
    }
    return count;
}

std::string markOf(const FoundationRun& run) {
    if (run.dump.groups.size() != 1 || run.dump.groups.front().members.empty()) {
        return "(" + std::to_string(run.dump.groups.size()) + " groups)";
    }
    return recordItem(run.dump.groups.front().members.front(), "FOUND_DELTADIALOG", 8);
}

} // namespace

TEST(E2eRoundTrip, AnotherProgramsDrawingKeepsEveryValueThroughPlacementAndEdit) {
    FoundationBench bench;
    const fs::path source = bench.workspace().folder() / "other.dxf";
    int exitCode = 0;
    const std::string built = fidelity({"build", source.string()}, exitCode);
    ASSERT_EQ(exitCode, 0) << built;

    // The grid's crossing at 0,0 is drawn with plain lines; the mirrored entities lie elsewhere.
    const FoundationRun placed = bench.run("placed", placeAt(0, 0), source);
    ASSERT_EQ(placed.result.exitCode, 0) << placed.result.err;
    EXPECT_EQ(markOf(placed), "F7");
    const FoundationRun edited = bench.run("edited", editAt(0, 0), placed.saved);
    ASSERT_EQ(edited.result.exitCode, 0) << edited.result.err;
    EXPECT_NE(edited.result.out.find(kDeltaEdit), std::string::npos) << edited.result.out;
    EXPECT_EQ(markOf(edited), "F8");
    EXPECT_GT(dimensionBlocks(placed.saved), 0);
    EXPECT_EQ(dimensionBlocks(edited.saved), dimensionBlocks(placed.saved))
        << "the blocks of the dimensions FNDE erased are not saved again";
    const FoundationRun undone = bench.run("undone", join({editAt(0, 0), {"U"}}), placed.saved);
    ASSERT_EQ(undone.result.exitCode, 0) << undone.result.err;
    EXPECT_EQ(markOf(undone), "F7");
    EXPECT_EQ(dimensionBlocks(undone.saved), dimensionBlocks(placed.saved))
        << "undone, the old dimensions keep their blocks";

    const auto answers = compareAll({{source, placed.saved}, {source, edited.saved}});
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_TRUE(keptEverything(answers[0])) << "after FNDD: " << answers[0];
    EXPECT_TRUE(keptEverything(answers[1])) << "after FNDE: " << answers[1];
    EXPECT_EZDXF_CLEAN(placed.saved.string());
    EXPECT_EZDXF_CLEAN(edited.saved.string());
    EXPECT_EZDXF_CLEAN(undone.saved.string());
}

// The corpus in three shards (by position), each well inside a test's time limit.
class E2eCorpusRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(E2eCorpusRoundTrip, AFoundationPlacedAndEditedLeavesEverythingElseAsAPlainSaveDoes) {
    const fs::path tools = fs::path(VELD_SHARED_DIR) / "tools";
    const fs::path corpus = fs::path(VELD_SHARED_DIR) / "corpus" / "dxf";
    if (!fs::is_directory(corpus) || !fs::is_regular_file(tools / "dxf_roundtrip_compare.py")) {
        GTEST_SKIP() << "no corpus at " << corpus;
    }
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        if (entry.path().extension() == ".dxf") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    // Far from what the drawings hold, so that the pick finds the foundation.
    constexpr double kX = 7654321.0, kY = 1234567.0;
    VeldWorkspace ws;
    const fs::path place = ws.script("place.veld", placeAt(kX, kY));
    const fs::path edit = ws.script("edit.veld", editAt(kX, kY));
    const fs::path empty = ws.script("empty.veld", {});
    std::vector<std::string> args{"corpus", tools.string()};
    std::vector<std::string> names, saved;
    for (std::size_t i = static_cast<std::size_t>(GetParam()); i < files.size(); i += 3) {
        const fs::path& file = files[i];
        const std::string name = file.stem().string();
        const fs::path plain = ws.folder() / (name + "-plain.dxf");
        const fs::path placed = ws.folder() / (name + "-placed.dxf");
        const fs::path edited = ws.folder() / (name + "-edited.dxf");
        const VeldResult opened =
            ws.run({"run", empty.string(), "--drawing", file.string(), "--out", plain.string()});
        if (name == "recover01") {
            EXPECT_NE(opened.exitCode, 0) << "the damaged file is refused";
            continue;
        }
        SCOPED_TRACE(name);
        ASSERT_EQ(opened.exitCode, 0) << opened.err;
        const VeldResult p =
            ws.run({"run", place.string(), "--drawing", file.string(), "--out", placed.string()});
        ASSERT_EQ(p.exitCode, 0) << p.err << p.out;
        const VeldResult e =
            ws.run({"run", edit.string(), "--drawing", placed.string(), "--out", edited.string()});
        ASSERT_EQ(e.exitCode, 0) << e.err << e.out;
        EXPECT_NE(e.out.find(kDeltaEdit), std::string::npos) << e.out;
        EXPECT_NE(e.out.find("closed with OK"), std::string::npos) << e.out;
        names.push_back(name);
        saved.push_back(edited.string());
        args.insert(args.end(), {file.string(), plain.string(), file.string(), edited.string()});
    }
    EXPECT_GE(names.size(), 7u) << "every shard has drawings";
    int exitCode = 0;
    std::stringstream answer(fidelity(args, exitCode));
    for (const std::string& name : names) {
        std::string plain, edited;
        std::getline(answer, plain);
        std::getline(answer, edited);
        EXPECT_NE(plain.find("\"status\": \"compared\""), std::string::npos) << name << plain;
        EXPECT_EQ(edited, plain) << name << ": what the foundation's save lost beyond a plain save";
        EXPECT_NE(edited.find("\"entities_lost\": 0}"), std::string::npos) << name << edited;
    }
    const auto reports = veld::test::runEzdxfChecks(saved, true);
    for (std::size_t i = 0; i < reports.size(); ++i) {
        EXPECT_TRUE(reports[i].loaded) << names[i] << reports[i].json;
    }
}

INSTANTIATE_TEST_SUITE_P(Shards, E2eCorpusRoundTrip, ::testing::Values(0, 1, 2));
