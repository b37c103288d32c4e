// The null receiver: owns the debug-output protocol, copies each text out of
// the shared block and frees the block, and does nothing else while clients
// write. It gives the protocol's own speed on this machine, the baseline for
// Kestrum's figures. The copies are kept, so that the clients' lines can be
// checked after the run.
#pragma once

#include "framework/handles.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

namespace bench {

class NullReceiver {
public:
    // Opens the protocol objects and starts the receiving thread; room is
    // made for `expectedTexts` copies beforehand.
    explicit NullReceiver(std::size_t expectedTexts);
    NullReceiver(const NullReceiver&) = delete;
    NullReceiver& operator=(const NullReceiver&) = delete;
    ~NullReceiver();  // stops the thread, frees the copies, releases the protocol

    // False when another receiver owns the protocol or an object failed.
    bool IsRunning() const { return static_cast<bool>(m_hThread); }
    std::size_t Taken() const { return m_taken.load(std::memory_order_acquire); }
    // When the last text was taken (QueryPerformanceCounter ticks).
    LONGLONG LastTakeTicks() const { return m_lastTake.load(std::memory_order_acquire); }

    // Stops receiving and returns each writer's texts concatenated, in the
    // order taken.
    std::string TextsOf(DWORD pid);
    void Stop();

private:
    static DWORD WINAPI ThreadProc(LPVOID pParam);
    void Take();

    struct Copy {
        DWORD pid;
        char* text;
    };
    fw::UniqueKernelHandle m_hBufferReady;
    fw::UniqueKernelHandle m_hDataReady;
    fw::UniqueKernelHandle m_hMapping;
    fw::UniqueMappedView m_view;
    fw::UniqueKernelHandle m_hStop;
    fw::UniqueKernelHandle m_hThread;
    std::vector<Copy> m_copies;  // the receiving thread's until Stop
    std::atomic<std::size_t> m_taken{0};
    std::atomic<LONGLONG> m_lastTake{0};
};

}  // namespace bench
