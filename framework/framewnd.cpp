#include "framework/frame.h"

#include "framework/app.h"
#include "framework/bars.h"
#include "framework/doc.h"
#include "framework/view.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    fw::WmCreate<&CFrameWnd::OnCreate>(),
    fw::Message<&CFrameWnd::OnClose>(WM_CLOSE),
    fw::Message<&CFrameWnd::OnDestroy>(WM_DESTROY),
    fw::WmSize<&CFrameWnd::OnSize>(),
    fw::Message<&CFrameWnd::OnInitMenuPopup>(WM_INITMENUPOPUP),
    fw::Message<&CFrameWnd::OnMenuSelect>(WM_MENUSELECT),
    fw::Message<&CFrameWnd::OnEnterIdle>(WM_ENTERIDLE),
    fw::Message<&CFrameWnd::OnSetMessageString>(WM_SETMESSAGESTRING),
    fw::Message<&CFrameWnd::OnIdleUpdateCmdUI>(WM_IDLEUPDATECMDUI),
    fw::Message<&CFrameWnd::OnSetFocus>(WM_SETFOCUS),
    fw::WmQueryEndSession<&CFrameWnd::OnQueryEndSession>(),
    fw::WmEndSession<&CFrameWnd::OnEndSession>(),
    fw::UpdateCommandRange<&CFrameWnd::OnUpdateControlBarMenu>(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR),
    fw::CommandRange<&CFrameWnd::OnBarCheck>(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR),
    fw::UpdateCommandRange<&CFrameWnd::OnUpdateKeyIndicator>(ID_INDICATOR_CAPS, ID_INDICATOR_SCRL),
END_MESSAGE_MAP()

CFrameWnd* CWnd::GetParentFrame() const {
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}

CFrameWnd::~CFrameWnd() {
    if (m_hMenuDefault) ::DestroyMenu(m_hMenuDefault);
    if (m_hAccelTable) ::DestroyAcceleratorTable(m_hAccelTable);
}

void CFrameWnd::PostNcDestroy() { delete this; }  // frames own themselves

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) {
        HINSTANCE hInst = ::GetModuleHandleA(nullptr);
        HICON hIcon = m_nIDHelp ? ::LoadIconA(hInst, MAKEINTRESOURCEA(m_nIDHelp)) : nullptr;
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1), hIcon);
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    HINSTANCE hInst = ::GetModuleHandleA(nullptr);
    const std::string strings = AfxLoadString(nIDResource);
    m_strTitle = strings.substr(0, strings.find('\n'));
    HMENU hMenu = ::LoadMenuA(hInst, MAKEINTRESOURCEA(nIDResource));
    m_hMenuDefault = hMenu;
    if (!CreateEx(0, nullptr, m_strTitle.c_str(), dwDefaultStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, pParentWnd ? pParentWnd->m_hWnd : nullptr, hMenu, pContext)) {
        return FALSE;  // the object is gone: PostNcDestroy deleted it
    }
    m_hAccelTable = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDResource));
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
    // An MDI child's creation parameters come wrapped by the MDI client.
    LPVOID lpParam = lpcs->lpCreateParams;
    if ((lpcs->dwExStyle & WS_EX_MDICHILD) && lpParam) {
        lpParam = reinterpret_cast<LPVOID>(static_cast<const MDICREATESTRUCTA*>(lpParam)->lParam);
    }
    auto* pContext = static_cast<CCreateContext*>(lpParam);
    if (Default() == -1) return -1;
    if (!OnCreateClient(lpcs, pContext)) return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext && pContext->m_pNewViewClass) return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    if (!pObject) return nullptr;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
        delete pObject;
        return nullptr;
    }
    auto* pView = static_cast<CWnd*>(pObject);
    const RECT rect{0, 0, 0, 0};
    // A view owns itself once it has a window; a failed creation deletes it.
    if (!pView->CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect.left, rect.top, 0, 0, m_hWnd,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext)) {
        return nullptr;
    }
    return pView;
}

