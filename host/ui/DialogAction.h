// The actions a script or a person at a terminal takes on an open dialog, read from one line,
// and carried out on the form through the notifications a real dialog would send:
//   set CONTROL TEXT      click into the field, replace its text, leave it
//   leave CONTROL         click into the field and leave it without typing
//   select CONTROL TEXT   choose the list entry with exactly that text
//   check CONTROL on|off  click the box when its state differs
//   click CONTROL         click a button or box (or into a field, where the focus then stays)
//   ok, cancel            click the OK or Cancel button
//   an empty line         RETURN (the default button); "^C" is Esc; ";..." is a comment
// CONTROL is the control id or its parameter key, in any case. TEXT is everything after the
// blank that follows CONTROL.
#pragma once
#include "host/ui/DialogForm.h"

#include <optional>
#include <string>
#include <string_view>

namespace veld::ui {

struct DialogAction {
    enum class Verb {
        Set,
        Leave,
        Select,
        Check,
        Click,
        Ok,
        Cancel,
        Enter,
        Escape,
        Comment,
        Show,
        Help
    };
    Verb verb = Verb::Comment;
    std::string control;
    std::string text;
    bool on = false;
};

// Nullopt when the line is not an action. "show" and "help" are read too (the terminal's).
std::optional<DialogAction> parseDialogAction(std::string_view line);

struct ActionResult {
    enum class Outcome {
        Done,           // the action was taken
        Rejected,       // a disabled or read-only control, a missing entry: nothing was done
        UnknownControl, // no control has that id or key
        WrongControl,   // the control cannot take that action (typing into a check box)
    };
    Outcome outcome = Outcome::Done;
    std::string message; // why it was not done
};

// Carries out Set .. Escape (Comment, Show and Help do nothing here).
ActionResult applyDialogAction(DialogForm& form, const DialogAction& action);

} // namespace veld::ui
