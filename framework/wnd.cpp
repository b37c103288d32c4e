#include "framework/wnd.h"

#include "framework/thread.h"

#include <cstdio>
#include <memory>
#include <set>
#include <unordered_map>
#include <utility>

namespace {

// Window objects belong to the thread that created their windows.
struct WindowThreadState {
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
    CWnd* pWndInit = nullptr;  // the object waiting for the window being created
    HHOOK hCbtHook = nullptr;
    int nCreating = 0;
    MSG current{};  // the message being handled, for Default()
};

WindowThreadState& State() {
    thread_local WindowThreadState state;
    return state;
}

}  // namespace

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd() {
    // Only a window this object subclassed is its own; the insert-after values
    // and temporary objects hold handles they do not own.
    if (m_hWnd && m_pfnSuper) ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    auto& map = State().permanent;
    auto it = map.find(hWnd);
    return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!hWnd) return nullptr;
    if (CWnd* p = FromHandlePermanent(hWnd)) return p;
    auto& temp = State().temporary[hWnd];
    if (!temp) temp = std::make_unique<CWnd>(hWnd);
    return temp.get();
}

void CWnd::DeleteTempMap() { State().temporary.clear(); }

void CWnd::AttachSubclassed(HWND hWnd) {
    m_hWnd = hWnd;
    State().permanent[hWnd] = this;
    State().temporary.erase(hWnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WndProc)));
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd)) return FALSE;
    AttachSubclassed(hWnd);
    return TRUE;
}

void CWnd::DetachAfterDestroy() {
    // The end of the main window ends the program's message loop.
    if (CWinThread* pThread = AfxGetThread(); pThread && pThread->m_pMainWnd == this) {
        pThread->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    State().permanent.erase(m_hWnd);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    PostNcDestroy();
}

LRESULT CALLBACK CWnd::CbtHook(int nCode, WPARAM wParam, LPARAM lParam) {
    WindowThreadState& state = State();
    if (nCode == HCBT_CREATEWND && state.pWndInit) {
        std::exchange(state.pWndInit, nullptr)->AttachSubclassed(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(state.hCbtHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd) return ::DefWindowProcA(hWnd, message, wParam, lParam);
    WindowThreadState& state = State();
    const MSG saved = state.current;
    state.current = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    state.current = saved;
    if (message == WM_NCDESTROY) pWnd->DetachAfterDestroy();
    return result;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = ::GetModuleHandleA(nullptr);
    cs.lpCreateParams = lpParam;
    // A creation that fails ends like a destroyed window: objects that own
    // themselves are deleted by PostNcDestroy, whether or not a window was made.
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    HookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    const bool bAttached = UnhookWindowCreate();
    if (!hWnd && !bAttached) PostNcDestroy();
    return hWnd != nullptr;
}

void CWnd::HookWindowCreate(CWnd* pWnd) {
    WindowThreadState& state = State();
    if (state.nCreating++ == 0) {
        state.hCbtHook = ::SetWindowsHookExA(WH_CBT, &CWnd::CbtHook, nullptr, ::GetCurrentThreadId());
    }
    state.pWndInit = pWnd;
}

bool CWnd::UnhookWindowCreate() {
    WindowThreadState& state = State();
    const bool bAttached = state.pWndInit == nullptr;
    state.pWndInit = nullptr;
    if (--state.nCreating == 0) {
        ::UnhookWindowsHookEx(state.hCbtHook);
        state.hCbtHook = nullptr;
    }
    return bAttached;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = State().current;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *pResult = 0;
        return TRUE;
    }
    const fw::MessageMapEntry* entry = FindMessageEntry(message);
    if (!entry) return FALSE;
    *pResult = entry->invoke(this, 0, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (!hWndCtrl) {
        nCode = CN_COMMAND;  // from a menu (0) or an accelerator (1)
    } else if (CWnd* pChild = FromHandlePermanent(hWndCtrl); pChild && pChild != this) {
        LRESULT result = 0;
        if (pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &result)) return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* pResult) {
    if (message != WM_COMMAND) return FALSE;
    const fw::MessageMapEntry* entry = FindReflectEntry(HIWORD(wParam));
    if (!entry) return FALSE;
    *pResult = entry->invoke(this, 0, 0, 0);
    return TRUE;
}

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }

void CWnd::SetWindowText(const char* lpszString) { ::SetWindowTextA(m_hWnd, lpszString ? lpszString : ""); }

std::string CWnd::GetWindowText() const {
    std::string text(static_cast<size_t>(GetWindowTextLength()) + 1, '\0');
    const int n = ::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::GetTopLevelParent() const {
    HWND hWnd = m_hWnd;
    while (hWnd && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)) hWnd = ::GetParent(hWnd);
    return FromHandle(hWnd);
}

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    const DWORD style = GetStyle();
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(newStyle));
    if (nFlags) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }

void CWnd::ClientToScreen(LPRECT lpRect) const {
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(const RECT& rect, BOOL bRepaint) {
    MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bRepaint);
}

void CWnd::SetFont(HFONT hFont, BOOL bRedraw) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw); }
HFONT CWnd::GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }

static void SendToDescendants(HWND hWndParent, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep) {
    for (HWND hChild = ::GetTopWindow(hWndParent); hChild; hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        ::SendMessageA(hChild, message, wParam, lParam);
        if (bDeep) SendToDescendants(hChild, message, wParam, lParam, TRUE);
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep) {
    SendToDescendants(m_hWnd, message, wParam, lParam, bDeep);
}

const char* AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    // One class per combination; the names live as long as the program.
    static std::set<std::string> registered;
    char name[96];
    std::snprintf(name, sizeof name, "Kf:%x:%p:%p:%p", nClassStyle, static_cast<void*>(hCursor),
                  static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    auto [it, inserted] = registered.insert(name);
    if (inserted) {
        WNDCLASSA wc{};
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = it->c_str();
        ::RegisterClassA(&wc);
    }
    return it->c_str();
}
