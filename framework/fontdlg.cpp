#include "framework/fontdlg.h"

#include "framework/app.h"

CFontDialog::CFontDialog(LPLOGFONTA lplfInitial, DWORD dwFlags, HDC hdcPrinter, CWnd* pParentWnd)
    : m_cf{}, m_lf{}, m_lplfResult(lplfInitial), m_pParentWnd(pParentWnd) {
    if (lplfInitial) m_lf = *lplfInitial;
    m_cf.lStructSize = sizeof m_cf;
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
    m_cf.hDC = hdcPrinter;
}

INT_PTR CFontDialog::DoModal() {
    CWnd* pOwner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_cf.hwndOwner = pOwner ? pOwner->m_hWnd : nullptr;
    m_cf.lpLogFont = &m_lf;
    if (!::ChooseFontA(&m_cf)) return IDCANCEL;
    if (m_lplfResult) *m_lplfResult = m_lf;
    return IDOK;
}
