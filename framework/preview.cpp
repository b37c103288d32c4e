#include "framework/preview.h"

#include "framework/afxres.h"
#include "framework/app.h"
#include "framework/frame.h"
#include "framework/gdi.h"
#include "framework/view.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

namespace {

// The frame a preview covers carries it in this property.
constexpr char kPreviewProp[] = "KestrumPrintPreview";
constexpr int kGap = 8;      // screen pixels around and between pages
constexpr int kShadow = 3;
constexpr int kLineStep = 16;  // one click on a scroll arrow

HWND TopLevelWindow(HWND hWnd) {
    while (hWnd && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)) hWnd = ::GetParent(hWnd);
    return hWnd;
}

// A string of the framework's with %1, %2, ... replaced by the numbers.
std::string FormatNumbers(UINT nID, std::initializer_list<UINT> numbers) {
    std::string text = AfxLoadString(nID);
    char marker[] = "%1";
    for (UINT n : numbers) {
        if (const size_t at = text.find(marker); at != std::string::npos) text.replace(at, 2, std::to_string(n));
        ++marker[1];
    }
    return text;
}

struct OwnedWindows {
    HWND hOwner;
    std::vector<HWND>* pFound;
};

BOOL CALLBACK CollectOwnedWindows(HWND hWnd, LPARAM lParam) {
    auto* owned = reinterpret_cast<OwnedWindows*>(lParam);
    if (::GetWindow(hWnd, GW_OWNER) == owned->hOwner && ::IsWindowVisible(hWnd)) owned->pFound->push_back(hWnd);
    return TRUE;
}

void GrayMenuItems(HMENU hMenu) {
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        // Pop-ups still open, to show their items greyed. The MDI window
        // list keeps the state the system gives it (the frame's updates do
        // not bring it back); choosing from it does nothing meanwhile.
        const UINT nID = ::GetMenuItemID(hMenu, i);
        if (::GetSubMenu(hMenu, i) || nID == 0 || nID >= AFX_IDM_FIRST_MDICHILD) continue;
        ::EnableMenuItem(hMenu, static_cast<UINT>(i), MF_BYPOSITION | MF_GRAYED);
    }
}

}  // namespace

IMPLEMENT_DYNAMIC(CPreviewWnd, CWnd)

BEGIN_MESSAGE_MAP(CPreviewWnd, CWnd)
    fw::Message<&CPreviewWnd::OnPaint>(WM_PAINT),
    fw::WmSize<&CPreviewWnd::OnSize>(),
    fw::Message<&CPreviewWnd::OnSizeParent>(WM_SIZEPARENT),
    fw::Message<&CPreviewWnd::OnVScroll>(WM_VSCROLL),
    fw::Message<&CPreviewWnd::OnHScroll>(WM_HSCROLL),
    fw::Command<&CPreviewWnd::OnPreviewPrint>(AFX_ID_PREVIEW_PRINT),
    fw::Command<&CPreviewWnd::OnNextPage>(AFX_ID_PREVIEW_NEXT),
    fw::Command<&CPreviewWnd::OnPrevPage>(AFX_ID_PREVIEW_PREV),
    fw::Command<&CPreviewWnd::OnNumPage>(AFX_ID_PREVIEW_NUMPAGE),
    fw::Command<&CPreviewWnd::OnZoomIn>(AFX_ID_PREVIEW_ZOOMIN),
    fw::Command<&CPreviewWnd::OnZoomOut>(AFX_ID_PREVIEW_ZOOMOUT),
    fw::Command<&CPreviewWnd::OnPreviewClose>(AFX_ID_PREVIEW_CLOSE),
END_MESSAGE_MAP()

CPreviewWnd::CPreviewWnd(CView* pView, CFrameWnd* pFrame)
    : m_pView(pView), m_hWndView(pView->m_hWnd), m_pFrame(pFrame) {
    m_info.m_bPreview = TRUE;
}

