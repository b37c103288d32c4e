// The whole program as a user meets it: keys, the About box, the command
// line and the show command it was started with.
#include "framework/afxres.h"
#include "res/resource.h"
#include "tests/e2e/kestrum_driver.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace e2e {
namespace {

using fwtest::ChildProcess;

// Presses a key with modifiers, as the keyboard does, into the foreground
// window's thread.
void Press(WORD vk, std::vector<WORD> modifiers = {}) {
    std::vector<INPUT> inputs;
    auto key = [&](WORD v, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = v;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        if (v == VK_DELETE || v == VK_INSERT) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        inputs.push_back(in);
    };
    for (WORD m : modifiers) key(m, false);
    key(vk, false);
    key(vk, true);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) key(*it, true);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    WaitUntil([] { return false; }, 300);  // let the program take it
}

// A top-level window of the program with this caption, or NULL.
HWND FindProgramWindow(DWORD pid, const char* caption) {
    return FindProcessWindow(pid, [caption](HWND h) { return ::IsWindowVisible(h) && WindowText(h) == caption; });
}

class Program : public testing::Test {
protected:
    void SetUp() override { ResetSettings(); }
    void TearDown() override { ResetSettings(); }

    // Kestrum with one debug window holding `text`, in the foreground.
    HWND StartWithWindow(Kestrum& k, const char* text) {
        ChildProcess client("dbgclient.exe", {text});
        client.Wait();
        WaitUntil([&] { return k.ShowsWindows(1); });
        if (k.DebugWindows().empty()) return nullptr;
        ::SetForegroundWindow(k.MainWindow());
        WaitUntil([&] { return ::GetForegroundWindow() == k.MainWindow(); }, 3000);
        return k.DebugWindows()[0];
    }
};

