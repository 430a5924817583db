// How dialogs appear on the command-line transcript.
#include "host/ui/DialogTranscript.h"

#include "host/ed/Session.h"

namespace veld::ui {

namespace {

void printLine(const std::string& line) {
    ed::Session::current().print("\n" + line);
}

std::string header(const DialogForm& form) {
    return "Dialog " + std::to_string(form.id()) + " \"" + form.caption() + "\"";
}

std::string buttonNames(unsigned int type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return "[OK] [Cancel]";
    case MB_ABORTRETRYIGNORE:
        return "[Abort] [Retry] [Ignore]";
    case MB_YESNOCANCEL:
        return "[Yes] [No] [Cancel]";
    case MB_YESNO:
        return "[Yes] [No]";
    case MB_RETRYCANCEL:
        return "[Retry] [Cancel]";
    default:
        return "[OK]";
    }
}

std::string entriesOf(const VeldWindow& combo) {
    std::string text = "  entries:";
    if (combo.list.count() == 0) {
        return text + " (none)";
    }
    for (int i = 0; i < combo.list.count(); ++i) {
        text += (i == 0 ? " \"" : ", \"") + *combo.list.at(i) + "\"";
    }
    return text;
}

} // namespace

std::vector<FieldState> snapshotFields(const DialogForm& form) {
    std::vector<FieldState> state;
    for (const VeldWindow* f : form.fields()) {
        state.push_back({f, fieldValue(*f), f->enabled});
    }
    return state;
}

std::string fieldValue(const VeldWindow& field) {
    if (field.kind == ControlKind::CheckBox || field.kind == ControlKind::RadioButton) {
        return field.check == BST_CHECKED         ? "on"
               : field.check == BST_INDETERMINATE ? "indeterminate"
                                                  : "off";
    }
    return "\"" + windowText(field) + "\"";
}

std::string fieldLine(const DialogForm& form, const VeldWindow& field) {
    std::string line = "  " + std::to_string(field.id);
    if (const std::string key = form.keyOf(field); !key.empty()) {
        line += " " + key;
    }
    if (const std::string label = form.labelOf(field); !label.empty()) {
        line += " " + label;
    }
    line += " = " + fieldValue(field);
    if (!field.enabled) {
        line += " (disabled)";
    }
    return line;
}

std::string resultName(int result) {
    switch (result) {
    case IDOK:
        return "OK";
    case IDCANCEL:
        return "Cancel";
    default:
        return std::to_string(result);
    }
}

void printOpened(const DialogForm& form) {
    printLine(header(form) + " opened");
    for (const VeldWindow* f : form.fields()) {
        printLine(fieldLine(form, *f));
    }
}

void printClosed(const DialogForm& form, bool withFields) {
    printLine(header(form) + " closed with " + resultName(form.result()));
    for (const VeldWindow* f : withFields ? form.fields() : std::vector<VeldWindow*>()) {
        printLine(fieldLine(form, *f));
    }
}

void printChanges(const DialogForm& form, const std::vector<FieldState>& before) {
    for (const FieldState& old : before) {
        if (!isLiveWindow(old.control)) {
            continue;
        }
        if (fieldValue(*old.control) != old.value || old.control->enabled != old.enabled) {
            printLine(fieldLine(form, *old.control));
        }
    }
}

void printNotFound(int dialogId, const std::vector<std::string>& resourceErrors) {
    printLine("Dialog " + std::to_string(dialogId) + " is not in the current resources");
    for (const auto& error : resourceErrors) {
        printLine("  " + error);
    }
}

void printMessageBox(const std::string& text, unsigned int type) {
    printLine("Message box: " + text + " " + buttonNames(type));
}

namespace {

void printTerminalCaption(const DialogForm& form) {
    printLine("=== " + form.caption() + " (dialog " + std::to_string(form.id()) + ") ===");
}

} // namespace

void printTerminalFormAgain(const DialogForm& form, const std::vector<std::string>& changedLines) {
    printTerminalCaption(form);
    for (const std::string& line : changedLines) {
        printLine(line);
    }
    printLine(changedLines.empty()
                  ? "  (the fields are as before; type show to see them all)"
                  : "  (the other fields are as before; type show to see them all)");
}

void printTerminalForm(const DialogForm& form) {
    printTerminalCaption(form);
    for (const VeldWindow* f : form.fields()) {
        std::string line = fieldLine(form, *f);
        if (isReadOnly(*f)) {
            line += " (read-only)";
        }
        if (f->kind == ControlKind::ComboBox) {
            line += entriesOf(*f);
        }
        printLine(line);
    }
    std::string buttons = "  buttons:";
    for (const VeldWindow* b : form.buttons()) {
        buttons += " " + std::to_string(b->id) + " \"" + b->text + "\"" +
                   (b->enabled ? "" : " (disabled)");
    }
    printLine(buttons);
    printLine(
        "Actions: set CONTROL TEXT | leave CONTROL | select CONTROL TEXT | check CONTROL on|off |"
        " click CONTROL | ok | cancel | show | help");
}

} // namespace veld::ui
