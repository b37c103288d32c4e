// Kestrum.exe driven from outside, as a user or an automation tool sees it:
// its main window, its debug windows (the MDI children), their captions and
// their panes' text, and commands sent to the main window.
#pragma once

#include "tests/support/child_process.h"

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Removes the program's settings key, so that a run starts as the first.
void ResetSettings();
// A value under HKEY_CURRENT_USER\Software\HALVERON\Kestrum\<section>; -1 when missing.
long long ReadSetting(const char* section, const char* name);
void WriteSetting(const char* section, const char* name, DWORD value);

// Waits, pumping this thread's messages, until pred() holds.
bool WaitUntil(const std::function<bool()>& pred, unsigned timeoutMs = 10000);

std::string WindowText(HWND hWnd);

// The first top-level window of process `pid` for which pred holds, or NULL.
HWND FindProcessWindow(DWORD pid, const std::function<bool(HWND)>& pred);

class Kestrum {
public:
    explicit Kestrum(const std::vector<std::string>& args = {}, int nCmdShow = SW_SHOWNORMAL);
    Kestrum(const Kestrum&) = delete;
    Kestrum& operator=(const Kestrum&) = delete;
    ~Kestrum();  // closes the program if it still runs

    fwtest::ChildProcess& Process() { return m_process; }
    HWND MainWindow() const { return m_hMain; }
    HWND MdiClient() const;
    // The debug windows, in z-order (the active one first).
    std::vector<HWND> DebugWindows() const;
    // The pane (the edit control) of a debug window.
    static HWND Pane(HWND hDebugWindow);
    static std::string PaneText(HWND hDebugWindow);
    static std::size_t PaneTextLength(HWND hDebugWindow);
    HWND ActiveDebugWindow() const;
    // Whether there are n debug windows and each pane shows some text (a
    // window opens with its first text, which shows a moment later).
    bool ShowsWindows(std::size_t n) const;
    // A debug window whose caption is `caption`, or NULL.
    HWND FindDebugWindow(const std::string& caption) const;

    // Sends a command to the main window as its menu would.
    void Command(UINT nID) const;
    // Closes the main window and waits for the program to end; its exit code.
    DWORD Close();

private:
    fwtest::ChildProcess m_process;
    HWND m_hMain = nullptr;
};

}  // namespace e2e
