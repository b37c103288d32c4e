// The application object of every test program, and helpers for driving
// windows from a test: message pumping, idle time, the framework's messages.
#pragma once

#include "framework/app.h"

#include <functional>
#include <string>
#include <vector>

namespace fwtest {

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("KestrumTest") {}

    // Framework messages are recorded instead of shown; the answer given is
    // nextAnswer (IDOK unless a test says otherwise).
    std::vector<std::string> messages;
    int nextAnswer = IDOK;
    int DoMessageBox(const char* lpszPrompt, UINT nType, UINT nIDPrompt) override;

    // The file dialog: answered with nextFileName (empty: cancelled); the
    // name the program proposed is kept.
    std::string proposedFileName;
    std::string nextFileName;
    BOOL DoPromptFileName(std::string& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate) override;

    // Commands kTestCommandFirst..kTestCommandLast end their route here and
    // are recorded, so that tests can see a command reach the application.
    static constexpr UINT kTestCommandFirst = 0x7F00;
    static constexpr UINT kTestCommandLast = 0x7FFF;
    std::vector<UINT> commands;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Set when the main window's end asked the message loop to quit.
    bool quitPosted = false;
};

TestApp& App();

// Dispatches every waiting message the way the application's loop does,
// with the application's pre-translation; then runs one round of idle time.
void PumpPending();
// Pumps until pred() holds or timeoutMs has passed; returns pred().
bool PumpUntil(const std::function<bool()>& pred, unsigned timeoutMs = 5000);
// Runs the application's idle-time work, as its message loop does when the
// queue is empty.
void RunIdle();

// What the update handlers on pTarget's command route say of a command, as a
// menu item or button would show it.
struct CommandState {
    bool enabled;
    bool checked;
};
CommandState UpdateCommand(CCmdTarget* pTarget, UINT nID);

// The clipboard's text; SetClipboardText(NULL) empties the clipboard.
std::string ClipboardText();
void SetClipboardText(const char* text);

}  // namespace fwtest
