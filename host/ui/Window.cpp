// The host-side record behind an HWND, the registry of live windows, and the notifications a
// control sends to its dialog.
#include "host/ui/Window.h"

#include <unordered_set>

namespace veld::ui {

namespace {

std::unordered_set<const VeldWindow*>& liveWindows() {
    static std::unordered_set<const VeldWindow*> windows;
    return windows;
}

UINT focusCode(const VeldWindow& control, bool gained) {
    switch (control.kind) {
    case ControlKind::Edit:
        return gained ? EN_SETFOCUS : EN_KILLFOCUS;
    case ControlKind::ComboBox:
        return gained ? CBN_SETFOCUS : CBN_KILLFOCUS;
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        // Buttons report focus changes only when they ask for notifications.
        if ((control.style & BS_NOTIFY) != 0) {
            return gained ? BN_SETFOCUS : BN_KILLFOCUS;
        }
        return 0xFFFF;
    default:
        return 0xFFFF;
    }
}

} // namespace

bool isLiveWindow(const VeldWindow* window) {
    return window != nullptr && liveWindows().count(window) != 0;
}

std::string windowText(const VeldWindow& window) {
    if (isDropDownList(window)) {
        return window.list.selectedText();
    }
    return window.text;
}

bool isDropDownList(const VeldWindow& window) {
    return window.kind == ControlKind::ComboBox && (window.style & 0x3) == CBS_DROPDOWNLIST;
}

bool isReadOnly(const VeldWindow& window) {
    return window.kind == ControlKind::Edit && (window.style & ES_READONLY) != 0;
}

bool isAutomaticButton(const VeldWindow& window) {
    const DWORD type = window.style & BS_TYPEMASK;
    return type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
}

bool takesFocus(const VeldWindow& window) {
    switch (window.kind) {
    case ControlKind::Edit:
    case ControlKind::ComboBox:
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        return window.enabled;
    default:
        return false;
    }
}

void notifyParent(const VeldWindow& control, UINT code) {
    VeldWindow* dialog = control.parent;
    if (dialog == nullptr || !isLiveWindow(dialog)) {
        return;
    }
    handleMessage(*dialog, WM_COMMAND, MAKEWPARAM(control.id, code),
                  reinterpret_cast<LPARAM>(&control));
}

void moveFocus(VeldWindow& dialog, VeldWindow* to) {
    VeldWindow* from = dialog.focus;
    if (from == to) {
        return;
    }
    dialog.focus = to;
    if (from != nullptr) {
        if (const UINT code = focusCode(*from, false); code != 0xFFFF) {
            notifyParent(*from, code);
        }
    }
    // A handler of the focus loss may have moved the focus elsewhere; then it stays there.
    if (to != nullptr && dialog.focus == to && isLiveWindow(to)) {
        if (const UINT code = focusCode(*to, true); code != 0xFFFF) {
            notifyParent(*to, code);
        }
    }
}

} // namespace veld::ui

VeldWindow::VeldWindow() {
    veld::ui::liveWindows().insert(this);
}

VeldWindow::~VeldWindow() {
    veld::ui::liveWindows().erase(this);
    if (permanent != nullptr) {
        permanent->m_hWnd = nullptr; // the bound object outlives the window
    }
    children.clear();
}

VeldWindow* VeldWindow::child(int childId) const {
    for (const auto& c : children) {
        if (c->id == childId) {
            return c.get();
        }
    }
    return nullptr;
}
