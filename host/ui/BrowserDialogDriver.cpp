// The dialog driver of the browser front end: state out as JSON events, actions in as lines.
#include "host/ui/BrowserDialogDriver.h"

#include "host/ed/Session.h"
#include "host/ui/DialogAction.h"
#include "host/ui/DialogTranscript.h"
#include "host/ui/ResourceDirectory.h"

#include <algorithm>
#include <vector>

namespace veld::ui {

namespace {

// The browser dialogs open now, innermost last: a message box shown over one of them hands
// the page that dialog back when it closes.
std::vector<BrowserDialogDriver*>& openDialogs() {
    static std::vector<BrowserDialogDriver*> drivers;
    return drivers;
}

void report(const std::string& line) {
    ed::Session::current().print("\n" + line);
}

// An interactive input shows each line as it is taken (the browser's input echoes what the
// page posts, as a terminal echoes what is typed); a script's lines are shown by the driver.
// Either way the transcript reads "Dialog: LINE", as a script run prints it.
std::optional<std::string> takeLine(const char* prompt) {
    ed::Session& session = ed::Session::current();
    const ed::InputSource* input = session.input();
    const bool echoed = input != nullptr && input->isInteractive();
    if (echoed) {
        session.print(prompt);
    }
    auto line = session.nextLine();
    if (line && !echoed) {
        session.print(prompt + *line);
    }
    return line;
}

} // namespace

BrowserDialogDriver::BrowserDialogDriver(EventPublisher publish) : publish_(std::move(publish)) {}

BrowserDialogDriver::~BrowserDialogDriver() {
    auto& open = openDialogs();
    open.erase(std::remove(open.begin(), open.end(), this), open.end());
}

void BrowserDialogDriver::opened(DialogForm& form) {
    DialogDriver::opened(form);
    const ResourceDirectory resources = ResourceDirectory::current();
    if (const DialogTemplate* dialog = resources.dialog(form.id())) {
        state_.emplace(*dialog, resources);
    }
    form_ = &form;
    openDialogs().push_back(this);
}

std::string BrowserDialogDriver::stateJson(const DialogForm& form) const {
    return state_ ? state_->json(form) : std::string();
}

void BrowserDialogDriver::step(DialogForm& form) {
    publish_(stateJson(form));
    const auto line = takeLine("\nDialog: ");
    if (!line) {
        endForLackOfInput(form);
        return;
    }
    const auto action = parseDialogAction(*line);
    if (action && action->verb == DialogAction::Verb::Comment) {
        return;
    }
    if (!action || action->verb == DialogAction::Verb::Show ||
        action->verb == DialogAction::Verb::Help) {
        report("Not a dialog action: " + *line);
        return;
    }
    const auto before = snapshotFields(form);
    const ActionResult result = applyDialogAction(form, *action);
    if (result.outcome == ActionResult::Outcome::Done) {
        printChanges(form, before);
    } else {
        report(result.message);
    }
}

void BrowserDialogDriver::closed(DialogForm& form) {
    DialogDriver::closed(form);
    auto& open = openDialogs();
    open.erase(std::remove(open.begin(), open.end(), this), open.end());
    form_ = nullptr;
    publish_(dialogClosedJson("dialog"));
}

int BrowserDialogDriver::messageBox(const std::string& text, UINT type) {
    printMessageBox(text, type);
    int button = 0;
    while (button == 0) {
        publish_(messageBoxJson(text, type));
        const auto line = takeLine("\nButton: ");
        if (!line || *line == "^C") {
            button = messageBoxEscapeResult(type);
            break;
        }
        button = messageBoxButton(type, *line);
        if (button == 0) {
            report("Not a button of the message box: " + *line);
        }
    }
    const auto& open = openDialogs();
    if (!open.empty() && open.back()->form_ != nullptr) {
        publish_(open.back()->stateJson(*open.back()->form_));
    } else {
        publish_(dialogClosedJson("messagebox"));
    }
    return button;
}

std::unique_ptr<DialogDriver> makeBrowserDialogDriver(EventPublisher publish) {
    return std::make_unique<BrowserDialogDriver>(std::move(publish));
}

} // namespace veld::ui
