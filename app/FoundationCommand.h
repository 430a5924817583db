// The command object of FNDD, FNSD and FNDE: a handler makes one on its stack for each run.
// It keeps the command echo to give back at the end, and sends the host's UNDO command to wrap
// each unit of drawing work in one undo group.
#pragma once

class FoundationCommand {
public:
    FoundationCommand() = default;
    virtual ~FoundationCommand() = default;
    FoundationCommand(const FoundationCommand&) = delete;
    FoundationCommand& operator=(const FoundationCommand&) = delete;

    // Reads CMDECHO into savedCmdEcho and turns the echo off.
    void saveCmdEcho();
    // Sets CMDECHO back to savedCmdEcho.
    void restoreCmdEcho();
    // "_undo" "g": the changes that follow are one undo step.
    void beginUndoGroup();
    // "_undo" "e": ends that step.
    void endUndoGroup();
    // "_undo" "1": takes back the step just ended.
    void undoLastGroup();

    // The command bodies: FNDD, FNSD, FNDE.
    void placeDelta();
    void placeSquare();
    void editFoundation();

private:
    // The host starts with the echo on; a value that could not be read stays at that.
    short savedCmdEcho = 1;
};
