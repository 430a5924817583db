// The host-side record behind an HWND: a dialog or one of its controls, with its text, state,
// list entries and the CWnd objects bound to it; plus the notifications a control sends.
#pragma once
#include "afxwin.h"
#include "host/ui/ComboList.h"
#include "host/ui/DialogTemplate.h"

#include <memory>
#include <string>
#include <vector>

struct VeldWindow {
    VeldWindow* parent = nullptr; // the dialog of a control; null for a dialog
    bool isDialog = false;
    veld::ui::ControlKind kind = veld::ui::ControlKind::Other;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    veld::ui::Rect rect;
    std::string text; // caption, edit contents, button or static text
    bool enabled = true;
    int check = BST_UNCHECKED;
    veld::ui::ComboList list;

    CWnd* permanent = nullptr;       // the object bound by Attach / DDX_Control
    std::unique_ptr<CWnd> temporary; // what GetDlgItem hands out when none is bound

    // A dialog's own state.
    CDialog* owner = nullptr;
    std::vector<std::unique_ptr<VeldWindow>> children;
    VeldWindow* focus = nullptr;
    bool ended = false;
    int result = IDCANCEL;

    VeldWindow();
    ~VeldWindow();
    VeldWindow(const VeldWindow&) = delete;
    VeldWindow& operator=(const VeldWindow&) = delete;

    VeldWindow* child(int childId) const;
};

namespace veld::ui {

// Whether `window` is a record that exists now (handles of closed dialogs do not).
bool isLiveWindow(const VeldWindow* window);

// What GetWindowText gives: a drop-down list shows its selected entry.
std::string windowText(const VeldWindow& window);
bool isDropDownList(const VeldWindow& window);
bool isReadOnly(const VeldWindow& window);
// A check box or radio button that changes its own state when clicked.
bool isAutomaticButton(const VeldWindow& window);
// Controls a person can give the keyboard focus to.
bool takesFocus(const VeldWindow& window);

// Sends WM_COMMAND (control id, code) to the control's dialog, whose message map runs.
void notifyParent(const VeldWindow& control, UINT code);
// Moves the dialog's focus: the control losing it is told first, then the one gaining it
// (null: no control keeps the focus).
void moveFocus(VeldWindow& dialog, VeldWindow* to);

// The window procedure: what each kind of window does with a message.
LRESULT handleMessage(VeldWindow& window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace veld::ui
