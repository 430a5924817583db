// CCmdTarget's message-map dispatch, CWnd and the control classes, and the Win32-style free
// functions on handles. Calls on handles that are not live windows do nothing.
#include "host/ui/Window.h"

using veld::ui::handleMessage;
using veld::ui::isLiveWindow;

namespace {

LRESULT send(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return isLiveWindow(hWnd) ? handleMessage(*hWnd, message, wParam, lParam) : 0;
}

LPARAM textArgument(const std::string& text) {
    return reinterpret_cast<LPARAM>(text.c_str());
}

// The object GetDlgItem hands out is of the control's class, so that the usual cast of its
// result to CEdit*, CComboBox* or CButton* is a valid one.
std::unique_ptr<CWnd> makeTemporary(veld::ui::ControlKind kind) {
    using veld::ui::ControlKind;
    switch (kind) {
    case ControlKind::Edit:
        return std::make_unique<CEdit>();
    case ControlKind::ComboBox:
        return std::make_unique<CComboBox>();
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::GroupBox:
        return std::make_unique<CButton>();
    default:
        return std::make_unique<CWnd>();
    }
}

} // namespace

// ----- CCmdTarget

CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode) {
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
            if (e->nMessage == WM_COMMAND && e->nCode == static_cast<UINT>(nCode) &&
                nID >= e->nID && nID <= e->nLastID) {
                (this->*(e->pfn))();
                return TRUE;
            }
        }
    }
    return FALSE;
}

// ----- CWnd

CWnd::~CWnd() {
    if (isLiveWindow(m_hWnd) && m_hWnd->permanent == this) {
        m_hWnd->permanent = nullptr;
    }
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!isLiveWindow(hWnd)) {
        return nullptr;
    }
    if (hWnd->permanent != nullptr) {
        return hWnd->permanent;
    }
    if (!hWnd->temporary) {
        hWnd->temporary = makeTemporary(hWnd->kind);
        hWnd->temporary->m_hWnd = hWnd;
    }
    return hWnd->temporary.get();
}

BOOL CWnd::Attach(HWND hWnd) {
    if (!isLiveWindow(hWnd) || (hWnd->permanent != nullptr && hWnd->permanent != this)) {
        return FALSE;
    }
    Detach();
    hWnd->permanent = this;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND previous = m_hWnd;
    if (isLiveWindow(previous) && previous->permanent == this) {
        previous->permanent = nullptr;
    }
    m_hWnd = nullptr;
    return previous;
}

int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}

CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

CWnd* CWnd::GetParent() const {
    return isLiveWindow(m_hWnd) ? FromHandle(m_hWnd->parent) : nullptr;
}

DWORD CWnd::GetStyle() const {
    return isLiveWindow(m_hWnd) ? m_hWnd->style : 0;
}

void CWnd::SetWindowText(const std::string& text) {
    send(m_hWnd, WM_SETTEXT, 0, textArgument(text));
}

int CWnd::GetWindowText(std::string& text) const {
    text = isLiveWindow(m_hWnd) ? veld::ui::windowText(*m_hWnd) : std::string();
    return static_cast<int>(text.size());
}

int CWnd::GetWindowTextLength() const {
    return static_cast<int>(send(m_hWnd, WM_GETTEXTLENGTH));
}

void CWnd::SetDlgItemText(int nID, const std::string& text) {
    send(::GetDlgItem(m_hWnd, nID), WM_SETTEXT, 0, textArgument(text));
}

int CWnd::GetDlgItemText(int nID, std::string& text) const {
    HWND item = ::GetDlgItem(m_hWnd, nID);
    text = item != nullptr ? veld::ui::windowText(*item) : std::string();
    return static_cast<int>(text.size());
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) {
    send(::GetDlgItem(m_hWnd, nIDButton), BM_SETCHECK, nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const {
    return static_cast<UINT>(send(::GetDlgItem(m_hWnd, nIDButton), BM_GETCHECK));
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}

CWnd* CWnd::SetFocus() {
    if (!isLiveWindow(m_hWnd) || m_hWnd->parent == nullptr) {
        return nullptr;
    }
    VeldWindow* dialog = m_hWnd->parent;
    VeldWindow* previous = dialog->focus;
    veld::ui::moveFocus(*dialog, m_hWnd);
    return previous != nullptr ? FromHandle(previous) : nullptr;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return send(m_hWnd, message, wParam, lParam);
}

// ----- Controls

BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
    return static_cast<BOOL>(send(m_hWnd, EM_SETREADONLY, bReadOnly));
}

int CButton::GetCheck() const {
    return static_cast<int>(send(m_hWnd, BM_GETCHECK));
}

void CButton::SetCheck(int nCheck) {
    send(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck));
}

UINT CButton::GetButtonStyle() const {
    return GetStyle() & 0xFF;
}

namespace {

WPARAM indexArgument(int index) {
    return static_cast<WPARAM>(static_cast<std::intptr_t>(index));
}

int comboResult(LRESULT result) {
    return static_cast<int>(result);
}

// Combo-box messages on a handle that is not a live window fail with CB_ERR.
LRESULT sendCombo(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return isLiveWindow(hWnd) ? handleMessage(*hWnd, message, wParam, lParam) : CB_ERR;
}

} // namespace

int CComboBox::GetCount() const {
    return comboResult(sendCombo(m_hWnd, CB_GETCOUNT));
}

int CComboBox::GetCurSel() const {
    return comboResult(sendCombo(m_hWnd, CB_GETCURSEL));
}

int CComboBox::SetCurSel(int nSelect) {
    return comboResult(sendCombo(m_hWnd, CB_SETCURSEL, indexArgument(nSelect)));
}

int CComboBox::GetLBText(int nIndex, std::string& text) const {
    text.clear();
    if (!isLiveWindow(m_hWnd) || m_hWnd->kind != veld::ui::ControlKind::ComboBox) {
        return CB_ERR;
    }
    const std::string* entry = m_hWnd->list.at(nIndex);
    if (entry == nullptr) {
        return CB_ERR;
    }
    text = *entry;
    return static_cast<int>(text.size());
}

int CComboBox::GetLBTextLen(int nIndex) const {
    return comboResult(sendCombo(m_hWnd, CB_GETLBTEXTLEN, indexArgument(nIndex)));
}

int CComboBox::AddString(const std::string& text) {
    return comboResult(sendCombo(m_hWnd, CB_ADDSTRING, 0, textArgument(text)));
}

int CComboBox::InsertString(int nIndex, const std::string& text) {
    return comboResult(
        sendCombo(m_hWnd, CB_INSERTSTRING, indexArgument(nIndex), textArgument(text)));
}

int CComboBox::DeleteString(UINT nIndex) {
    return comboResult(sendCombo(m_hWnd, CB_DELETESTRING, nIndex));
}

void CComboBox::ResetContent() {
    sendCombo(m_hWnd, CB_RESETCONTENT);
}

int CComboBox::FindString(int nStartAfter, const std::string& text) const {
    return comboResult(
        sendCombo(m_hWnd, CB_FINDSTRING, indexArgument(nStartAfter), textArgument(text)));
}

int CComboBox::FindStringExact(int nIndexStart, const std::string& text) const {
    return comboResult(
        sendCombo(m_hWnd, CB_FINDSTRINGEXACT, indexArgument(nIndexStart), textArgument(text)));
}

int CComboBox::SelectString(int nStartAfter, const std::string& text) {
    return comboResult(
        sendCombo(m_hWnd, CB_SELECTSTRING, indexArgument(nStartAfter), textArgument(text)));
}

// ----- Free functions

LRESULT SendMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= CB_ADDSTRING && message <= CB_FINDSTRINGEXACT) {
        return sendCombo(hWnd, message, wParam, lParam);
    }
    return send(hWnd, message, wParam, lParam);
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
    if (!isLiveWindow(hWnd)) {
        return FALSE;
    }
    const BOOL wasDisabled = hWnd->enabled ? FALSE : TRUE;
    hWnd->enabled = bEnable != FALSE;
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hWnd) {
    return isLiveWindow(hWnd) && hWnd->enabled ? TRUE : FALSE;
}

BOOL IsWindow(HWND hWnd) {
    return isLiveWindow(hWnd) ? TRUE : FALSE;
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem) {
    return isLiveWindow(hDlg) ? hDlg->child(nIDDlgItem) : nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
    return isLiveWindow(hWnd) && !hWnd->isDialog ? hWnd->id : 0;
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR text) {
    return isLiveWindow(hWnd) &&
                   handleMessage(*hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) == TRUE
               ? TRUE
               : FALSE;
}

int GetWindowTextA(HWND hWnd, LPSTR buffer, int nMaxCount) {
    if (nMaxCount <= 0) {
        return 0;
    }
    return static_cast<int>(
        send(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND hWnd) {
    return static_cast<int>(send(hWnd, WM_GETTEXTLENGTH));
}
