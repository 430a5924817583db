// What --out, --svg and SAVE may overwrite and what veld may open: read-only drawings, links,
// FIFOs and devices, kept permissions, one name for two files, DWG names, and the profile.
#include "support/EzdxfAudit.h"
#include "support/VeldWorkspace.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using veld::test::readBytes;
using veld::test::VeldWorkspace;

namespace {

struct stat statOf(const std::filesystem::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(E2eSavingSafely, AReadOnlyDrawingAndItsBackupAreLeftAlone) {
    VeldWorkspace ws;
    auto out = ws.folder() / "plan.dxf";
    auto draw = ws.script("draw.veld", {"LINE", "0,0", "1,1", ""});
    ASSERT_EQ(ws.run({"run", draw.string(), "--out", out.string()}).exitCode, 0);
    ASSERT_EQ(ws.run({"run", draw.string(), "--out", out.string()}).exitCode, 0);
    const std::string drawing = readBytes(out), backup = readBytes(out.string() + ".bak");
    ::chmod(out.c_str(), 0444);
    auto r = ws.run({"run", draw.string(), "--out", out.string()});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_TRUE(contains(r.err, "the file is read-only")) << r.err;
    auto save = ws.script("save.veld", {"LINE", "0,0", "2,2", "", "SAVE", out.string()});
    r = ws.run({"run", save.string()});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_TRUE(contains(r.out, "the file is read-only")) << r.out;
    EXPECT_EQ(readBytes(out), drawing);
    EXPECT_EQ(readBytes(out.string() + ".bak"), backup);
}

TEST(E2eSavingSafely, OutputsFollowLinksAndNeverReplaceFifosOrDevices) {
    VeldWorkspace ws;
    auto draw = ws.script("draw.veld", {"LINE", "0,0", "1,1", ""});
    auto real = ws.folder() / "real.dxf";
    auto link = ws.folder() / "link.dxf";
    std::filesystem::create_symlink(real, link);
    auto r = ws.run({"run", draw.string(), "--out", link.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(S_ISLNK(statOf(link).st_mode));
    EXPECT_EZDXF_CLEAN(real.string());

    auto fifo = ws.folder() / "pipe.svg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    r = ws.run({"run", draw.string(), "--svg", fifo.string()});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));
    auto null = ws.folder() / "null.dxf";
    std::filesystem::create_symlink("/dev/null", null);
    auto save = ws.script("save.veld", {"SAVE", null.string()});
    EXPECT_EQ(ws.run({"run", save.string()}).exitCode, 4);
    EXPECT_TRUE(S_ISLNK(statOf(null).st_mode));
    EXPECT_TRUE(S_ISCHR(statOf("/dev/null").st_mode));
}

TEST(E2eSavingSafely, SavingKeepsThePermissionsOfThePreviousFile) {
    VeldWorkspace ws;
    auto out = ws.folder() / "private.dxf";
    auto draw = ws.script("draw.veld", {"LINE", "0,0", "1,1", ""});
    ASSERT_EQ(ws.run({"run", draw.string(), "--out", out.string()}).exitCode, 0);
    ::chmod(out.c_str(), 0600);
    ASSERT_EQ(ws.run({"run", draw.string(), "--out", out.string()}).exitCode, 0);
    EXPECT_EQ(statOf(out).st_mode & 07777, 0600u);
}

TEST(E2eSavingSafely, OneFileCannotBeTwoOutputsOrAnOutputAndAnInput) {
    VeldWorkspace ws;
    auto draw = ws.script("draw.veld", {"LINE", "0,0", "1,1", ""});
    auto x = (ws.folder() / "x.dxf").string();
    auto r = ws.run({"run", draw.string(), "--out", x, "--svg", x});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(contains(r.err, "--svg and --out are the same file")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(x));
    ASSERT_EQ(ws.run({"run", draw.string(), "--out", x}).exitCode, 0);
    const std::string drawing = readBytes(x);
    EXPECT_EQ(ws.run({"run", draw.string(), "--drawing", x, "--svg", x}).exitCode, 2);
    EXPECT_EQ(ws.run({"run", draw.string(), "--out", draw.string()}).exitCode, 2);
    EXPECT_EQ(ws.run({"run", draw.string(), "--svg", (ws.folder() / "." / "draw.veld").string()})
                  .exitCode,
              2);
    EXPECT_EQ(readBytes(x), drawing);
    EXPECT_EQ(readBytes(draw), "LINE\n0,0\n1,1\n\n");
    EXPECT_EQ(ws.run({"run", draw.string(), "--drawing", x, "--out", x}).exitCode, 0)
        << "saving the opened drawing over itself is an ordinary save";
}

TEST(E2eSavingSafely, DwgNamesAreRefusedWithWhatIsTrue) {
    VeldWorkspace ws;
    auto dwg = ws.folder() / "plan.dwg";
    auto save = ws.script("save.veld", {"LINE", "0,0", "1,1", "", "SAVE", dwg.string()});
    auto r = ws.run({"run", save.string()});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_TRUE(contains(r.out, "DWG files are not supported; save as .dxf")) << r.out;
    EXPECT_EQ(ws.run({"run", save.string(), "--out", (ws.folder() / "b.DWG").string()}).exitCode,
              4);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ws.folder()), {}), 4)
        << "nothing but the script, the profile and the two transcripts";

    std::ofstream(dwg, std::ios::binary) << "AC1027\0\0\0\0\0\x0f"; // a DWG's first bytes
    r = ws.run({"run", save.string(), "--drawing", dwg.string()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(contains(r.err, "this is a DWG file, not DXF")) << r.err;
}

TEST(E2eSavingSafely, ReadingScriptsAndDrawingsNeverHangs) {
    VeldWorkspace ws;
    auto fifo = ws.folder() / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    auto empty = ws.script("empty.veld", {});
    auto r = ws.run({"run", empty.string(), "--drawing", fifo.string()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(contains(r.err, "not a regular file")) << r.err;
    EXPECT_EQ(ws.run({"run", fifo.string()}).exitCode, 3);
    EXPECT_EQ(ws.run({"run", "/dev/zero"}).exitCode, 3);
    r = ws.run({"run", ws.folder().string()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(contains(r.err, "it is a folder")) << r.err;

    auto longLine = ws.script("long.veld", {"LINE", "0,0", std::string(100000, '1'), ""});
    r = ws.run({"run", longLine.string()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(contains(r.err, "long.veld line 3: longer than 65536 bytes")) << r.err;
}

TEST(E2eSavingSafely, AProfileFolderThatCannotWorkIsRefusedAtSetUp) {
    VeldWorkspace ws;
    auto empty = ws.script("empty.veld", {});
    auto home = ws.folder() / "josé";
    std::filesystem::create_directory(home);
    auto r =
        ws.run({"run", empty.string()}, false, {{"HOME", home.string()}, {"XDG_CONFIG_HOME", ""}});
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_TRUE(contains(r.err, "Shift-JIS cannot hold")) << r.err;
    EXPECT_TRUE(contains(r.err, "--profile")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(home / ".config"));

    r = ws.run({"run", empty.string()}, false, {{"HOME", ""}, {"XDG_CONFIG_HOME", ""}});
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_TRUE(contains(r.err, "no profile folder")) << r.err;
}
