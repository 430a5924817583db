// The host's -INSERT through the real veld: typed by a person or sent by the module, the block
// loaded from its file on first use (NAME.dwg holding DXF, NAME.dxf beside a real DWG file),
// the prompts, the attribute values in the definition's order, and the symbol's scale USERR1.
#include "FoundationRun.h"
#include "support/EzdxfAudit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace veld::test;
namespace fs = std::filesystem;

namespace {

// A block drawing written by ezdxf: a circle and four attribute definitions in this order:
// NAME (prompt "Name"), CODE (constant "C-1"), NOTE (no prompt: asked by its tag), KIND (preset
// "P"), then LEVEL (prompt "Level", default "0").
void writeBlockFile(const fs::path& path) {
    const fs::path script = path.parent_path() / "make_block.py";
    std::ofstream(script) << "import sys, ezdxf\n"
                             "doc = ezdxf.new('R2013')\n"
                             "msp = doc.modelspace()\n"
                             "msp.add_circle((0, 0), 5)\n"
                             "def attdef(tag, prompt, text, flags):\n"
                             "    a = msp.add_attdef(tag, insert=(0, 0), height=2, text=text)\n"
                             "    a.dxf.prompt = prompt\n"
                             "    a.dxf.flags = flags\n"
                             "attdef('NAME', 'Name', '', 0)\n"
                             "attdef('CODE', 'Code', 'C-1', 2)\n"
                             "attdef('NOTE', '', '', 0)\n"
                             "attdef('KIND', 'Kind', 'P', 8)\n"
                             "attdef('LEVEL', 'Level', '0', 0)\n"
                             "doc.header['$INSBASE'] = (10, 0, 0)\n"
                             "doc.saveas(sys.argv[1])\n";
    const std::string command =
        "/usr/bin/python3 '" + script.string() + "' '" + path.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
}

std::string attributesOf(const InsertSeen& insert) {
    std::string text;
    for (const auto& [tag, value] : insert.attributes) {
        text += tag + "=" + value + ";";
    }
    return text;
}

} // namespace