void CFrameWnd::OnDestroy() {
    // A menu in the bar would be destroyed with the window; each menu belongs
    // to its frame or its document template, which destroy it themselves.
    if (!(GetStyle() & WS_CHILD)) ::SetMenu(m_hWnd, nullptr);
    Default();
}

HWND CFrameWnd::GetClientWindow() const { return ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST); }

void CFrameWnd::RecalcLayout(BOOL) {
    if (!m_hWnd) return;
    AFX_SIZEPARENTPARAMS layout{};
    ::GetClientRect(m_hWnd, &layout.rect);
    layout.bStretch = TRUE;
    layout.hDWP = ::BeginDeferWindowPos(8);
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        ::SendMessageA(hChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
    if (HWND hClient = GetClientWindow()) {
        const RECT& r = layout.rect;
        const int cx = r.right > r.left ? r.right - r.left : 0;
        const int cy = r.bottom > r.top ? r.bottom - r.top : 0;
        if (layout.hDWP) {
            layout.hDWP = ::DeferWindowPos(layout.hDWP, hClient, nullptr, r.left, r.top, cx, cy,
                                           SWP_NOACTIVATE | SWP_NOZORDER);
        } else {
            ::MoveWindow(hClient, r.left, r.top, cx, cy, TRUE);
        }
    }
    if (layout.hDWP) ::EndDeferWindowPos(layout.hDWP);
}

void CFrameWnd::OnSize(UINT nType, int, int) {
    Default();
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew && ::IsWindowVisible(m_hWnd)) ::SetFocus(pViewNew->m_hWnd);
}

CDocument* CFrameWnd::GetActiveDocument() { return m_pViewActive ? m_pViewActive->GetDocument() : nullptr; }

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) nCmdShow = ::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW;
    ShowWindow(nCmdShow);
    ::BringWindowToTop(m_hWnd);
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    if (!m_pViewActive) {
        if (auto* pView = dynamic_cast<CView*>(FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST)))) {
            SetActiveView(pView, FALSE);
        }
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    if (bMakeVisible) {
        ActivateFrame();
        if (m_pViewActive) ::SetFocus(m_pViewActive->m_hWnd);
    }
    if (pDoc) pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // The active view (and through it its document) first, then the frame;
    // a top-level frame ends the route with the application.
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (GetStyle() & WS_CHILD) return FALSE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

namespace {
// Records what the update handlers say of a command, for the test below.
class CTestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetText(const char*) override {}
};
}  // namespace

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // A command from a menu, a key or a button runs only while its update
    // handler leaves it enabled: a key must not do what the menu forbids.
    const UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    const bool bFromControl = hWndCtrl && FromHandlePermanent(hWndCtrl) && HIWORD(wParam) != BN_CLICKED;
    if (!bFromControl && nID != 0) {
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled) return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable &&
        !(GetStyle() & WS_CHILD)) {
        return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
    }
    return FALSE;
}

void CFrameWnd::UpdateMenuItems(HMENU hMenu) {
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        const UINT nID = ::GetMenuItemID(hMenu, i);
        // Separators, pop-ups, the MDI window list and system commands keep
        // the state the system gives them.
        if (nID == 0 || nID == static_cast<UINT>(-1) || nID >= AFX_IDM_FIRST_MDICHILD) continue;
        CCmdUI state;
        state.m_nID = nID;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nIndexMax = static_cast<UINT>(nCount);
        state.m_hMenu = hMenu;
        state.DoUpdate(this, TRUE);
    }
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
    Default();
    if (!HIWORD(lParam)) UpdateMenuItems(reinterpret_cast<HMENU>(wParam));
    return 0;
}

