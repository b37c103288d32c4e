// CWinThread and AfxBeginThread. A worker thread's object, and its open
// thread handle, belong to whoever started it: they stay valid after the
// thread ends, until that owner deletes the object.
#pragma once

#include "framework/cmdtarget.h"

class CWnd;

typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    CWnd* m_pMainWnd = nullptr;  // the thread's main window; its end ends the thread's message loop
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

    CWinThread() = default;
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;  // closes the thread handle

    // Starts the thread: suspended when dwCreateFlags holds CREATE_SUSPENDED.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    BOOL SetThreadPriority(int nPriority);
    DWORD ResumeThread();

    // The message loop of a thread that has one, with idle processing.
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(const MSG* pMsg);
    virtual int ExitInstance();
    BOOL PumpMessage();

protected:
    MSG m_msgCur{};
    POINT m_ptCursorLast{-1, -1};
    UINT m_nMsgLast = 0;

private:
    static unsigned __stdcall ThreadEntry(void* pThis);
};

// Starts pfnThreadProc(pParam) on a new thread. Returns the thread's object,
// which the caller owns and deletes once it no longer needs the thread or its
// handle; NULL when no thread could be started.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

// The object of the calling thread: the application on its own thread.
CWinThread* AfxGetThread();
