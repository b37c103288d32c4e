#include "capture/capture_channel.h"

#include "capture/line_ends.h"

#include <cstring>

namespace capture {

namespace {

constexpr char kBufferReadyName[] = "DBWIN_BUFFER_READY";
constexpr char kDataReadyName[] = "DBWIN_DATA_READY";
constexpr char kBufferName[] = "DBWIN_BUFFER";

// How long the receiver waits for the stop before it tries a failed post again.
constexpr DWORD kPostRetryMs = 50;
// How often a receiver that waits for the window to catch up looks again.
constexpr DWORD kRoomPollMs = 2;

}  // namespace

HANDLE CapturePlatform::CreateEventA(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                                     LPCSTR lpName) {
    return ::CreateEventA(lpEventAttributes, bManualReset, bInitialState, lpName);
}

HANDLE CapturePlatform::CreateFileMappingA(HANDLE hFile, LPSECURITY_ATTRIBUTES lpAttributes, DWORD flProtect,
                                           DWORD dwMaximumSizeHigh, DWORD dwMaximumSizeLow, LPCSTR lpName) {
    return ::CreateFileMappingA(hFile, lpAttributes, flProtect, dwMaximumSizeHigh, dwMaximumSizeLow, lpName);
}

LPVOID CapturePlatform::MapViewOfFile(HANDLE hFileMappingObject, DWORD dwDesiredAccess, DWORD dwFileOffsetHigh,
                                      DWORD dwFileOffsetLow, SIZE_T dwNumberOfBytesToMap) {
    return ::MapViewOfFile(hFileMappingObject, dwDesiredAccess, dwFileOffsetHigh, dwFileOffsetLow,
                           dwNumberOfBytesToMap);
}

BOOL CapturePlatform::PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageA(hWnd, Msg, wParam, lParam);
}

CWinThread* CapturePlatform::AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                                            UINT nStackSize, DWORD dwCreateFlags,
                                            LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    return ::AfxBeginThread(pfnThreadProc, pParam, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

char* CapturePlatform::AllocateText(std::size_t nBytes) {
    return static_cast<char*>(::HeapAlloc(::GetProcessHeap(), 0, nBytes));
}

void CapturePlatform::FreeText(char* pText) { ::HeapFree(::GetProcessHeap(), 0, pText); }

CapturePlatform& DefaultCapturePlatform() {
    static CapturePlatform platform;
    return platform;
}

BOOL CaptureChannel::OpenCaptureChannel() {
    m_hBufferReady.reset(m_pPlatform->CreateEventA(nullptr, FALSE, FALSE, kBufferReadyName));
    const DWORD dwError = ::GetLastError();
    if (!m_hBufferReady) return FALSE;
    // Another receiver owns the protocol: keep the handle for the close, but
    // its event is not ours to signal.
    if (dwError == ERROR_ALREADY_EXISTS) return FALSE;
    m_bOwnsBufferReady = TRUE;

    m_hDataReady.reset(m_pPlatform->CreateEventA(nullptr, FALSE, FALSE, kDataReadyName));
    if (!m_hDataReady) return FALSE;
    m_hMapping.reset(m_pPlatform->CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                     static_cast<DWORD>(kBlockSize), kBufferName));
    if (!m_hMapping) return FALSE;
    m_pDebugBuffer.reset(m_pPlatform->MapViewOfFile(m_hMapping.get(), FILE_MAP_READ, 0, 0, kBlockSize));
    if (!m_pDebugBuffer) return FALSE;
    m_hStopEvent.reset(m_pPlatform->CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!m_hStopEvent) return FALSE;

    // The block is free: the first client may write. Its text waits in the
    // block until the receiver thread runs.
    ::SetEvent(m_hBufferReady.get());
    return TRUE;
}

void CaptureChannel::StartCaptureThread(HWND hWndTarget) {
    // The stop event is the open's last object: without it the thread could
    // neither wait nor be stopped. One receiver per channel.
    if (!m_hStopEvent || m_pCaptureThread) return;
    m_hWndTarget = hWndTarget;
    m_pCaptureThread.reset(
        m_pPlatform->AfxBeginThread(CaptureThreadProc, this, THREAD_PRIORITY_NORMAL, 0, 0, nullptr));
}

