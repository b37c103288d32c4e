#include "tests/capture/channel_fixture.h"

#include "capture/line_ends.h"
#include "tests/support/test_app.h"

#include <algorithm>
#include <cstring>

namespace capturetest {

void PrintTo(const Received& r, std::ostream* os) {
    *os << "{pid " << r.pid << ", \"";
    for (const char c : r.text) {
        if (c == '\r') {
            *os << "\\r";
        } else if (c == '\n') {
            *os << "\\n";
        } else {
            *os << c;
        }
    }
    *os << "\"}";
}

bool TestPlatform::Fails(Step step) {
    steps.push_back(step);
    return step == failing;
}

HANDLE TestPlatform::CreateEventA(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                                  LPCSTR lpName) {
    Step step = Step::StopEvent;
    if (lpName && std::strcmp(lpName, "DBWIN_BUFFER_READY") == 0) step = Step::BufferReadyEvent;
    if (lpName && std::strcmp(lpName, "DBWIN_DATA_READY") == 0) step = Step::DataReadyEvent;
    if (Fails(step)) return nullptr;
    HANDLE h = CapturePlatform::CreateEventA(lpEventAttributes, bManualReset, bInitialState, lpName);
    // The channel reads the error of this call next: keep it through the bookkeeping.
    const DWORD dwError = ::GetLastError();
    kernelHandles.push_back(h);
    ::SetLastError(dwError);
    return h;
}

HANDLE TestPlatform::CreateFileMappingA(HANDLE hFile, LPSECURITY_ATTRIBUTES lpAttributes, DWORD flProtect,
                                        DWORD dwMaximumSizeHigh, DWORD dwMaximumSizeLow, LPCSTR lpName) {
    if (Fails(Step::Mapping)) return nullptr;
    HANDLE h = CapturePlatform::CreateFileMappingA(hFile, lpAttributes, flProtect, dwMaximumSizeHigh,
                                                   dwMaximumSizeLow, lpName);
    kernelHandles.push_back(h);
    return h;
}

LPVOID TestPlatform::MapViewOfFile(HANDLE hFileMappingObject, DWORD dwDesiredAccess, DWORD dwFileOffsetHigh,
                                   DWORD dwFileOffsetLow, SIZE_T dwNumberOfBytesToMap) {
    if (Fails(Step::View)) return nullptr;
    LPVOID p = CapturePlatform::MapViewOfFile(hFileMappingObject, dwDesiredAccess, dwFileOffsetHigh,
                                              dwFileOffsetLow, dwNumberOfBytesToMap);
    view = p;
    return p;
}

BOOL TestPlatform::PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    ++postAttempts;
    if (failPosts) return FALSE;
    // Recorded before the post: once posted, the text is the window's.
    const std::lock_guard<std::mutex> lock(m_postedLock);
    m_posted.push_back({static_cast<DWORD>(wParam), reinterpret_cast<const char*>(lParam)});
    if (CapturePlatform::PostMessageA(hWnd, Msg, wParam, lParam)) return TRUE;
    m_posted.pop_back();
    return FALSE;
}

std::vector<Received> TestPlatform::Posted() {
    const std::lock_guard<std::mutex> lock(m_postedLock);
    return m_posted;
}

UINT TestPlatform::HeldThreadProc(LPVOID pParam) {
    auto* self = static_cast<TestPlatform*>(pParam);
    auto* channel = static_cast<capture::CaptureChannel*>(self->m_pHeldParam);
    ::WaitForSingleObject(channel->m_hStopEvent.get(), INFINITE);
    return self->m_pfnHeldProc(self->m_pHeldParam);
}

CWinThread* TestPlatform::AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                                         UINT nStackSize, DWORD dwCreateFlags,
                                         LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    if (Fails(Step::Thread)) return nullptr;
    if (holdThreadUntilStop) {
        m_pfnHeldProc = pfnThreadProc;
        m_pHeldParam = pParam;
        return CapturePlatform::AfxBeginThread(HeldThreadProc, this, nPriority, nStackSize, dwCreateFlags,
                                               lpSecurityAttrs);
    }
    return CapturePlatform::AfxBeginThread(pfnThreadProc, pParam, nPriority, nStackSize, dwCreateFlags,
                                           lpSecurityAttrs);
}

