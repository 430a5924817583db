// Commands at the command prompt and through acedCommand: names and their forms, unknown
// commands, repeating with RETURN, LINE, -LAYER, QUIT, command echo, and module commands.
#include "aced.h"
#include "dbsymtb.h"
#include "host/ed/CommandStack.h"
#include "host/ed/CurrentDrawing.h"
#include "host/ed/DrawingVariables.h"
#include "host/ed/HeadlessHost.h"
#include "host/ed/HostCommandTable.h"

#include <gtest/gtest.h>

using veld::ed::CommandStack;
using veld::ed::CurrentDrawing;
using veld::ed::DrawingVariables;
using veld::ed::HeadlessHost;

namespace {

std::vector<std::pair<AcGePoint3d, AcGePoint3d>> modelLines(AcDbDatabase* db) {
    std::vector<std::pair<AcGePoint3d, AcGePoint3d>> lines;
    AcDbBlockTableRecord* space = nullptr;
    EXPECT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    AcDbObjectIdArray ids = space->entityIds();
    space->close();
    for (const AcDbObjectId& id : ids) {
        AcDbLine* line = nullptr;
        if (acdbOpenObject(line, id, AcDb::kForRead) == Acad::eOk) {
            lines.emplace_back(line->startPoint(), line->endPoint());
            line->close();
        }
    }
    return lines;
}

struct LayerState {
    bool exists = false, off = false, frozen = false;
    int color = 0;
};

LayerState layerState(const std::string& name) {
    LayerState s;
    AcDbLayerTableRecord* r = nullptr;
    if (acdbOpenObject(r, CurrentDrawing::layer(name), AcDb::kForRead) != Acad::eOk) {
        return s;
    }
    s = LayerState{true, r->isOff(), r->isFrozen(), r->color().colorIndex()};
    r->close();
    return s;
}

int testCommandRuns = 0;
void testCommand() {
    ++testCommandRuns;
}

AcDbObjectId leftOpen;
AcDbLine* leftOpenLine = nullptr;
void commandLeavingALineOpen() {
    leftOpenLine = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, CurrentDrawing::database()->modelSpaceId(), AcDb::kForWrite);
    space->appendAcDbEntity(leftOpen, leftOpenLine);
    space->close();
}

} // namespace

TEST(EdCommand, AnUnknownCommandIsReportedAndTheNextLineIsACommandAgain) {
    HeadlessHost host;
    host.runCommands({"frobnicate", "-line", "LINE", "0,0", "1,0", ""});
    EXPECT_EQ(host.transcript(), "\nCommand: frobnicate\n"
                                 "Unknown command \"FROBNICATE\".  Press F1 for help.\n"
                                 "Command: -line\n"
                                 "Unknown command \"-LINE\".  Press F1 for help.\n"
                                 "Command: LINE\n"
                                 "Specify first point: 0,0\n"
                                 "Specify next point or [Undo]: 1,0\n"
                                 "Specify next point or [Undo]: \n");
    EXPECT_EQ(modelLines(host.database()).size(), 1u);
}

TEST(EdCommand, NamesTakeTheGlobalAndBuiltInPrefixesAndTheDashForm) {
    HeadlessHost host;
    host.runCommands({"_line",  "0,0", "1,0", "", ".LINE",   "0,0",  "2,0", "",
                      "_.line", "0,0", "3,0", "", "layer",   "new",  "A",   "",
                      "-LAYER", "n",   "B",   "", "_-layer", "_new", "C",   ""});
    EXPECT_EQ(modelLines(host.database()).size(), 3u);
    for (const char* name : {"A", "B", "C"}) {
        EXPECT_TRUE(layerState(name).exists) << name;
    }
    EXPECT_EQ(host.transcript().find("Unknown command"), std::string::npos);
}

TEST(EdCommand, ReturnAtTheCommandPromptRepeatsTheLastCommand) {
    HeadlessHost host;
    host.runCommands({"", "LINE", "0,0", "1,0", "", "", "5,5", "6,6", ""});
    auto lines = modelLines(host.database());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].first, AcGePoint3d(5, 5, 0));
}

TEST(EdCommand, LineUndoesItsLastSegmentAndCloses) {
    HeadlessHost host;
    host.runCommands({"LINE", "0,0", "10,0", "10,10", "u", "10,5", "c"});
    auto lines = modelLines(host.database());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].second, AcGePoint3d(10, 5, 0));
    EXPECT_EQ(lines[2].first, AcGePoint3d(10, 5, 0));
    EXPECT_EQ(lines[2].second, AcGePoint3d(0, 0, 0));
}

