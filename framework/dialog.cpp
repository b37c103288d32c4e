#include "framework/dialog.h"

#include "framework/app.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    fw::Command<&CDialog::OnOK>(IDOK),
    fw::Command<&CDialog::OnCancel>(IDCANCEL),
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
    // Everything but the first message reaches the dialog object through its
    // subclassed window procedure before the system's dialog procedure.
    if (message != WM_INITDIALOG) return FALSE;
    auto* pDlg = static_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    return pDlg ? pDlg->OnInitDialog() : TRUE;
}

INT_PTR CDialog::DoModal() {
    HWND hWndOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!hWndOwner) {
        CWnd* pMain = AfxGetMainWnd();
        hWndOwner = pMain ? pMain->m_hWnd : ::GetActiveWindow();
    }
    HookWindowCreate(this);
    const INT_PTR result = ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate),
                                             hWndOwner, &CDialog::DialogProc, 0);
    UnhookWindowCreate();
    return result;
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

BOOL CDialog::OnInitDialog() { return TRUE; }
void CDialog::OnOK() { EndDialog(IDOK); }
void CDialog::OnCancel() { EndDialog(IDCANCEL); }