CPreviewWnd::~CPreviewWnd() {
    if (CView* pView = LiveView(); pView && m_bPrintingBegun) pView->OnEndPrinting(m_info.m_pd.hDC, &m_info);
}

void CPreviewWnd::PostNcDestroy() { delete this; }

CView* CPreviewWnd::LiveView() const {
    return CWnd::FromHandlePermanent(m_hWndView) == m_pView ? m_pView : nullptr;
}

CPreviewWnd* CPreviewWnd::FromFrame(const CWnd* pFrame) {
    return pFrame && pFrame->m_hWnd ? static_cast<CPreviewWnd*>(::GetPropA(pFrame->m_hWnd, kPreviewProp)) : nullptr;
}

CPreviewWnd* CPreviewWnd::FromView(const CView* pView) {
    HWND hTop = TopLevelWindow(pView->m_hWnd);
    auto* pPreview = hTop ? static_cast<CPreviewWnd*>(::GetPropA(hTop, kPreviewProp)) : nullptr;
    return pPreview && pPreview->m_pView == pView ? pPreview : nullptr;
}

BOOL CPreviewWnd::DoPrintPreview(CView* pView) {
    auto* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(TopLevelWindow(pView->m_hWnd)));
    if (!pFrame || FromFrame(pFrame)) return FALSE;
    auto* pPreview = new CPreviewWnd(pView, pFrame);
    if (!pView->OnPreparePrinting(&pPreview->m_info)) {
        delete pPreview;
        return FALSE;
    }
    CWaitCursor wait;
    HDC hPrinterDC = pPreview->m_info.m_pd.hDC;
    pView->OnBeginPrinting(hPrinterDC, &pPreview->m_info);
    pPreview->m_bPrintingBegun = true;
    if (!pPreview->Create()) return FALSE;  // the object is gone

    // The sheet and where its printable area lies on it; a driver that does
    // not say has no margins.
    const int cxPrintable = ::GetDeviceCaps(hPrinterDC, HORZRES);
    const int cyPrintable = ::GetDeviceCaps(hPrinterDC, VERTRES);
    pPreview->m_sizePaper = {std::max(cxPrintable, ::GetDeviceCaps(hPrinterDC, PHYSICALWIDTH)),
                             std::max(cyPrintable, ::GetDeviceCaps(hPrinterDC, PHYSICALHEIGHT))};
    pPreview->m_ptPrintable = {::GetDeviceCaps(hPrinterDC, PHYSICALOFFSETX),
                               ::GetDeviceCaps(hPrinterDC, PHYSICALOFFSETY)};
    pPreview->m_sizeDpi = {std::max(1, ::GetDeviceCaps(hPrinterDC, LOGPIXELSX)),
                           std::max(1, ::GetDeviceCaps(hPrinterDC, LOGPIXELSY))};
    const UINT nMaxPage = pPreview->m_info.GetMaxPage();
    pPreview->m_nPageCount = nMaxPage == CPrintInfo::kUnknownMaxPage ? 1 : std::max(1u, nMaxPage);
    // The user's last choice; 0 (no choice yet) shows one page.
    CWinApp* pApp = AfxGetApp();
    pPreview->m_nPages = pApp && pApp->m_nNumPreviewPages >= 2 ? 2 : 1;
    pPreview->CoverFrame();
    return TRUE;
}

BOOL CPreviewWnd::Create() {
    const char* lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                                reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
    if (!CreateEx(0, lpszClass, nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL, 0, 0, 0, 0,
                  m_pFrame->m_hWnd, nullptr)) {
        return FALSE;
    }
    HINSTANCE hInst = ::GetModuleHandleA(nullptr);
    m_hWndBar = ::CreateDialogParamA(hInst, MAKEINTRESOURCEA(AFX_IDD_PREVIEW_BAR), m_hWnd, &CPreviewWnd::BarProc, 0);
    if (!m_hWndBar) {
        DestroyWindow();
        return FALSE;
    }
    ::SetWindowLongPtrA(m_hWndBar, GWLP_ID, AFX_IDW_PREVIEW_BAR);
    ::ShowWindow(m_hWndBar, SW_SHOW);
    m_hAccel = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(AFX_IDR_PREVIEW_ACCEL));
    return TRUE;
}

