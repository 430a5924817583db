// HELP: the host's commands with what they do, then the commands the loaded modules added.
#include "host/ed/commands/HelpCommand.h"

#include "adsdef.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CommandStack.h"
#include "host/ed/HostCommandTable.h"

#include <algorithm>
#include <map>

namespace veld::ed {

namespace {

const std::map<std::string, std::string>& hostSummaries() {
    static const std::map<std::string, std::string> summaries = {
        {"HELP", "lists the commands (also ?)"},
        {"?", "lists the commands (also HELP)"},
        {"LINE", "draws line segments from point to point"},
        {"LAYER", "makes, sets and changes layers"},
        {"SETVAR", "shows or changes a system variable (or type the variable's name)"},
        {"UNDO", "takes back commands: a number, BEgin/End groups, Mark and Back"},
        {"U", "takes back the last command"},
        {"SAVE", "saves the drawing as a DXF file"},
        {"INSERT", "inserts a block from a drawing file"},
        {"STANDARDS", "brings the office's layers and styles into the drawing"},
        {"DIMSTYLE", "saves, restores and lists dimension styles"},
        {"STYLE", "makes a text style or changes one, and makes it current"},
        {"QUIT", "ends veld (asks to save unsaved changes first)"},
    };
    return summaries;
}

std::string padded(std::string name) {
    constexpr std::size_t kColumn = 10;
    name.resize(std::max(name.size() + 1, kColumn), ' ');
    return name;
}

} // namespace

int HelpCommand::run() {
    CommandLine& cl = commandLine();
    cl.message("\nCommands:");
    for (const std::string& name : HostCommandTable::instance().names()) {
        const std::string bare = name.size() > 1 && name.front() == '-' ? name.substr(1) : name;
        const auto summary = hostSummaries().find(bare);
        cl.message("\n  " + padded(name) +
                   (summary != hostSummaries().end() ? summary->second : std::string()));
    }
    for (const AcEdCommand* command : CommandStack::instance().commands()) {
        cl.message("\n  " + padded(command->globalName()) + "command of the module group " +
                   command->groupName());
    }
    cl.message("\nRETURN repeats the last command. ESC or Ctrl-C cancels the command; the arrow"
               "\nkeys edit the line and recall earlier ones. In a dialog, type help.");
    return RTNORM;
}

} // namespace veld::ed
