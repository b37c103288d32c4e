// CFontDialog: the system's font dialog on a copy of the caller's font.
#pragma once

#include "framework/wnd.h"

#include <commdlg.h>

class CFontDialog {
public:
    // lplfInitial: the font the dialog starts from (with CF_INITTOLOGFONTSTRUCT)
    // and, when the user accepts one, receives the chosen font.
    explicit CFontDialog(LPLOGFONTA lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         HDC hdcPrinter = nullptr, CWnd* pParentWnd = nullptr);
    CFontDialog(const CFontDialog&) = delete;
    CFontDialog& operator=(const CFontDialog&) = delete;

    // IDOK when the user accepted a font, IDCANCEL otherwise. Without a
    // parent the dialog belongs to the application's main window.
    INT_PTR DoModal();

    CHOOSEFONTA m_cf;  // the dialog's settings, ready to adjust before DoModal
    LOGFONTA m_lf;     // the font the dialog works on

private:
    LPLOGFONTA m_lplfResult;
    CWnd* m_pParentWnd;
};
