// Runs commands typed at the command prompt or sent by acedCommand.
#include "host/ed/CommandProcessor.h"

#include "adsdef.h"
#include "host/ed/CommandJournal.h"
#include "host/ed/CommandStack.h"
#include "host/ed/HostCommandTable.h"
#include "host/ed/InputParser.h"
#include "host/ed/Session.h"
#include "host/ed/commands/QuitCommand.h"
#include "host/ed/commands/SetvarCommand.h"

namespace veld::ed {

namespace {

constexpr std::string_view kCommandPrompt = "\nCommand: ";

// What a typed name stands for.
struct Resolved {
    AcEdCommand* moduleCommand = nullptr;
    HostCommand* hostCommand = nullptr;
    std::string variable;
};

// "_NAME" asks for the global (untranslated) name, ".NAME" for the host's built-in command
// even when a module registered the same name; both may be combined.
Resolved resolve(std::string_view typed) {
    std::string name = InputParser::upper(InputParser::trim(typed));
    bool builtInOnly = false;
    bool global = false;
    while (!name.empty() && (name.front() == '_' || name.front() == '.')) {
        (name.front() == '.' ? builtInOnly : global) = true;
        name.erase(0, 1);
    }
    Resolved r;
    if (name.empty()) {
        return r;
    }
    if (!builtInOnly) {
        CommandStack& stack = CommandStack::instance();
        r.moduleCommand =
            global ? stack.lookupGlobalCmd(name.c_str()) : stack.lookupLocalCmd(name.c_str());
        if (r.moduleCommand == nullptr && !global) {
            r.moduleCommand = stack.lookupGlobalCmd(name.c_str());
        }
        if (r.moduleCommand != nullptr) {
            return r;
        }
    }
    r.hostCommand = HostCommandTable::instance().find(name);
    if (r.hostCommand == nullptr && commandLine().variables().find(name) != nullptr) {
        r.variable = name;
    }
    return r;
}

int runModuleCommand(AcEdCommand* command) {
    AcRxFunctionPtr function = command->functionAddr();
    if (function != nullptr) {
        function();
    }
    return ed::Session::current().aborted() ? RTCAN : RTNORM;
}

int runResolved(const Resolved& r, bool topLevel) {
    if (r.moduleCommand != nullptr) {
        CommandJournal step(topLevel, r.moduleCommand->globalName());
        return runModuleCommand(r.moduleCommand);
    }
    if (r.hostCommand != nullptr) {
        CommandJournal step(topLevel && r.hostCommand->isUndoStep(),
                            InputParser::upper(r.hostCommand->name()));
        return r.hostCommand->run();
    }
    CommandJournal step(topLevel, "SETVAR");
    return SetvarCommand::askValue(r.variable);
}

// A person's (or script's) line at the command prompt.
void runTyped(const std::string& line) {
    CommandLine& cl = commandLine();
    std::string typed = InputParser::trim(line);
    if (typed.empty()) {
        typed = cl.lastCommand();
        if (typed.empty()) {
            return;
        }
    }
    Resolved r = resolve(typed);
    // In a script a dialog action with no dialog open means the script has lost its place; a
    // person at a terminal just mistyped, and hears of an unknown command.
    if (r.moduleCommand == nullptr && r.hostCommand == nullptr && r.variable.empty() &&
        !ed::Session::current().interactive() && InputParser::isDialogAction(typed)) {
        ed::Session::current().abort("\"" + typed + "\" is a dialog action, but no dialog is open");
        return;
    }
    cl.setLastCommand(typed);
    CommandProcessor::execute(typed, true);
}

// The end of the input at the command prompt ends the session, unless a person who pressed
// Ctrl-D chose to stay rather than lose unsaved changes.
bool endOfInputEnds(ed::Session& session) {
    const ed::InputSource* input = session.input();
    return input == nullptr || !input->personStillThere() || QuitCommand::mayEnd();
}

} // namespace

void CommandProcessor::run() {
    ed::Session& session = ed::Session::current();
    CommandLine& cl = commandLine();
    cl.clearQuit();
    bool cancelledBefore = false;
    while (!cl.quitRequested() && !session.aborted()) {
        const bool interactive = session.interactive();
        if (interactive) {
            session.print(kCommandPrompt);
        }
        session.waitingAt(
            ed::PromptState{ed::PromptState::Kind::Command, std::string(kCommandPrompt)});
        std::optional<std::string> line = session.nextLine();
        if (!line) {
            if (endOfInputEnds(session)) {
                break;
            }
            continue;
        }
        if (!interactive) {
            session.print(std::string(kCommandPrompt) + *line);
        }
        const bool cancelled = InputParser::trim(*line) == ed::Session::kCancelLine;
        if (cancelled) {
            session.print(interactive ? "*Cancel*" : "\n*Cancel*");
            if (interactive && cancelledBefore) {
                session.print("\nType QUIT or press Ctrl-D to leave veld.");
            }
        } else {
            runTyped(*line);
        }
        cancelledBefore = cancelled;
    }
    session.finishLine();
}

int CommandProcessor::execute(std::string_view typed, bool topLevel) {
    Resolved r = resolve(typed);
    if (r.moduleCommand == nullptr && r.hostCommand == nullptr && r.variable.empty()) {
        std::string name = InputParser::upper(InputParser::trim(typed));
        commandLine().message("\nUnknown command \"" + name + "\".  Press F1 for help.");
        return RTERROR;
    }
    return runResolved(r, topLevel);
}

int CommandProcessor::runItems(std::deque<CommandItem> items) {
    ed::Session& session = ed::Session::current();
    if (session.aborted()) {
        return RTCAN;
    }
    CommandLine& cl = commandLine();
    cl.pushItems(std::move(items));
    int result = RTNORM;
    CommandItem item;
    while (result == RTNORM && cl.nextFeedItem(item)) {
        if (item.type == CommandItem::Type::Text && item.text.empty()) {
            continue;
        }
        cl.echo(std::string(kCommandPrompt) + item.text);
        result = execute(item.text, false);
    }
    cl.popItems();
    return session.aborted() ? RTCAN : result;
}

} // namespace veld::ed
