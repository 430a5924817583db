// MFC-shaped window, control and dialog classes for the module's property pages, implemented by
// the host's dialog framework (host/ui). Texts are UTF-8 std::string; handles are opaque.
#pragma once
#include "afxmodule.h"
#include "windef.h"

#include <cstdint>
#include <string>

// ---------------------------------------------------------------------------------------------
// Handles, messages and constants (the Win32 values)

struct VeldWindow; // host-side record of a dialog or control
using HWND = VeldWindow*;
using UINT_PTR = std::uintptr_t;
using WORD = std::uint16_t;

#define MAKEWPARAM(low, high)                                                                      \
    (static_cast<WPARAM>((static_cast<std::uint32_t>(static_cast<WORD>(low))) |                    \
                         (static_cast<std::uint32_t>(static_cast<WORD>(high)) << 16)))
#define LOWORD(value) (static_cast<WORD>(static_cast<std::uintptr_t>(value) & 0xFFFF))
#define HIWORD(value) (static_cast<WORD>((static_cast<std::uintptr_t>(value) >> 16) & 0xFFFF))

// Window messages
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111

// Combo-box messages and results
#define CB_ERR (-1)
#define CB_ERRSPACE (-2)
#define CB_ADDSTRING 0x0143
#define CB_DELETESTRING 0x0144
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_GETLBTEXT 0x0148
#define CB_GETLBTEXTLEN 0x0149
#define CB_INSERTSTRING 0x014A
#define CB_RESETCONTENT 0x014B
#define CB_FINDSTRING 0x014C
#define CB_SELECTSTRING 0x014D
#define CB_SETCURSEL 0x014E
#define CB_FINDSTRINGEXACT 0x0158

// Button messages and states
#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BM_CLICK 0x00F5
#define BST_UNCHECKED 0
#define BST_CHECKED 1
#define BST_INDETERMINATE 2

// Edit messages
#define EM_SETREADONLY 0x00CF

// Notification codes (the high word of WM_COMMAND's wParam)
#define BN_CLICKED 0
#define BN_SETFOCUS 6
#define BN_KILLFOCUS 7
#define EN_SETFOCUS 0x0100
#define EN_KILLFOCUS 0x0200
#define EN_CHANGE 0x0300
#define EN_UPDATE 0x0400
#define CBN_SELCHANGE 1
#define CBN_DBLCLK 2
#define CBN_SETFOCUS 3
#define CBN_KILLFOCUS 4
#define CBN_EDITCHANGE 5
#define CBN_EDITUPDATE 6
#define CBN_DROPDOWN 7
#define CBN_CLOSEUP 8
#define CBN_SELENDOK 9
#define CBN_SELENDCANCEL 10

// Dialog results, message-box buttons and icons
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDC_STATIC (-1)
#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_TYPEMASK 0x0000000Fu
#define MB_ICONHAND 0x00000010u
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONASTERISK 0x00000040u
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK

// Window and control styles (as the resource scripts name them)
#define WS_POPUP 0x80000000u
#define WS_CHILD 0x40000000u
#define WS_VISIBLE 0x10000000u
#define WS_DISABLED 0x08000000u
#define WS_CAPTION 0x00C00000u
#define WS_BORDER 0x00800000u
#define WS_DLGFRAME 0x00400000u
#define WS_VSCROLL 0x00200000u
#define WS_HSCROLL 0x00100000u
#define WS_SYSMENU 0x00080000u
#define WS_GROUP 0x00020000u
#define WS_TABSTOP 0x00010000u
#define WS_EX_CLIENTEDGE 0x00000200u
#define WS_EX_STATICEDGE 0x00020000u
#define DS_SETFONT 0x0040u
#define DS_MODALFRAME 0x0080u
#define DS_3DLOOK 0x0004u
#define DS_FIXEDSYS 0x0008u
#define DS_CENTER 0x0800u
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)
#define ES_LEFT 0x0000u
#define ES_CENTER 0x0001u
#define ES_RIGHT 0x0002u
#define ES_MULTILINE 0x0004u
#define ES_UPPERCASE 0x0008u
#define ES_LOWERCASE 0x0010u
#define ES_PASSWORD 0x0020u
#define ES_AUTOVSCROLL 0x0040u
#define ES_AUTOHSCROLL 0x0080u
#define ES_NOHIDESEL 0x0100u
#define ES_READONLY 0x0800u
#define ES_WANTRETURN 0x1000u
#define ES_NUMBER 0x2000u
#define CBS_SIMPLE 0x0001u
#define CBS_DROPDOWN 0x0002u
#define CBS_DROPDOWNLIST 0x0003u
#define CBS_AUTOHSCROLL 0x0040u
#define CBS_SORT 0x0100u
#define CBS_HASSTRINGS 0x0200u
#define CBS_NOINTEGRALHEIGHT 0x0400u
#define CBS_DISABLENOSCROLL 0x0800u
#define BS_PUSHBUTTON 0x0000u
#define BS_DEFPUSHBUTTON 0x0001u
#define BS_CHECKBOX 0x0002u
#define BS_AUTOCHECKBOX 0x0003u
#define BS_RADIOBUTTON 0x0004u
#define BS_3STATE 0x0005u
#define BS_AUTO3STATE 0x0006u
#define BS_GROUPBOX 0x0007u
#define BS_AUTORADIOBUTTON 0x0009u
#define BS_TYPEMASK 0x000Fu
#define BS_LEFTTEXT 0x0020u
#define BS_NOTIFY 0x4000u
#define SS_LEFT 0x0000u
#define SS_CENTER 0x0001u
#define SS_RIGHT 0x0002u
#define SS_ICON 0x0003u
#define SS_BLACKFRAME 0x0007u
#define SS_ETCHEDFRAME 0x0012u
#define SS_BITMAP 0x000Eu
#define SS_TYPEMASK 0x001Fu
#define SS_NOTIFY 0x0100u
#define SS_CENTERIMAGE 0x0200u
#define SS_REALSIZEIMAGE 0x0800u
#define SS_SUNKEN 0x1000u

// ---------------------------------------------------------------------------------------------
// Message maps: tables from (notification, control id) to a handler `void Class::Handler()`.
// Handlers are named as `&Class::Handler`, as in ON_EN_KILLFOCUS(1032, &MyPage::OnBottom).

#define afx_msg

class CCmdTarget;
using AFX_PMSG = void (CCmdTarget::*)();

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // WM_COMMAND; 0 ends the table
    UINT nCode;    // notification code
    UINT nID;      // first control id of the entry
    UINT nLastID;  // last control id of the entry
    UINT_PTR nSig; // handler signature (void () only)
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define AfxSig_end 0
#define AfxSigCmd_v 1

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, AfxSig_end, static_cast<AFX_PMSG>(nullptr) }                                     \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

#define ON_CONTROL(code, id, memberFxn)                                                            \
    {WM_COMMAND,                                                                                   \
     static_cast<UINT>(code),                                                                      \
     static_cast<UINT>(id),                                                                        \
     static_cast<UINT>(id),                                                                        \
     AfxSigCmd_v,                                                                                  \
     static_cast<AFX_PMSG>(static_cast<void (ThisClass::*)()>(memberFxn))},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)

// ---------------------------------------------------------------------------------------------
// Classes

// Receives commands through its class's message map and its bases' maps.
class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget();
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Runs the handler mapped to (nCode, nID), most derived class first. FALSE when none is.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// A window: a dialog or one of its controls. Every call on a CWnd without a live window does
// nothing and returns 0 / FALSE / an empty text.
class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object bound to the window (or a temporary one owned by the window).
    static CWnd* FromHandle(HWND hWnd);
    BOOL Attach(HWND hWnd);
    HWND Detach();

    int GetDlgCtrlID() const;
    // The control's window object: the one bound to it, else one of the control's class
    // (CEdit, CComboBox, CButton) owned by the dialog while it is open.
    CWnd* GetDlgItem(int nID) const;
    CWnd* GetParent() const;
    DWORD GetStyle() const;

    void SetWindowText(const std::string& text);
    // The window's text: an edit's contents, a drop-down list's selected entry, a caption.
    int GetWindowText(std::string& text) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, const std::string& text);
    int GetDlgItemText(int nID, std::string& text) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;

    // Returns nonzero when the window was disabled before the call.
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    // Gives the keyboard focus to this control; returns the control that had it (or null).
    CWnd* SetFocus();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
};

class CEdit : public CWnd {
public:
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
};

class CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int nCheck);
    UINT GetButtonStyle() const;
};

// A combo box. With CBS_SORT, added entries go to their sorted place: the framework compares
// the UTF-8 bytes with ASCII letters folded to one case (Windows compares locale-aware), so
// Japanese entries sort in code-point order.
class CComboBox : public CWnd {
public:
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetLBText(int nIndex, std::string& text) const;
    int GetLBTextLen(int nIndex) const;
    int AddString(const std::string& text);
    int InsertString(int nIndex, const std::string& text);
    int DeleteString(UINT nIndex);
    void ResetContent();
    // Case-insensitive prefix search after nStartAfter, wrapping round (-1: the whole list).
    int FindString(int nStartAfter, const std::string& text) const;
    int FindStringExact(int nIndexStart, const std::string& text) const;
    // As FindString, and selects the entry found; CB_ERR keeps the selection.
    int SelectString(int nStartAfter, const std::string& text);
};

class CDialog;

// Moves data between a dialog's controls and its members (see DDX_* below).
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
    BOOL m_bSaveAndValidate; // TRUE: controls -> members; FALSE: members -> controls
    CWnd* m_pDlgWnd;
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
};

// Binds a control of the dialog to a member object (once, while the dialog is open).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// A check box's state (0, 1, 2) to or from an int.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// An edit's text to or from a string.
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);

// A modal dialog built from a dialog template of the current resource handle.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Shows the dialog until it ends: IDOK, IDCANCEL (or the value given to EndDialog), or -1
    // when the template is not in the current resources.
    virtual INT_PTR DoModal();
    // Base: transfers the members into the controls. TRUE puts the focus on the first control
    // that takes it; FALSE when the handler has set the focus itself.
    virtual BOOL OnInitDialog();
    void EndDialog(int nResult);
    // Runs DoDataExchange; TRUE when the transfer succeeded.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void GotoDlgCtrl(CWnd* pWndCtrl);

    UINT m_nIDHelp; // the template id
    CWnd* m_pParentWnd;

protected:
    // Base: UpdateData(TRUE), then EndDialog(IDOK).
    virtual void OnOK();
    // Base: EndDialog(IDCANCEL).
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------------------------
// Free functions

LRESULT SendMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
BOOL IsWindowEnabled(HWND hWnd);
BOOL IsWindow(HWND hWnd);
HWND GetDlgItem(HWND hDlg, int nIDDlgItem);
int GetDlgCtrlID(HWND hWnd);
BOOL SetWindowTextA(HWND hWnd, LPCSTR text);
// Copies at most nMaxCount - 1 bytes and a NUL; returns the bytes copied.
int GetWindowTextA(HWND hWnd, LPSTR buffer, int nMaxCount);
int GetWindowTextLengthA(HWND hWnd);

// Shows a message box on the command line; a script dismisses an MB_OK box by its only button.
int AfxMessageBox(const std::string& text, UINT nType = MB_OK, UINT nIDHelp = 0);
int MessageBoxA(HWND hWnd, LPCSTR text, LPCSTR caption, UINT uType);
