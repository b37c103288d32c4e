#include "framework/thread.h"

#include "framework/app.h"
#include "framework/wnd.h"

#include <process.h>

namespace {
thread_local CWinThread* t_pThread = nullptr;
}

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
    if (m_hThread) ::CloseHandle(m_hThread);
}

unsigned __stdcall CWinThread::ThreadEntry(void* pThis) {
    auto* self = static_cast<CWinThread*>(pThis);
    t_pThread = self;
    return self->m_pfnThreadProc ? self->m_pfnThreadProc(self->m_pThreadParams) : static_cast<unsigned>(self->Run());
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    unsigned id = 0;
    const uintptr_t h = ::_beginthreadex(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, this,
                                         dwCreateFlags | CREATE_SUSPENDED, &id);
    if (!h) return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(h);
    m_nThreadID = id;
    if (!(dwCreateFlags & CREATE_SUSPENDED)) ResumeThread();
    return TRUE;
}

BOOL CWinThread::SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
DWORD CWinThread::ResumeThread() { return ::ResumeThread(m_hThread); }

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    auto* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
    return pThread;
}

CWinThread* AfxGetThread() {
    if (t_pThread) return t_pThread;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->m_nThreadID == ::GetCurrentThreadId() ? pApp : nullptr;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    // The window the message is for and its parents, up to the main window,
    // may each take it; the main window always gets its chance, so its
    // accelerators work in floating bars and modeless dialogs too.
    HWND hWndMain = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = CWnd::FromHandlePermanent(hWnd); pWnd && pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (hWnd == hWndMain) return FALSE;
    }
    return m_pMainWnd && m_pMainWnd->PreTranslateMessage(pMsg);
}

BOOL CWinThread::PumpMessage() {
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0)) return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::IsIdleMessage(const MSG* pMsg) {
    // A mouse move to where the mouse already was, a paint or a caret blink
    // does not end idle time: they come all the time without any change.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (m_nMsgLast == pMsg->message && m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y) {
            return FALSE;
        }
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    constexpr UINT WM_SYSTIMER = 0x0118;
    return pMsg->message != WM_PAINT && pMsg->message != WM_SYSTIMER;
}

BOOL CWinThread::OnIdle(LONG lCount) {
    if (lCount == 0) {
        if (m_pMainWnd && m_pMainWnd->m_hWnd && ::IsWindowVisible(m_pMainWnd->m_hWnd)) {
            m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
            m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
        }
        return TRUE;
    }
    CWnd::DeleteTempMap();
    return FALSE;
}

int CWinThread::Run() {
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++)) bIdle = FALSE;
        }
        do {
            if (!PumpMessage()) return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }
