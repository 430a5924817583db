// The dialog driver of a script: each input line is one dialog action, echoed on the transcript
// after "Dialog: ". A line that is not an action, or names no control, stops the run (the
// session is aborted with the line number) and the dialog ends with Cancel; the end of the input
// cancels. A disabled control's refusal is shown and the run goes on.
#pragma once
#include "host/ui/DialogDriver.h"

namespace veld::ui {

class ScriptDriver : public DialogDriver {
public:
    void step(DialogForm& form) override;
    // An OK-only box is dismissed at once without taking a line; a box with several buttons
    // takes one line naming a button.
    int messageBox(const std::string& text, UINT type) override;

private:
    void stopRun(DialogForm& form, const std::string& reason);
};

} // namespace veld::ui
