// Frame windows: CFrameWnd, and for the multiple-document interface the main
// frame CMDIFrameWnd with its MDI client and the child frames CMDIChildWnd.
// A frame routes commands (its active view, that view's document, itself,
// and for a top-level frame the application), updates menu items when a menu
// opens, translates accelerators, lays out its bars and client area, and
// keeps its title.
#pragma once

#include "framework/afxres.h"
#include "framework/wnd.h"

#include <string>
#include <vector>

class CControlBar;
class CDocTemplate;
class CDocument;
class CView;

// Frame styles: add the active document's title to the frame's title (with
// FWS_PREFIXTITLE, before it).
constexpr DWORD FWS_ADDTOTITLE = 0x00008000L;
constexpr DWORD FWS_PREFIXTITLE = 0x00004000L;

// What a frame and its view are created for.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    class CFrameWnd* m_pCurrentFrame = nullptr;
};

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    // Loads the menu, accelerators, icon and title string of nIDResource and
    // creates the window.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }
    virtual void ActivateFrame(int nCmdShow = -1);
    // Joins a new frame's views to pDoc: first updates, then shown when asked.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const char* lpszTitle) { m_strTitle = lpszTitle ? lpszTitle : ""; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    int m_nWindow = 0;  // the frame's number among its document's frames; 0 when it is alone

    // Places the bars (each takes its room through WM_SIZEPARENT) and gives
    // what they leave to the client window: the view, or the MDI client.
    virtual void RecalcLayout(BOOL bNotify = TRUE);

    // Control bars: the frame's bars wherever they are (its own children,
    // docked or floating), found by window id; docking at the sides where
    // EnableDocking made dock bars (nDockBarID 0: the first side the bar
    // allows, from the top); floating with the window's top-left at point.
    CControlBar* GetControlBar(UINT nID) const;
    void ShowControlBar(CControlBar* pBar, BOOL bShow);
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void FloatControlBar(CControlBar* pBar, CPoint point);
    std::vector<CControlBar*> m_listControlBars;

    // The status prompt of a command: its string before the newline.
    virtual std::string GetMessageString(UINT nID) const;
    void SetMessageText(const char* lpszText);
    void SetMessageText(UINT nID);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;

    HMENU m_hMenuDefault = nullptr;  // the frame's own menu
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;              // the resource id it was loaded from

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    void UpdateFrameTitleForDocument(const char* lpszDocName);
    // Updates the items of a menu that is about to open.
    void UpdateMenuItems(HMENU hMenu);
    // The window the bars leave their room to; the view by default.
    virtual HWND GetClientWindow() const;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnClose();
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnterIdle(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL bEnding);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    void OnBarCheck(UINT nID);
    void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    void SendIdleUpdateToFloatingBars(WPARAM wParam);

    std::string m_strTitle;      // the title string of the frame's resource
    CView* m_pViewActive = nullptr;
    UINT m_nIDTracking = 0;      // the menu item whose prompt the message bar shows
    UINT m_nIDLastMessage = 0;

    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMDIFrameWnd)
public:
    HWND m_hWndMDIClient = nullptr;

    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    // Shows hMenu in the menu bar, with hWindowMenu as the pop-up that lists
    // the open MDI children (NULL: the frame's own menu).
    void MDISetMenu(HMENU hMenu, HMENU hWindowMenu);
    // Puts back the frame's own menu, or the active child's document menu.
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    static HMENU GetWindowMenuPopup(HMENU hMenuBar);

    CDocument* GetActiveDocument() override;
    CFrameWnd* GetActiveFrame() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    HWND GetClientWindow() const override { return m_hWndMDIClient; }

    void OnWindowNew();
    void OnMDIWindowCmd(UINT nID);
    void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL DestroyWindow() override;
    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();

    HMENU m_hMenuShared = nullptr;  // the document type's menu, owned by its template

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
