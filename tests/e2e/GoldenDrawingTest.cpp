// The drawings the demo and a bulk pass over a grid write, byte for byte against the SHA-256 sums
// kept in golden_drawings.txt: work on speed or storage must not change a single byte of them.
// After a deliberate change of the output, VELD_UPDATE_GOLDEN=1 rewrites the sums.
#include "support/CommandOutput.h"
#include "support/EzdxfAudit.h"
#include "support/VeldWorkspace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

using namespace veld::test;

namespace {

namespace fs = std::filesystem;

const fs::path kSums = fs::path(VELD_SOURCE_DIR) / "tests" / "e2e" / "golden_drawings.txt";

std::map<std::string, std::string> storedSums() {
    std::map<std::string, std::string> sums;
    std::ifstream in(kSums);
    std::string sum, name;
    while (in >> sum >> name) {
        sums[name] = sum;
    }
    return sums;
}

void storeSum(const std::string& name, const std::string& sum) {
    std::map<std::string, std::string> sums = storedSums();
    sums[name] = sum;
    std::ofstream out(kSums);
    for (const auto& [key, value] : sums) {
        out << value << "  " << key << "\n";
    }
}

std::string sha256Of(const fs::path& file) {
    int exitCode = 0;
    const std::string out =
        veld::test::runCommand("sha256sum " + veld::test::shellQuote(file.string()), exitCode);
    return exitCode == 0 ? out.substr(0, out.find(' ')) : "";
}

void expectGolden(const std::string& name, const fs::path& saved) {
    const std::string sum = sha256Of(saved);
    ASSERT_FALSE(sum.empty()) << "no drawing at " << saved;
    if (std::getenv("VELD_UPDATE_GOLDEN") != nullptr) {
        storeSum(name, sum);
        return;
    }
    EXPECT_EQ(sum, storedSums()[name])
        << name << ": the drawing differs from the one kept (VELD_UPDATE_GOLDEN=1 after a "
        << "deliberate change)";
}

// Lines on the search layer through 0, 3000, ... both ways, and one bulk FNDD window over all
// their crossings, without symbols.
std::vector<std::string> bulkGridScript(int n) {
    std::vector<std::string> lines{"-LAYER", "Make", "通り芯", ""};
    const int far = (n - 1) * 3000;
    for (int k = 0; k < n; ++k) {
        const std::string at = std::to_string(k * 3000);
        const std::string low = "-2000", high = std::to_string(far + 2000);
        lines.insert(lines.end(), {"LINE", at + "," + low, at + "," + high, ""});
        lines.insert(lines.end(), {"LINE", low + "," + at, high + "," + at, ""});
    }
    lines.insert(lines.end(),
                 {"FNDD", "check LABEL_CHECK off", "check STRUCTURE_MARK_CHECK off",
                  "check BULK_CHECK on", "select SERCH_LAYER 通り芯", "ok", "-1500,-1500",
                  std::to_string(far + 1500) + "," + std::to_string(far + 1500), "", "cancel"});
    return lines;
}

} // namespace

TEST(E2eGoldenDrawing, TheDemoWritesTheKeptDrawing) {
    VeldWorkspace ws;
    const fs::path saved = ws.folder() / "demo.dxf";
    const fs::path source(VELD_SOURCE_DIR);
    const VeldResult result =
        ws.run({"run", (source / "support" / "demo" / "demo.veld").string(), "--drawing",
                (source / "support" / "sample" / "grid.dxf").string(), "--out", saved.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    expectGolden("demo.dxf", saved);
}

// A pass that places foundations after 48 others in the drawing, and the same pass taken back
// by U and placed again: the empty groups and undo of the group bookkeeping change nothing.
TEST(E2eGoldenDrawing, BulkPassesOverAGridWriteTheKeptDrawings) {
    VeldWorkspace ws;
    const fs::path saved = ws.folder() / "grid7.dxf";
    std::vector<std::string> script = bulkGridScript(7);
    const VeldResult result =
        ws.run({"run", ws.script("grid7.veld", script).string(), "--out", saved.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    expectGolden("bulk-grid-7.dxf", saved);
    EXPECT_EZDXF_CLEAN(saved.string());

    const std::vector<std::string> pass(script.end() - 10, script.end());
    script.insert(script.end(), pass.begin(), pass.end());
    script.push_back("U");
    script.insert(script.end(), pass.begin(), pass.end());
    const fs::path again = ws.folder() / "grid7-again.dxf";
    const VeldResult second =
        ws.run({"run", ws.script("again.veld", script).string(), "--out", again.string()});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    expectGolden("bulk-grid-7-undone-and-again.dxf", again);
}
