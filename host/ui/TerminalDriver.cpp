// The dialog driver of `veld shell`: a text form and the actions a person types.
#include "host/ui/TerminalDriver.h"

#include "host/ed/Session.h"
#include "host/ui/DialogAction.h"
#include "host/ui/DialogTranscript.h"

namespace veld::host::ui {

namespace {

const char* const kHelp =
    "\nset CONTROL TEXT    type TEXT into a field (its handler runs when it is left)"
    "\nleave CONTROL       click into a field and leave it"
    "\nselect CONTROL TEXT choose the list entry TEXT"
    "\ncheck CONTROL on|off"
    "\nclick CONTROL       click a button or box"
    "\nok, cancel          close the dialog"
    "\nshow                show the form again"
    "\nCONTROL is the number or the key shown before each field.";

} // namespace

void TerminalDriver::opened(DialogForm& form) {
    printTerminalForm(form);
}

void TerminalDriver::step(DialogForm& form) {
    Session& session = Session::current();
    session.print("\nDialog: ");
    const auto line = session.nextLine();
    if (!line) {
        endForLackOfInput(form);
        return;
    }
    const auto action = parseDialogAction(*line);
    if (!action) {
        session.print("\nNot a dialog action (type help).");
        return;
    }
    if (action->verb == DialogAction::Verb::Show) {
        printTerminalForm(form);
        return;
    }
    if (action->verb == DialogAction::Verb::Help) {
        session.print(kHelp);
        return;
    }
    const auto before = snapshotFields(form);
    const ActionResult result = applyDialogAction(form, *action);
    if (result.outcome == ActionResult::Outcome::Done) {
        printChanges(form, before);
    } else {
        session.print("\n" + result.message);
    }
}

int TerminalDriver::messageBox(const std::string& text, UINT type) {
    printMessageBox(text, type);
    Session& session = Session::current();
    const bool okOnly = (type & MB_TYPEMASK) == MB_OK;
    while (true) {
        session.print(okOnly ? "\nPress RETURN: " : "\nButton: ");
        const auto line = session.nextLine();
        if (!line) {
            return messageBoxEscapeResult(type);
        }
        if (okOnly) {
            return IDOK;
        }
        if (const int button = messageBoxButton(type, *line); button != 0) {
            return button;
        }
    }
}

} // namespace veld::host::ui
