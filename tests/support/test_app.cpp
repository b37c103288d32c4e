#include "tests/support/test_app.h"

#include "framework/wnd.h"

#include <cstring>

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

namespace {
class StateCmdUI : public CCmdUI {
public:
    CommandState state{true, false};
    void Enable(BOOL bOn) override {
        state.enabled = bOn != FALSE;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { state.checked = nCheck != 0; }
};
}  // namespace

CommandState UpdateCommand(CCmdTarget* pTarget, UINT nID) {
    StateCmdUI cmdUI;
    cmdUI.m_nID = nID;
    cmdUI.DoUpdate(pTarget, TRUE);
    return cmdUI.state;
}

std::string ClipboardText() {
    std::string text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE hData = ::GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(::GlobalLock(hData))) {
            text = p;
            ::GlobalUnlock(hData);
        }
    }
    ::CloseClipboard();
    return text;
}

void SetClipboardText(const char* text) {
    if (!::OpenClipboard(nullptr)) return;
    ::EmptyClipboard();
    if (text) {
        const size_t size = std::strlen(text) + 1;
        if (HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, size)) {
            std::memcpy(::GlobalLock(hData), text, size);
            ::GlobalUnlock(hData);
            ::SetClipboardData(CF_TEXT, hData);
        }
    }
    ::CloseClipboard();
}

}  // namespace fwtest

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    fwtest::App().SetCurrentHandles(::GetModuleHandleA(nullptr), ::GetCommandLineA(), SW_SHOWNORMAL);
    return RUN_ALL_TESTS();
}
