// Where a modal dialog's actions come from. The script driver reads dialog actions from the
// session's input lines; the terminal driver shows a text form and takes the same actions typed
// by a person. Drivers act only through the form, which sends the notifications a real dialog
// would; they never call a page's handlers.
#pragma once
#include "afxwin.h"
#include "host/ui/DialogForm.h"

#include <functional>
#include <memory>
#include <string>

namespace veld::ui {

class DialogDriver {
public:
    virtual ~DialogDriver() = default;
    // The dialog has been initialised. Base: the opening lines of the transcript.
    virtual void opened(DialogForm& form);
    // The dialog has ended. Base: the closing lines of the transcript (every field).
    virtual void closed(DialogForm& form);
    // Takes one action. When the input has no more, ends the dialog (Cancel).
    virtual void step(DialogForm& form) = 0;
    // Shows a message box and returns the button chosen (IDOK, IDCANCEL, IDYES ...).
    virtual int messageBox(const std::string& text, UINT type) = 0;
};

// The driver for the current session: the terminal driver when its input is interactive, the
// script driver otherwise (also with no input at all: every dialog then cancels), unless a
// factory has been set.
std::unique_ptr<DialogDriver> makeDialogDriver();
using DialogDriverFactory = std::function<std::unique_ptr<DialogDriver>()>;
// Replaces the choice above (tests, other front ends); an empty factory restores it.
void setDialogDriverFactory(DialogDriverFactory factory);

// What happens at the end of the input: Esc (the page's Cancel handler runs), and when the
// dialog is still open after that, it ends with IDCANCEL anyway.
void endForLackOfInput(DialogForm& form);
// The button a message box's Esc stands for (IDOK for an OK-only box).
int messageBoxEscapeResult(UINT type);
// The button named by `word` (ok, cancel, yes, no, abort, retry, ignore) if the box has it.
int messageBoxButton(UINT type, const std::string& word);

} // namespace veld::ui