void CaptureChannel::CloseCaptureChannel() {
    if (m_hStopEvent) {
        ::SetEvent(m_hStopEvent.get());
        if (m_pCaptureThread) {
            ::WaitForSingleObject(m_pCaptureThread->m_hThread, INFINITE);
            m_pCaptureThread.reset();
        }
        m_hStopEvent.reset();
    }
    // No other thread uses the channel now. Texts posted but not yet handled
    // would never be shown: free them.
    if (m_hWndTarget) {
        MSG msg;
        while (::PeekMessageA(&msg, m_hWndTarget, WM_DEBUGSTRING, WM_DEBUGSTRING, PM_REMOVE)) {
            const CapturedText unhandled(reinterpret_cast<char*>(msg.lParam), CapturedTextDeleter{m_pPlatform});
        }
        m_hWndTarget = nullptr;
    }
    m_pDebugBuffer.reset();
    m_hMapping.reset();
    m_hDataReady.reset();
    if (m_hBufferReady) {
        // A client waiting for the block may go on; it no longer waits for us.
        if (m_bOwnsBufferReady) ::SetEvent(m_hBufferReady.get());
        m_hBufferReady.reset();
        m_bOwnsBufferReady = FALSE;
    }
}

namespace {
// How long the receiver waits for a text before it gives the turn out again.
constexpr DWORD kTurnRecoveryMs = 2000;
}  // namespace

UINT CaptureChannel::CaptureThreadProc(LPVOID pParam) {
    auto* self = static_cast<CaptureChannel*>(pParam);
    // A text pending together with the stop comes first: it has the lower index.
    const HANDLE waits[2] = {self->m_hDataReady.get(), self->m_hStopEvent.get()};
    for (;;) {
        const DWORD dwResult = ::WaitForMultipleObjects(2, waits, FALSE, kTurnRecoveryMs);
        if (dwResult == WAIT_OBJECT_0 + 1) return 0;
        if (dwResult == WAIT_OBJECT_0) self->TakeText();
        // No text for a while: a client may have died after taking its turn
        // and before signalling its text, which would leave the block taken
        // for good. The turn goes out again; on a free block this changes
        // nothing, since the event is already set.
        if (dwResult == WAIT_TIMEOUT) ::SetEvent(self->m_hBufferReady.get());
    }
}

void CaptureChannel::TakeText() {
    const auto* pBlock = static_cast<const unsigned char*>(m_pDebugBuffer.get());
    DWORD dwProcessId;
    std::memcpy(&dwProcessId, pBlock, sizeof dwProcessId);
    // Our own process's texts are dropped; the block is freed all the same.
    if (dwProcessId != ::GetCurrentProcessId()) {
        if (CapturedText text = CopyText(pBlock + kTextOffset)) {
            const std::size_t nBytes = std::strlen(text.get()) + 1;
            if (PostText(dwProcessId, std::move(text), nBytes)) WaitForRoom();
        }
    }
    // Exactly one signal per wake: the block is free for the next client.
    ::SetEvent(m_hBufferReady.get());
}

CapturedText CaptureChannel::CopyText(const unsigned char* pText) {
    // The block is shared with every process: take a copy first, so that a
    // client writing out of turn cannot make the two passes disagree on size.
    char text[kTextCapacity];
    std::memcpy(text, pText, sizeof text);
    const std::size_t length = TextLength(text, sizeof text);
    CapturedText copy(m_pPlatform->AllocateText(ConvertedSize(text, length)), CapturedTextDeleter{m_pPlatform});
    // With no heap left the text is dropped; the client is not held up.
    if (copy) ConvertLineEnds(text, length, copy.get());
    return copy;
}

bool CaptureChannel::PostText(DWORD dwProcessId, CapturedText text, std::size_t nBytes) {
    // A failed post keeps the text and the block: clients wait for the block
    // instead of losing texts. Only the stop gives up, freeing the text.
    while (!m_pPlatform->PostMessageA(m_hWndTarget, WM_DEBUGSTRING, dwProcessId,
                                      reinterpret_cast<LPARAM>(text.get()))) {
        if (::WaitForSingleObject(m_hStopEvent.get(), kPostRetryMs) != WAIT_TIMEOUT) return false;
    }
    // The window's handler owns it now.
    text.release();
    m_nQueuedBytes.fetch_add(static_cast<long long>(nBytes), std::memory_order_relaxed);
    return true;
}

void CaptureChannel::WaitForRoom() {
    while (m_nQueuedBytes.load(std::memory_order_relaxed) > m_nMaxQueuedBytes) {
        if (::WaitForSingleObject(m_hStopEvent.get(), kRoomPollMs) != WAIT_TIMEOUT) return;
    }
}

}  // namespace capture
