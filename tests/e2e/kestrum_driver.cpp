#include "tests/e2e/kestrum_driver.h"

#include "framework/handles.h"

#include <algorithm>

namespace e2e {

namespace {
constexpr char kKey[] = "Software\\HALVERON";
constexpr char kAppKey[] = "Software\\HALVERON\\Kestrum";
}  // namespace

void ResetSettings() { ::RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }

long long ReadSetting(const char* section, const char* name) {
    const std::string path = std::string(kAppKey) + "\\" + section;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return -1;
    }
    return value;
}

void WriteSetting(const char* section, const char* name, DWORD value) {
    const std::string path = std::string(kAppKey) + "\\" + section;
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    fw::UniqueRegKey key(hKey);
    ::RegSetValueExA(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

bool WaitUntil(const std::function<bool()>& pred, unsigned timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!pred()) {
        if (::GetTickCount() - start > timeoutMs) return pred();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        ::Sleep(20);
    }
    return true;
}

std::string WindowText(HWND hWnd) {
    // WM_GETTEXT reaches into the other process, as an automation tool does.
    const LRESULT n = ::SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    const LRESULT got = ::SendMessageA(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
}

namespace {

struct FindWindowOf {
    DWORD pid;
    const std::function<bool(HWND)>* pred;
    HWND found;
};

BOOL CALLBACK FindWindowOfProc(HWND hWnd, LPARAM lParam) {
    auto* find = reinterpret_cast<FindWindowOf*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid != find->pid || !(*find->pred)(hWnd)) return TRUE;
    find->found = hWnd;
    return FALSE;
}

}  // namespace

HWND FindProcessWindow(DWORD pid, const std::function<bool(HWND)>& pred) {
    FindWindowOf find{pid, &pred, nullptr};
    ::EnumWindows(FindWindowOfProc, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

Kestrum::Kestrum(const std::vector<std::string>& args, int nCmdShow) : m_process("Kestrum.exe", args, nCmdShow) {
    if (!m_process.Started()) return;
    WaitUntil([&] {
        m_hMain = FindProcessWindow(m_process.Pid(), [](HWND hWnd) {
            return ::GetWindow(hWnd, GW_OWNER) == nullptr && WindowText(hWnd).rfind("Debug Windows", 0) == 0;
        });
        return m_hMain != nullptr || !m_process.Running();
    });
}

Kestrum::~Kestrum() {
    if (m_process.Started() && m_process.Running()) Close();
}

HWND Kestrum::MdiClient() const { return ::FindWindowExA(m_hMain, nullptr, "MDIClient", nullptr); }

std::vector<HWND> Kestrum::DebugWindows() const {
    std::vector<HWND> windows;
    HWND hClient = MdiClient();
    for (HWND h = ::GetWindow(hClient, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (::IsWindowVisible(h) && ::GetWindow(h, GW_OWNER) == nullptr) windows.push_back(h);
    }
    return windows;
}

HWND Kestrum::Pane(HWND hDebugWindow) { return ::FindWindowExA(hDebugWindow, nullptr, "Edit", nullptr); }

std::string Kestrum::PaneText(HWND hDebugWindow) { return WindowText(Pane(hDebugWindow)); }

std::size_t Kestrum::PaneTextLength(HWND hDebugWindow) {
    return static_cast<std::size_t>(::SendMessageA(Pane(hDebugWindow), WM_GETTEXTLENGTH, 0, 0));
}

HWND Kestrum::ActiveDebugWindow() const {
    return reinterpret_cast<HWND>(::SendMessageA(MdiClient(), WM_MDIGETACTIVE, 0, 0));
}

bool Kestrum::ShowsWindows(std::size_t n) const {
    const std::vector<HWND> windows = DebugWindows();
    if (windows.size() != n) return false;
    return std::none_of(windows.begin(), windows.end(), [](HWND h) { return PaneTextLength(h) == 0; });
}

HWND Kestrum::FindDebugWindow(const std::string& caption) const {
    for (HWND h : DebugWindows()) {
        if (WindowText(h) == caption) return h;
    }
    return nullptr;
}

void Kestrum::Command(UINT nID) const { ::SendMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(nID, 0), 0); }

DWORD Kestrum::Close() {
    ::PostMessageA(m_hMain, WM_CLOSE, 0, 0);
    return m_process.Wait();
}

}  // namespace e2e
