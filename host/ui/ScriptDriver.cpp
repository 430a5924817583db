// The dialog driver of a script: each input line is one dialog action.
#include "host/ui/ScriptDriver.h"

#include "host/ed/Session.h"
#include "host/ui/DialogAction.h"
#include "host/ui/DialogTranscript.h"

namespace veld::ui {

namespace {

int currentLine() {
    const ed::InputSource* input = ed::Session::current().input();
    return input != nullptr ? input->lineNumber() : 0;
}

} // namespace

void ScriptDriver::step(DialogForm& form) {
    ed::Session& session = ed::Session::current();
    const auto line = session.nextLine();
    if (!line) {
        endForLackOfInput(form);
        return;
    }
    const auto action = parseDialogAction(*line);
    if (action && action->verb == DialogAction::Verb::Comment) {
        return;
    }
    session.print("\nDialog: " + *line);
    if (!action || action->verb == DialogAction::Verb::Show ||
        action->verb == DialogAction::Verb::Help) {
        stopRun(form, "not a dialog action: " + *line);
        return;
    }
    const auto before = snapshotFields(form);
    const ActionResult result = applyDialogAction(form, *action);
    switch (result.outcome) {
    case ActionResult::Outcome::Done:
        printChanges(form, before);
        break;
    case ActionResult::Outcome::Rejected:
        session.print("\n" + result.message);
        break;
    case ActionResult::Outcome::UnknownControl:
    case ActionResult::Outcome::WrongControl:
        stopRun(form, result.message);
        break;
    }
}

void ScriptDriver::stopRun(DialogForm& form, const std::string& reason) {
    ed::Session::current().abort("line " + std::to_string(currentLine()) + ": " + reason);
    endForLackOfInput(form);
}

int ScriptDriver::messageBox(const std::string& text, UINT type) {
    printMessageBox(text, type);
    if ((type & MB_TYPEMASK) == MB_OK) {
        return IDOK;
    }
    ed::Session& session = ed::Session::current();
    const auto line = session.nextLine();
    if (!line) {
        return messageBoxEscapeResult(type);
    }
    session.print("\nButton: " + *line);
    if (const int button = messageBoxButton(type, *line); button != 0) {
        return button;
    }
    session.abort("line " + std::to_string(currentLine()) +
                  ": not a button of the message box: " + *line);
    return messageBoxEscapeResult(type);
}

} // namespace veld::ui