TEST(EdCommand, EscapeEndsLineKeepingTheSegmentsDrawn) {
    HeadlessHost host;
    host.runCommands({"LINE", "0,0", "1,0", "^C", "LINE", "5,5"});
    EXPECT_EQ(modelLines(host.database()).size(), 1u);
    EXPECT_NE(host.transcript().find("Specify next point or [Undo]: *Cancel*"), std::string::npos);
    const std::string ending = "Command: LINE\nSpecify first point: 5,5\n"
                               "Specify next point or [Undo]: *Cancel*\n";
    EXPECT_EQ(host.transcript().substr(host.transcript().size() - ending.size()), ending)
        << "the end of the input is ESC at the open prompt";
}

TEST(EdCommand, LayerMakesSetsAndSwitchesLayers) {
    HeadlessHost host;
    host.runCommands({"-LAYER", "Make", "X-GRID", "New", "P,Q", "Color", "red", "P,Q", "OFF", "P",
                      "Freeze", "Q", "Freeze", "X-GRID", "Set", "NOPE", "Set", "Q", ""});
    EXPECT_EQ(DrawingVariables::currentLayer(), "X-GRID");
    EXPECT_EQ(layerState("P").color, 1);
    EXPECT_TRUE(layerState("P").off);
    EXPECT_TRUE(layerState("Q").frozen);
    EXPECT_FALSE(layerState("X-GRID").frozen);
    const std::string& t = host.transcript();
    EXPECT_NE(t.find("Cannot freeze layer \"X-GRID\".  It is the CURRENT layer."),
              std::string::npos);
    EXPECT_NE(t.find("Cannot find layer \"NOPE\"."), std::string::npos);
    EXPECT_NE(t.find("Cannot make layer \"Q\" current.  It is frozen."), std::string::npos);
    host.runCommands({"-LAYER", "Thaw", "q", "ON", "*", "Set", "q", ""});
    EXPECT_EQ(DrawingVariables::currentLayer(), "Q");
    EXPECT_FALSE(layerState("P").off);
}

TEST(EdCommand, QuitEndsTheCommandLoop) {
    HeadlessHost host;
    host.runCommands({"QUIT", "LINE", "0,0"});
    EXPECT_EQ(host.unusedAnswers(), 2u);
}

TEST(EdCommand, CommandEchoDecidesWhetherSentCommandsAreShown) {
    HeadlessHost host;
    ads_point a{0, 0, 0};
    ads_point b{10, 0, 0};
    EXPECT_EQ(acedCommand(RTSTR, "_line", RT3DPOINT, a, RT3DPOINT, b, RTSTR, "", 0), RTNORM);
    EXPECT_EQ(host.transcript(),
              "\nCommand: _line\nSpecify first point: 0,0,0\n"
              "Specify next point or [Undo]: 10,0,0\nSpecify next point or [Undo]: ");
    host.clearTranscript();
    resbuf off{};
    off.restype = RTSHORT;
    off.resval.rint = 0;
    acedSetVar("CMDECHO", &off);
    EXPECT_EQ(acedCommand(RTSTR, "_line", RT3DPOINT, a, RT3DPOINT, b, RTSTR, "", 0), RTNORM);
    EXPECT_EQ(acedCommand(RTSTR, "nosuch", 0), RTERROR);
    EXPECT_EQ(host.transcript(), "\nUnknown command \"NOSUCH\".  Press F1 for help.")
        << "with CMDECHO 0 only messages show";
    EXPECT_EQ(modelLines(host.database()).size(), 2u);
}

TEST(EdCommand, SentItemsRunOutAsEscapeAndLeftoverItemsStartCommands) {
    HeadlessHost host;
    ads_point a{0, 0, 0};
    EXPECT_EQ(acedCommand(RTSTR, "LINE", RT3DPOINT, a, 0), RTCAN);
    EXPECT_EQ(acedCommand(RTSTR, "-LAYER", RTSTR, "N", RTSTR, "L1", RTSTR, "", RTSTR, "-LAYER",
                          RTSTR, "N", RTSTR, "L2", RTSTR, "", 0),
              RTNORM);
    EXPECT_TRUE(layerState("L2").exists);
    EXPECT_EQ(acedCommand(RTSTR, "LINE", RTSHORT, 5, 0), RTCAN)
        << "a number is no point; the items then run out";
}

