// Kestrum.exe end to end under Wine, with real debug clients: what a user
// sees of start-up, settings, debug windows, titles, snapshots and closing.
#include "framework/afxres.h"
#include "res/resource.h"
#include "tests/e2e/kestrum_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace e2e {
namespace {

using fwtest::ChildProcess;

// Runs dbgclient.exe with these arguments and waits for it to finish writing.
DWORD RunClient(const std::vector<std::string>& args) {
    ChildProcess client("dbgclient.exe", args);
    return client.Wait();
}

struct FindById {
    int id;
    HWND found;
};

BOOL CALLBACK FindByIdProc(HWND h, LPARAM l) {
    auto* f = reinterpret_cast<FindById*>(l);
    if (::GetDlgCtrlID(h) != f->id) return TRUE;
    f->found = h;
    return FALSE;
}

HWND FindDescendant(HWND hParent, int id) {
    FindById find{id, nullptr};
    ::EnumChildWindows(hParent, FindByIdProc, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

// A window of the program that is a message box or dialog.
bool HasDialog(DWORD pid) {
    return FindProcessWindow(pid, [](HWND h) {
        char cls[16] = {};
        ::GetClassNameA(h, cls, sizeof cls);
        return ::IsWindowVisible(h) && std::string(cls) == "#32770";
    }) != nullptr;
}

class EndToEnd : public testing::Test {
protected:
    void SetUp() override { ResetSettings(); }
    void TearDown() override { ResetSettings(); }
};

TEST_F(EndToEnd, StartsWithTheEmptyMainWindowItsToolbarAndStatusBar) {
    Kestrum k;
    ASSERT_NE(k.MainWindow(), nullptr);
    EXPECT_EQ(WindowText(k.MainWindow()), "Debug Windows");
    EXPECT_TRUE(::IsWindowVisible(k.MainWindow()));
    HWND hStatus = FindDescendant(k.MainWindow(), AFX_IDW_STATUS_BAR);
    HWND hToolbar = FindDescendant(k.MainWindow(), AFX_IDW_TOOLBAR);
    ASSERT_NE(hStatus, nullptr);
    ASSERT_NE(hToolbar, nullptr);
    EXPECT_TRUE(::IsWindowVisible(hStatus));
    EXPECT_TRUE(::IsWindowVisible(hToolbar));
    EXPECT_TRUE(k.DebugWindows().empty());
    EXPECT_EQ(k.Close(), 0u);
}

TEST_F(EndToEnd, ASecondInstanceEndsWithoutAWindowWhileTheFirstKeepsReceiving) {
    Kestrum first;
    ASSERT_NE(first.MainWindow(), nullptr);
    Kestrum second;
    EXPECT_NE(second.Process().Wait(20000), ChildProcess::kNoExit);
    EXPECT_EQ(second.MainWindow(), nullptr);
    EXPECT_FALSE(HasDialog(second.Process().Pid()));

    ASSERT_EQ(RunClient({"still here\\n"}), 0u);
    ASSERT_TRUE(WaitUntil([&] { return first.ShowsWindows(1); }));
    EXPECT_EQ(Kestrum::PaneText(first.DebugWindows()[0]), "still here\r\n");
}

TEST_F(EndToEnd, TheWindowRectangleAndFlagsAreRestoredAndStoredAtClose) {
    WriteSetting("Settings\\WinPos", "x", 40);
    WriteSetting("Settings\\WinPos", "y", 30);
    WriteSetting("Settings\\WinPos", "cx", 640);
    WriteSetting("Settings\\WinPos", "cy", 480);
    WriteSetting("Settings", "TopMost", 5);
    WriteSetting("Settings", "InterleaveOutput", 1);
    {
        Kestrum k;
        ASSERT_NE(k.MainWindow(), nullptr);
        RECT rect;
        ::GetWindowRect(k.MainWindow(), &rect);
        EXPECT_EQ(rect.left, 40);
        EXPECT_EQ(rect.top, 30);
        EXPECT_EQ(rect.right - rect.left, 640);
        EXPECT_EQ(rect.bottom - rect.top, 480);
        EXPECT_TRUE(::GetWindowLongA(k.MainWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        ::MoveWindow(k.MainWindow(), 50, 60, 700, 500, TRUE);
        EXPECT_EQ(k.Close(), 0u);
    }
    EXPECT_EQ(ReadSetting("Settings\\WinPos", "x"), 50);
    EXPECT_EQ(ReadSetting("Settings\\WinPos", "y"), 60);
    EXPECT_EQ(ReadSetting("Settings\\WinPos", "cx"), 700);
    EXPECT_EQ(ReadSetting("Settings\\WinPos", "cy"), 500);
    EXPECT_EQ(ReadSetting("Settings", "TopMost"), 5);  // kept as stored: not toggled
    EXPECT_EQ(ReadSetting("Settings", "InterleaveOutput"), 1);
}

// The text of N numbered lines from dbgclient, as a pane shows it.
std::string Lines(const std::string& prefix, int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += prefix + std::to_string(i) + "\r\n";
    return text;
}

TEST_F(EndToEnd, TwoClientsGetTwoWindowsWithExactlyTheirTextsInOrder) {
    Kestrum k;
    ASSERT_NE(k.MainWindow(), nullptr);
    {
        // Both write at once; the protocol takes their texts in turn.
        ChildProcess a("dbgclient.exe", {"--count", "200", "--prefix", "A"});
        ChildProcess b("dbgclient.exe", {"--count", "200", "--prefix", "B"});
        ASSERT_EQ(a.Wait(), 0u);
        ASSERT_EQ(b.Wait(), 0u);
    }
    const std::string expectedA = Lines("A", 200);
    const std::string expectedB = Lines("B", 200);
    ASSERT_TRUE(WaitUntil([&] {
        const std::vector<HWND> windows = k.DebugWindows();
        size_t total = 0;
        for (HWND h : windows) total += Kestrum::PaneText(h).size();
        return windows.size() == 2 && total == expectedA.size() + expectedB.size();
    }));
    HWND h1 = k.FindDebugWindow("Kestrum1");
    HWND h2 = k.FindDebugWindow("Kestrum2");
    ASSERT_TRUE(h1 && h2);
    const std::string text1 = Kestrum::PaneText(h1);
    const std::string text2 = Kestrum::PaneText(h2);
    if (text1.rfind("A", 0) == 0) {
        EXPECT_EQ(text1, expectedA);
        EXPECT_EQ(text2, expectedB);
    } else {
        EXPECT_EQ(text1, expectedB);
        EXPECT_EQ(text2, expectedA);
    }
}

TEST_F(EndToEnd, InterleavingPutsAllOutputInOneWindowInTheOrderWritten) {
    WriteSetting("Settings", "InterleaveOutput", 1);
    Kestrum k;
    ASSERT_NE(k.MainWindow(), nullptr);
    ASSERT_EQ(RunClient({"first\n"}), 0u);
    ASSERT_EQ(RunClient({"second\n"}), 0u);
    ASSERT_EQ(RunClient({"third\n"}), 0u);
    ASSERT_TRUE(WaitUntil([&] {
        const std::vector<HWND> windows = k.DebugWindows();
        return windows.size() == 1 && Kestrum::PaneText(windows[0]) == "first\r\nsecond\r\nthird\r\n";
    }));
    EXPECT_EQ(WindowText(k.DebugWindows()[0]), "Kestrum1");
}

TEST_F(EndToEnd, UpdateTitleNamesTheClientAndSnapShotKeepsAFrozenCopy) {
    Kestrum k;
    ASSERT_NE(k.MainWindow(), nullptr);
    ChildProcess client("dbgclient.exe", {"--stay", "20000", "hello\n"});
    ASSERT_TRUE(WaitUntil([&] { return k.ShowsWindows(1); }));
    HWND hLive = k.DebugWindows()[0];
    EXPECT_EQ(WindowText(hLive), "Kestrum1");

    k.Command(ID_VIEW_UPDATE_TITLE);
    EXPECT_EQ(WindowText(hLive), "Kestrum1 - dbgclient");

    k.Command(ID_VIEW_SNAPSHOT);
    ASSERT_EQ(k.DebugWindows().size(), 2u);
    HWND hSnap = k.ActiveDebugWindow();
    ASSERT_NE(hSnap, hLive);
    EXPECT_EQ(WindowText(hSnap), "Kestrum1 - dbgclient [SNAP SHOT]");
    EXPECT_EQ(Kestrum::PaneText(hSnap), "hello\r\n");

    // Once the client has ended, its name is no longer found.
    ::TerminateProcess(client.Handle(), 0);
    client.Wait();
    k.Command(ID_VIEW_UPDATE_TITLE);
    EXPECT_EQ(WindowText(hSnap), "Kestrum1 - <Not Found> [SNAP SHOT]");
}

TEST_F(EndToEnd, CloseAllClosesEveryWindowWithoutAPrompt) {
    Kestrum k;
    ASSERT_NE(k.MainWindow(), nullptr);
    for (const char* text : {"one\n", "two\n", "three\n"}) ASSERT_EQ(RunClient({text}), 0u);
    ASSERT_TRUE(WaitUntil([&] { return k.ShowsWindows(3); }));
    k.Command(ID_VIEW_SNAPSHOT);
    ASSERT_EQ(k.DebugWindows().size(), 4u);
    k.Command(ID_FILE_CLOSE_ALL);
    EXPECT_TRUE(k.DebugWindows().empty());
    EXPECT_FALSE(HasDialog(k.Process().Pid()));
    // Closing the main window with unsaved output asks nothing either.
    ASSERT_EQ(RunClient({"four\n"}), 0u);
    ASSERT_TRUE(WaitUntil([&] { return k.ShowsWindows(1); }));
    EXPECT_EQ(k.Close(), 0u);
}

}  // namespace
}  // namespace e2e
