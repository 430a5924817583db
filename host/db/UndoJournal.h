// The undo journal of one database: every creation, modification and erasure, and the changes
// of the current layer and USERR1..5, grouped into steps that UNDO and U take back newest first.
//
// Steps nest in frames. The outermost frame is the drawing's history; its steps are top-level
// commands. beginCommand opens a command frame; the editor calls it for every top-level command
// except UNDO and U themselves (they work on the journal and are no steps). Inside a running
// command, beginGroup/endGroup make sub-steps (a module sends "_undo" "g"/"e" through the
// command line); changes made outside any group are sub-steps of their own, one per run. When
// no command runs, beginGroup opens a group that collects the following commands, each a step
// inside it, until endGroup; the whole group is then one step.
//
// undo(n) works in the innermost open frame only: inside a running command it takes back that
// command's sub-steps, inside an open group the steps since the group began; it never goes past
// the frame's start (an open group must be ended first). Every closed frame, also an empty one,
// is one step. A mark is a step that undo(n) passes without counting; back() undoes the steps
// after the newest mark of the frame (all of them when there is none) and removes the mark.
//
// Changes to an object created in the same run of changes (the part of the innermost frame that
// will be undone as one piece) are not journaled: taking the creation back removes them too.
//
// Undoing a creation removes the object from its owner and from every iteration and dump; its
// id then opens with ePermanentlyErased. Handles are never given back.
#pragma once
#include "dbmain.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct AcDbStub;

namespace veld::db {

class DatabaseImpl;

class UndoJournal {
public:
    explicit UndoJournal(DatabaseImpl& database);
    ~UndoJournal();
    UndoJournal(const UndoJournal&) = delete;
    UndoJournal& operator=(const UndoJournal&) = delete;

    // --- Steps (the editor's UNDO and U commands) -----------------------------------------
    void beginCommand(const std::string& name);
    // Ends the running command; groups it left open are ended first.
    void endCommand();
    bool commandRunning() const;
    // UNDO BEgin (Group): ends a group open in the innermost frame first.
    void beginGroup();
    // UNDO End: ends the group of the innermost frame; nothing when none is open there.
    void endGroup();
    // A group is open in the innermost frame (what endGroup would end; UNDOCTL bit 8).
    bool groupOpen() const;
    // Undoes up to n steps of the innermost frame, newest first; the names of what was undone
    // (a command's name, "GROUP" for a group, the frame's name for a run of loose changes).
    std::vector<std::string> undo(int n);
    void mark();
    // Undoes back to the newest mark of the innermost frame; returns the number of steps undone.
    int back();
    // Something in the innermost frame can be undone.
    bool canUndo() const;
    // Forgets every step (after loading a drawing); open frames stay open, now empty.
    void clear();

    // --- Recording (the database's own calls) ---------------------------------------------
    // Off while a drawing is built or read.
    bool recording() const { return recording_; }
    void setRecording(bool on);
    // Whether a change to this object must be journaled: not when the object was created in
    // the step now being recorded (undoing that step removes the object anyway).
    bool needsEntry(const AcDbStub* stub) const;
    void recordCreated(AcDbStub* stub);
    void recordModified(AcDbStub* stub, AcDbObject* stateBefore); // takes the copy
    void recordXData(AcDbStub* stub, std::string encodedBefore);
    void recordErased(AcDbStub* stub, bool wasErased);
    void recordReactor(AcDbStub* stub, AcDbStub* reactor, bool added, std::size_t index);
    void recordDictionaryInsert(AcDbStub* dictionary, std::size_t index);
    void recordDictionaryRemove(AcDbStub* dictionary, std::size_t index, std::string key,
                                AcDbStub* value);
    void recordDictionaryReplace(AcDbStub* dictionary, std::size_t index, AcDbStub* oldValue);
    void recordOwner(AcDbStub* stub, AcDbStub* previousOwner);
    // The header variables a command may change (CLAYER, USERR1..5): U puts them back too.
    void recordCurrentLayer(AcDbStub* layerBefore);
    void recordUserReal(int index, double before);

    std::size_t entryCount() const;
    // Grows with every change recorded or taken back: equal counts mean an unchanged drawing.
    std::uint64_t changeCount() const { return changeCount_; }

private:
    struct Entry;
    struct Step;
    struct Frame;
    void push(Entry&& entry);
    Frame& innermost();
    const Frame& innermost() const;
    void openFrame(int kind, const std::string& name);
    void closeFrame();
    void sealLooseEntries(Frame& frame);
    void undoEntriesFrom(std::size_t begin);
    void undoEntry(Entry& entry);
    std::string undoStep(Frame& frame);

    DatabaseImpl& database_;
    bool recording_ = true;
    // Handles given out from this value on belong to objects created in the current run of the
    // innermost frame (handles only grow). Reset whenever a run begins.
    std::uint64_t runSeed_ = 0;
    void startRun();
    std::vector<Entry> entries_;
    std::uint64_t changeCount_ = 0;
    std::vector<std::unique_ptr<Frame>> frames_; // frames_[0] is the history
};

} // namespace veld::db
