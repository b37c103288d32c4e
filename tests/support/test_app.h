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

}  // namespace fwtest
