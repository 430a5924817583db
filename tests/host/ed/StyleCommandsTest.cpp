// -DIMSTYLE, -STYLE and the style variables (DIMSTYLE, TEXTSTYLE, DIMTXT ...): styles made,
// picked and listed at the command line, changes to a style taken back by U, and USERR1 changes
// taken back with the command that made them.
#include "dbsymtb.h"
#include "host/ed/DrawingVariables.h"
#include "host/ed/HeadlessHost.h"
#include "host/ed/StyleVariables.h"

#include <gtest/gtest.h>

using veld::ed::DrawingVariables;
using veld::ed::HeadlessHost;
using veld::ed::StyleVariables;

namespace {

double dimValue(const std::string& style, const std::string& variable) {
    return StyleVariables::dimValue(StyleVariables::dimStyle(style), variable).value_or(-1.0);
}

std::string textStyleOf(const std::string& dimStyle) {
    AcDbDimStyleTableRecord* r = nullptr;
    if (acdbOpenObject(r, StyleVariables::dimStyle(dimStyle), AcDb::kForRead) != Acad::eOk) {
        return "?";
    }
    AcDbObjectId id = r->dimtxsty();
    r->close();
    return StyleVariables::recordName(id);
}

} // namespace

TEST(EdStyleCommands, DimStyleSavesTheCurrentSettingsAndRestoresAStyleByName) {
    HeadlessHost host;
    // A variable changes the current style itself: a style is derived by saving it first.
    host.runCommands({"DIMTXT", "2.5", "DIMSCALE", "100", "DIMTAD", "1", "-DIMSTYLE", "Save",
                      "PLAN100", "-DIMSTYLE", "s", "PLAN50", "DIMSCALE", "50"});
    EXPECT_EQ(StyleVariables::currentDimStyle(), "PLAN50");
    EXPECT_EQ(dimValue("PLAN100", "DIMSCALE"), 100.0);
    EXPECT_EQ(dimValue("PLAN50", "DIMSCALE"), 50.0);
    EXPECT_EQ(dimValue("PLAN50", "DIMTXT"), 2.5) << "Save copies every variable";
    EXPECT_EQ(dimValue("PLAN50", "DIMTAD"), 1.0);
    EXPECT_EQ(textStyleOf("PLAN50"), "STANDARD");

    host.runCommands({"-DIMSTYLE", "", "plan100", "-DIMSTYLE", "r", "NOSUCH"});
    EXPECT_EQ(StyleVariables::currentDimStyle(), "PLAN100") << "RETURN is Restore";
    EXPECT_NE(host.transcript().find("Cannot find dimension style \"NOSUCH\"."), std::string::npos);

    host.clearTranscript();
    host.runCommands({"-DIMSTYLE", "?", "PLAN*", "-DIMSTYLE", "Variables", "PLAN50"});
    EXPECT_NE(host.transcript().find("Named dimension styles:\n  PLAN100\n  PLAN50\n"),
              std::string::npos)
        << host.transcript();
    EXPECT_EQ(host.transcript().find("  STANDARD\n"), std::string::npos) << "only PLAN*";
    EXPECT_NE(host.transcript().find("DIMSCALE  50.0000"), std::string::npos) << host.transcript();
}

TEST(EdStyleCommands, SavingUnderATakenNameAsksBeforeRedefiningIt) {
    HeadlessHost host;
    host.runCommands(
        {"-DIMSTYLE", "Save", "A", "DIMTXT", "3", "-DIMSTYLE", "Save", "STANDARD", ""});
    EXPECT_NE(host.transcript().find("That name is already in use, redefine it? <N>: "),
              std::string::npos);
    EXPECT_EQ(dimValue("STANDARD", "DIMTXT"), 0.18) << "N keeps the style";
    EXPECT_EQ(StyleVariables::currentDimStyle(), "A");
    host.runCommands({"-DIMSTYLE", "Save", "standard", "Y"});
    EXPECT_EQ(dimValue("STANDARD", "DIMTXT"), 3.0);
    EXPECT_EQ(StyleVariables::currentDimStyle(), "STANDARD");
}

TEST(EdStyleCommands, DimensionVariablesRefuseValuesTheStyleCannotHold) {
    HeadlessHost host;
    host.runCommands(
        {"DIMTXT", "-1", "", "DIMDEC", "9", "", "DIMTAD", "2", "", "SETVAR", "DIMSTYLE"});
    EXPECT_EQ(dimValue("STANDARD", "DIMTXT"), 0.18);
    EXPECT_EQ(dimValue("STANDARD", "DIMDEC"), 4.0);
    EXPECT_EQ(dimValue("STANDARD", "DIMTAD"), 0.0);
    EXPECT_NE(host.transcript().find("DIMSTYLE = \"STANDARD\" (read only)"), std::string::npos)
        << host.transcript();
}

TEST(EdStyleCommands, UTakesBackAStyleChangeAStyleAndAPlotScale) {
    HeadlessHost host;
    host.runCommands({"DIMTXT", "2.5", "-DIMSTYLE", "Save", "NEW", "USERR1", "100"});
    ASSERT_EQ(DrawingVariables::userReal(1), 100.0);
    host.runCommands({"U"});
    EXPECT_EQ(DrawingVariables::userReal(1), 0.0);
    host.runCommands({"U"});
    EXPECT_TRUE(StyleVariables::dimStyle("NEW").isNull());
    host.runCommands({"U"});
    EXPECT_EQ(dimValue("STANDARD", "DIMTXT"), 0.18);
}

TEST(EdStyleCommands, StyleMakesOrChangesATextStyleAndMakesItCurrent) {
    HeadlessHost host;
    host.runCommands(
        {"-STYLE", "基礎文字", "msgothic.ttc", "0", "0.8", "-STYLE", "?", "", "", "", "250", ""});
    EXPECT_NE(host.transcript().find("New style."), std::string::npos);
    EXPECT_NE(host.transcript().find("\"基礎文字\" is now the current text style."),
              std::string::npos);
    EXPECT_NE(host.transcript().find("Style name: \"基礎文字\"  Font files: msgothic.ttc\n"
                                     "   Height: 0.0000  Width factor: 0.8000"),
              std::string::npos)
        << host.transcript();
    EXPECT_NE(host.transcript().find("Existing style."), std::string::npos);
    AcDbTextStyleTableRecord* r = nullptr;
    ASSERT_EQ(acdbOpenObject(r, StyleVariables::textStyle("基礎文字"), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(r->fileName(), "msgothic.ttc") << "RETURN keeps the font";
    EXPECT_EQ(r->textSize(), 250.0);
    EXPECT_EQ(r->xScale(), 0.8);
    r->close();
    host.runCommands({"-STYLE", "基礎文字", "other.ttf", "1000"}); // ESC at the width factor
    ASSERT_EQ(acdbOpenObject(r, StyleVariables::textStyle("基礎文字"), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(r->fileName(), "msgothic.ttc") << "ESC halfway changes nothing";
    EXPECT_EQ(r->textSize(), 250.0);
    r->close();
    host.runCommands({"TEXTSTYLE", "STANDARD", "-STYLE", "B", "", "-2", "0", "0.5"});
    EXPECT_NE(host.transcript().find("Value must be 0 or more."), std::string::npos);
    EXPECT_EQ(StyleVariables::currentTextStyle(), "B");
    host.runCommands({"U"});
    EXPECT_TRUE(StyleVariables::textStyle("B").isNull());
}