void CPreviewWnd::CoverFrame() {
    m_hWndFocus = ::GetFocus();
    HWND hFrame = m_pFrame->m_hWnd;
    // Everything the frame shows goes under the preview: its bars and client,
    // and the windows it owns (floating bars, modeless dialogs).
    for (HWND hChild = ::GetTopWindow(hFrame); hChild; hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        if (hChild != m_hWnd && ::IsWindowVisible(hChild)) m_hiddenWindows.push_back(hChild);
    }
    OwnedWindows owned{hFrame, &m_hiddenWindows};
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectOwnedWindows, reinterpret_cast<LPARAM>(&owned));
    for (HWND hWnd : m_hiddenWindows) ::ShowWindow(hWnd, SW_HIDE);

    ::SetPropA(hFrame, kPreviewProp, this);
    m_pfnFrameProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CPreviewWnd::FrameProc)));

    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_pFrame->RecalcLayout();
    ShowWindow(SW_SHOW);
    ::SetFocus(m_hWnd);
    UpdateBar();
    UpdateScrollBars();
}

void CPreviewWnd::RestoreFrame() {
    if (!m_pfnFrameProc) return;
    HWND hFrame = m_pFrame->m_hWnd;
    // Only our own procedure is taken out; had someone subclassed the frame
    // after us, taking ours out would cut theirs off too.
    if (::GetWindowLongPtrA(hFrame, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CPreviewWnd::FrameProc)) {
        ::SetWindowLongPtrA(hFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnFrameProc));
    }
    ::RemovePropA(hFrame, kPreviewProp);
    m_pfnFrameProc = nullptr;
    ShowWindow(SW_HIDE);
    for (HWND hWnd : m_hiddenWindows) {
        if (::IsWindow(hWnd)) ::ShowWindow(hWnd, SW_SHOWNA);
    }
    m_hiddenWindows.clear();
    m_pFrame->RecalcLayout();
    if (::IsWindow(m_hWndFocus)) ::SetFocus(m_hWndFocus);
}

void CPreviewWnd::Close() {
    RestoreFrame();
    DestroyWindow();  // deletes this object
}

LRESULT CALLBACK CPreviewWnd::FrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* pPreview = static_cast<CPreviewWnd*>(::GetPropA(hWnd, kPreviewProp));
    if (!pPreview) return ::DefWindowProcA(hWnd, message, wParam, lParam);
    const WNDPROC pfnFrame = pPreview->m_pfnFrameProc;
    switch (message) {
    case WM_COMMAND:
        // Commands from the frame's menus and keys (including the system
        // commands of a maximised MDI child) do nothing under the preview.
        if (lParam == 0) return 0;
        break;
    case WM_INITMENUPOPUP: {
        const LRESULT result = ::CallWindowProcA(pfnFrame, hWnd, message, wParam, lParam);
        if (!HIWORD(lParam)) GrayMenuItems(reinterpret_cast<HMENU>(wParam));
        return result;
    }
    case WM_SETFOCUS:
        ::SetFocus(pPreview->m_hWnd);
        return 0;
    case WM_CLOSE:
    case WM_DESTROY:
        // The frame closes as it was, without the preview.
        pPreview->Close();
        break;
    default:
        break;
    }
    return ::CallWindowProcA(pfnFrame, hWnd, message, wParam, lParam);
}

