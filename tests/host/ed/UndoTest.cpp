// UNDO and U on real commands: steps, groups, numbers, marks, and a group sent by a command.
#include "aced.h"
#include "dbsymtb.h"
#include "host/ed/CommandStack.h"
#include "host/ed/HeadlessHost.h"

#include <gtest/gtest.h>

using veld::ed::CommandStack;
using veld::ed::HeadlessHost;

namespace {

int modelEntityCount(AcDbDatabase* db) {
    AcDbBlockTableRecord* space = nullptr;
    EXPECT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    int n = space->entityIds().length();
    space->close();
    return n;
}

short undoControl() {
    resbuf rb{};
    acedGetVar("UNDOCTL", &rb);
    return rb.resval.rint;
}

std::vector<std::string> line(int x) {
    std::string from = std::to_string(x) + ",0";
    std::string to = std::to_string(x) + ",10";
    return {"LINE", from, to, ""};
}

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

// A module-style command: two lines in one group, then the group taken back at once.
void withdrawnPass() {
    ads_point a{0, 0, 0};
    ads_point b{0, 5, 0};
    acedCommand(RTSTR, "_undo", RTSTR, "g", 0);
    acedCommand(RTSTR, "_line", RT3DPOINT, a, RT3DPOINT, b, RTSTR, "", 0);
    acedCommand(RTSTR, "_line", RT3DPOINT, b, RT3DPOINT, a, RTSTR, "", 0);
    acedCommand(RTSTR, "_undo", RTSTR, "e", 0);
    acedCommand(RTSTR, "_undo", RTSTR, "1", 0);
}

// A module-style command that keeps its first group and withdraws nothing.
void keptPass() {
    ads_point a{0, 0, 0};
    ads_point b{0, 5, 0};
    acedCommand(RTSTR, "_undo", RTSTR, "g", 0);
    acedCommand(RTSTR, "_line", RT3DPOINT, a, RT3DPOINT, b, RTSTR, "", 0);
    acedCommand(RTSTR, "_undo", RTSTR, "e", 0);
}

} // namespace

TEST(EdUndo, UTakesBackOneCommandAtATime) {
    HeadlessHost host;
    host.runCommands(join({line(1), line(2), {"U"}}));
    EXPECT_EQ(modelEntityCount(host.database()), 1);
    host.clearTranscript();
    host.runCommands({"U", "U"});
    EXPECT_EQ(modelEntityCount(host.database()), 0);
    EXPECT_EQ(host.transcript(), "\nCommand: U\nLINE\nCommand: U\nEverything has been undone\n");
}

TEST(EdUndo, AGroupOfCommandsIsOneStep) {
    HeadlessHost host;
    host.runCommands(join({line(1), {"UNDO", "BEgin"}, line(2), line(3), {"UNDO", "e"}, {"U"}}));
    EXPECT_EQ(modelEntityCount(host.database()), 1);
    host.runCommands(join({{"_undo", "_group"}, line(4), {"_undo", "_end"}, {"UNDO", ""}}));
    EXPECT_EQ(modelEntityCount(host.database()), 1) << "Group is the old name of BEgin";
}

TEST(EdUndo, UndoNumberCannotGoPastAnOpenGroup) {
    HeadlessHost host;
    host.runCommands(join({line(1), {"UNDO", "BE"}, line(2), line(3), {"UNDO", "5"}}));
    EXPECT_EQ(modelEntityCount(host.database()), 1) << "only the steps inside the group";
    EXPECT_EQ(undoControl(), 1 + 8) << "a group is open";
    host.runCommands({"UNDO", "End", "UNDO", "5"});
    EXPECT_EQ(modelEntityCount(host.database()), 0);
    EXPECT_EQ(undoControl(), 1);
}

TEST(EdUndo, BackReturnsToTheLastMark) {
    HeadlessHost host;
    host.runCommands(join({line(1), {"UNDO", "Mark"}, line(2), line(3), {"UNDO", "Back"}}));
    EXPECT_EQ(modelEntityCount(host.database()), 1);
    EXPECT_NE(host.transcript().find("Mark encountered"), std::string::npos);
    host.runCommands({"UNDO", "b"});
    EXPECT_EQ(modelEntityCount(host.database()), 0);
}

