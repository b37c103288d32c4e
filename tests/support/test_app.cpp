#include "tests/support/test_app.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

namespace fwtest {

namespace {
TestApp theTestApp;
}

TestApp& App() { return theTestApp; }

int TestApp::DoMessageBox(const char* lpszPrompt, UINT, UINT) {
    messages.emplace_back(lpszPrompt ? lpszPrompt : "");
    return nextAnswer;
}

BOOL TestApp::DoPromptFileName(std::string& fileName, UINT, DWORD, BOOL, CDocTemplate*) {
    proposedFileName = fileName;
    if (nextFileName.empty()) return FALSE;
    fileName = nextFileName;
    return TRUE;
}

BOOL TestApp::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (nID >= kTestCommandFirst && nID <= kTestCommandLast && nCode == CN_COMMAND) {
        if (!pHandlerInfo) commands.push_back(nID);
        return TRUE;
    }
    return CWinApp::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void RunIdle() {
    for (LONG n = 0; App().OnIdle(n); ++n) {
    }
}

void PumpPending() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The main window is gone; the application's loop would end here.
            App().quitPosted = true;
            continue;
        }
        if (!App().PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    RunIdle();
}

bool PumpUntil(const std::function<bool()>& pred, unsigned timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!pred()) {
        if (::GetTickCount() - start > timeoutMs) return pred();
        PumpPending();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

}  // namespace fwtest

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    fwtest::App().SetCurrentHandles(::GetModuleHandleA(nullptr), ::GetCommandLineA(), SW_SHOWNORMAL);
    return RUN_ALL_TESTS();
}
