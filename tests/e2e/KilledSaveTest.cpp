// veld killed with SIGKILL at random moments while it saves a large drawing: the drawing on disk
// is always the previous or the new one, whole, and the next start removes what a kill left.
#include "host/dxf/DrawingFile.h"
#include "support/VeldWorkspace.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <random>
#include <thread>

using veld::test::VeldWorkspace;

namespace {

namespace fs = std::filesystem;

int leftoverCount(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        count += entry.path().filename().string().find(".veld-save-") != std::string::npos;
    }
    return count;
}

fs::path largeDrawing(VeldWorkspace& ws) {
    std::vector<std::string> lines;
    for (int i = 0; i < 20000; ++i) {
        const std::string x = std::to_string(i);
        lines.insert(lines.end(), {"LINE", x + ",0", x + ",100", ""});
    }
    const fs::path drawing = ws.folder() / "large.dxf";
    EXPECT_EQ(ws.run({"run", ws.script("large.veld", lines).string(), "--out", drawing.string()})
                  .exitCode,
              0);
    return drawing;
}

} // namespace

TEST(E2eKilledSave, KillsDuringSavesNeverDamageTheDrawingOrLeaveFilesBehind) {
    VeldWorkspace ws;
    const fs::path source = largeDrawing(ws);
    const fs::path target = ws.folder() / "target.dxf";
    const std::vector<std::string> args{"run",       ws.script("empty.veld", {}).string(),
                                        "--drawing", source.string(),
                                        "--out",     target.string()};
    const auto begin = std::chrono::steady_clock::now();
    ASSERT_EQ(ws.run(args).exitCode, 0);
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - begin);
    const auto size = fs::file_size(target);

    std::mt19937 random(20261209);
    // Mostly in the second half of a run, where the save is.
    std::uniform_int_distribution<long> moment(whole.count() / 3, whole.count() * 11 / 10);
    int killedWhileSaving = 0;
    for (int run = 0; run < 50; ++run) {
        const pid_t pid = ws.start(args);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ::kill(pid, SIGKILL);
        ws.finish(pid);
        killedWhileSaving += leftoverCount(ws.folder()) > 0;
        ASSERT_EQ(fs::file_size(target), size) << "run " << run;
        std::string error;
        ASSERT_NE(veld::dxf::openDrawing(target.string(), error), nullptr)
            << "run " << run << ": " << error;
    }
    std::cout << killedWhileSaving << " of 50 runs were killed while saving\n";
    ASSERT_EQ(ws.run(args).exitCode, 0);
    EXPECT_EQ(leftoverCount(ws.folder()), 0);
}
