// The window procedure of the framework's windows: what a dialog, an edit, a combo box and a
// button do with the messages module code sends them.
#include "host/ui/Window.h"

#include <algorithm>
#include <cstring>

namespace veld::ui {

namespace {

const char* textParameter(LPARAM lParam) {
    return reinterpret_cast<const char*>(lParam);
}

LRESULT copyText(const std::string& text, WPARAM size, LPARAM lParam) {
    char* buffer = reinterpret_cast<char*>(lParam);
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<LRESULT>(count);
}

LRESULT setText(VeldWindow& window, const char* text) {
    const std::string value = text != nullptr ? text : "";
    if (isDropDownList(window)) {
        // A drop-down list shows only its entries: the text selects the entry that has it.
        const int index = window.list.findExact(-1, value);
        if (index == CB_ERR) {
            return CB_ERR;
        }
        window.list.select(index);
        return TRUE;
    }
    window.text = value;
    if (window.kind == ControlKind::Edit) {
        notifyParent(window, EN_UPDATE);
        notifyParent(window, EN_CHANGE);
    }
    return TRUE;
}

// Keeps an editable combo box's text on its selected entry.
void showSelection(VeldWindow& combo) {
    if (!isDropDownList(combo) && combo.list.selection() != CB_ERR) {
        combo.text = combo.list.selectedText();
    }
}

LRESULT comboMessage(VeldWindow& combo, UINT message, WPARAM wParam, LPARAM lParam) {
    ComboList& list = combo.list;
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    switch (message) {
    case CB_ADDSTRING:
        return textParameter(lParam) != nullptr ? list.add(textParameter(lParam)) : CB_ERR;
    case CB_INSERTSTRING:
        return textParameter(lParam) != nullptr ? list.insert(index, textParameter(lParam))
                                                : CB_ERR;
    case CB_DELETESTRING:
        return list.remove(index);
    case CB_RESETCONTENT:
        list.clear();
        if (!isDropDownList(combo)) {
            combo.text.clear();
        }
        return 0;
    case CB_GETCOUNT:
        return list.count();
    case CB_GETCURSEL:
        return list.selection();
    case CB_SETCURSEL: {
        const int result = list.select(index);
        showSelection(combo);
        return result;
    }
    case CB_GETLBTEXTLEN:
        return list.at(index) != nullptr ? static_cast<LRESULT>(list.at(index)->size()) : CB_ERR;
    case CB_GETLBTEXT: {
        // As in Win32 the caller's buffer must hold CB_GETLBTEXTLEN bytes and a NUL.
        const std::string* text = list.at(index);
        if (text == nullptr || lParam == 0) {
            return CB_ERR;
        }
        std::memcpy(reinterpret_cast<char*>(lParam), text->c_str(), text->size() + 1);
        return static_cast<LRESULT>(text->size());
    }
    case CB_FINDSTRING:
        return textParameter(lParam) != nullptr ? list.findPrefix(index, textParameter(lParam))
                                                : CB_ERR;
    case CB_FINDSTRINGEXACT:
        return textParameter(lParam) != nullptr ? list.findExact(index, textParameter(lParam))
                                                : CB_ERR;
    case CB_SELECTSTRING: {
        if (textParameter(lParam) == nullptr) {
            return CB_ERR;
        }
        const int result = list.selectPrefix(index, textParameter(lParam));
        showSelection(combo);
        return result;
    }
    default:
        return CB_ERR;
    }
}

LRESULT buttonMessage(VeldWindow& button, UINT message, WPARAM wParam) {
    switch (message) {
    case BM_GETCHECK:
        return button.check;
    case BM_SETCHECK:
        button.check =
            static_cast<int>(wParam) == BST_CHECKED || static_cast<int>(wParam) == BST_INDETERMINATE
                ? static_cast<int>(wParam)
                : BST_UNCHECKED;
        return 0;
    case BM_CLICK:
        if (button.enabled && button.parent != nullptr) {
            moveFocus(*button.parent, &button);
            if (isAutomaticButton(button)) {
                button.check = button.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
            }
            notifyParent(button, BN_CLICKED);
        }
        return 0;
    default:
        return 0;
    }
}

} // namespace

LRESULT handleMessage(VeldWindow& window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        return setText(window, textParameter(lParam));
    case WM_GETTEXT:
        return copyText(windowText(window), wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(windowText(window).size());
    case WM_COMMAND:
        if (window.isDialog && window.owner != nullptr) {
            window.owner->OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
        }
        return 0;
    case EM_SETREADONLY:
        if (window.kind == ControlKind::Edit) {
            window.style =
                wParam != 0 ? (window.style | ES_READONLY) : (window.style & ~ES_READONLY);
            return TRUE;
        }
        return FALSE;
    default:
        break;
    }
    if (message >= CB_ADDSTRING && message <= CB_FINDSTRINGEXACT) {
        // Combo-box messages sent to anything else fail plainly instead of looking successful.
        return window.kind == ControlKind::ComboBox ? comboMessage(window, message, wParam, lParam)
                                                    : CB_ERR;
    }
    if (message >= BM_GETCHECK && message <= BM_CLICK) {
        return buttonMessage(window, message, wParam);
    }
    return 0;
}

} // namespace veld::ui
