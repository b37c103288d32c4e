// Docking: the frame's dock bars, the floating bar's tool window, and dragging
// a bar by its gripper or its floating window's caption to a side of the
// frame or into the open.
#include "framework/dockbar.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

namespace {

struct SideInfo {
    DWORD dwSide;
    UINT nDockBarID;
    DWORD dwBarStyle;  // a docked bar's alignment and the edge it draws
};

// In the order the frame makes them and lays them out: the top and bottom
// dock bars span the frame's width, the left and right ones what they leave.
constexpr SideInfo kSides[] = {
    {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

const SideInfo* FindSide(UINT nDockBarID) {
    for (const SideInfo& side : kSides) {
        if (side.nDockBarID == nDockBarID) return &side;
    }
    return nullptr;
}

CDockBar* GetDockBar(const CFrameWnd* pFrame, UINT nDockBarID) {
    HWND hDockBar = ::GetDlgItem(pFrame->m_hWnd, static_cast<int>(nDockBarID));
    return dynamic_cast<CDockBar*>(CWnd::FromHandlePermanent(hDockBar));
}

// Styles of the floating window; a bar that can reshape gets a sizing border.
DWORD FloatingStyle(const CControlBar* pBar) {
    return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
           ((pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC) ? WS_THICKFRAME : 0);
}
constexpr DWORD kFloatingExStyle = WS_EX_TOOLWINDOW;

// What is left of the frame's client area for dock bars and the client
// window, in screen coordinates: the frame's own bars measure their room.
RECT DockingArea(CFrameWnd* pFrame) {
    AFX_SIZEPARENTPARAMS layout{};
    pFrame->GetClientRect(&layout.rect);
    layout.bStretch = TRUE;
    for (HWND hChild = ::GetTopWindow(pFrame->m_hWnd); hChild; hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        if (dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(hChild))) {
            ::SendMessageA(hChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
        }
    }
    pFrame->ClientToScreen(&layout.rect);
    return layout.rect;
}

}  // namespace

UINT AfxDockBarIDFromSide(DWORD dwSide) {
    for (const SideInfo& side : kSides) {
        if (side.dwSide == dwSide) return side.nDockBarID;
    }
    return 0;
}

DWORD AfxSideFromDockBarID(UINT nDockBarID) {
    const SideInfo* side = FindSide(nDockBarID);
    return side ? side->dwSide : 0;
}

// ---------------------------------------------------------------------------
// CDockBar

IMPLEMENT_DYNAMIC(CDockBar, CWnd)

BEGIN_MESSAGE_MAP(CDockBar, CWnd)
    fw::Message<&CDockBar::OnSizeParent>(WM_SIZEPARENT),
END_MESSAGE_MAP()

BOOL CDockBar::Create(CFrameWnd* pFrame) {
    const char* lpszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const UINT nID = AfxDockBarIDFromSide(m_dwSide);
    if (!CreateEx(0, lpszClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                  pFrame->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)))) {
        return FALSE;
    }
    // After every other child: the frame's own bars lie outside the dock bars.
    ::SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

void CDockBar::Insert(CControlBar* pBar, LPCRECT lpRect) {
    auto pos = m_bars.end();
    if (lpRect) {
        pos = std::find_if(m_bars.begin(), m_bars.end(), [&](CControlBar* pOther) {
            RECT r;
            pOther->GetWindowRect(&r);
            return IsHorz() ? r.top > lpRect->top : r.left > lpRect->left;
        });
    }
    m_bars.insert(pos, pBar);
    pBar->m_pDockBar = this;
    const SideInfo* side = FindSide(static_cast<UINT>(GetDlgCtrlID()));
    pBar->m_dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING)) |
                      (side ? side->dwBarStyle : 0);
    ::SetParent(pBar->m_hWnd, m_hWnd);
    pBar->Invalidate();
}

