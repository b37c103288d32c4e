// What the capture tests share: a platform that counts and fails on demand,
// a window that records the texts it is given, a client that writes the
// shared block directly, and a fixture that always closes its channel.
#pragma once

#include "capture/capture_channel.h"
#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

namespace capturetest {

// One captured text as the window got it.
struct Received {
    DWORD pid;
    std::string text;
    SIZE_T heapSize = 0;  // the size of the text's heap block (not compared)
    bool operator==(const Received& other) const { return pid == other.pid && text == other.text; }
};
void PrintTo(const Received& r, std::ostream* os);

// The real platform, counting texts and able to fail any one call.
class TestPlatform : public capture::CapturePlatform {
public:
    enum class Step { BufferReadyEvent, DataReadyEvent, Mapping, View, StopEvent, Thread, None };

    Step failing = Step::None;       // this step's call returns NULL
    bool holdThreadUntilStop = false;  // the receiver runs only once the stop is set
    std::atomic<bool> failPosts{false};
    std::atomic<int> failAllocations{0};  // so many next allocations fail

    std::vector<Step> steps;                 // the creation calls made, in order
    std::vector<HANDLE> kernelHandles;        // every handle the creation calls returned
    const void* view = nullptr;               // the view returned, if any
    std::atomic<int> postAttempts{0};
    std::atomic<int> allocationAttempts{0};
    std::atomic<int> allocations{0};
    std::atomic<int> frees{0};

    // The posts that succeeded, in order.
    std::vector<Received> Posted();

    HANDLE CreateEventA(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                        LPCSTR lpName) override;
    HANDLE CreateFileMappingA(HANDLE hFile, LPSECURITY_ATTRIBUTES lpAttributes, DWORD flProtect,
                              DWORD dwMaximumSizeHigh, DWORD dwMaximumSizeLow, LPCSTR lpName) override;
    LPVOID MapViewOfFile(HANDLE hFileMappingObject, DWORD dwDesiredAccess, DWORD dwFileOffsetHigh,
                         DWORD dwFileOffsetLow, SIZE_T dwNumberOfBytesToMap) override;
    BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) override;
    CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                               DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) override;
    char* AllocateText(std::size_t nBytes) override;
    void FreeText(char* pText) override;

private:
    bool Fails(Step step);
    static UINT HeldThreadProc(LPVOID pParam);

    std::mutex m_postedLock;  // posts come from the receiver thread
    std::vector<Received> m_posted;
    AFX_THREADPROC m_pfnHeldProc = nullptr;
    LPVOID m_pHeldParam = nullptr;
};

// A window that records each WM_DEBUGSTRING and frees its text, as the
// program's handler does, through the platform that allocated it.
class TestWindow : public CWnd {
public:
    explicit TestWindow(capture::CapturePlatform& platform) : m_platform(platform) {}
    BOOL Create();
    std::vector<Received> texts;

    LRESULT OnDebugString(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    capture::CapturePlatform& m_platform;
};

// Writes the shared block the way a debug client does, with any process id
// and any bytes. Open it after the channel has created the objects.
class ProtocolClient {
public:
    ProtocolClient();
    bool IsOpen() const { return m_hBufferReady && m_hDataReady && m_pBlock; }
    // Waits until the receiver lets this client write; each success is one
    // "DBWIN_BUFFER_READY" signal taken.
    bool TakeBlock(DWORD timeoutMs);
    // Writes a block taken before: the process id, then the bytes (the text
    // with its NUL, or up to 4092 bytes without one), and signals the data.
    void Send(DWORD pid, const std::string& bytes);
    // TakeBlock and, when it succeeds, Send the text with its NUL.
    bool Write(DWORD pid, const std::string& text);

private:
    fw::UniqueKernelHandle m_hBufferReady;
    fw::UniqueKernelHandle m_hDataReady;
    fw::UniqueKernelHandle m_hMapping;
    fw::UniqueMappedView m_view;
    char* m_pBlock = nullptr;
};

// True when any of the three protocol names still names an object.
bool ProtocolObjectsExist();

// Waits without dispatching messages, so that posted texts stay queued.
bool WaitFor(const std::function<bool()>& pred, DWORD timeoutMs = 10000);

// A channel over the test platform with a window to post to. Whatever the
// test did, the channel is closed at its end, so that no client is left
// waiting for a receiver that stopped; every captured text must then have
// been freed exactly once and no protocol object may remain.
//
// GoogleTest also writes each failure through OutputDebugStringA, which
// waits up to 10 s while a client or the receiver holds the block. Tests
// therefore note what they see while the block is held and check it once
// the block is free again.
class ChannelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Pumps messages until the window holds n texts.
    bool PumpUntilReceived(std::size_t n, unsigned timeoutMs = 10000);

    TestPlatform platform;
    TestWindow window{platform};
    capture::CaptureChannel channel{platform};
};

}  // namespace capturetest
