// Choosing the driver of a modal dialog, and what every driver shares.
#include "host/ui/DialogDriver.h"

#include "host/ed/Session.h"
#include "host/ui/DialogTranscript.h"
#include "host/ui/ScriptDriver.h"
#include "host/ui/TerminalDriver.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace veld::ui {

namespace {

DialogDriverFactory& factory() {
    static DialogDriverFactory f;
    return f;
}

std::vector<int> buttonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
        return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_RETRYCANCEL:
        return {IDRETRY, IDCANCEL};
    default:
        return {IDOK};
    }
}

} // namespace

void DialogDriver::opened(DialogForm& form) {
    printOpened(form);
}

void DialogDriver::closed(DialogForm& form) {
    printClosed(form);
}

std::unique_ptr<DialogDriver> makeDialogDriver() {
    if (factory()) {
        return factory()();
    }
    const ed::InputSource* input = ed::Session::current().input();
    if (input != nullptr && input->isInteractive()) {
        return std::make_unique<TerminalDriver>();
    }
    return std::make_unique<ScriptDriver>();
}

void setDialogDriverFactory(DialogDriverFactory f) {
    factory() = std::move(f);
}

void endForLackOfInput(DialogForm& form) {
    form.pressEscape();
    if (!form.ended()) {
        form.forceEnd(IDCANCEL);
    }
}

int messageBoxEscapeResult(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    default:
        return IDOK;
    }
}

int messageBoxButton(UINT type, const std::string& word) {
    static const std::pair<const char*, int> names[] = {
        {"ok", IDOK},       {"cancel", IDCANCEL}, {"yes", IDYES},      {"no", IDNO},
        {"abort", IDABORT}, {"retry", IDRETRY},   {"ignore", IDIGNORE}};
    std::string lower(word);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto offered = buttonsOf(type);
    for (const auto& [name, id] : names) {
        if (lower == name && std::find(offered.begin(), offered.end(), id) != offered.end()) {
            return id;
        }
    }
    return 0;
}

} // namespace veld::ui