void CDockBar::Remove(CControlBar* pBar) {
    m_bars.erase(std::remove(m_bars.begin(), m_bars.end(), pBar), m_bars.end());
    if (pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
}

LRESULT CDockBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!pLayout) return 0;
    const BOOL bHorz = IsHorz();
    int nThickness = 0;
    for (CControlBar* pBar : m_bars) {
        if (!pBar->IsVisible()) continue;
        const SIZE size = pBar->CalcFixedLayout(bHorz);
        nThickness += bHorz ? size.cy : size.cx;
    }
    RECT& room = pLayout->rect;
    RECT dock = room;
    switch (m_dwSide) {
    case CBRS_ALIGN_TOP: dock.bottom = room.top = std::min(room.bottom, room.top + nThickness); break;
    case CBRS_ALIGN_BOTTOM: dock.top = room.bottom = std::max(room.top, room.bottom - nThickness); break;
    case CBRS_ALIGN_LEFT: dock.right = room.left = std::min(room.right, room.left + nThickness); break;
    default: dock.left = room.right = std::max(room.left, room.right - nThickness); break;
    }
    if (!pLayout->hDWP) return 0;
    pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, dock.left, dock.top, dock.right - dock.left,
                                     dock.bottom - dock.top, SWP_NOACTIVATE | SWP_NOZORDER);
    // The bars are this window's children, outside the frame's deferred set.
    int nOffset = 0;
    for (CControlBar* pBar : m_bars) {
        if (!pBar->IsVisible()) continue;
        const SIZE size = pBar->CalcFixedLayout(bHorz);
        ::SetWindowPos(pBar->m_hWnd, nullptr, bHorz ? 0 : nOffset, bHorz ? nOffset : 0, size.cx, size.cy,
                       SWP_NOACTIVATE | SWP_NOZORDER);
        nOffset += bHorz ? size.cy : size.cx;
    }
    return 0;
}

// ---------------------------------------------------------------------------
// CFloatingBarWnd

IMPLEMENT_DYNAMIC(CFloatingBarWnd, CWnd)

BEGIN_MESSAGE_MAP(CFloatingBarWnd, CWnd)
    fw::Message<&CFloatingBarWnd::OnDestroy>(WM_DESTROY),
    fw::Message<&CFloatingBarWnd::OnClose>(WM_CLOSE),
    fw::WmSize<&CFloatingBarWnd::OnSize>(),
    fw::Message<&CFloatingBarWnd::OnSizing>(WM_SIZING),
    fw::Message<&CFloatingBarWnd::OnNcLButtonDown>(WM_NCLBUTTONDOWN),
    fw::Message<&CFloatingBarWnd::OnNcLButtonDblClk>(WM_NCLBUTTONDBLCLK),
    fw::Message<&CFloatingBarWnd::OnMouseActivate>(WM_MOUSEACTIVATE),
END_MESSAGE_MAP()

BOOL CFloatingBarWnd::Create(CFrameWnd* pFrame) {
    const char* lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const std::string title = m_pBar->GetWindowText();
    return CreateEx(kFloatingExStyle, lpszClass, title.c_str(), FloatingStyle(m_pBar), 0, 0, 0, 0, pFrame->m_hWnd,
                    nullptr);
}

SIZE CFloatingBarWnd::NonClientSize() const {
    RECT r{0, 0, 0, 0};
    ::AdjustWindowRectEx(&r, GetStyle(), FALSE, GetExStyle());
    return {r.right - r.left, r.bottom - r.top};
}

