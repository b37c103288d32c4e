#include "pane/kestrum_view.h"

#include "framework/afxres.h"
#include "framework/app.h"
#include "framework/doc.h"
#include "framework/frame.h"
#include "framework/handles.h"
#include "pane/newest_lines.h"
#include "pane/pane_host.h"
#include "res/resource.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CKestrumView, CEditView)

BEGIN_MESSAGE_MAP(CKestrumView, CEditView)
    fw::WmContextMenu<&CKestrumView::OnContextMenu>(),
    fw::Command<&CKestrumView::OnCopyAll>(ID_EDIT_COPY_ALL),
    fw::Command<&CKestrumView::OnClearWindow>(ID_EDIT_CLEAR_ALL),
    fw::UpdateCommand<&CKestrumView::OnUpdateClearWindow>(ID_EDIT_CLEAR_ALL),
    fw::Command<&CKestrumView::OnSnapShot>(ID_VIEW_SNAPSHOT),
    fw::UpdateCommand<&CKestrumView::OnUpdateSnapShot>(ID_VIEW_SNAPSHOT),
    fw::UpdateCommand<&CKestrumView::OnUpdateInterleaveOutput>(ID_VIEW_INTERLEAVE),
END_MESSAGE_MAP()

namespace {

struct Selection {
    DWORD start = 0;
    DWORD end = 0;
};

Selection GetSel(const CWnd& wnd) {
    Selection sel;
    wnd.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&sel.start), reinterpret_cast<LPARAM>(&sel.end));
    return sel;
}

void SetSel(const CWnd& wnd, DWORD start, DWORD end) { wnd.SendMessage(EM_SETSEL, start, end); }

void ReplaceSelection(const CWnd& wnd, const char* text) {
    wnd.SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

int FirstVisibleLine(const CWnd& wnd) { return static_cast<int>(wnd.SendMessage(EM_GETFIRSTVISIBLELINE)); }

// Scrolls so that `line` is the first visible line again.
void ScrollToFirstLine(const CWnd& wnd, int line) {
    const int now = FirstVisibleLine(wnd);
    if (now != line) wnd.SendMessage(EM_LINESCROLL, 0, line - now);
}

}  // namespace

BOOL CKestrumView::PreCreateWindow(CREATESTRUCT& cs) {
    const BOOL result = CEditView::PreCreateWindow(cs);
    // Long lines wrap at the right edge: no horizontal scrolling.
    cs.style &= ~(WS_HSCROLL | ES_AUTOHSCROLL);
    return result;
}

CPaneDocument* CKestrumView::GetPaneDocument() const { return dynamic_cast<CPaneDocument*>(GetDocument()); }

void CKestrumView::SetCaption(const std::string& caption) {
    if (CWnd* pFrame = CWnd::FromHandle(::GetParent(m_hWnd))) pFrame->SetWindowText(caption.c_str());
}

DWORD CKestrumView::TrimToFit(size_t nIncoming) {
    const size_t length = static_cast<size_t>(GetWindowTextLength());
    if (length + nIncoming <= kTextLimit) return static_cast<DWORD>(length);
    // Take a sizeable block at a time, so that trimming is rare, and end it
    // after a line break, so that whole lines go.
    const std::string text = GetWindowText();
    size_t cut = std::max(length + nIncoming - kTextLimit, static_cast<size_t>(kTextLimit / 8));
    const size_t lineEnd = cut < text.size() ? text.find('\n', cut - 1) : std::string::npos;
    cut = lineEnd == std::string::npos ? text.size() : lineEnd + 1;

    const Selection sel = GetSel(*this);
    const DWORD firstChar = static_cast<DWORD>(SendMessage(EM_LINEINDEX, FirstVisibleLine(*this)));
    auto shifted = [cut](DWORD pos) { return pos >= cut ? static_cast<DWORD>(pos - cut) : 0; };

    SendMessage(WM_SETREDRAW, FALSE);
    SetSel(*this, 0, static_cast<DWORD>(cut));
    ReplaceSelection(*this, "");
    SetSel(*this, shifted(sel.start), shifted(sel.end));
    ScrollToFirstLine(*this, static_cast<int>(SendMessage(EM_LINEFROMCHAR, shifted(firstChar))));
    SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return static_cast<DWORD>(text.size() - cut);
}

void CKestrumView::AppendText(const char* lpszText) {
    size_t n = std::strlen(lpszText);
    // More than the pane holds: only its newest lines can show.
    const size_t skip = NewestLinesOffset(lpszText, n, kTextLimit);
    lpszText += skip;
    n -= skip;
    const DWORD length = TrimToFit(n);

    const Selection sel = GetSel(*this);
    if (sel.start == length && sel.end == length) {
        // Following: the control brings the new text into view.
        ReplaceSelection(*this, lpszText);
        return;
    }
    // Holding: the selection and the first visible line stay; the pane
    // repaints only when the last line, where the text goes, is on screen.
    const int firstLine = FirstVisibleLine(*this);
    SendMessage(WM_SETREDRAW, FALSE);
    SetSel(*this, length, length);
    // The control scrolls to the caret it is given: ask about the last line
    // with the user's view back in place.
    ScrollToFirstLine(*this, firstLine);
    const BOOL bLastLineShown = IsCaretLineVisible();
    ReplaceSelection(*this, lpszText);
    SetSel(*this, sel.start, sel.end);
    ScrollToFirstLine(*this, firstLine);
    SendMessage(WM_SETREDRAW, TRUE);
    if (bLastLineShown) {
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    } else {
        ::ValidateRect(m_hWnd, nullptr);
    }
}