TEST(E2eInsertCommand, TypedByAPersonItAsksEveryPromptAndTheAttributesInTheirOrder) {
    FoundationBench bench;
    const fs::path block = bench.workspace().folder() / "ring.dwg";
    writeBlockFile(block);
    const FoundationRun run =
        bench.run("typed",
                  {"-INSERT", block.string(), "100,200", "2", "", "90", "Bolt", "M12 x 40", "7.5",
                   "-INSERT", "ring", "0,0", "", "", "", "", "", ""},
                  fs::path());
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    const std::string& out = run.result.out;
    EXPECT_NE(out.find("Specify insertion point: 100,200\n"
                       "Enter X scale factor, specify opposite corner, or [Corner/XYZ] <1>: 2\n"
                       "Enter Y scale factor <use X scale factor>: \n"
                       "Specify rotation angle <0>: 90\n"
                       "Enter attribute values\n"
                       "Name: Bolt\n"
                       "NOTE: M12 x 40\n"
                       "Level <0>: 7.5\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("Enter block name <ring>: ring"), std::string::npos);
    const auto inserts = insertsOf(run.saved);
    ASSERT_EQ(inserts.size(), 2u);
    EXPECT_EQ(inserts[0].block, "ring") << "the block is named after its file";
    EXPECT_EQ(inserts[0].x, 100.0);
    EXPECT_EQ(inserts[0].scale, 2.0);
    EXPECT_EQ(inserts[0].rotation, 90.0);
    EXPECT_EQ(attributesOf(inserts[0]), "NAME=Bolt;NOTE=M12 x 40;KIND=P;LEVEL=7.5;")
        << "a constant attribute is not stored on the reference, a preset one takes its default";
    EXPECT_EQ(inserts[1].scale, 1.0);
    EXPECT_EQ(attributesOf(inserts[1]), "NAME=;NOTE=;KIND=P;LEVEL=0;");
    EXPECT_EZDXF_CLEAN(run.saved.string());
}

TEST(E2eInsertCommand, WithoutAttributeRequestsTheDefaultsAreTaken) {
    FoundationBench bench;
    const fs::path block = bench.workspace().folder() / "ring.dwg";
    writeBlockFile(block);
    const FoundationRun run =
        bench.run("attreq", {"ATTREQ", "0", "-INSERT", block.string(), "0,0", "", "", "", "LINE"},
                  fs::path());
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    EXPECT_EQ(countOf(run.result.out, "Enter attribute values"), 0u);
    const auto inserts = insertsOf(run.saved);
    ASSERT_EQ(inserts.size(), 1u);
    EXPECT_EQ(attributesOf(inserts[0]), "NAME=;NOTE=;KIND=P;LEVEL=0;");
}

// NAME.dwg is read when it holds DXF; a real DWG file is passed over for NAME.dxf beside it, and
// without one it is named as what it is.
TEST(E2eInsertCommand, TheBlockFileIsFoundAsDxfBesideOrInsteadOfTheDwgFileAskedFor) {
    FoundationBench bench;
    const fs::path folder = bench.workspace().folder();
    writeBlockFile(folder / "beside.dxf");
    std::ofstream(folder / "beside.dwg", std::ios::binary) << "AC1027" << std::string(64, '\0');
    std::ofstream(folder / "real.dwg", std::ios::binary) << "AC1018" << std::string(64, '\0');
    const FoundationRun run = bench.run("files",
                                        {"-INSERT",
                                         (folder / "beside.dwg").string(),
                                         "0,0",
                                         "",
                                         "",
                                         "",
                                         "a",
                                         "b",
                                         "c",
                                         "-INSERT",
                                         (folder / "real.dwg").string(),
                                         "-INSERT",
                                         (folder / "none.dwg").string(),
                                         "-INSERT",
                                         "beside",
                                         "5,5",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         ""},
                                        fs::path());
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    const std::string& out = run.result.out;
    EXPECT_NE(out.find("\n\"" + (folder / "real.dwg").string() +
                       "\" is a DWG file, which this program cannot read; save it as \"" +
                       (folder / "real.dxf").string() + "\" beside it.\n"),
              std::string::npos)
        << out;
    EXPECT_NE(
        out.find("\n\"" + (folder / "none.dwg").string() + "\": Can't find file in search path.\n"),
        std::string::npos);
    const auto inserts = insertsOf(run.saved);
    ASSERT_EQ(inserts.size(), 2u) << "a block once loaded is found by its name";
    EXPECT_EQ(inserts[0].block, "beside");
    EXPECT_EQ(attributesOf(inserts[0]), "NAME=a;NOTE=b;KIND=P;LEVEL=c;");
}

TEST(E2eInsertCommand, TheFoundationSymbolIsScaledByUserR1OrByOneWithAMessage) {
    FoundationBench bench;
    const FoundationRun run = bench.run("userr1", join({{"FNDD"},
                                                        pageOk({"set MARK F3"}),
                                                        {"0,0", "1000,-1000", ""},
                                                        {"cancel", "USERR1", "0", "FNDD"},
                                                        pageOk({}),
                                                        {"6000,0", "7000,-1000", "", "cancel"}}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.err;
    EXPECT_EQ(countOf(run.result.out, "\n ｼｽﾃﾑ変数 USERR1の値が不正です = 0.000000\n"), 1u)
        << run.result.out;
    const auto inserts = insertsOf(run.saved);
    ASSERT_EQ(inserts.size(), 2u);
    EXPECT_EQ(inserts[0].scale, 100.0);
    EXPECT_EQ(inserts[1].scale, 1.0);
    EXPECT_EQ(attributesOf(inserts[0]),
              "MARK=F3;BOTTOM_LEVEL=-2000;BASE_HEIGHT=1500;UPPER_SLANT=0;");
    EXPECT_EQ(inserts[0].rotation, 0.0);
    EXPECT_EZDXF_CLEAN(run.saved.string());
}
