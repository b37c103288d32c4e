#include "framework/app.h"
#include "framework/doc.h"
#include "framework/doctemplate.h"
#include "framework/frame.h"
#include "framework/view.h"

IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    fw::Command<&CMDIFrameWnd::OnWindowNew>(ID_WINDOW_NEW),
    fw::CommandRange<&CMDIFrameWnd::OnMDIWindowCmd>(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT),
    fw::UpdateCommandRange<&CMDIFrameWnd::OnUpdateMDIWindowCmd>(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT),
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = GetWindowMenuPopup(lpcs->hMenu);
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    // MDIS_ALLCHILDSTYLES: children are created hidden and shown once their
    // views have had their first update.
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL |
                                            MDIS_ALLCHILDSTYLES,
                                        0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(AFX_IDW_MDICLIENT),
                                        ::GetModuleHandleA(nullptr), &ccs);
    return m_hWndMDIClient != nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
    // The pop-up that holds the window-arranging commands lists the children.
    if (!hMenuBar) return nullptr;
    for (int i = ::GetMenuItemCount(hMenuBar) - 1; i >= 0; --i) {
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        if (!hPopup) continue;
        for (int j = ::GetMenuItemCount(hPopup) - 1; j >= 0; --j) {
            const UINT nID = ::GetMenuItemID(hPopup, j);
            if (nID >= ID_WINDOW_NEW && nID <= ID_WINDOW_TILE_VERT) return hPopup;
        }
    }
    return nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
    if (!m_hWndMDIClient) return nullptr;
    BOOL bMaximized = FALSE;
    HWND hWnd = reinterpret_cast<HWND>(
        ::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMaximized)));
    if (pbMaximized) *pbMaximized = bMaximized;
    return dynamic_cast<CMDIChildWnd*>(FromHandlePermanent(hWnd));
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->m_hWnd), 0);
}

void CMDIFrameWnd::MDISetMenu(HMENU hMenu, HMENU hWindowMenu) {
    ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu),
                   reinterpret_cast<LPARAM>(hWindowMenu));
    ::DrawMenuBar(m_hWnd);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    CMDIChildWnd* pActive = MDIGetActive();
    HMENU hMenu = hMenuAlt;
    if (!hMenu && pActive && pActive->m_hMenuShared) hMenu = pActive->m_hMenuShared;
    if (!hMenu) hMenu = m_hMenuDefault;
    MDISetMenu(hMenu, GetWindowMenuPopup(hMenu));
}

CDocument* CMDIFrameWnd::GetActiveDocument() {
    CMDIChildWnd* pActive = MDIGetActive();
    return pActive ? pActive->GetActiveDocument() : nullptr;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
    CMDIChildWnd* pActive = MDIGetActive();
    return pActive ? static_cast<CFrameWnd*>(pActive) : this;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (!(GetStyle() & FWS_ADDTOTITLE)) return;
    // A maximised child shows its caption in the frame's title by itself.
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActive = MDIGetActive(&bMaximized);
    CDocument* pDoc = pActive ? pActive->GetActiveDocument() : nullptr;
    UpdateFrameTitleForDocument(bAddToTitle && pDoc && !bMaximized ? pDoc->GetTitle().c_str() : nullptr);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // The active child's route (view, document, child frame) comes first.
    if (CMDIChildWnd* pActive = MDIGetActive(); pActive && pActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CFrameWnd::OnCommand(wParam, lParam)) return TRUE;
    // The Window menu's list of children and the system commands of a
    // maximised child are the MDI client's.
    return FALSE;
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        if (::TranslateMDISysAccel(m_hWndMDIClient, pMsg)) return TRUE;
        if (m_hAccelTable && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg)) return TRUE;
    }
    return FALSE;
}

void CMDIFrameWnd::OnWindowNew() {
    CMDIChildWnd* pActive = MDIGetActive();
    CDocument* pDoc = pActive ? pActive->GetActiveDocument() : nullptr;
    CDocTemplate* pTemplate = pDoc ? pDoc->GetDocTemplate() : nullptr;
    CFrameWnd* pFrame = pTemplate ? pTemplate->CreateNewFrame(pDoc, pActive) : nullptr;
    if (!pFrame) {
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
        return;
    }
    pTemplate->InitialUpdateFrame(pFrame, pDoc, TRUE);
}

void CMDIFrameWnd::OnMDIWindowCmd(UINT nID) {
    switch (nID) {
    case ID_WINDOW_ARRANGE: ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); break;
    case ID_WINDOW_CASCADE: ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0); break;
    case ID_WINDOW_TILE_HORZ: ::SendMessageA(m_hWndMDIClient, WM_MDITILE, MDITILE_HORIZONTAL, 0); break;
    case ID_WINDOW_TILE_VERT: ::SendMessageA(m_hWndMDIClient, WM_MDITILE, MDITILE_VERTICAL, 0); break;
    default: break;  // ID_WINDOW_NEW has its own handler
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); }

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    fw::Message<&CMDIChildWnd::OnMDIActivate>(WM_MDIACTIVATE),
    fw::Message<&CMDIChildWnd::OnSetText>(WM_SETTEXT),
