// CControlBar: what every bar shares (its frame, its styles, taking its room
// in the frame's layout, idle-time updates), and the frame's list of its bars.
#include "framework/bars.h"

#include "framework/dockbar.h"

#include <algorithm>

namespace {
constexpr int kPad = 2;      // around the bar's content
constexpr int kBorder = 2;   // an etched edge
constexpr int kGripper = 8;  // the handle a docked bar is dragged by
}  // namespace

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    fw::Message<&CControlBar::OnSizeParent>(WM_SIZEPARENT),
    fw::Message<&CControlBar::OnIdleUpdateCmdUI>(WM_IDLEUPDATECMDUI),
    fw::Message<&CControlBar::OnDestroy>(WM_DESTROY),
    fw::Message<&CControlBar::OnMouseActivate>(WM_MOUSEACTIVATE),
END_MESSAGE_MAP()

// While the derived parts are gone the window must not reach their handlers:
// it is destroyed here, where the bar is still a bar.
CControlBar::~CControlBar() { DestroyWindow(); }

BOOL CControlBar::CreateBar(LPCSTR lpszClassName, DWORD dwStyle, DWORD dwControlStyle, CWnd* pParentWnd,
                            UINT nID) {
    if (m_hWnd || !pParentWnd) return FALSE;
    CFrameWnd* pFrame = pParentWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pParentWnd)
                                                                      : pParentWnd->GetParentFrame();
    if (!pFrame) return FALSE;
    // The low word holds bar styles, which mean something else to a window.
    m_dwStyle = dwStyle & 0xFFFF & ~CBRS_FLOATING;
    const DWORD dwWindowStyle = (dwStyle & 0xFFFF0000) | WS_CHILD | dwControlStyle;
    if (!CreateEx(0, lpszClassName, nullptr, dwWindowStyle, 0, 0, 0, 0, pParentWnd->m_hWnd,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)))) {
        return FALSE;
    }
    m_pDockSite = pFrame;
    pFrame->m_listControlBars.push_back(this);
    // The frame lays its children out in Z order: a bar of its own comes
    // before the dock bars, so it lies outside them.
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
    const DWORD dwOld = m_dwStyle;
    m_dwStyle = (dwStyle & ~CBRS_FLOATING) | (dwOld & CBRS_FLOATING);
    if (m_dwStyle == dwOld) return;
    OnBarStyleChange(dwOld, m_dwStyle);
    if (m_hWnd) Invalidate();
    if (m_pDockSite) m_pDockSite->RecalcLayout();
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

void CControlBar::EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY; }

BOOL CControlBar::IsVisible() const { return m_hWnd && (GetStyle() & WS_VISIBLE); }

CWnd* CControlBar::GetFloatingWnd() const { return m_pFloatingWnd; }

SIZE CControlBar::CalcDynamicLayout(int) { return CalcFixedLayout(TRUE); }

DWORD CControlBar::StyleForSide(BOOL bHorz) const {
    if (!IsFloating() && (IsHorz() != FALSE) == (bHorz != FALSE)) return m_dwStyle;
    return (m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING)) | (bHorz ? CBRS_TOP : CBRS_LEFT);
}

RECT CControlBar::InsetsFor(DWORD dwStyle) const {
    RECT r{kPad, kPad, kPad, kPad};
    if (dwStyle & CBRS_BORDER_LEFT) r.left += kBorder;
    if (dwStyle & CBRS_BORDER_TOP) r.top += kBorder;
    if (dwStyle & CBRS_BORDER_RIGHT) r.right += kBorder;
    if (dwStyle & CBRS_BORDER_BOTTOM) r.bottom += kBorder;
    if (m_dwDockStyle && !(dwStyle & CBRS_FLOATING)) {
        if (dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) {
            r.top += kGripper;
        } else {
            r.left += kGripper;
        }
    }
    return r;
}

