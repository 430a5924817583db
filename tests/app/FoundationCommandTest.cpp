// The command object: CMDECHO saved and given back, and the undo-group protocol on real
// commands, with its echo.
#include "app/FoundationCommand.h"
#include "aced.h"
#include "dbsymtb.h"
#include "host/ed/CommandStack.h"
#include "host/ed/HeadlessHost.h"

#include <gtest/gtest.h>

using veld::ed::CommandStack;
using veld::ed::HeadlessHost;

namespace {

short cmdecho() {
    resbuf rb{};
    acedGetVar("CMDECHO", &rb);
    return rb.resval.rint;
}

void setCmdecho(short value) {
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = value;
    acedSetVar("CMDECHO", &rb);
}

int modelEntityCount(AcDbDatabase* db) {
    AcDbBlockTableRecord* space = nullptr;
    EXPECT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    int n = space->entityIds().length();
    space->close();
    return n;
}

void drawLine(double x) {
    ads_point a{x, 0, 0};
    ads_point b{x, 10, 0};
    acedCommand(RTSTR, "_line", RT3DPOINT, a, RT3DPOINT, b, RTSTR, "", 0);
}

// A pass of two lines, withdrawn (the module's protocol when the last placement failed).
void withdrawnPass() {
    FoundationCommand command;
    command.saveCmdEcho();
    command.beginUndoGroup();
    drawLine(1);
    drawLine(2);
    command.endUndoGroup();
    command.undoLastGroup();
    command.restoreCmdEcho();
}

void keptPass() {
    FoundationCommand command;
    command.beginUndoGroup();
    drawLine(3);
    command.endUndoGroup();
}

} // namespace

TEST(AppFoundationCommand, CommandEchoIsTurnedOffAndGivenBack) {
    HeadlessHost host;
    for (short before : {short{1}, short{0}}) {
        setCmdecho(before);
        FoundationCommand command;
        command.saveCmdEcho();
        EXPECT_EQ(cmdecho(), 0);
        command.restoreCmdEcho();
        EXPECT_EQ(cmdecho(), before);
    }
}

TEST(AppFoundationCommand, UndoCommandsEchoOnlyWithCommandEchoOn) {
    HeadlessHost host;
    FoundationCommand command;
    command.beginUndoGroup();
    EXPECT_EQ(host.transcript(),
              "\nCommand: _undo\n"
              "Enter the number of operations to undo or [BEgin/End/Mark/Back] <1>: g");
    command.endUndoGroup();
    host.clearTranscript();
    command.saveCmdEcho();
    command.beginUndoGroup();
    command.endUndoGroup();
    command.undoLastGroup();
    command.restoreCmdEcho();
    EXPECT_EQ(host.transcript(), "");
}

TEST(AppFoundationCommand, AWithdrawnPassIsRemovedAsAWholeAndAKeptOneStays) {
    HeadlessHost host;
    CommandStack& stack = CommandStack::instance();
    stack.addCommand("APPTEST", "WITHDRAWN", "WITHDRAWN", 0, withdrawnPass);
    stack.addCommand("APPTEST", "KEPT", "KEPT", 0, keptPass);
    host.runCommands({"WITHDRAWN"});
    EXPECT_EQ(modelEntityCount(host.database()), 0);
    EXPECT_EQ(cmdecho(), 1);
    host.runCommands({"KEPT", "KEPT"});
    EXPECT_EQ(modelEntityCount(host.database()), 2);
    host.runCommands({"U"});
    EXPECT_EQ(modelEntityCount(host.database()), 1);
    stack.removeGroup("APPTEST");
}
