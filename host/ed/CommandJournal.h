// One command as one undo step: opens the step in the drawing's undo journal when a command
// typed at the command prompt starts and closes it when the command ends, then reports objects
// the command left open (a fault of the command).
#pragma once
#include <string>

namespace veld::ed {

class CommandJournal {
public:
    // `recorded` false: the command is not an undo step (sent by acedCommand, or UNDO itself).
    CommandJournal(bool recorded, std::string name);
    ~CommandJournal();
    CommandJournal(const CommandJournal&) = delete;
    CommandJournal& operator=(const CommandJournal&) = delete;

private:
    bool recorded_;
    std::string name_;
};

} // namespace veld::ed