INT_PTR CALLBACK CPreviewWnd::BarProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // The bar never takes the focus, not even when it is made.
    if (message == WM_INITDIALOG) return FALSE;
    if (message != WM_COMMAND) return FALSE;
    HWND hPreview = ::GetParent(hWnd);
    ::SendMessageA(hPreview, WM_COMMAND, wParam, lParam);
    // The buttons do not keep the focus: the keys are the preview's.
    if (::IsWindow(hPreview)) ::SetFocus(hPreview);
    return TRUE;
}

BOOL CPreviewWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
    if (m_hAccel && ::TranslateAcceleratorA(m_hWnd, m_hAccel, pMsg)) return TRUE;
    // Every other key goes straight to its window, past the frame's keys and
    // the MDI children's system keys (Ctrl+F4 would close the document).
    ::TranslateMessage(pMsg);
    ::DispatchMessageA(pMsg);
    return TRUE;
}

LRESULT CPreviewWnd::OnSizeParent(WPARAM, LPARAM lParam) {
    // The preview covers what the frame's (hidden) bars leave and takes
    // nothing from it, so the hidden client keeps its place.
    const auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const RECT& r = pLayout->rect;
    const int cx = std::max(0L, r.right - r.left);
    const int cy = std::max(0L, r.bottom - r.top);
    ::SetWindowPos(m_hWnd, nullptr, r.left, r.top, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

void CPreviewWnd::OnSize(UINT, int cx, int) {
    RECT bar{};
    ::GetWindowRect(m_hWndBar, &bar);
    ::MoveWindow(m_hWndBar, 0, 0, cx, bar.bottom - bar.top, TRUE);
    UpdateScrollBars();
    Invalidate();
}

RECT CPreviewWnd::PageArea() const {
    RECT area{};
    GetClientRect(&area);
    RECT bar{};
    ::GetWindowRect(m_hWndBar, &bar);
    area.top = std::min(area.bottom, area.top + (bar.bottom - bar.top));
    return area;
}

double CPreviewWnd::Scale() const {
    const RECT area = PageArea();
    const double cxPaper = m_sizePaper.cx;
    const double cyPaper = static_cast<double>(m_sizePaper.cy) * m_sizeDpi.cx / m_sizeDpi.cy;
    const int nPages = static_cast<int>(GetPagesShown());
    const double fit = std::max(0.01, std::min((area.right - area.left - (nPages + 1) * kGap) / (nPages * cxPaper),
                                               (area.bottom - area.top - 2 * kGap) / cyPaper));
    fw::WindowDC screen(nullptr);
    const double real = static_cast<double>(::GetDeviceCaps(screen.get(), LOGPIXELSX)) / m_sizeDpi.cx;
    // Each step in is at least half as large again as the one before.
    double scale = fit;
    if (m_nZoom >= 1) scale = std::max(real, scale * 1.5);
    if (m_nZoom >= 2) scale = std::max(real * 2, scale * 1.5);
    return scale;
}

void CPreviewWnd::UpdateScrollBars() {
    if (m_nZoom == kZoomWholePage) {
        m_ptScroll = {0, 0};
        ::ShowScrollBar(m_hWnd, SB_BOTH, FALSE);
        return;
    }
    const double scale = Scale();
    const RECT area = PageArea();
    const int cxContent = static_cast<int>(std::lround(m_sizePaper.cx * scale)) + 2 * kGap;
    const int cyContent =
        static_cast<int>(std::lround(m_sizePaper.cy * scale * m_sizeDpi.cx / m_sizeDpi.cy)) + 2 * kGap;
    const int cxArea = area.right - area.left;
    const int cyArea = area.bottom - area.top;
    m_ptScroll.x = std::max(0, std::min<int>(m_ptScroll.x, cxContent - cxArea));
    m_ptScroll.y = std::max(0, std::min<int>(m_ptScroll.y, cyContent - cyArea));
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = cxContent - 1;
    si.nPage = static_cast<UINT>(std::max(0, cxArea));
    si.nPos = m_ptScroll.x;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
    si.nMax = cyContent - 1;
    si.nPage = static_cast<UINT>(std::max(0, cyArea));
    si.nPos = m_ptScroll.y;
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
}

void CPreviewWnd::Scroll(int nBar, int nCode) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, nBar, &si);
    int nPos = si.nPos;
    switch (nCode) {
    case SB_LINEUP: nPos -= kLineStep; break;
    case SB_LINEDOWN: nPos += kLineStep; break;
    case SB_PAGEUP: nPos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: nPos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: nPos = si.nTrackPos; break;
    case SB_TOP: nPos = si.nMin; break;
    case SB_BOTTOM: nPos = si.nMax; break;
    default: return;
    }
    nPos = std::max(si.nMin, std::min(nPos, si.nMax - static_cast<int>(si.nPage) + 1));
    (nBar == SB_VERT ? m_ptScroll.y : m_ptScroll.x) = nPos;
    ::SetScrollPos(m_hWnd, nBar, nPos, TRUE);
    Invalidate();
}

