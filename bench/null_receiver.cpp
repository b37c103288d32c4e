#include "bench/null_receiver.h"

#include "capture/line_ends.h"

#include <cstring>

namespace bench {

NullReceiver::NullReceiver(std::size_t expectedTexts) {
    m_hBufferReady.reset(::CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY"));
    if (!m_hBufferReady || ::GetLastError() == ERROR_ALREADY_EXISTS) return;
    m_hDataReady.reset(::CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY"));
    m_hMapping.reset(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          static_cast<DWORD>(capture::kBlockSize), "DBWIN_BUFFER"));
    if (!m_hDataReady || !m_hMapping) return;
    m_view.reset(::MapViewOfFile(m_hMapping.get(), FILE_MAP_READ, 0, 0, capture::kBlockSize));
    m_hStop.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!m_view || !m_hStop) return;
    m_copies.reserve(expectedTexts);
    m_hThread.reset(::CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr));
    if (m_hThread) ::SetEvent(m_hBufferReady.get());
}

NullReceiver::~NullReceiver() {
    Stop();
    for (const Copy& copy : m_copies) ::HeapFree(::GetProcessHeap(), 0, copy.text);
    // A client still waiting for the block goes on; nobody reads it now.
    if (m_hDataReady) ::SetEvent(m_hBufferReady.get());
}

void NullReceiver::Stop() {
    if (!m_hThread) return;
    ::SetEvent(m_hStop.get());
    ::WaitForSingleObject(m_hThread.get(), INFINITE);
    m_hThread.reset();
}

std::string NullReceiver::TextsOf(DWORD pid) {
    Stop();
    std::string all;
    for (const Copy& copy : m_copies) {
        if (copy.pid == pid) all += copy.text;
    }
    return all;
}

DWORD WINAPI NullReceiver::ThreadProc(LPVOID pParam) {
    auto* self = static_cast<NullReceiver*>(pParam);
    const HANDLE waits[2] = {self->m_hDataReady.get(), self->m_hStop.get()};
    while (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0) self->Take();
    return 0;
}

void NullReceiver::Take() {
    const auto* block = static_cast<const char*>(m_view.get());
    DWORD pid;
    std::memcpy(&pid, block, sizeof pid);
    const std::size_t length = capture::TextLength(block + capture::kTextOffset, capture::kTextCapacity);
    auto* text = static_cast<char*>(::HeapAlloc(::GetProcessHeap(), 0, length + 1));
    if (text) {
        std::memcpy(text, block + capture::kTextOffset, length);
        text[length] = '\0';
        m_copies.push_back({pid, text});
    }
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    m_lastTake.store(now.QuadPart, std::memory_order_release);
    m_taken.fetch_add(1, std::memory_order_release);
    ::SetEvent(m_hBufferReady.get());
}

}  // namespace bench
