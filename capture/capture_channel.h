// The receiving end of the debug-output protocol: the protocol objects, the
// receiver thread, and the hand-off of each captured text to the window that
// shows it, in a posted WM_DEBUGSTRING.
#pragma once

#include "framework/handles.h"
#include "framework/thread.h"

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <memory>

// Posted to the target window for each captured text: wParam the writer's
// process id, lParam the text (a CapturedText's pointer, released into the
// message). The handler takes it back into a CapturedText, which frees it.
constexpr UINT WM_DEBUGSTRING = WM_USER + 1000;

namespace capture {

// The platform calls of the channel. Every function's default is the real
// call; tests derive from it to make single calls fail or to count them.
class CapturePlatform {
public:
    virtual ~CapturePlatform() = default;

    virtual HANDLE CreateEventA(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                                LPCSTR lpName);
    virtual HANDLE CreateFileMappingA(HANDLE hFile, LPSECURITY_ATTRIBUTES lpAttributes, DWORD flProtect,
                                      DWORD dwMaximumSizeHigh, DWORD dwMaximumSizeLow, LPCSTR lpName);
    virtual LPVOID MapViewOfFile(HANDLE hFileMappingObject, DWORD dwDesiredAccess, DWORD dwFileOffsetHigh,
                                 DWORD dwFileOffsetLow, SIZE_T dwNumberOfBytesToMap);
    virtual BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
    virtual CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                       DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs);
    // A captured text's block on the process heap; NULL when none is left.
    virtual char* AllocateText(std::size_t nBytes);
    virtual void FreeText(char* pText);
};

// The real platform, used unless a channel is given another.
CapturePlatform& DefaultCapturePlatform();

// Frees a captured text through the platform that allocated it.
struct CapturedTextDeleter {
    CapturePlatform* platform = &DefaultCapturePlatform();
    void operator()(char* pText) const { platform->FreeText(pText); }
};
using CapturedText = std::unique_ptr<char, CapturedTextDeleter>;

// Texts posted and not yet taken that make the receiver wait: about a
// thousand full blocks.
constexpr long long kDefaultMaxQueuedBytes = 4 << 20;

// The channel's state and its three operations. The main frame owns one and
// runs OpenCaptureChannel and StartCaptureThread from OnCreate and
// CloseCaptureChannel from OnDestroy, all on the user-interface thread. The
// receiver thread only reads these members, which the user-interface thread
// writes before the thread starts and releases after it has ended.
struct CaptureChannel {
    fw::UniqueKernelHandle m_hBufferReady;  // "DBWIN_BUFFER_READY"
    fw::UniqueKernelHandle m_hDataReady;    // "DBWIN_DATA_READY"
    fw::UniqueKernelHandle m_hMapping;      // "DBWIN_BUFFER"
    fw::UniqueMappedView m_pDebugBuffer;    // read-only view of the whole block
    std::unique_ptr<CWinThread> m_pCaptureThread;
    fw::UniqueKernelHandle m_hStopEvent;  // manual reset; set once, by the close

    // FALSE when m_hBufferReady is another receiver's event: the close then
    // leaves it unsignalled, since that receiver may be reading the block.
    BOOL m_bOwnsBufferReady = FALSE;
    HWND m_hWndTarget = nullptr;  // where texts are posted
    // Bytes of the texts posted and not yet taken by the target window's
    // thread (see TextsTaken). While they pass m_nMaxQueuedBytes the
    // receiver keeps the block: a flood the window cannot keep up with
    // slows its clients instead of filling memory. Signed: texts posted by
    // others and taken all the same can only widen the room.
    std::atomic<long long> m_nQueuedBytes{0};
    long long m_nMaxQueuedBytes = kDefaultMaxQueuedBytes;
    CapturePlatform* m_pPlatform;

    CaptureChannel() : CaptureChannel(DefaultCapturePlatform()) {}
    explicit CaptureChannel(CapturePlatform& platform) : m_pPlatform(&platform) {}
    CaptureChannel(const CaptureChannel&) = delete;
    CaptureChannel& operator=(const CaptureChannel&) = delete;
    ~CaptureChannel() { CloseCaptureChannel(); }

    // Creates the protocol objects and lets the first client write. FALSE at
    // the first failure, above all when another receiver owns the protocol;
    // what was acquired stays held for the close.
    BOOL OpenCaptureChannel();
    // Starts the receiver thread, which posts texts to hWndTarget. Nothing
    // happens unless the open succeeded and no thread runs yet; when no
    // thread can be made, m_pCaptureThread stays empty and no text is
    // received.
    void StartCaptureThread(HWND hWndTarget);
    // Stops and joins the receiver thread, frees the texts still queued for
    // the target window, and releases exactly what is held. Safe after a
    // failed or partial open, and again after itself.
    void CloseCaptureChannel();
    // Called by the target window's thread for texts it took from its queue:
    // nBytes is the sum of their sizes, each NUL included.
    void TextsTaken(std::size_t nBytes) {
        m_nQueuedBytes.fetch_sub(static_cast<long long>(nBytes), std::memory_order_relaxed);
    }

    // The receiver thread; pParam is the channel. Returns 0 once stopped.
    static UINT CaptureThreadProc(LPVOID pParam);

private:
    // One "DBWIN_DATA_READY" wake: take the block's text, post it, free the block.
    void TakeText();
    CapturedText CopyText(const unsigned char* pText);
    // Returns whether the text was posted (else the stop came first).
    bool PostText(DWORD dwProcessId, CapturedText text, std::size_t nBytes);
    // Holds the block while the target window is too far behind, until it
    // catches up or the stop comes.
    void WaitForRoom();
};

}  // namespace capture