LRESULT CPreviewWnd::OnVScroll(WPARAM wParam, LPARAM) {
    Scroll(SB_VERT, LOWORD(wParam));
    return 0;
}

LRESULT CPreviewWnd::OnHScroll(WPARAM wParam, LPARAM) {
    Scroll(SB_HORZ, LOWORD(wParam));
    return 0;
}

void CPreviewWnd::UpdateBar() {
    const UINT nShown = GetPagesShown();
    auto enable = [this](int nID, bool bOn) { ::EnableWindow(::GetDlgItem(m_hWndBar, nID), bOn); };
    enable(AFX_ID_PREVIEW_NEXT, m_nCurrentPage + nShown - 1 < m_nPageCount);
    enable(AFX_ID_PREVIEW_PREV, m_nCurrentPage > 1);
    enable(AFX_ID_PREVIEW_NUMPAGE, m_nZoom == kZoomWholePage);
    enable(AFX_ID_PREVIEW_ZOOMIN, m_nZoom < kZoomMax);
    enable(AFX_ID_PREVIEW_ZOOMOUT, m_nZoom > kZoomWholePage);
    // The button offers the other choice.
    ::SetDlgItemTextA(m_hWndBar, AFX_ID_PREVIEW_NUMPAGE,
                      AfxLoadString(m_nPages == 1 ? AFX_IDS_TWOPAGE : AFX_IDS_ONEPAGE).c_str());
    const std::string pages =
        nShown == 2 && m_nCurrentPage < m_nPageCount
            ? FormatNumbers(AFX_IDS_PREVIEWPAGEDESC, {m_nCurrentPage, m_nCurrentPage + 1, m_nPageCount})
            : FormatNumbers(AFX_IDS_PRINTPAGENUM, {m_nCurrentPage, m_nPageCount});
    ::SetDlgItemTextA(m_hWndBar, AFX_IDC_PREVIEW_PAGES, pages.c_str());
}

void CPreviewWnd::ShowPage(UINT nPage) {
    m_nCurrentPage = std::max(1u, std::min(nPage, m_nPageCount));
    m_ptScroll = {0, 0};
    UpdateBar();
    UpdateScrollBars();
    Invalidate();
}

void CPreviewWnd::SetZoom(int nZoom) {
    m_nZoom = std::max(kZoomWholePage, std::min(nZoom, kZoomMax));
    m_ptScroll = {0, 0};
    UpdateBar();
    UpdateScrollBars();
    Invalidate();
}

void CPreviewWnd::OnNextPage() {
    if (m_nCurrentPage + GetPagesShown() - 1 < m_nPageCount) ShowPage(m_nCurrentPage + 1);
}

void CPreviewWnd::OnPrevPage() {
    if (m_nCurrentPage > 1) ShowPage(m_nCurrentPage - 1);
}