LRESULT CFrameWnd::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
    const UINT nItemID = LOWORD(wParam);
    const UINT nFlags = HIWORD(wParam);
    if (nFlags == 0xFFFF && !lParam) {
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;  // the menu closed
        SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    } else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP))) {
        m_nIDTracking = 0;
    } else if (nItemID >= 0xF000 && nItemID < 0xF1F0) {
        m_nIDTracking = AFX_IDS_SCFIRST + ((nItemID - 0xF000) >> 4);  // a system command
    } else if (nItemID >= AFX_IDM_FIRST_MDICHILD) {
        m_nIDTracking = AFX_IDS_MDICHILD;
    } else {
        m_nIDTracking = nItemID;
    }
    return Default();
}

LRESULT CFrameWnd::OnEnterIdle(WPARAM wParam, LPARAM lParam) {
    Default();
    if (wParam == MSGF_MENU && m_nIDTracking != m_nIDLastMessage) {
        SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
    }
    (void)lParam;
    return 0;
}

std::string CFrameWnd::GetMessageString(UINT nID) const {
    const std::string text = AfxLoadString(nID);
    return text.substr(0, text.find('\n'));
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    const UINT nIDLast = m_nIDLastMessage;
    m_nIDLastMessage = static_cast<UINT>(wParam);
    if (HWND hBar = ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR)) {
        std::string text;
        if (lParam) {
            text = reinterpret_cast<const char*>(lParam);
        } else if (wParam) {
            text = GetMessageString(static_cast<UINT>(wParam));
        }
        ::SetWindowTextA(hBar, text.c_str());
    }
    return nIDLast;
}

void CFrameWnd::SetMessageText(const char* lpszText) {
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID); }

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    if (!(GetStyle() & WS_CHILD)) OnUpdateFrameTitle(TRUE);
    SendIdleUpdateToFloatingBars(wParam);
    return 0;
}

LRESULT CFrameWnd::OnSetFocus(WPARAM wParam, LPARAM lParam) {
    if (m_pViewActive && m_pViewActive->m_hWnd) {
        ::SetFocus(m_pViewActive->m_hWnd);
        return 0;
    }
    return DefWindowProc(WM_SETFOCUS, wParam, lParam);
}

void CFrameWnd::UpdateFrameTitleForDocument(const char* lpszDocName) {
    std::string title = m_strTitle;
    if (lpszDocName && *lpszDocName) {
        std::string doc = lpszDocName;
        if (m_nWindow > 0) doc += ":" + std::to_string(m_nWindow);
        title = (GetStyle() & FWS_PREFIXTITLE) ? doc + " - " + m_strTitle : m_strTitle + " - " + doc;
    }
    if (GetWindowText() != title) SetWindowText(title.c_str());
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (!(GetStyle() & FWS_ADDTOTITLE)) return;
    CDocument* pDoc = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && pDoc ? pDoc->GetTitle().c_str() : nullptr);
}

void CFrameWnd::OnClose() {
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        // The main window: every modified document may ask to be saved, then
        // all close with their frames.
        if (!pApp->SaveAllModified()) return;
        pApp->CloseAllDocuments(FALSE);
        if (!m_hWnd) return;
    } else if (CDocument* pDoc = GetActiveDocument()) {
        if (!pDoc->CanCloseFrame(this)) return;
        // The document's last frame closes the document itself.
        bool bOtherFrame = false;
        for (POSITION pos = pDoc->GetFirstViewPosition(); pos;) {
            CView* pView = pDoc->GetNextView(pos);
            if (pView->GetParentFrame() != this) bOtherFrame = true;
        }
        if (!bOtherFrame) {
            pDoc->OnCloseDocument();
            return;
        }
    }
    DestroyWindow();
}

BOOL CFrameWnd::OnQueryEndSession() {
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) return pApp->SaveAllModified();
    return TRUE;
}

void CFrameWnd::OnEndSession(BOOL bEnding) {
    if (!bEnding) return;
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        pApp->CloseAllDocuments(TRUE);
        pApp->ExitInstance();
    }
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (!pBar) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck(pBar->IsVisible() ? 1 : 0);
}

void CFrameWnd::OnBarCheck(UINT nID) {
    if (CControlBar* pBar = GetControlBar(nID)) ShowControlBar(pBar, !pBar->IsVisible());
}
