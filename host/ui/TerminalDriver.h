// The dialog driver of `veld shell`: shows the dialog as a text form (caption, each field's
// label, value, state and list entries, the files of its pictures) and takes the script actions
// typed by a person, plus "show" (the form again) and "help". Mistyped lines are explained and
// asked again. After an action, and when a dialog opens again, only what changed is shown.
#pragma once
#include "host/ui/DialogDriver.h"

namespace veld::ui {

class TerminalDriver : public DialogDriver {
public:
    void opened(DialogForm& form) override;
    void closed(DialogForm& form) override;
    void step(DialogForm& form) override;
    // Waits for RETURN (OK-only) or for the name of a button.
    int messageBox(const std::string& text, UINT type) override;
};

} // namespace veld::ui
