// An open dialog: its window records, the key and label of each control, and a person's actions
// on it, each sending the notifications a real dialog sends.
#include "host/ui/DialogForm.h"

#include "host/ui/ControlLabels.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace veld::ui {

namespace {

std::string upperAscii(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

std::unique_ptr<VeldWindow> createControl(const ControlTemplate& c, VeldWindow* dialog) {
    auto w = std::make_unique<VeldWindow>();
    w->parent = dialog;
    w->kind = c.kind;
    w->id = c.id;
    w->style = c.style;
    w->exStyle = c.exStyle;
    w->rect = c.rect;
    w->text = c.text;
    w->enabled = (c.style & WS_DISABLED) == 0;
    w->list = ComboList((c.style & CBS_SORT) != 0);
    return w;
}

} // namespace

DialogForm::DialogForm(const DialogTemplate& dialog, const std::map<std::string, int>& controlKeys,
                       CDialog* owner)
    : id_(dialog.id), root_(std::make_unique<VeldWindow>()), labels_(controlLabels(dialog)) {
    root_->isDialog = true;
    root_->id = dialog.id;
    root_->style = dialog.style;
    root_->exStyle = dialog.exStyle;
    root_->rect = dialog.rect;
    root_->text = dialog.caption;
    root_->owner = owner;
    for (const auto& c : dialog.controls) {
        root_->children.push_back(createControl(c, root_.get()));
    }
    for (const auto& [key, controlId] : controlKeys) {
        keysById_.emplace(controlId, key); // the first key of a control names it
        idsByKey_[upperAscii(key)] = controlId;
    }
}

DialogForm::~DialogForm() = default;

void DialogForm::forceEnd(int result) {
    root_->ended = true;
    root_->result = result;
}

VeldWindow* DialogForm::find(std::string_view name) const {
    int number = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
    if (error == std::errc() && end == name.data() + name.size()) {
        return number >= 0 ? control(number) : nullptr; // IDC_STATIC names no control
    }
    const auto found = idsByKey_.find(upperAscii(name));
    return found != idsByKey_.end() ? control(found->second) : nullptr;
}

std::string DialogForm::keyOf(const VeldWindow& c) const {
    const auto found = keysById_.find(c.id);
    return found != keysById_.end() ? found->second : std::string();
}

std::string DialogForm::labelOf(const VeldWindow& c) const {
    for (std::size_t i = 0; i < root_->children.size(); ++i) {
        if (root_->children[i].get() == &c) {
            return labels_[i];
        }
    }
    return std::string();
}

std::vector<VeldWindow*> DialogForm::fields() const {
    std::vector<VeldWindow*> result;
    for (const auto& c : root_->children) {
        if (c->kind == ControlKind::Edit || c->kind == ControlKind::ComboBox ||
            c->kind == ControlKind::CheckBox || c->kind == ControlKind::RadioButton) {
            result.push_back(c.get());
        }
    }
    return result;
}

std::vector<VeldWindow*> DialogForm::buttons() const {
    std::vector<VeldWindow*> result;
    for (const auto& c : root_->children) {
        if (c->kind == ControlKind::PushButton) {
            result.push_back(c.get());
        }
    }
    return result;
}

void DialogForm::clickInto(VeldWindow& control) {
    moveFocus(*root_, &control);
}

void DialogForm::leaveFocus() {
    moveFocus(*root_, nullptr);
}

void DialogForm::type(VeldWindow& edit, const std::string& text) {
    if (edit.text == text) {
        return; // typing the same text over a selection changes nothing in the end
    }
    edit.text = text;
    notifyParent(edit, EN_UPDATE);
    notifyParent(edit, EN_CHANGE);
}

// Choosing from the dropped list: the list opens, the selection changes, the list closes.
void DialogForm::choose(VeldWindow& combo, int index) {
    clickInto(combo);
    notifyParent(combo, CBN_DROPDOWN);
    combo.list.select(index);
    if (!isDropDownList(combo)) {
        combo.text = combo.list.selectedText();
    }
    notifyParent(combo, CBN_SELCHANGE);
    notifyParent(combo, CBN_SELENDOK);
    notifyParent(combo, CBN_CLOSEUP);
}

void DialogForm::click(VeldWindow& button) {
    handleMessage(button, BM_CLICK, 0, 0);
}

// Enter presses the focused push button, else the default one; the focus does not move.
void DialogForm::pressEnter() {
    VeldWindow* focus = root_->focus;
    const int command =
        focus != nullptr && focus->kind == ControlKind::PushButton ? focus->id : defaultCommand();
    handleMessage(*root_, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
}

void DialogForm::pressEscape() {
    handleMessage(*root_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

int DialogForm::defaultCommand() const {
    for (const auto& c : root_->children) {
        if (c->kind == ControlKind::PushButton && (c->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            return c->id;
        }
    }
    return IDOK;
}

VeldWindow* DialogForm::firstTabStop() const {
    for (const auto& c : root_->children) {
        if ((c->style & WS_TABSTOP) != 0 && takesFocus(*c)) {
            return c.get();
        }
    }
    return nullptr;
}

} // namespace veld::ui