char* TestPlatform::AllocateText(std::size_t nBytes) {
    ++allocationAttempts;
    if (failAllocations > 0) {
        --failAllocations;
        return nullptr;
    }
    char* p = CapturePlatform::AllocateText(nBytes);
    if (p) ++allocations;
    return p;
}

void TestPlatform::FreeText(char* pText) {
    if (pText) ++frees;
    CapturePlatform::FreeText(pText);
}

BEGIN_MESSAGE_MAP(TestWindow, CWnd)
    fw::Message<&TestWindow::OnDebugString>(WM_DEBUGSTRING),
END_MESSAGE_MAP()

BOOL TestWindow::Create() {
    return CreateEx(0, nullptr, "capture test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr);
}

LRESULT TestWindow::OnDebugString(WPARAM wParam, LPARAM lParam) {
    const capture::CapturedText text(reinterpret_cast<char*>(lParam), capture::CapturedTextDeleter{&m_platform});
    texts.push_back({static_cast<DWORD>(wParam), text.get(), ::HeapSize(::GetProcessHeap(), 0, text.get())});
    return 0;
}

ProtocolClient::ProtocolClient()
    : m_hBufferReady(::OpenEventA(SYNCHRONIZE, FALSE, "DBWIN_BUFFER_READY")),
      m_hDataReady(::OpenEventA(EVENT_MODIFY_STATE, FALSE, "DBWIN_DATA_READY")),
      m_hMapping(::OpenFileMappingA(FILE_MAP_WRITE, FALSE, "DBWIN_BUFFER")) {
    if (!m_hMapping) return;
    m_pBlock = static_cast<char*>(::MapViewOfFile(m_hMapping.get(), FILE_MAP_WRITE, 0, 0, capture::kBlockSize));
    m_view.reset(m_pBlock);
}

bool ProtocolClient::TakeBlock(DWORD timeoutMs) {
    return ::WaitForSingleObject(m_hBufferReady.get(), timeoutMs) == WAIT_OBJECT_0;
}

void ProtocolClient::Send(DWORD pid, const std::string& bytes) {
    EXPECT_LE(bytes.size(), capture::kTextCapacity);
    std::memcpy(m_pBlock, &pid, sizeof pid);
    std::memcpy(m_pBlock + capture::kTextOffset, bytes.data(), std::min(bytes.size(), capture::kTextCapacity));
    ::SetEvent(m_hDataReady.get());
}

bool ProtocolClient::Write(DWORD pid, const std::string& text) {
    if (!TakeBlock(10000)) return false;
    Send(pid, std::string(text.c_str(), text.size() + 1));
    return true;
}

bool ProtocolObjectsExist() {
    for (const char* name : {"DBWIN_BUFFER_READY", "DBWIN_DATA_READY"}) {
        if (fw::UniqueKernelHandle(::OpenEventA(SYNCHRONIZE, FALSE, name))) return true;
    }
    return static_cast<bool>(fw::UniqueKernelHandle(::OpenFileMappingA(FILE_MAP_READ, FALSE, "DBWIN_BUFFER")));
}

bool WaitFor(const std::function<bool()>& pred, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!pred()) {
        if (::GetTickCount() - start > timeoutMs) return pred();
        ::Sleep(5);
    }
    return true;
}

void ChannelTest::SetUp() {
    // A receiver left over from elsewhere would make every open fail.
    ASSERT_FALSE(ProtocolObjectsExist());
    ASSERT_TRUE(window.Create());
}

void ChannelTest::TearDown() {
    channel.CloseCaptureChannel();
    EXPECT_EQ(platform.frees.load(), platform.allocations.load());
    EXPECT_FALSE(ProtocolObjectsExist());
}

bool ChannelTest::PumpUntilReceived(std::size_t n, unsigned timeoutMs) {
    return fwtest::PumpUntil([&] { return window.texts.size() >= n; }, timeoutMs);
}

}  // namespace capturetest