void CPreviewWnd::OnNumPage() {
    if (m_nZoom != kZoomWholePage) return;
    m_nPages = m_nPages == 1 ? 2 : 1;
    // The choice outlives the preview: the application stores it at exit.
    if (CWinApp* pApp = AfxGetApp()) pApp->m_nNumPreviewPages = m_nPages;
    UpdateBar();
    Invalidate();
}

void CPreviewWnd::OnZoomIn() { SetZoom(m_nZoom + 1); }
void CPreviewWnd::OnZoomOut() { SetZoom(m_nZoom - 1); }
void CPreviewWnd::OnPreviewClose() { Close(); }

void CPreviewWnd::OnPreviewPrint() {
    // Printing starts from the view as it would from its menu, once the
    // frame is back: the dialog and the job are the view's.
    CView* pView = LiveView();
    Close();
    if (pView) pView->OnCmdMsg(ID_FILE_PRINT, CN_COMMAND, nullptr, nullptr);
}

LRESULT CPreviewWnd::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    const RECT area = PageArea();
    const double scale = Scale();
    const int cxPaper = static_cast<int>(std::lround(m_sizePaper.cx * scale));
    const int cyPaper = static_cast<int>(std::lround(m_sizePaper.cy * scale * m_sizeDpi.cx / m_sizeDpi.cy));
    const int nShown = static_cast<int>(GetPagesShown());
    const int cxAll = nShown * cxPaper + (nShown - 1) * kGap;
    const int cxArea = area.right - area.left;
    const int cyArea = area.bottom - area.top;
    // Pages that fit are centred; a larger one starts a gap from the edge
    // and moves with the scroll bars.
    const int x = cxAll + 2 * kGap <= cxArea ? area.left + (cxArea - cxAll) / 2 : area.left + kGap - m_ptScroll.x;
    const int y = cyPaper + 2 * kGap <= cyArea ? area.top + (cyArea - cyPaper) / 2 : area.top + kGap - m_ptScroll.y;
    for (int i = 0; i < nShown; ++i) {
        const int left = x + i * (cxPaper + kGap);
        DrawPage(hDC, RECT{left, y, left + cxPaper, y + cyPaper}, m_nCurrentPage + static_cast<UINT>(i));
    }
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

void CPreviewWnd::DrawPage(HDC hDC, const RECT& rectPaper, UINT nPage) {
    if (nPage > m_nPageCount) return;
    RECT shadow = rectPaper;
    ::OffsetRect(&shadow, kShadow, kShadow);
    ::FillRect(hDC, &shadow, ::GetSysColorBrush(COLOR_BTNSHADOW));
    ::FillRect(hDC, &rectPaper, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::FrameRect(hDC, &rectPaper, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    CView* pView = LiveView();
    if (!pView) return;

    // The view draws in printer pixels, exactly as it prints; the mapping
    // scales them onto the sheet on the screen.
    const int nSaved = ::SaveDC(hDC);
    ::IntersectClipRect(hDC, rectPaper.left + 1, rectPaper.top + 1, rectPaper.right - 1, rectPaper.bottom - 1);
    ::SetMapMode(hDC, MM_ANISOTROPIC);
    ::SetWindowExtEx(hDC, m_sizePaper.cx, m_sizePaper.cy, nullptr);
    ::SetViewportExtEx(hDC, rectPaper.right - rectPaper.left, rectPaper.bottom - rectPaper.top, nullptr);
    ::SetViewportOrgEx(hDC, rectPaper.left, rectPaper.top, nullptr);
    ::SetWindowOrgEx(hDC, -m_ptPrintable.x, -m_ptPrintable.y, nullptr);
    HDC hPrinterDC = m_info.m_pd.hDC;
    m_info.m_nCurPage = nPage;
    m_info.m_rectDraw = {0, 0, ::GetDeviceCaps(hPrinterDC, HORZRES), ::GetDeviceCaps(hPrinterDC, VERTRES)};
    pView->OnPrepareDC(hDC, &m_info);
    pView->OnPrint(hDC, &m_info);
    ::RestoreDC(hDC, nSaved);
}
