// The dialog driver of `veld shell`: a text form and the actions a person typed.
#include "host/ui/TerminalDriver.h"

#include "host/ed/Session.h"
#include "host/ui/DialogAction.h"
#include "host/ui/DialogTranscript.h"
#include "host/ui/ResourceDirectory.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

namespace veld::ui {

namespace {

namespace fs = std::filesystem;

const char* const kHelp =
    "\nset CONTROL TEXT    type TEXT into a field (its handler runs when it is left)"
    "\nleave CONTROL       click into a field and leave it"
    "\nselect CONTROL TEXT choose the list entry TEXT"
    "\ncheck CONTROL on|off"
    "\nclick CONTROL       click a button or box"
    "\nok, cancel          close the dialog (ESC is cancel)"
    "\nshow                show the form again"
    "\nCONTROL is the number or the key shown before each field.";

// The field lines of each dialog as the person last saw them, so that a dialog opened again
// shows only what differs.
std::map<int, std::vector<std::string>>& lastSeen() {
    static std::map<int, std::vector<std::string>> seen;
    return seen;
}

std::vector<std::string> fieldLines(const DialogForm& form) {
    std::vector<std::string> lines;
    for (const VeldWindow* f : form.fields()) {
        lines.push_back(fieldLine(form, *f));
    }
    return lines;
}

// The pictures are inside the module; a person at a terminal opens them from files written to
// a folder of this user under the temporary folder. "" when the file cannot be written.
std::string writePicture(const std::string& name, std::string_view content) {
    std::error_code ec;
    const fs::path folder =
        fs::temp_directory_path(ec) / ("veld-pictures-" + std::to_string(getuid()));
    fs::create_directories(folder, ec);
    const fs::path path = folder / fs::path(name).filename();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    return ec || !out ? std::string() : path.string();
}

std::vector<std::string> picturePaths(const DialogForm& form) {
    const ResourceDirectory resources = ResourceDirectory::current();
    const DialogTemplate* dialog = resources.dialog(form.id());
    std::vector<std::string> paths;
    for (const ControlTemplate& control :
         dialog != nullptr ? dialog->controls : std::vector<ControlTemplate>()) {
        if (control.kind != ControlKind::Picture || control.textOrdinal < 0) {
            continue;
        }
        const std::string name = resources.pictureFile(control.textOrdinal);
        const std::string_view content = resources.file(name);
        if (const std::string path = content.empty() ? "" : writePicture(name, content);
            !path.empty()) {
            paths.push_back(path);
        }
    }
    return paths;
}

void printPictures(const DialogForm& form) {
    for (const std::string& path : picturePaths(form)) {
        ed::Session::current().print("\n  picture: " + path);
    }
}

} // namespace

void TerminalDriver::opened(DialogForm& form) {
    const auto seen = lastSeen().find(form.id());
    const std::vector<std::string> lines = fieldLines(form);
    if (seen == lastSeen().end() || seen->second.size() != lines.size()) {
        printTerminalForm(form);
    } else {
        std::vector<std::string> changed;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] != seen->second[i]) {
                changed.push_back(lines[i]);
            }
        }
        printTerminalFormAgain(form, changed);
    }
    printPictures(form);
}

void TerminalDriver::closed(DialogForm& form) {
    printClosed(form, false);
    lastSeen()[form.id()] = fieldLines(form);
}

void TerminalDriver::step(DialogForm& form) {
    ed::Session& session = ed::Session::current();
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
        printPictures(form);
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
    ed::Session& session = ed::Session::current();
    const bool okOnly = (type & MB_TYPEMASK) == MB_OK;
    while (true) {
        session.print(okOnly ? "\nPress RETURN: " : "\nButton: ");
        const auto line = session.nextLine();
        if (!line || *line == ed::Session::kCancelLine) {
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

} // namespace veld::ui
