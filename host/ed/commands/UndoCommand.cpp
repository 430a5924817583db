// UNDO on the working database's journal.
#include "host/ed/commands/UndoCommand.h"

#include "adsdef.h"
#include "host/db/DatabaseImpl.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CurrentDrawing.h"

#include <climits>

namespace veld::ed {

namespace {

constexpr const char* kEverythingUndone = "\nEverything has been undone";

veld::db::UndoJournal* journal() {
    AcDbDatabase* db = CurrentDrawing::database();
    return db != nullptr ? &db->impl().journal() : nullptr;
}

} // namespace

void UndoCommand::undoSteps(int count) {
    veld::db::UndoJournal* j = journal();
    if (j == nullptr) {
        return;
    }
    std::vector<std::string> undone = j->undo(count);
    CommandLine& cl = commandLine();
    if (!undone.empty()) {
        std::string names;
        for (const std::string& name : undone) {
            names += (names.empty() ? "" : " ") + name;
        }
        cl.echo("\n" + names);
    }
    if (static_cast<int>(undone.size()) < count && !j->canUndo()) {
        cl.echo(kEverythingUndone);
    }
}

int UndoCommand::run() {
    CommandLine& cl = commandLine();
    InputSpec spec;
    spec.number = true;
    spec.keywords = {"BEgin", "End", "Mark", "Back", "Group"};
    spec.invalidMessage = "Requires an integer value or option keyword.";
    Input in;
    for (;;) {
        in = cl.askInput("\nEnter the number of operations to undo or [BEgin/End/Mark/Back] <1>: ",
                         spec);
        bool wholePositive =
            in.status != RTNORM || (in.number >= 1.0 && in.number <= INT_MAX &&
                                    in.number == static_cast<double>(static_cast<int>(in.number)));
        if (wholePositive) {
            break;
        }
        cl.message("\nRequires a positive integer.");
    }
    veld::db::UndoJournal* j = journal();
    if (in.status == RTCAN) {
        return RTCAN;
    }
    if (j == nullptr) {
        return RTERROR;
    }
    if (in.status == RTNONE) {
        undoSteps(1);
    } else if (in.status == RTNORM) {
        undoSteps(static_cast<int>(in.number));
    } else if (in.keyword == "BEgin" || in.keyword == "Group") {
        j->beginGroup();
    } else if (in.keyword == "End") {
        j->endGroup();
    } else if (in.keyword == "Mark") {
        j->mark();
    } else {
        j->back();
        cl.echo(j->canUndo() ? "\nMark encountered" : kEverythingUndone);
    }
    return RTNORM;
}

} // namespace veld::ed