END_MESSAGE_MAP()

LRESULT CMDIChildWnd::OnSetText(WPARAM, LPARAM) {
    // The Window menu lists the children by caption: bring it up to date
    // (not every system does so by itself).
    const LRESULT result = Default();
    if (HWND hClient = ::GetParent(m_hWnd); hClient && ::IsWindowVisible(m_hWnd)) {
        ::SendMessageA(hClient, WM_MDIREFRESHMENU, 0, 0);
        if (CMDIFrameWnd* pFrame = GetMDIFrame()) ::DrawMenuBar(pFrame->m_hWnd);
    }
    return result;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
    HWND hClient = ::GetParent(m_hWnd);
    return hClient ? dynamic_cast<CMDIFrameWnd*>(FromHandlePermanent(::GetParent(hClient))) : nullptr;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    CMDIFrameWnd* pMainFrame = dynamic_cast<CMDIFrameWnd*>(pParentWnd ? pParentWnd : AfxGetMainWnd());
    if (!pMainFrame || !pMainFrame->m_hWndMDIClient) {
        PostNcDestroy();
        return FALSE;
    }
    m_nIDHelp = nIDResource;
    const std::string strings = AfxLoadString(nIDResource);
    m_strTitle = strings.substr(0, strings.find('\n'));
    if (pContext && pContext->m_pNewDocTemplate) m_hMenuShared = pContext->m_pNewDocTemplate->m_hMenuShared;

    CREATESTRUCT cs{};
    cs.style = dwDefaultStyle & ~(WS_VISIBLE | WS_MAXIMIZE);  // shown by ActivateFrame
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    cs.lpszName = m_strTitle.c_str();
    cs.hwndParent = pMainFrame->m_hWndMDIClient;
    cs.hInstance = ::GetModuleHandleA(nullptr);
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    // Children of the MDI client are made by the client, on WM_MDICREATE.
    MDICREATESTRUCTA mcs{};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);
    HookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(
        ::SendMessageA(pMainFrame->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    const bool bAttached = UnhookWindowCreate();
    if (!hWnd) {
        if (!bAttached) PostNcDestroy();
        return FALSE;
    }
    return TRUE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    CMDIFrameWnd* pFrame = GetMDIFrame();  // this object is gone after the next line
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
    // With the last child gone the frame's own menu comes back.
    if (pFrame && !pFrame->MDIGetActive()) pFrame->OnUpdateFrameMenu(nullptr);
    return TRUE;
}

void CMDIChildWnd::MDIActivate() {
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
    // A new child opens maximised when the active one is.
    BOOL bMaximized = FALSE;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    CMDIChildWnd* pActive = pFrame ? pFrame->MDIGetActive(&bMaximized) : nullptr;
    if (nCmdShow == -1) {
        if (!::IsWindowVisible(m_hWnd)) {
            nCmdShow = (pActive && pActive != this && bMaximized) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        } else {
            nCmdShow = ::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW;
        }
    }
    ShowWindow(nCmdShow);
    MDIActivate();
    if (pFrame) pFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (!(GetStyle() & FWS_ADDTOTITLE)) return;
    CDocument* pDoc = GetActiveDocument();
    if (!bAddToTitle || !pDoc) return;
    std::string title = pDoc->GetTitle();
    if (m_nWindow > 0) title += ":" + std::to_string(m_nWindow);
    if (GetWindowText() != title) SetWindowText(title.c_str());
}

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM wParam, LPARAM lParam) {
    Default();
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (!pFrame) return 0;
    const bool bActivating = reinterpret_cast<HWND>(lParam) == m_hWnd;
    // Deactivation with no other child taking over leaves the frame's own
    // menu; activation brings the document type's menu.
    if (bActivating) {
        pFrame->MDISetMenu(m_hMenuShared ? m_hMenuShared : pFrame->m_hMenuDefault,
                           CMDIFrameWnd::GetWindowMenuPopup(m_hMenuShared ? m_hMenuShared : pFrame->m_hMenuDefault));
        if (m_pViewActive && ::IsWindowVisible(m_hWnd)) ::SetFocus(m_pViewActive->m_hWnd);
    } else if (!lParam && reinterpret_cast<HWND>(wParam) == m_hWnd) {
        pFrame->MDISetMenu(pFrame->m_hMenuDefault, CMDIFrameWnd::GetWindowMenuPopup(pFrame->m_hMenuDefault));
    }
    pFrame->OnUpdateFrameTitle(TRUE);
    return 0;
}
