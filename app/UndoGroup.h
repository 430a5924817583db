// One unit of drawing work as one undo step: the group is begun when the object is made and
// ended on every path out of the unit; a withdrawn unit is undone right after its end.
#pragma once

class FoundationCommand;

class UndoGroup {
public:
    // Sends "_undo" "g".
    explicit UndoGroup(FoundationCommand& command);
    // Ends the group when close() has not.
    virtual ~UndoGroup();
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

    // Sends "_undo" "e", and "_undo" "1" after it when the unit was withdrawn. Once.
    void close(bool withdrawn);

private:
    FoundationCommand& command_;
    bool open_ = true;
};
