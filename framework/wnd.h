// CWnd: a C++ object attached to a window. Every window the framework creates
// is subclassed at creation, so that its messages go through the object's
// message map; what the map does not handle goes to the window's own
// procedure (its class's, or the system control's).
#pragma once

#include "framework/cmdtarget.h"

#include <string>

// The framework's own window messages.
constexpr UINT WM_SIZEPARENT = 0x0361;        // lParam: AFX_SIZEPARENTPARAMS*; bars take their room
constexpr UINT WM_SETMESSAGESTRING = 0x0362;  // wParam: string id, or lParam: text, for the message bar
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;   // idle time: bring buttons and panes up to date
constexpr UINT WM_INITIALUPDATE = 0x0364;     // a new frame's views get their first update

struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;   // deferred moves, or NULL to measure only
    RECT rect;   // the room left; each bar takes its part from it
    SIZE sizeTotal;
    BOOL bStretch;
};

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    HWND m_hWnd = nullptr;

    // The insert-after values of SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    ~CWnd() override;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to a window; FromHandle makes a temporary object for
    // a window that has none (valid until the next idle time).
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();

    // Attaches this object to an existing window, subclassing it.
    BOOL SubclassWindow(HWND hWnd);

    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                          int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = nullptr);
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID);
    virtual BOOL DestroyWindow();

    // Overridables
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A notification this window sent its parent, offered back to it first.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // After the window is gone; objects that own themselves delete themselves here.
    virtual void PostNcDestroy() {}
    // The frame that holds this window, or NULL.
    class CFrameWnd* GetParentFrame() const;

    // Default handlers, bound by derived maps where they need them.
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnClose();

    // The current message passed on to the window's own procedure.
    LRESULT Default();

    // Attributes and operations
    void SetWindowText(const char* lpszString);
    std::string GetWindowText() const;
    int GetWindowTextLength() const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);
    void UpdateWindow();
    void Invalidate(BOOL bErase = TRUE);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    CWnd* SetFocus();
    CWnd* GetParent() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(const RECT& rect, BOOL bRepaint = TRUE);
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE);
    HFONT GetFont() const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE);

protected:
    WNDPROC m_pfnSuper = nullptr;  // the window's procedure before we subclassed it

    // Between these two calls, the next window created on this thread is
    // attached to pWnd and subclassed before it gets its first message.
    // Calls nest; windows the system makes for itself stay unattached.
    // Unhooking tells whether a window was attached meanwhile.
    static void HookWindowCreate(CWnd* pWnd);
    static bool UnhookWindowCreate();

    // Finds and runs this window's handler of a message; FALSE when none.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CbtHook(int nCode, WPARAM wParam, LPARAM lParam);
    void AttachSubclassed(HWND hWnd);
    void DetachAfterDestroy();
};

// Registers (once) a window class of the framework's and returns its name.
const char* AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                                HICON hIcon = nullptr);

namespace fw {

// WM_CONTEXTMENU: void OnContextMenu(CWnd* pWnd, CPoint screenPoint).
template <auto H>
constexpr MessageMapEntry WmContextMenu() {
    detail::Require<H, void(CWnd*, CPoint)>();
    return {EntryKind::Message, WM_CONTEXTMENU, 0, 0, [](CCmdTarget* t, UINT, WPARAM wp, LPARAM lp) -> LRESULT {
                CPoint pt(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
                (detail::Self<H>(t)->*H)(CWnd::FromHandle(reinterpret_cast<HWND>(wp)), pt);
                return 0;
            }};
}

}  // namespace fw
