// The dialog driver of the browser front end: it publishes the open dialog's state (and each
// message box) as JSON events for the page, and takes the page's actions as the session's input
// lines, the same lines a script gives. Actions go through the form, so the page's handlers see
// the notifications a real dialog sends; the transcript reads as a script run's.
#pragma once
#include "host/ui/DialogDriver.h"
#include "host/ui/DialogState.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace veld::ui {

using EventPublisher = std::function<void(const std::string& json)>;

class BrowserDialogDriver : public DialogDriver {
public:
    explicit BrowserDialogDriver(EventPublisher publish);
    ~BrowserDialogDriver() override;

    void opened(DialogForm& form) override;
    // Publishes the state, then takes one line. A line that is not an action, or names no
    // control the action fits, is reported and the dialog stays open: a person may have typed
    // on the command line meanwhile. The end of the input cancels.
    void step(DialogForm& form) override;
    void closed(DialogForm& form) override;
    // Waits for a line naming one of the box's buttons, an OK-only box included (a person has
    // to see it), and shows it as "Button: LINE"; "^C" (Esc) gives the box's Esc answer.
    // Afterwards the dialog under the box, if any, is published again.
    int messageBox(const std::string& text, UINT type) override;

    // The state of `form` as the page is given it (valid between opened and closed).
    std::string stateJson(const DialogForm& form) const;

private:
    EventPublisher publish_;
    std::optional<DialogState> state_;
    const DialogForm* form_ = nullptr;
};

// A driver for each modal dialog or message box, all publishing through `publish`.
std::unique_ptr<DialogDriver> makeBrowserDialogDriver(EventPublisher publish);

} // namespace veld::ui
