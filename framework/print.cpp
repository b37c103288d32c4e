// Printing: the printer the application keeps, the print and printer set-up
// dialogs, and a view's print job from the dialog to the spooler.
#include "framework/print.h"

#include "framework/afxres.h"
#include "framework/app.h"
#include "framework/doc.h"
#include "framework/gdi.h"
#include "framework/preview.h"
#include "framework/view.h"

#include <algorithm>
#include <string>

CPrintInfo::CPrintInfo() {
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = PD_ALLPAGES | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION | PD_HIDEPRINTTOFILE;
    m_pd.nCopies = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = kUnknownMaxPage;
    m_pd.nFromPage = 1;
    m_pd.nToPage = kUnknownMaxPage;
}

CPrintInfo::~CPrintInfo() {
    if (m_pd.hDC) ::DeleteDC(m_pd.hDC);
}

UINT CPrintInfo::GetFromPage() const {
    return (m_pd.Flags & PD_PAGENUMS) ? std::max<UINT>(m_pd.nFromPage, m_pd.nMinPage) : m_pd.nMinPage;
}

UINT CPrintInfo::GetToPage() const {
    return (m_pd.Flags & PD_PAGENUMS) ? std::min<UINT>(m_pd.nToPage, m_pd.nMaxPage) : m_pd.nMaxPage;
}

BOOL CWinApp::GetPrinterDeviceDefaults() {
    if (m_hDevNames) return TRUE;
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT | PD_NOWARNING;
    if (!::PrintDlgA(&pd)) return FALSE;
    m_hDevMode.reset(pd.hDevMode);
    m_hDevNames.reset(pd.hDevNames);
    return m_hDevNames ? TRUE : FALSE;
}

HDC CWinApp::CreatePrinterDC() {
    if (!GetPrinterDeviceDefaults()) return nullptr;
    const auto* names = static_cast<const DEVNAMES*>(::GlobalLock(m_hDevNames.get()));
    if (!names) return nullptr;
    const auto* base = reinterpret_cast<const char*>(names);
    const auto* mode = m_hDevMode ? static_cast<const DEVMODEA*>(::GlobalLock(m_hDevMode.get())) : nullptr;
    HDC hDC = ::CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
    if (mode) ::GlobalUnlock(m_hDevMode.get());
    ::GlobalUnlock(m_hDevNames.get());
    return hDC;
}

INT_PTR CWinApp::DoPrintDialog(PRINTDLGA* pPD) {
    pPD->hwndOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    // The dialog may free and replace the blocks it is given.
    pPD->hDevMode = m_hDevMode.release();
    pPD->hDevNames = m_hDevNames.release();
    const BOOL bOK = ::PrintDlgA(pPD);
    m_hDevMode.reset(pPD->hDevMode);
    m_hDevNames.reset(pPD->hDevNames);
    pPD->hDevMode = nullptr;
    pPD->hDevNames = nullptr;
    return bOK ? IDOK : IDCANCEL;
}

void CWinApp::OnFilePrintSetup() {
    if (!GetPrinterDeviceDefaults()) {
        AfxMessageBox(AFX_IDP_NO_PRINTER);
        return;
    }
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_PRINTSETUP;
    DoPrintDialog(&pd);
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }
void CView::OnBeginPrinting(HDC, CPrintInfo*) {}
void CView::OnEndPrinting(HDC, CPrintInfo*) {}
void CView::OnPrint(HDC hDC, CPrintInfo*) { OnDraw(hDC); }

void CView::OnPrepareDC(HDC, CPrintInfo* pInfo) {
    // A view that does not count its pages prints one.
    if (pInfo->GetMaxPage() == CPrintInfo::kUnknownMaxPage) pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !pApp->GetPrinterDeviceDefaults()) {
        AfxMessageBox(AFX_IDP_NO_PRINTER);
        return FALSE;
    }
    if (pInfo->m_bDirect || pInfo->m_bPreview) {
        pInfo->m_pd.hDC = pApp->CreatePrinterDC();
    } else {
        pInfo->m_pd.Flags |= PD_RETURNDC;
        if (pApp->DoPrintDialog(&pInfo->m_pd) != IDOK) return FALSE;
    }
    if (!pInfo->m_pd.hDC) {
        AfxMessageBox(AFX_IDP_FAILED_TO_PRINT);
        return FALSE;
    }
    return TRUE;
}

void CView::OnFilePrint() {
    CPrintInfo info;
    info.m_bDirect = m_nIDCommand == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&info)) return;
    CWaitCursor wait;
    HDC hDC = info.m_pd.hDC;
    OnBeginPrinting(hDC, &info);

    // The spooler lists the job under the document's title.
    std::string docName = m_pDocument ? m_pDocument->GetTitle() : std::string();
    if (docName.empty() && AfxGetApp()) docName = AfxGetApp()->m_strAppName;
    DOCINFOA docInfo{};
    docInfo.cbSize = sizeof docInfo;
    docInfo.lpszDocName = docName.c_str();
    bool bFailed = ::StartDocA(hDC, &docInfo) <= 0;
    if (!bFailed) {
        const UINT nLastPage = info.GetToPage();
        for (info.m_nCurPage = info.GetFromPage(); info.m_nCurPage <= nLastPage; ++info.m_nCurPage) {
            info.m_rectDraw = {0, 0, ::GetDeviceCaps(hDC, HORZRES), ::GetDeviceCaps(hDC, VERTRES)};
            OnPrepareDC(hDC, &info);
            if (!info.m_bContinuePrinting) break;
            if (::StartPage(hDC) <= 0) {
                bFailed = true;
                break;
            }
            OnPrint(hDC, &info);
            if (::EndPage(hDC) <= 0) {
                bFailed = true;
                break;
            }
        }
        // A job that failed midway is taken back from the spooler whole.
        if (bFailed) {
            ::AbortDoc(hDC);
        } else if (::EndDoc(hDC) <= 0) {
            bFailed = true;
        }
    }
    OnEndPrinting(hDC, &info);
    if (bFailed) AfxMessageBox(AFX_IDP_FAILED_TO_PRINT);
}

void CView::OnFilePrintPreview() { CPreviewWnd::DoPrintPreview(this); }