BOOL CKestrumView::IsCaretLineVisible() const {
    const int line = static_cast<int>(SendMessage(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)));
    const int first = FirstVisibleLine(*this);
    RECT rect{};
    SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    const CPaneHost* pHost = AfxGetPaneHost();
    const int lineHeight = pHost ? pHost->GetLineHeight() : 1;
    const int shown = (rect.bottom - rect.top) / lineHeight;
    return first <= line && line < first + shown;
}

void CKestrumView::OnCopyAll() {
    // The whole text, however long. The control scrolls to each selection it
    // is given: the user's view is put back with the selection.
    const Selection sel = GetSel(*this);
    const int firstLine = FirstVisibleLine(*this);
    SetSel(*this, 0, static_cast<DWORD>(-1));
    SendMessage(WM_COPY);
    SetSel(*this, sel.start, sel.end);
    ScrollToFirstLine(*this, firstLine);
}

void CKestrumView::ClearText() {
    SetWindowText("");
    // What the live pane has not shown yet came before the clear: it goes too.
    if (CPaneDocument* pDoc = m_bLive ? GetPaneDocument() : nullptr) pDoc->DiscardPendingOutput();
}

void CKestrumView::OnClearWindow() { ClearText(); }

void CKestrumView::OnUpdateClearWindow(CCmdUI* pCmdUI) { pCmdUI->Enable(GetWindowTextLength() > 0); }

void CKestrumView::OnUpdateInterleaveOutput(CCmdUI* pCmdUI) {
    // While a pane is active the flag shows but cannot change.
    const CPaneHost* pHost = AfxGetPaneHost();
    pCmdUI->SetCheck(pHost && pHost->IsInterleaved() ? 1 : 0);
    pCmdUI->Enable(FALSE);
}

void CKestrumView::OnContextMenu(CWnd*, CPoint point) {
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: beside the pane's top-left corner.
        RECT rect;
        GetClientRect(&rect);
        ClientToScreen(&rect);
        point = CPoint(rect.left + 5, rect.top + 5);
    }
    fw::UniqueMenu menu(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONTEXT_MENU)));
    HMENU hPopup = menu ? ::GetSubMenu(menu.get(), 0) : nullptr;
    if (!hPopup) return;
    // The main frame owns the menu: its update handlers set the items, and
    // the chosen command takes the usual route from there.
    HWND hOwner = m_hWnd;
    while (::GetWindowLongA(hOwner, GWL_STYLE) & WS_CHILD) hOwner = ::GetParent(hOwner);
    ::TrackPopupMenu(hPopup, TPM_RIGHTBUTTON, point.x, point.y, 0, hOwner, nullptr);
}

BOOL CKestrumView::PreTranslateMessage(MSG* pMsg) {
    const bool bShiftF10 = (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) &&
                           pMsg->wParam == VK_F10 && (::GetKeyState(VK_SHIFT) & ~1) != 0;
    if (bShiftF10 || pMsg->message == WM_CONTEXTMENU) {
        OnContextMenu(nullptr, CPoint(-1, -1));
        return TRUE;
    }
    return CEditView::PreTranslateMessage(pMsg);
}

void CKestrumView::OnInitialUpdate() {
    CEditView::OnInitialUpdate();
    CPaneDocument* pDoc = GetPaneDocument();
    if (!pDoc) return;
    // The first pane of a new document is elected live; every later one
    // finds the live pane and is a snapshot of it.
    const bool bLive = pDoc->GetLiveView() == this;
    SetCaption(pDoc->PaneCaption(!bLive));
    if (const CPaneHost* pHost = AfxGetPaneHost()) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pHost->GetPaneFont()), TRUE);
    }
    if (!bLive) CopyLiveText();
}

void CKestrumView::CopyLiveText() {
    CPaneDocument* pDoc = GetPaneDocument();
    CKestrumView* pLive = pDoc ? pDoc->GetLiveView() : nullptr;
    if (!pLive || pLive == this) return;
    SetWindowText(pLive->GetWindowText().c_str());
    SetSel(*this, 0, 0);
}

void CKestrumView::OnSnapShot() {
    if (m_bLive) {
        // A new window on this document; its first update makes it a snapshot.
        if (CWnd* pMain = AfxGetMainWnd()) pMain->SendMessage(WM_COMMAND, MAKEWPARAM(ID_WINDOW_NEW, 0), 0);
    } else {
        CopyLiveText();
    }
}

void CKestrumView::OnUpdateSnapShot(CCmdUI* pCmdUI) {
    CPaneDocument* pDoc = GetPaneDocument();
    CKestrumView* pLive = pDoc ? pDoc->GetLiveView() : nullptr;
    pCmdUI->Enable(pLive && pLive->GetWindowTextLength() > 0);
}