TEST_F(Program, KeysDoTheirCommandsAndEachPairAgrees) {
    Kestrum k;
    ASSERT_NE(k.MainWindow(), nullptr);
    HWND hWindow = StartWithWindow(k, "hello");
    ASSERT_NE(hWindow, nullptr);
    HWND hPane = Kestrum::Pane(hWindow);
    auto setText = [&](const char* text) {
        ::SendMessageA(hPane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        ::SendMessageA(hPane, EM_EMPTYUNDOBUFFER, 0, 0);
    };

    struct Case {
        const char* what;
        WORD vk;
        std::vector<WORD> modifiers;
        const char* clipboardBefore;
        bool selectAll;  // Ctrl+A first
        const char* paneAfter;
        const char* clipboardAfter;  // NULL: not looked at
    };
    const Case cases[] = {
        {"Ctrl+C copies", 'C', {VK_CONTROL}, "x", true, "hello", "hello"},
        {"Ctrl+Ins copies", VK_INSERT, {VK_CONTROL}, "x", true, "hello", "hello"},
        {"Ctrl+X cuts", 'X', {VK_CONTROL}, "x", true, "", "hello"},
        {"Shift+Del cuts", VK_DELETE, {VK_SHIFT}, "x", true, "", "hello"},
        {"Ctrl+V pastes", 'V', {VK_CONTROL}, "XY", false, "helloXY", nullptr},
        {"Shift+Ins pastes", VK_INSERT, {VK_SHIFT}, "XY", false, "helloXY", nullptr},
        {"Ctrl+Y copies all", 'Y', {VK_CONTROL}, "x", false, "hello", "hello"},
        {"Ctrl+Del clears the window", VK_DELETE, {VK_CONTROL}, "x", false, "", nullptr},
        {"F6 changes nothing", VK_F6, {}, "x", false, "hello", "x"},
    };
    for (const Case& c : cases) {
        setText("hello");
        ::SendMessageA(hPane, EM_SETSEL, 5, 5);
        fwtest::SetClipboardText(c.clipboardBefore);
        if (c.selectAll) Press('A', {VK_CONTROL});
        Press(c.vk, c.modifiers);
        EXPECT_EQ(Kestrum::PaneText(hWindow), c.paneAfter) << c.what;
        if (c.clipboardAfter) {
            EXPECT_EQ(fwtest::ClipboardText(), c.clipboardAfter) << c.what;
        }
        EXPECT_EQ(k.DebugWindows().size(), 1u) << c.what;
    }
    // Both undo keys take back a paste.
    for (const std::vector<WORD>& undo : {std::vector<WORD>{VK_CONTROL}, std::vector<WORD>{VK_MENU}}) {
        setText("hello");
        ::SendMessageA(hPane, EM_SETSEL, 5, 5);
        fwtest::SetClipboardText("XY");
        Press('V', {VK_CONTROL});
        ASSERT_EQ(Kestrum::PaneText(hWindow), "helloXY");
        Press(undo[0] == VK_CONTROL ? 'Z' : VK_BACK, undo);
        EXPECT_EQ(Kestrum::PaneText(hWindow), "hello");
    }
    // Ctrl+Shift+Del clears every window.
    ChildProcess second("dbgclient.exe", {"second"});
    second.Wait();
    ASSERT_TRUE(WaitUntil([&] { return k.ShowsWindows(2); }));
    ::SetForegroundWindow(k.MainWindow());
    Press(VK_DELETE, {VK_CONTROL, VK_SHIFT});
    for (HWND h : k.DebugWindows()) EXPECT_EQ(Kestrum::PaneText(h), "");
}

TEST_F(Program, WithoutADebugWindowTheDocumentKeysDoNothing) {
    Kestrum k;
    ASSERT_NE(k.MainWindow(), nullptr);
    ::SetForegroundWindow(k.MainWindow());
    WaitUntil([&] { return ::GetForegroundWindow() == k.MainWindow(); }, 3000);
    for (WORD vk : {'S', 'P', 'V', 'A', 'F'}) Press(vk, {VK_CONTROL});
    Press(VK_DELETE, {VK_CONTROL, VK_SHIFT});
    EXPECT_TRUE(k.DebugWindows().empty());
    EXPECT_EQ(FindProgramWindow(k.Process().Pid(), "Save As"), nullptr);
    EXPECT_EQ(FindProgramWindow(k.Process().Pid(), "Print"), nullptr);
    EXPECT_EQ(FindProgramWindow(k.Process().Pid(), "Find"), nullptr);
    EXPECT_EQ(k.Close(), 0u);
}

TEST_F(Program, TheAboutBoxShowsItsLineAndClosesWithOkOrEscape) {
    Kestrum k;
    ASSERT_NE(k.MainWindow(), nullptr);
    for (bool withWindow : {false, true}) {
        if (withWindow) {
            ASSERT_NE(StartWithWindow(k, "x"), nullptr);
        }
        for (bool escape : {false, true}) {
            ::PostMessageA(k.MainWindow(), WM_COMMAND, ID_APP_ABOUT, 0);
            HWND hAbout = nullptr;
            ASSERT_TRUE(WaitUntil([&] { return (hAbout = FindProgramWindow(k.Process().Pid(), "About Kestrum")); }));
            bool hasLine = false;
            for (HWND h = ::GetWindow(hAbout, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
                if (WindowText(h) == "Kestrum Version 1.2") hasLine = true;
            }
            EXPECT_TRUE(hasLine);
            if (escape) {
                ::SetForegroundWindow(hAbout);
                Press(VK_ESCAPE);
            } else {
                ::PostMessageA(hAbout, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                               reinterpret_cast<LPARAM>(::GetDlgItem(hAbout, IDOK)));
            }
            EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(hAbout); })) << (escape ? "Escape" : "OK");
        }
    }
    EXPECT_EQ(k.Close(), 0u);
}

TEST_F(Program, AFileNameOrAPrintSwitchOnTheCommandLineOpensNothing) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"C:\\run.txt"}, std::vector<std::string>{"/p", "C:\\run.txt"}}) {
        Kestrum k(args);
        ASSERT_NE(k.MainWindow(), nullptr) << args[0];
        WaitUntil([] { return false; }, 1000);
        EXPECT_TRUE(k.DebugWindows().empty()) << args[0];
        EXPECT_EQ(FindProgramWindow(k.Process().Pid(), "Print"), nullptr);
        EXPECT_EQ(k.Close(), 0u);
    }
}

TEST_F(Program, StartedMinimisedWithKeepOnTopStoredItIsMinimisedAndTopmost) {
    WriteSetting("Settings", "TopMost", 1);
    Kestrum k({}, SW_SHOWMINIMIZED);
    ASSERT_NE(k.MainWindow(), nullptr);
    EXPECT_TRUE(::IsIconic(k.MainWindow()));
    EXPECT_TRUE(::GetWindowLongA(k.MainWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

}  // namespace
}  // namespace e2e