void CFloatingBarWnd::Place(POINT ptScreen) {
    const DWORD dwStyle = FloatingStyle(m_pBar);
    if ((GetStyle() & WS_THICKFRAME) != (dwStyle & WS_THICKFRAME)) {
        ModifyStyle(WS_THICKFRAME, dwStyle & WS_THICKFRAME, SWP_FRAMECHANGED);
    }
    ::SetParent(m_pBar->m_hWnd, m_hWnd);
    const int nWidth = m_pBar->m_nFloatingWidth;
    const SIZE size = m_pBar->CalcDynamicLayout(nWidth ? nWidth : CControlBar::kNoWrap);
    const SIZE nc = NonClientSize();
    SetWindowPos(nullptr, ptScreen.x, ptScreen.y, size.cx + nc.cx, size.cy + nc.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    // The bar fills the client area (OnSize), also when the size did not change.
    RECT client;
    GetClientRect(&client);
    m_pBar->SetWindowPos(nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_pBar->GetStyle() & WS_VISIBLE) ShowWindow(SW_SHOWNA);
}

void CFloatingBarWnd::Release() {
    if (m_pBar) m_pBar->m_pFloatingWnd = nullptr;
    m_pBar = nullptr;
    DestroyWindow();  // the object is gone with its window
}

void CFloatingBarWnd::OnDestroy() {
    if (m_pBar) {
        m_pBar->m_pFloatingWnd = nullptr;
        m_pBar = nullptr;
    }
    Default();
}

void CFloatingBarWnd::OnClose() {
    // The close box hides the bar, as its View command would.
    if (m_pBar && m_pBar->m_pDockSite) m_pBar->m_pDockSite->ShowControlBar(m_pBar, FALSE);
}

void CFloatingBarWnd::OnSize(UINT nType, int cx, int cy) {
    Default();
    if (nType == SIZE_MINIMIZED || !m_pBar || !m_pBar->IsFloating()) return;
    m_pBar->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CFloatingBarWnd::OnSizing(WPARAM wParam, LPARAM lParam) {
    // The width the user drags to decides the rows; the height follows.
    auto* pRect = reinterpret_cast<RECT*>(lParam);
    if (!m_pBar || !pRect) return Default();
    const SIZE nc = NonClientSize();
    const SIZE size = m_pBar->CalcDynamicLayout(pRect->right - pRect->left - nc.cx);
    m_pBar->m_nFloatingWidth = size.cx;
    const int cx = size.cx + nc.cx;
    const int cy = size.cy + nc.cy;
    const bool bLeft = wParam == WMSZ_LEFT || wParam == WMSZ_TOPLEFT || wParam == WMSZ_BOTTOMLEFT;
    const bool bTop = wParam == WMSZ_TOP || wParam == WMSZ_TOPLEFT || wParam == WMSZ_TOPRIGHT;
    if (bLeft) {
        pRect->left = pRect->right - cx;
    } else {
        pRect->right = pRect->left + cx;
    }
    if (bTop) {
        pRect->top = pRect->bottom - cy;
    } else {
        pRect->bottom = pRect->top + cy;
    }
    return TRUE;
}

LRESULT CFloatingBarWnd::OnNcLButtonDown(WPARAM wParam, LPARAM lParam) {
    if (wParam != HTCAPTION || !m_pBar || !m_pBar->GetDockStyle()) return Default();
    RECT rect;
    GetWindowRect(&rect);
    m_pBar->BeginDrag({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, rect);
    return 0;
}

LRESULT CFloatingBarWnd::OnNcLButtonDblClk(WPARAM wParam, LPARAM) {
    if (wParam != HTCAPTION || !m_pBar || !m_pBar->m_pDockSite || !m_pBar->GetDockStyle()) return Default();
    m_pBar->m_pDockSite->DockControlBar(m_pBar, m_pBar->m_nLastDockID);  // this window is gone afterwards
    return 0;
}

LRESULT CFloatingBarWnd::OnMouseActivate(WPARAM, LPARAM) { return MA_NOACTIVATE; }

// ---------------------------------------------------------------------------
// The frame's side of docking

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
    for (const SideInfo& side : kSides) {
        if (!(dwDockStyle & side.dwSide) || GetDockBar(this, side.nDockBarID)) continue;
        auto* pDockBar = new CDockBar(side.dwSide);
        pDockBar->Create(this);  // a failed creation deletes the object
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
    if (!pBar || !pBar->m_hWnd) return;
    CDockBar* pDockBar = nullptr;
    for (const SideInfo& side : kSides) {
        if (nDockBarID && side.nDockBarID != nDockBarID) continue;
        if (!(pBar->GetDockStyle() & side.dwSide)) continue;
        if ((pDockBar = GetDockBar(this, side.nDockBarID)) != nullptr) break;
    }
    if (!pDockBar) return;
    if (pBar->m_pDockBar) pBar->m_pDockBar->Remove(pBar);
    pDockBar->Insert(pBar, lpRect);
    if (pBar->m_pFloatingWnd) pBar->m_pFloatingWnd->Release();
    RecalcLayout();
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point) {
    if (!pBar || !pBar->m_hWnd) return;
    if (!pBar->m_pFloatingWnd) {
        auto* pWnd = new CFloatingBarWnd(pBar);
        if (!pWnd->Create(this)) return;  // the object is gone with its window
        pBar->m_pFloatingWnd = pWnd;
    }
    if (pBar->m_pDockBar) {
        pBar->m_nLastDockID = static_cast<UINT>(pBar->m_pDockBar->GetDlgCtrlID());
        pBar->m_pDockBar->Remove(pBar);
    }
    pBar->m_dwStyle = (pBar->m_dwStyle & ~CBRS_BORDER_ANY) | CBRS_FLOATING;
    pBar->m_pFloatingWnd->Place(point);
    pBar->Invalidate();
    RecalcLayout();
}

// ---------------------------------------------------------------------------
// Dragging

void CControlBar::BeginDrag(POINT ptScreen, const RECT& rectDragged) {
    m_drag = Drag{};
    m_drag.active = true;
    m_drag.grab = {ptScreen.x - rectDragged.left, ptScreen.y - rectDragged.top};
    SetCapture(m_hWnd);
    MoveDrag(ptScreen);
}

void CControlBar::MoveDrag(POINT ptScreen) {
    // Near a side where both the bar and the frame allow docking, the bar
    // docks there; anywhere else it floats.
    const RECT area = DockingArea(m_pDockSite);
    const SIZE horz = CalcFixedLayout(TRUE);
    const int nBand = horz.cy + 8;
    UINT nTarget = 0;
    int nBest = nBand;
    RECT outer = area;
    ::InflateRect(&outer, nBand, nBand);
    if (::PtInRect(&outer, ptScreen)) {
        const int distance[] = {ptScreen.y - area.top, area.bottom - ptScreen.y, ptScreen.x - area.left,
                                area.right - ptScreen.x};
        for (int i = 0; i < 4; ++i) {
            const int d = std::abs(distance[i]);
            if (d < nBest && (m_dwDockStyle & kSides[i].dwSide) && GetDockBar(m_pDockSite, kSides[i].nDockBarID)) {
                nBest = d;
                nTarget = kSides[i].nDockBarID;
            }
        }
    }
    RECT frame;
    const POINT origin{ptScreen.x - m_drag.grab.x, ptScreen.y - m_drag.grab.y};
    if (!nTarget) {
        SIZE size = CalcDynamicLayout(kNoWrap);
        if (CWnd* pFloating = GetFloatingWnd()) {
            RECT r;
            pFloating->GetWindowRect(&r);
            size = {r.right - r.left, r.bottom - r.top};
        }
        frame = {origin.x, origin.y, origin.x + size.cx, origin.y + size.cy};
    } else {
        const DWORD dwSide = AfxSideFromDockBarID(nTarget);
        const BOOL bHorz = (dwSide & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
        const SIZE size = CalcFixedLayout(bHorz);
        const int x = dwSide == CBRS_ALIGN_RIGHT ? area.right - size.cx
                      : bHorz                    ? std::max(area.left, origin.x)
                                                 : area.left;
        const int y = dwSide == CBRS_ALIGN_BOTTOM ? area.bottom - size.cy
                      : bHorz                     ? area.top
                                                  : std::max(area.top, origin.y);
        frame = {x, y, x + size.cx, y + size.cy};
    }
    if (m_drag.drawn && ::EqualRect(&frame, &m_drag.frame) && nTarget == m_drag.nTarget) return;
    if (m_drag.drawn) DrawDragFrame();  // erases the old outline
    m_drag.frame = frame;
    m_drag.nTarget = nTarget;
    DrawDragFrame();
}

void CControlBar::EndDrag(POINT ptScreen, bool bApply) {
    if (!m_drag.active) return;
    if (bApply) MoveDrag(ptScreen);
    if (m_drag.drawn) DrawDragFrame();
    m_drag.active = false;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (!bApply || !m_pDockSite) return;
    if (m_drag.nTarget) {
        m_pDockSite->DockControlBar(this, m_drag.nTarget, &m_drag.frame);
    } else {
        m_pDockSite->FloatControlBar(this, CPoint(m_drag.frame.left, m_drag.frame.top));
    }
}

void CControlBar::DrawDragFrame() {
    // Inverting twice restores the screen: the same call draws and erases.
    const int n = m_drag.nTarget ? 1 : 3;
    const RECT& r = m_drag.frame;
    fw::WindowDC dc(nullptr);
    ::PatBlt(dc.get(), r.left, r.top, r.right - r.left, n, DSTINVERT);
    ::PatBlt(dc.get(), r.left, r.bottom - n, r.right - r.left, n, DSTINVERT);
    ::PatBlt(dc.get(), r.left, r.top + n, n, r.bottom - r.top - 2 * n, DSTINVERT);
    ::PatBlt(dc.get(), r.right - n, r.top + n, n, r.bottom - r.top - 2 * n, DSTINVERT);
    m_drag.drawn = !m_drag.drawn;
}

BOOL CControlBar::TrackDrag(UINT message, WPARAM, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (!m_drag.active) {
        if (message != WM_LBUTTONDOWN || !HasGripper() || !m_pDockSite) return FALSE;
        const RECT insets = GetInsets();
        if (IsHorz() ? pt.x >= insets.left : pt.y >= insets.top) return FALSE;
        RECT rect;
        GetWindowRect(&rect);
        ClientToScreen(&pt);
        BeginDrag(pt, rect);
        return TRUE;
    }
    switch (message) {
    case WM_MOUSEMOVE:
        ClientToScreen(&pt);
        MoveDrag(pt);
        return TRUE;
    case WM_LBUTTONUP:
        ClientToScreen(&pt);
        EndDrag(pt, true);
        return TRUE;
    case WM_RBUTTONDOWN:
    case WM_CAPTURECHANGED:
        if (message == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lParam) == m_hWnd) return FALSE;
        EndDrag(pt, false);
        return TRUE;
    default:
        return FALSE;
    }
}
