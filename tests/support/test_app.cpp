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

void RunIdle() {
    for (LONG n = 0; App().OnIdle(n); ++n) {
    }
}

void PumpPending() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The main window is gone; the loop would end here. Keep the
            // message for a test that asks whether it came.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
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