TEST(EdCommand, ModuleCommandsRunFromTheCommandStack) {
    HeadlessHost host;
    CommandStack& stack = CommandStack::instance();
    ASSERT_EQ(stack.addCommand("EDTEST", "GLOBALNAME", "LOCALNAME", ACRX_CMD_MODAL, testCommand),
              Acad::eOk);
    testCommandRuns = 0;
    host.runCommands({"localname", "_GLOBALNAME", "_LOCALNAME", "GLOBALNAME"});
    EXPECT_EQ(testCommandRuns, 3);
    EXPECT_NE(host.transcript().find("Unknown command \"_LOCALNAME\""), std::string::npos)
        << "the global form looks up global names only";
    stack.removeGroup("EDTEST");
}

TEST(EdCommand, AnObjectLeftOpenByACommandIsReported) {
    HeadlessHost host;
    CommandStack::instance().addCommand("EDTEST", "LEAKY", "LEAKY", 0, commandLeavingALineOpen);
    host.runCommands({"LEAKY"});
    CommandStack::instance().removeGroup("EDTEST");
    EXPECT_NE(
        host.transcript().find("** LEAKY left AcDbLine " + leftOpen.handle().text() + " open **"),
        std::string::npos)
        << host.transcript();
    leftOpenLine->close();
}

namespace {

// A host command that counts its runs and answers to its dash form.
class CountingCommand : public veld::ed::HostCommand {
public:
    explicit CountingCommand(int& runs) : runs_(runs) {}
    std::string name() const override { return "LINE"; }
    int run() override {
        ++runs_;
        return RTNORM;
    }

private:
    int& runs_;
};

} // namespace

TEST(EdCommand, AReplacedHostCommandIsHandedBackToBePutBack) {
    HeadlessHost host;
    auto& table = veld::ed::HostCommandTable::instance();
    int runs = 0;
    std::unique_ptr<veld::ed::HostCommand> line =
        table.add(std::make_unique<CountingCommand>(runs));
    ASSERT_NE(line, nullptr);
    host.runCommands({"LINE"});
    EXPECT_EQ(runs, 1);
    EXPECT_NE(table.add(std::move(line)), nullptr);
    host.runCommands({"LINE", "0,0", "1,1", ""});
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(modelLines(host.database()).size(), 1u);
}

TEST(EdCommand, AResultBufferChainRunsACommandAndTheLastEntityIsItsLine) {
    HeadlessHost host;
    ads_name last;
    EXPECT_EQ(acdbEntLast(last), RTERROR) << "an empty drawing has no last entity";
    ads_point a{1, 2, 0};
    ads_point b{3, 4, 0};
    resbuf* items = acutBuildList(RTSTR, "_line", RTPOINT, a, RT3DPOINT, b, RTSTR, "", 0);
    EXPECT_EQ(acedCmd(items), RTNORM);
    acutRelRb(items);
    ASSERT_EQ(acdbEntLast(last), RTNORM);
    AcDbObjectId id;
    ASSERT_EQ(acdbGetObjectId(id, last), Acad::eOk);
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(line->endPoint(), AcGePoint3d(3, 4, 0));
    line->close();
}

TEST(EdCommand, APauseItemAsksTheSessionForThatAnswer) {
    HeadlessHost host({"7,7"});
    ads_point a{0, 0, 0};
    EXPECT_EQ(acedCommand(RTSTR, "_line", RT3DPOINT, a, RTSTR, "\\", RTSTR, "", 0), RTNORM);
    auto lines = modelLines(host.database());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].second, AcGePoint3d(7, 7, 0));
}

TEST(EdCommand, EscapeAtAnyPromptOfAHostCommandCancelsIt) {
    HeadlessHost host;
    const std::vector<std::vector<std::string>> cancelled{{"-LAYER", "^C"},
                                                          {"-LAYER", "Make", "^C"},
                                                          {"-LAYER", "Color", "^C"},
                                                          {"SETVAR", "^C"},
                                                          {"SETVAR", "OSMODE", "^C"},
                                                          {"UNDO", "^C"},
                                                          {"SAVE", "^C"},
                                                          {"LINE", "^C"}};
    for (const auto& lines : cancelled) {
        host.clearTranscript();
        host.runCommands(lines);
        EXPECT_NE(host.transcript().find(": *Cancel*"), std::string::npos) << lines[0];
        EXPECT_EQ(host.unusedAnswers(), 0u);
    }
    EXPECT_EQ(modelLines(host.database()).size(), 0u);
    EXPECT_EQ(DrawingVariables::currentLayer(), "0");
    resbuf rb{};
    acedGetVar("OSMODE", &rb);
    EXPECT_EQ(rb.resval.rint, 4133);
}