void CControlBar::DrawBorders(HDC hDC) const {
    RECT client;
    GetClientRect(&client);
    UINT edges = 0;
    if (m_dwStyle & CBRS_BORDER_LEFT) edges |= BF_LEFT;
    if (m_dwStyle & CBRS_BORDER_TOP) edges |= BF_TOP;
    if (m_dwStyle & CBRS_BORDER_RIGHT) edges |= BF_RIGHT;
    if (m_dwStyle & CBRS_BORDER_BOTTOM) edges |= BF_BOTTOM;
    if (edges) ::DrawEdge(hDC, &client, EDGE_ETCHED, edges);
    if (!HasGripper()) return;
    // Two raised ridges across the bar, at its start.
    const RECT insets = GetInsets();
    for (int i = 0; i < 2; ++i) {
        RECT ridge;
        if (IsHorz()) {
            const int x = insets.left - kGripper + i * 3;
            ridge = {x, insets.top, x + 3, client.bottom - insets.bottom};
        } else {
            const int y = insets.top - kGripper + i * 3;
            ridge = {insets.left, y, client.right - insets.right, y + 3};
        }
        ::DrawEdge(hDC, &ridge, BDR_RAISEDINNER, BF_RECT);
    }
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
    // Only a bar that is its frame's own child takes room here; docked bars
    // are laid out by their dock bar, floating ones by their own window.
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!pLayout || m_pDockBar || IsFloating() || !IsVisible()) return 0;
    const SIZE size = CalcFixedLayout(IsHorz());
    RECT& room = pLayout->rect;
    RECT bar = room;
    switch (m_dwStyle & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_TOP:
        bar.bottom = room.top = std::min(room.bottom, room.top + size.cy);
        break;
    case CBRS_ALIGN_BOTTOM:
        bar.top = room.bottom = std::max(room.top, room.bottom - size.cy);
        break;
    case CBRS_ALIGN_LEFT:
        bar.right = room.left = std::min(room.right, room.left + size.cx);
        break;
    case CBRS_ALIGN_RIGHT:
        bar.left = room.right = std::max(room.left, room.right - size.cx);
        break;
    default:
        return 0;
    }
    if (!pLayout->bStretch) {
        if (IsHorz()) {
            bar.right = std::min(bar.right, bar.left + size.cx);
        } else {
            bar.bottom = std::min(bar.bottom, bar.top + size.cy);
        }
    }
    if (pLayout->hDWP) {
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, bar.left, bar.top, bar.right - bar.left,
                                         bar.bottom - bar.top, SWP_NOACTIVATE | SWP_NOZORDER);
    }
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    if (m_pDockSite && IsVisible()) OnUpdateCmdUI(m_pDockSite, static_cast<BOOL>(wParam));
    return 0;
}

LRESULT CControlBar::OnMouseActivate(WPARAM, LPARAM) {
    // Clicking a bar leaves the active window and the focus where they are.
    return MA_NOACTIVATE;
}

void CControlBar::OnDestroy() {
    if (m_pDockBar) m_pDockBar->Remove(this);
    if (m_pFloatingWnd) {
        // The floating window outlives a bar destroyed on its own; hidden, it
        // goes with the frame.
        m_pFloatingWnd->m_pBar = nullptr;
        m_pFloatingWnd->ShowWindow(SW_HIDE);
        m_pFloatingWnd = nullptr;
    }
    if (m_pDockSite) {
        auto& bars = m_pDockSite->m_listControlBars;
        bars.erase(std::remove(bars.begin(), bars.end(), this), bars.end());
    }
    Default();
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (TrackDrag(message, wParam, lParam)) return 0;
    return CWnd::WindowProc(message, wParam, lParam);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const {
    for (CControlBar* pBar : m_listControlBars) {
        if (pBar->m_hWnd && static_cast<UINT>(::GetDlgCtrlID(pBar->m_hWnd)) == nID) return pBar;
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow) {
    if (!pBar || !pBar->m_hWnd) return;
    const int nCmdShow = bShow ? SW_SHOWNA : SW_HIDE;
    pBar->ShowWindow(nCmdShow);
    if (pBar->IsFloating() && pBar->m_pFloatingWnd) pBar->m_pFloatingWnd->ShowWindow(nCmdShow);
    RecalcLayout();
}

void CFrameWnd::SendIdleUpdateToFloatingBars(WPARAM wParam) {
    // Floating bars are not the frame's descendants, which idle time reaches.
    for (CControlBar* pBar : m_listControlBars) {
        if (pBar->IsFloating()) pBar->SendMessage(WM_IDLEUPDATECMDUI, wParam);
    }
}