TEST(EdUndo, UndoRefusesANumberThatIsNoPositiveInteger) {
    HeadlessHost host;
    host.runCommands(join({line(1), line(2), {"UNDO", "0", "1.5", "x", "2"}}));
    EXPECT_EQ(modelEntityCount(host.database()), 0);
    const std::string& t = host.transcript();
    EXPECT_NE(t.find("Requires a positive integer."), std::string::npos);
    EXPECT_NE(t.find("Requires an integer value or option keyword."), std::string::npos);
}

TEST(EdUndo, ACommandWithdrawsTheGroupItJustEnded) {
    HeadlessHost host;
    CommandStack& stack = CommandStack::instance();
    stack.addCommand("EDTEST", "WITHDRAW", "WITHDRAW", 0, withdrawnPass);
    stack.addCommand("EDTEST", "KEEP", "KEEP", 0, keptPass);
    host.runCommands(join({line(1), {"WITHDRAW"}}));
    EXPECT_EQ(modelEntityCount(host.database()), 1) << "the pass is gone, LINE stays";
    host.runCommands({"KEEP", "KEEP", "U"});
    EXPECT_EQ(modelEntityCount(host.database()), 2) << "U takes back the whole last command";
    stack.removeGroup("EDTEST");
}

namespace {

std::string currentLayer() {
    resbuf rb{};
    acedGetVar("CLAYER", &rb);
    std::string name = rb.resval.rstring != nullptr ? rb.resval.rstring : "";
    acutDelString(rb.resval.rstring);
    return name;
}

double userReal(const char* name) {
    resbuf rb{};
    acedGetVar(name, &rb);
    return rb.resval.rreal;
}

// A module-style command that works on its own layer and scale and draws one line there.
void layerAndScalePass() {
    resbuf layer{};
    layer.restype = RTSTR;
    layer.resval.rstring = const_cast<char*>("SYMBOL");
    acedSetVar("CLAYER", &layer);
    resbuf scale{};
    scale.restype = RTREAL;
    scale.resval.rreal = 7.5;
    acedSetVar("USERR3", &scale);
    ads_point a{0, 0, 0};
    ads_point b{0, 5, 0};
    acedCommand(RTSTR, "_line", RT3DPOINT, a, RT3DPOINT, b, RTSTR, "", 0);
}

} // namespace

// The variables kept in the drawing are part of what a command changed: U and UNDO put them
// back with its entities, whether the command set them itself or they were typed.
TEST(EdUndo, UAndUndoPutTheDrawingsVariablesBack) {
    HeadlessHost host;
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(host.database()->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    auto* record = new AcDbLayerTableRecord;
    record->setName("SYMBOL");
    ASSERT_EQ(table->add(record), Acad::eOk);
    record->close();
    table->close();
    CommandStack& stack = CommandStack::instance();
    stack.addCommand("EDTEST", "PLACE", "PLACE", 0, layerAndScalePass);

    host.runCommands({"PLACE"});
    EXPECT_EQ(currentLayer(), "SYMBOL");
    EXPECT_EQ(userReal("USERR3"), 7.5);
    host.runCommands({"U"});
    EXPECT_EQ(currentLayer(), "0");
    EXPECT_EQ(userReal("USERR3"), 0.0);
    EXPECT_EQ(modelEntityCount(host.database()), 0);

    host.runCommands({"USERR1", "5", "CLAYER", "SYMBOL", "USERR1", "6", "U"});
    EXPECT_EQ(userReal("USERR1"), 5.0);
    EXPECT_EQ(currentLayer(), "SYMBOL");
    host.runCommands({"UNDO", "2"});
    EXPECT_EQ(userReal("USERR1"), 0.0);
    EXPECT_EQ(currentLayer(), "0");
    stack.removeGroup("EDTEST");
}
