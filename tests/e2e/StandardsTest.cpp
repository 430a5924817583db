// The office standards end to end: the README's task guide run on a plan drawn elsewhere,
// -STANDARDS taken back by U and leaving what a drawing has alone, and new drawings that start
// from the standards drawing of the profile. Every saved drawing is read back with ezdxf.
#include "support/CommandOutput.h"
#include "support/EzdxfAudit.h"
#include "support/VeldWorkspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace fs = std::filesystem;
using veld::test::VeldWorkspace;

namespace {

const fs::path kGuide = fs::path(VELD_SOURCE_DIR) / "docs" / "guide";

std::string python(const fs::path& script, const fs::path& argument) {
    int exitCode = 0;
    std::string out =
        veld::test::runCommand("/usr/bin/python3 " + veld::test::shellQuote(script.string()) + " " +
                                   veld::test::shellQuote(argument.string()),
                               exitCode);
    EXPECT_EQ(exitCode, 0) << script << " " << argument << ": " << out;
    return out;
}

// The facts ezdxf_standards.py finds in a drawing, one a line.
std::vector<std::string> standardsOf(const fs::path& dxf) {
    std::vector<std::string> facts;
    std::istringstream lines(
        python(fs::path(VELD_SOURCE_DIR) / "tests/e2e/ezdxf_standards.py", dxf));
    for (std::string line; std::getline(lines, line);) {
        facts.push_back(line);
    }
    return facts;
}

// Only the table facts (and USERR1): what -STANDARDS may add to.
std::vector<std::string> tablesOf(const std::vector<std::string>& facts) {
    std::vector<std::string> out;
    std::copy_if(facts.begin(), facts.end(), std::back_inserter(out), [](const std::string& f) {
        return f.rfind("COUNT", 0) != 0 && f.rfind("DIMTEXT", 0) != 0 && f.rfind("INSERT", 0) != 0;
    });
    return out;
}

bool has(const std::vector<std::string>& facts, const std::string& fact) {
    return std::find(facts.begin(), facts.end(), fact) != facts.end();
}

std::string joined(const std::vector<std::string>& facts) {
    std::string text;
    for (const std::string& f : facts) {
        text += f + "\n";
    }
    return text;
}

// The plan of the guide: a grid on GRID, none of the standards, USERR1 0.
fs::path planFromElsewhere(VeldWorkspace& ws, const std::string& name = "plan.dxf") {
    const fs::path plan = ws.folder() / name;
    python(kGuide / "make_plan.py", plan);
    return plan;
}

} // namespace

