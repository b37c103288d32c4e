// CStatusBar: the system's status control as a bar. Its message pane shows
// the frame's messages (the frame sets it through the bar's window text);
// its indicators show their texts while their update handlers enable them.
#include "framework/bars.h"

#include "framework/app.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// An indicator's text sits inside the pane's sunken edge with a little air.
constexpr int kPaneMargin = 5;

class CStatusCmdUI : public CCmdUI {
public:
    explicit CStatusCmdUI(CStatusBar* pBar) : m_pBar(pBar) { m_pOther = pBar; }
    void Enable(BOOL bOn) override {
        m_pBar->SetPaneEnabled(static_cast<int>(m_nIndex), bOn);
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetText(const char* lpszText) override { m_pBar->SetPaneText(static_cast<int>(m_nIndex), lpszText); }

private:
    CStatusBar* m_pBar;
};

}  // namespace

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    fw::Message<&CStatusBar::OnSetText>(WM_SETTEXT),
    fw::WmSize<&CStatusBar::OnSize>(),
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    // The frame places the control; a frame the user can size gets a grip.
    DWORD dwControlStyle = CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    if (pParentWnd && (pParentWnd->GetStyle() & WS_THICKFRAME)) dwControlStyle |= SBARS_SIZEGRIP;
    if (!CreateBar(STATUSCLASSNAMEA, dwStyle, dwControlStyle, pParentWnd, nID)) return FALSE;
    SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    if (!m_hWnd || nIDCount < 0 || nIDCount > 255 || (nIDCount > 0 && !lpIDArray)) return FALSE;
    BOOL bResult = TRUE;
    std::vector<Pane> panes(static_cast<size_t>(nIDCount));
    for (size_t i = 0; i < panes.size(); ++i) {
        Pane& pane = panes[i];
        pane.nID = lpIDArray[i];
        if (pane.nID == ID_SEPARATOR) {
            pane.text = AfxLoadString(AFX_IDS_IDLEMESSAGE);
            continue;
        }
        pane.text = AfxLoadString(pane.nID);
        if (pane.text.empty()) bResult = FALSE;
        pane.cx = TextWidth(pane.text) + 2 * (kPaneMargin + ::GetSystemMetrics(SM_CXEDGE));
    }
    m_panes = std::move(panes);
    UpdateParts();
    if (m_pDockSite) m_pDockSite->RecalcLayout();
    return bResult;
}

UINT CStatusBar::GetItemID(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].nID : ID_SEPARATOR;
}

int CStatusBar::CommandToIndex(UINT nID) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[static_cast<size_t>(i)].nID == nID) return i;
    }
    return -1;
}

std::string CStatusBar::GetPaneText(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetCount()) return {};
    const LRESULT nLength = LOWORD(SendMessage(SB_GETTEXTLENGTHA, static_cast<WPARAM>(nIndex)));
    std::string text(static_cast<size_t>(nLength) + 1, '\0');
    SendMessage(SB_GETTEXTA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(nLength));
    return text;
}

BOOL CStatusBar::SetPaneText(int nIndex, const char* lpszNewText) {
    if (nIndex < 0 || nIndex >= GetCount()) return FALSE;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    const std::string text = lpszNewText ? lpszNewText : "";
    if (pane.text == text) return TRUE;
    pane.text = text;
    ShowPane(nIndex);
    return TRUE;
}

void CStatusBar::SetPaneEnabled(int nIndex, BOOL bEnabled) {
    if (nIndex < 0 || nIndex >= GetCount()) return;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    if (pane.bEnabled == (bEnabled != FALSE)) return;
    pane.bEnabled = bEnabled != FALSE;
    ShowPane(nIndex);
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    *lpRect = RECT{0, 0, 0, 0};
    if (nIndex >= 0 && nIndex < GetCount()) {
        SendMessage(SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
    }
}

void CStatusBar::ShowPane(int nIndex) {
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    const WPARAM nStyle = pane.nID == ID_SEPARATOR ? SBT_NOBORDERS : 0;
    const char* lpszText = pane.bEnabled ? pane.text.c_str() : "";
    SendMessage(SB_SETTEXTA, static_cast<WPARAM>(nIndex) | nStyle, reinterpret_cast<LPARAM>(lpszText));
}

int CStatusBar::TextWidth(const std::string& text) const {
    fw::WindowDC dc(m_hWnd);
    fw::ScopedSelectObject font(dc.get(), GetFont());
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void CStatusBar::UpdateParts() {
    // Indicators keep their widths; the message panes share what is left,
    // and the last pane also holds the size grip.
    RECT client;
    GetClientRect(&client);
    const int nGrip = (GetStyle() & SBARS_SIZEGRIP) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
    int nFixed = nGrip;
    int nStretching = 0;
    for (const Pane& pane : m_panes) {
        if (pane.nID == ID_SEPARATOR) {
            ++nStretching;
        } else {
            nFixed += pane.cx;
        }
    }
    const int nFree = std::max(0, static_cast<int>(client.right) - nFixed);
    std::vector<int> edges;
    int x = 0;
    int nStretched = 0;
    for (const Pane& pane : m_panes) {
        if (pane.nID == ID_SEPARATOR) {
            // Equal shares; the rounding goes to the last one.
            x += nFree * (nStretched + 1) / nStretching - nFree * nStretched / nStretching;
            ++nStretched;
        } else {
            x += pane.cx;
        }
        edges.push_back(x);
    }
    if (edges.empty()) {
        edges.push_back(-1);
    } else {
        edges.back() = -1;
    }
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < GetCount(); ++i) ShowPane(i);
}

SIZE CStatusBar::CalcFixedLayout(BOOL) {
    fw::WindowDC dc(m_hWnd);
    fw::ScopedSelectObject font(dc.get(), GetFont());
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc.get(), &tm);
    int borders[3] = {0, 0, 0};  // horizontal, vertical, between panes
    SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    int cx = 0;
    for (const Pane& pane : m_panes) cx += pane.cx;
    const int cy = tm.tmHeight + 2 * (borders[1] + ::GetSystemMetrics(SM_CYEDGE)) + 2;
    return {cx, std::max(cy, ::GetSystemMetrics(SM_CYHSCROLL))};
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) {
    CStatusCmdUI state(this);
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); ++i) {
        const UINT nID = m_panes[static_cast<size_t>(i)].nID;
        if (nID == ID_SEPARATOR) continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = nID;
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
    // The window's text is the message pane's.
    const int nIndex = CommandToIndex(ID_SEPARATOR);
    if (nIndex >= 0) SetPaneText(nIndex, reinterpret_cast<const char*>(lParam));
    return TRUE;
}

void CStatusBar::OnSize(UINT, int, int) {
    Default();
    UpdateParts();
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI) {
    // An indicator shows while its lock is on: the key's toggle bit.
    int nVirtKey = VK_SCROLL;
    if (pCmdUI->m_nID == ID_INDICATOR_CAPS) {
        nVirtKey = VK_CAPITAL;
    } else if (pCmdUI->m_nID == ID_INDICATOR_NUM) {
        nVirtKey = VK_NUMLOCK;
    }
    pCmdUI->Enable(::GetKeyState(nVirtKey) & 1);
}
