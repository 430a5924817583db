// Runs foundation command scripts through the real veld on the sample grid drawing (or another)
// with a fresh profile, and reads the saved drawing back with ezdxf: its foundation groups, its
// block references with their attributes, and whether every number in it is finite.
#pragma once
#include "support/EzdxfGroupDump.h"
#include "support/VeldWorkspace.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace veld::test {

// The sample drawing: grid lines X1..X6 at x = 0, 6000 .. 30000 and Y1..Y5 at y = 0 .. 24000 on
// layer 通り芯, USERR1 100, the foundation layers of the factory defaults.
std::filesystem::path gridDrawing();

struct FoundationRun {
    VeldResult result;
    std::filesystem::path saved;     // the drawing written by --out
    veld::test::EzdxfGroupDump dump; // its groups as ezdxf reads them
};

// A block reference of a saved drawing as ezdxf reads it.
struct InsertSeen {
    std::string block;
    double x = 0, y = 0, z = 0, scale = 0, rotation = 0;
    std::vector<std::pair<std::string, std::string>> attributes; // tag, text in order
};

class FoundationBench {
public:
    VeldWorkspace& workspace() { return ws_; }
    // Runs the script on `drawing` (the grid when not given; none for an empty path) and saves
    // the result as NAME.dxf in the workspace.
    FoundationRun run(const std::string& name, const std::vector<std::string>& lines,
                      std::optional<std::filesystem::path> drawing = std::nullopt);

private:
    VeldWorkspace ws_;
};

// Page actions closed by "ok".
std::vector<std::string> pageOk(std::vector<std::string> actions);
// The lines joined into one script.
std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts);

std::size_t countOf(const std::string& text, const std::string& what);

// The base point a group's members carry (item 1 of FOUND_DELTASHAPE or FOUND_SQUARESHAPE of
// the first member), as "x,y,z" in ezdxf's numbers; "" when none.
std::string basePointOf(const veld::test::EzdxfGroup& group);
// The value of one 1000 item of an application's record (the item after `1070 index`).
std::string recordItem(const veld::test::EzdxfMember& member, const std::string& app, int index);

std::vector<InsertSeen> insertsOf(const std::filesystem::path& dxf);
// No number in the file is infinite or not a number.
bool allNumbersFinite(const std::filesystem::path& dxf);

} // namespace veld::test
