// The runner with drawing files: --drawing read, --out and SAVE written (and checked by ezdxf),
// --svg exported, and a failed save reported with a non-zero exit.
#include "support/EzdxfAudit.h"
#include "support/VeldWorkspace.h"

#include <gtest/gtest.h>

#include <fstream>

using veld::test::readBytes;
using veld::test::VeldWorkspace;

TEST(E2eDrawingFiles, LinesDrawnByAScriptAreSavedAndReadBack) {
    VeldWorkspace ws;
    auto out = ws.folder() / "square.dxf";
    auto svg = ws.folder() / "square.svg";
    auto draw = ws.script("draw.veld",
                          {"-LAYER", "Make", "GRID", "", "LINE", "0,0", "100,0", "100,100", "c"});
    auto r = ws.run({"run", draw.string(), "--out", out.string(), "--svg", svg.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EZDXF_CLEAN(out.string());
    EXPECT_EQ(veld::test::runEzdxfCheck(out.string()).counts["LINE"], 3);
    EXPECT_NE(readBytes(svg).find("<svg"), std::string::npos);

    auto pick = ws.script("pick.veld", {"CLAYER", "", "U", "U"});
    auto again = ws.folder() / "again.dxf";
    r = ws.run({"run", pick.string(), "--drawing", out.string(), "--out", again.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("<\"GRID\">"), std::string::npos) << "the current layer was saved";
    EXPECT_NE(r.out.find("Everything has been undone"), std::string::npos)
        << "a drawing read from a file has no steps to undo";
    EXPECT_EQ(veld::test::runEzdxfCheck(again.string()).counts["LINE"], 3);
}

TEST(E2eDrawingFiles, SaveWritesUnderTheGivenNameAndThenTheDocumentsName) {
    VeldWorkspace ws;
    auto target = ws.folder() / "saved";
    auto script = ws.script("save.veld", {"LINE", "0,0", "5,5", "", "SAVE", target.string(), "LINE",
                                          "5,5", "9,0", "", "SAVE", ""});
    auto r = ws.run({"run", script.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Save drawing as <" + target.string() + ".dxf>: "), std::string::npos);
    EXPECT_EQ(veld::test::runEzdxfCheck(target.string() + ".dxf").counts["LINE"], 2);
    EXPECT_TRUE(std::filesystem::exists(target.string() + ".dxf.bak"));
}

TEST(E2eDrawingFiles, AFailedSaveGoesOnButEndsTheRunWithAnError) {
    VeldWorkspace ws;
    auto script = ws.script(
        "fail.veld", {"SAVE", (ws.folder() / "no/such/x.dxf").string(), "LINE", "0,0", "1,1", ""});
    auto r = ws.run({"run", script.string()});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_NE(r.out.find("Specify first point: 0,0"), std::string::npos);
    EXPECT_EQ(r.err.rfind("veld: cannot write", 0), 0u) << r.err;
}

TEST(E2eDrawingFiles, AnUnreadableDrawingIsNamedInOneLine) {
    VeldWorkspace ws;
    auto bad = ws.folder() / "bad.dxf";
    std::ofstream(bad) << "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nnot a number\n";
    auto script = ws.script("empty.veld", {});
    auto r = ws.run({"run", script.string(), "--drawing", bad.string()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("bad.dxf"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_EQ(r.out, "");
}
