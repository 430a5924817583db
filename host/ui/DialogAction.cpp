// The actions taken on an open dialog: read from one line, carried out on the form through the
// notifications a real dialog would send.
#include "host/ui/DialogAction.h"

#include <algorithm>
#include <cctype>

namespace veld::ui {

namespace {

using Verb = DialogAction::Verb;
using Outcome = ActionResult::Outcome;

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// Splits off the first blank-separated word; `rest` keeps what follows the one blank after it.
std::string_view firstWord(std::string_view& rest) {
    const auto start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const auto end = rest.find(' ');
    const std::string_view word = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return word;
}

bool isBlank(std::string_view s) {
    return s.find_first_not_of(' ') == std::string_view::npos;
}

std::optional<Verb> verbOf(const std::string& word) {
    static const std::pair<const char*, Verb> verbs[] = {
        {"set", Verb::Set},       {"leave", Verb::Leave}, {"select", Verb::Select},
        {"check", Verb::Check},   {"click", Verb::Click}, {"ok", Verb::Ok},
        {"cancel", Verb::Cancel}, {"show", Verb::Show},   {"help", Verb::Help},
        {"?", Verb::Help},
    };
    for (const auto& [name, verb] : verbs) {
        if (word == name) {
            return verb;
        }
    }
    return std::nullopt;
}

std::string nameOf(const DialogForm& form, const VeldWindow& c) {
    const std::string key = form.keyOf(c);
    return key.empty() ? "Control " + std::to_string(c.id)
                       : "Control " + key + " (" + std::to_string(c.id) + ")";
}

ActionResult rejected(std::string message) {
    return {Outcome::Rejected, std::move(message)};
}
ActionResult wrong(const DialogForm& form, const VeldWindow& c, const std::string& what) {
    return {Outcome::WrongControl,
            nameOf(form, c) + " is a " + controlKindName(c.kind) + ": " + what};
}

ActionResult setText(DialogForm& form, VeldWindow& c, const std::string& text) {
    if (c.kind != ControlKind::Edit) {
        return wrong(form, c, "no text can be typed into it");
    }
    if (!c.enabled) {
        return rejected(nameOf(form, c) + " is disabled");
    }
    if (isReadOnly(c)) {
        return rejected(nameOf(form, c) + " is read-only");
    }
    form.clickInto(c);
    form.type(c, text);
    form.leaveFocus();
    return {};
}

ActionResult leave(DialogForm& form, VeldWindow& c) {
    if (c.kind != ControlKind::Edit && c.kind != ControlKind::ComboBox) {
        return wrong(form, c, "it is not a field");
    }
    if (!c.enabled) {
        return rejected(nameOf(form, c) + " is disabled");
    }
    form.clickInto(c);
    form.leaveFocus();
    return {};
}

ActionResult select(DialogForm& form, VeldWindow& c, const std::string& text) {
    if (c.kind != ControlKind::ComboBox) {
        return wrong(form, c, "it has no list");
    }
    if (!c.enabled) {
        return rejected(nameOf(form, c) + " is disabled");
    }
    const auto& items = c.list.items();
    const auto found = std::find(items.begin(), items.end(), text);
    if (found == items.end()) {
        return rejected(nameOf(form, c) + " has no entry \"" + text + "\"");
    }
    form.choose(c, static_cast<int>(found - items.begin()));
    return {};
}

ActionResult check(DialogForm& form, VeldWindow& c, bool on) {
    if (c.kind != ControlKind::CheckBox && c.kind != ControlKind::RadioButton) {
        return wrong(form, c, "it cannot be checked");
    }
    if (!c.enabled) {
        return rejected(nameOf(form, c) + " is disabled");
    }
    if ((c.check == BST_CHECKED) != on) {
        form.click(c);
    }
    return {};
}

ActionResult click(DialogForm& form, VeldWindow& c) {
    if (!c.enabled) {
        return rejected(nameOf(form, c) + " is disabled");
    }
    switch (c.kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        form.click(c);
        return {};
    case ControlKind::Edit:
    case ControlKind::ComboBox:
        form.clickInto(c);
        return {};
    default:
        return wrong(form, c, "clicking it does nothing");
    }
}

// OK and Cancel click their buttons; a dialog without the button gets the command as from the
// keyboard (Enter, Esc).
ActionResult closeButton(DialogForm& form, int id) {
    VeldWindow* button = form.control(id);
    if (button == nullptr) {
        id == IDOK ? form.pressEnter() : form.pressEscape();
        return {};
    }
    return click(form, *button);
}

} // namespace

std::optional<DialogAction> parseDialogAction(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    DialogAction action;
    if (!line.empty() && line.front() == ';') {
        action.verb = Verb::Comment;
        return action;
    }
    if (isBlank(line)) {
        action.verb = Verb::Enter;
        return action;
    }
    if (line == "^C") {
        action.verb = Verb::Escape;
        return action;
    }
    std::string_view rest = line;
    const auto verb = verbOf(lowerAscii(firstWord(rest)));
    if (!verb) {
        return std::nullopt;
    }
    action.verb = *verb;
    switch (*verb) {
    case Verb::Set:
    case Verb::Select:
        action.control = std::string(firstWord(rest));
        action.text = std::string(rest);
        return action.control.empty() ? std::nullopt : std::optional(action);
    case Verb::Leave:
    case Verb::Click:
        action.control = std::string(firstWord(rest));
        return action.control.empty() || !isBlank(rest) ? std::nullopt : std::optional(action);
    case Verb::Check: {
        action.control = std::string(firstWord(rest));
        const std::string state = lowerAscii(firstWord(rest));
        if (action.control.empty() || (state != "on" && state != "off") || !isBlank(rest)) {
            return std::nullopt;
        }
        action.on = state == "on";
        return action;
    }
    default:
        return isBlank(rest) ? std::optional(action) : std::nullopt;
    }
}

ActionResult applyDialogAction(DialogForm& form, const DialogAction& action) {
    switch (action.verb) {
    case Verb::Ok:
        return closeButton(form, IDOK);
    case Verb::Cancel:
        return closeButton(form, IDCANCEL);
    case Verb::Enter:
        form.pressEnter();
        return {};
    case Verb::Escape:
        form.pressEscape();
        return {};
    case Verb::Comment:
    case Verb::Show:
    case Verb::Help:
        return {};
    default:
        break;
    }
    VeldWindow* c = form.find(action.control);
    if (c == nullptr) {
        return {Outcome::UnknownControl, "no control " + action.control};
    }
    switch (action.verb) {
    case Verb::Set:
        return setText(form, *c, action.text);
    case Verb::Leave:
        return leave(form, *c);
    case Verb::Select:
        return select(form, *c, action.text);
    case Verb::Check:
        return check(form, *c, action.on);
    default:
        return click(form, *c);
    }
}

} // namespace veld::ui