TEST(E2eStandards, TheTaskGuidePlacesFoundationsOnAPlanDrawnElsewhere) {
    VeldWorkspace ws;
    const fs::path plan = planFromElsewhere(ws);
    const std::vector<std::string> before = standardsOf(plan);
    ASSERT_TRUE(has(before, "USERR1 0")) << joined(before);
    const fs::path svg = ws.folder() / "plan.svg";
    auto r = ws.run({"run", (kGuide / "own-plan.veld").string(), "--drawing", plan.string(),
                     "--svg", svg.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    EXPECT_TRUE(fs::exists(plan.string() + ".bak")) << "SAVE kept the plan as it was";
    EXPECT_EZDXF_CLEAN(plan.string());
    EXPECT_NE(veld::test::readBytes(svg).find("<svg"), std::string::npos);

    const std::vector<std::string> after = standardsOf(plan);
    const std::string all = joined(after);
    for (const char* fact :
         {"USERR1 100", "LAYER 通り芯 1 CENTER", "LTYPE CENTER 4", "LAYER 基礎外周線 4 HIDDEN",
          "STYLE 基礎文字 msgothic.ttc", "DIMSTYLE FOUNDATION 2.5 100 2.5 基礎文字",
          // seven foundations: one placed alone, six in bulk at the grid crossings
          "COUNT LINE 基礎見かけ線 42", "COUNT LINE 基礎外周線 42", "COUNT DIMENSION 基礎寸法線 84",
          // text of 2.5 plotted millimetres at 1:100, and the symbol scaled by USERR1
          "DIMTEXT FOUNDATION 250", "INSERT 基礎符号 100", "COUNT LINE GRID 7"}) {
        EXPECT_TRUE(has(after, fact)) << fact << "\n" << all;
    }
    EXPECT_EQ(std::count_if(after.begin(), after.end(),
                            [](const std::string& f) { return f.rfind("DIMTEXT", 0) == 0; }),
              1)
        << "every dimension uses FOUNDATION\n"
        << all;
    EXPECT_NE(r.out.find("Added 5 layers: 通り芯, 基礎見かけ線, 基礎外周線, 基礎寸法線, 基礎符号\n"
                         "Added 2 linetypes: CENTER, HIDDEN\n"
                         "Added 1 text style: 基礎文字\n"
                         "Added 1 dimension style: FOUNDATION\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("USERR1の値が不正です"), std::string::npos);
}

TEST(E2eStandards, UTakesBackEverythingStandardsAddedAndAScaleOf50SizesTheDimensions) {
    VeldWorkspace ws;
    const fs::path plan = planFromElsewhere(ws);
    const fs::path undone = ws.folder() / "undone.dxf";
    const fs::path asRead = ws.folder() / "as-read.dxf"; // the plan as veld reads and saves it
    auto r = ws.run({"run", ws.script("none.veld", {}).string(), "--drawing", plan.string(),
                     "--out", asRead.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = ws.run({"run", ws.script("u.veld", {"-STANDARDS", "", "50", "U"}).string(), "--drawing",
                plan.string(), "--out", undone.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EZDXF_CLEAN(undone.string());
    EXPECT_EQ(joined(tablesOf(standardsOf(undone))), joined(tablesOf(standardsOf(asRead))));

    const fs::path placed = ws.folder() / "placed.dxf";
    r = ws.run({"run",
                ws.script("fifty.veld", {"-STANDARDS", "", "50", "-STANDARDS", "", "FNDD",
                                         "check LABEL_CHECK off", "check BULK_CHECK off",
                                         "select SERCH_LAYER GRID", "ok", "0,0", "", "cancel"})
                    .string(),
                "--drawing", plan.string(), "--out", placed.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("The drawing already has every layer, linetype, text style and dimension "
                         "style of VELDOR-STANDARDS.dxf."),
              std::string::npos)
        << "a second run adds nothing and does not ask the scale again\n"
        << r.out;
    const std::vector<std::string> facts = standardsOf(placed);
    EXPECT_TRUE(has(facts, "DIMSTYLE FOUNDATION 2.5 50 2.5 基礎文字")) << joined(facts);
    EXPECT_TRUE(has(facts, "DIMTEXT FOUNDATION 125")) << joined(facts);
}

TEST(E2eStandards, WhatTheDrawingHasIsNeverChanged) {
    VeldWorkspace ws;
    const fs::path plan = planFromElsewhere(ws);
    const fs::path own = ws.folder() / "own.dxf";
    // The office's own FOUNDATION and a look-line layer in blue, and a plot scale of 1:200.
    auto r = ws.run({"run",
                     ws.script("own.veld", {"-LAYER", "New", "基礎見かけ線", "Color", "5",
                                            "基礎見かけ線", "", "DIMTXT", "3.5", "-DIMSTYLE",
                                            "Save", "FOUNDATION", "USERR1", "200"})
                         .string(),
                     "--drawing", plan.string(), "--out", own.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const fs::path standardised = ws.folder() / "standardised.dxf";
    r = ws.run({"run", ws.script("std.veld", {"-STANDARDS", ""}).string(), "--drawing",
                own.string(), "--out", standardised.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.find("plot scale"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Added 4 layers: 通り芯, 基礎外周線, 基礎寸法線, 基礎符号\n"),
              std::string::npos)
        << r.out;
    const std::vector<std::string> facts = standardsOf(standardised);
    for (const char* fact :
         {"LAYER 基礎見かけ線 5 Continuous", "USERR1 200", "DIMSTYLE_CURRENT FOUNDATION"}) {
        EXPECT_TRUE(has(facts, fact)) << fact << "\n" << joined(facts);
    }
    EXPECT_TRUE(std::any_of(facts.begin(), facts.end(), [](const std::string& f) {
        return f.rfind("DIMSTYLE FOUNDATION 3.5 ", 0) == 0;
    })) << joined(facts);
}

TEST(E2eStandards, ANewDrawingStartsFromTheStandardsOfTheProfile) {
    VeldWorkspace ws;
    const fs::path fresh = ws.folder() / "new.dxf";
    const fs::path bare = ws.folder() / "bare.dxf";
    const fs::path empty = ws.script("empty.veld", {});
    auto r = ws.run({"run", empty.string(), "--out", fresh.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fs::exists(ws.profile() / "TEMPLATE" / "VELDOR-STANDARDS.dxf"));
    EXPECT_EZDXF_CLEAN(fresh.string());
    const std::vector<std::string> facts = standardsOf(fresh);
    for (const char* fact : {"USERR1 100", "DIMSTYLE_CURRENT FOUNDATION", "LAYER 通り芯 1 CENTER",
                             "LAYER 基礎符号 6 Continuous", "LAYER DefPoints 7 Continuous",
                             "DIMSTYLE FOUNDATION 2.5 100 2.5 基礎文字"}) {
        EXPECT_TRUE(has(facts, fact)) << fact << "\n" << joined(facts);
    }

    const fs::path typed = ws.folder() / "typed.dxf"; // veld shell starts the same way
    ws.setInput(ws.script("typed.txt", {"SAVE", typed.string(), "QUIT"}));
    r = ws.run({"shell"});
    ws.setInput({});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(has(standardsOf(typed), "DIMSTYLE_CURRENT FOUNDATION"));

    r = ws.run({"run", empty.string(), "--out", bare.string(), "--template", "none"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(has(standardsOf(bare), "USERR1 0"));
    EXPECT_FALSE(has(standardsOf(bare), "LAYER 通り芯 1 CENTER"));
    r = ws.run({"run", empty.string(), "--template", (ws.folder() / "none.dxf").string()});
    EXPECT_EQ(r.exitCode, 3) << "a named template must be readable";
}

TEST(E2eStandards, TheReadmeQuotesTheGuideScriptAsTheTestRunsIt) {
    const std::string script = veld::test::readBytes(kGuide / "own-plan.veld");
    std::istringstream lines(script);
    std::string quoted;
    for (std::string line; std::getline(lines, line);) {
        quoted += (line.empty() ? "" : "    " + line) + "\n";
    }
    const std::string readme = veld::test::readBytes(fs::path(VELD_SOURCE_DIR) / "README.md");
    EXPECT_NE(readme.find("\n" + quoted), std::string::npos)
        << "README.md must quote docs/guide/own-plan.veld line by line, indented by four blanks";
    EXPECT_LT(readme.find("## Place foundations on your own plan"), readme.find("## Set-up"));
}
