// CDialog: the modal loop over a template of the current resources, data exchange, OK and
// Cancel; and message boxes. The loop takes its actions from the session's dialog driver.
#include "host/ed/Session.h"
#include "host/ui/DialogDriver.h"
#include "host/ui/DialogForm.h"
#include "host/ui/DialogTranscript.h"
#include "host/ui/ResourceDirectory.h"

#include <iostream>

using veld::ed::Session;
namespace ui = veld::ui;

// ----- Data exchange

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND control = m_pDlgWnd != nullptr ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    if (control == nullptr) {
        // A page that names a control its template lacks: a programming error worth seeing.
        std::cerr << "dialog data exchange: no control " << nIDC << " in the dialog\n";
    }
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    return PrepareCtrl(nIDC);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != nullptr && ::IsWindow(rControl.m_hWnd)) {
        return; // bound already
    }
    if (HWND control = pDX->PrepareCtrl(nIDC)) {
        rControl.Attach(control);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND control = pDX->PrepareCtrl(nIDC);
    if (control == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    } else {
        ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value) {
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (control == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = ui::windowText(*control);
    } else {
        ::SetWindowTextA(control, value.c_str());
    }
}

// ----- CDialog

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    const ui::ResourceDirectory resources = ui::ResourceDirectory::current();
    const ui::DialogTemplate* dialog = resources.dialog(static_cast<int>(m_nIDHelp));
    if (dialog == nullptr) {
        ui::printNotFound(static_cast<int>(m_nIDHelp), resources.errors());
        return -1;
    }
    ui::DialogForm form(*dialog, resources.controlKeys(dialog->id), this);
    Attach(&form.window());
    if (OnInitDialog() != FALSE && !form.ended()) {
        ui::moveFocus(form.window(), form.firstTabStop());
    }
    const auto driver = ui::makeDialogDriver();
    driver->opened(form);
    while (!form.ended()) {
        driver->step(form);
    }
    driver->closed(form);
    Detach();
    return form.result();
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::EndDialog(int nResult) {
    if (::IsWindow(m_hWnd)) {
        m_hWnd->ended = true;
        m_hWnd->result = nResult;
    }
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    if (!::IsWindow(m_hWnd)) {
        return FALSE;
    }
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (pWndCtrl != nullptr && ::IsWindow(m_hWnd) && ::IsWindow(pWndCtrl->m_hWnd) &&
        pWndCtrl->m_hWnd->parent == m_hWnd) {
        ui::moveFocus(*m_hWnd, pWndCtrl->m_hWnd);
    }
}

void CDialog::OnOK() {
    if (UpdateData(TRUE) == FALSE) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange* /*pDX*/) {}

// ----- Message boxes

int AfxMessageBox(const std::string& text, UINT nType, UINT /*nIDHelp*/) {
    return ui::makeDialogDriver()->messageBox(text, nType);
}

int MessageBoxA(HWND /*hWnd*/, LPCSTR text, LPCSTR /*caption*/, UINT uType) {
    return AfxMessageBox(text != nullptr ? text : "", uType);
}
