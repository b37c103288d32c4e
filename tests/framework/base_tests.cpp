// The framework's base under Wine: message maps and their chaining, the
// window-handle map, modal dialogs from resources, worker threads.
#include "framework/afxres.h"
#include "framework/dialog.h"
#include "framework/thread.h"
#include "framework/wnd.h"
#include "tests/framework/base_ids.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace {

constexpr UINT WM_TEST_BOTH = WM_APP + 1;      // handled by the base map and overridden
constexpr UINT WM_TEST_BASE_ONLY = WM_APP + 2;  // handled by the base map only

class BaseWnd : public CWnd {
public:
    std::vector<std::string> calls;

    LRESULT OnBoth(WPARAM w, LPARAM) {
        calls.push_back("base both");
        return static_cast<LRESULT>(w + 1);
    }
    LRESULT OnBaseOnly(WPARAM w, LPARAM l) {
        calls.push_back("base only");
        return static_cast<LRESULT>(w * 100 + l);
    }
    int OnCreate(LPCREATESTRUCT lpcs) {
        calls.push_back(std::string("create ") + lpcs->lpszName);
        return CWnd::OnCreate(lpcs);
    }
    void OnDestroy() { calls.push_back("destroy"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    fw::Message<&BaseWnd::OnBoth>(WM_TEST_BOTH),
    fw::Message<&BaseWnd::OnBaseOnly>(WM_TEST_BASE_ONLY),
    fw::WmCreate<&BaseWnd::OnCreate>(),
    fw::Message<&BaseWnd::OnDestroy>(WM_DESTROY),
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
public:
    LRESULT OnBothDerived(WPARAM w, LPARAM) {
        calls.push_back("derived both");
        return static_cast<LRESULT>(w + 1000);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    fw::Message<&DerivedWnd::OnBothDerived>(WM_TEST_BOTH),
END_MESSAGE_MAP()

// A failed creation: OnCreate returns -1.
class RefusingWnd : public CWnd {
public:
    int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RefusingWnd, CWnd)
    fw::WmCreate<&RefusingWnd::OnCreate>(),
END_MESSAGE_MAP()

// A system control whose notification to its parent comes back to it.
class ReflectingEdit : public CWnd {
public:
    int changes = 0;
    void OnChange() { ++changes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingEdit, CWnd)
    fw::Reflect<&ReflectingEdit::OnChange>(EN_CHANGE),
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntriesComeBeforeTheBaseMapAndTheRestFallsThrough) {
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "derived", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    EXPECT_EQ(wnd.calls, std::vector<std::string>{"create derived"});

    EXPECT_EQ(wnd.SendMessage(WM_TEST_BOTH, 7), 1007);
    EXPECT_EQ(wnd.SendMessage(WM_TEST_BASE_ONLY, 3, 4), 304);
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"create derived", "derived both", "base only"}));

    // Not in any map: the window's own procedure handles it.
    wnd.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new title"));
    EXPECT_EQ(wnd.GetWindowText(), "new title");

    ASSERT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.calls.back(), "destroy");
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST(MessageMap, PostedMessagesReachTheMapThroughTheLoop) {
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "posted", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    ASSERT_TRUE(wnd.PostMessage(WM_TEST_BASE_ONLY, 1, 2));
    EXPECT_TRUE(fwtest::PumpUntil([&] { return wnd.calls.back() == "base only"; }));
}

TEST(MessageMap, CreationRefusedByOnCreateFails) {
    RefusingWnd wnd;
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, "refused", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST(MessageMap, ControlNotificationsAreReflectedToTheControl) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    ReflectingEdit edit;
    const RECT rc{0, 0, 200, 100};
    ASSERT_TRUE(edit.Create("EDIT", "", WS_VISIBLE | ES_MULTILINE, rc, &parent, 55));
    EXPECT_EQ(CWnd::FromHandlePermanent(edit.m_hWnd), &edit);

    // A multi-line control reports a change made through EM_REPLACESEL
    // (not one made with WM_SETTEXT) to its parent.
    edit.SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("typed"));
    EXPECT_EQ(edit.changes, 1);
    // The system control still does its own work under the object.
    EXPECT_EQ(edit.GetWindowText(), "typed");
    // Other notifications have no entry and change nothing.
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(55, EN_SETFOCUS), reinterpret_cast<LPARAM>(edit.m_hWnd));
    EXPECT_EQ(edit.changes, 1);
}

TEST(HandleMap, TemporaryObjectsForForeignWindowsLastUntilIdle) {
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    CWnd* temp = CWnd::FromHandle(hWnd);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, hWnd);
    EXPECT_EQ(CWnd::FromHandle(hWnd), temp);
    EXPECT_EQ(temp->GetWindowText(), "foreign");
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    CWnd::DeleteTempMap();
    // The window itself is not the temporary object's: it still exists.
    EXPECT_TRUE(::IsWindow(hWnd));
    ::DestroyWindow(hWnd);
}

TEST(Window, TopmostBandFollowsSetWindowPos) {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "band", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr));
    wnd.ShowWindow(SW_SHOWNOACTIVATE);
    RECT before;
    wnd.GetWindowRect(&before);
    wnd.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOPMOST);
    wnd.SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_FALSE(wnd.GetExStyle() & WS_EX_TOPMOST);
    RECT after;
    wnd.GetWindowRect(&after);
    EXPECT_TRUE(::EqualRect(&before, &after));
}

// A dialog from the resource script, ended from a timer as a user would.
class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(IDD_TEST_DIALOG) {}
    bool initialised = false;
    std::string label;

protected:
    BOOL OnInitDialog() override {
        initialised = true;
        label = GetDlgItem(IDC_TEST_LABEL)->GetWindowText();
        return CDialog::OnInitDialog();
    }
};

// The command the timer below gives the test dialog once it is up.
WPARAM g_dialogCommand = IDOK;

void CALLBACK EndTestDialog(HWND, UINT, UINT_PTR id, DWORD) {
    if (HWND hDlg = ::FindWindowA(nullptr, "Test Dialog")) {
        ::KillTimer(nullptr, id);
        ::PostMessageA(hDlg, WM_COMMAND, g_dialogCommand, 0);
    }
}

TEST(Dialog, DoModalRunsTheResourceDialogUntilItEnds) {
    struct Case {
        WPARAM command;
        INT_PTR expected;
    };
    for (const Case c : {Case{IDOK, IDOK}, Case{IDCANCEL, IDCANCEL}}) {
        TestDialog dlg;
        g_dialogCommand = c.command;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, EndTestDialog);
        EXPECT_EQ(dlg.DoModal(), c.expected);
        ::KillTimer(nullptr, timer);
        EXPECT_TRUE(dlg.initialised);
        EXPECT_EQ(dlg.label, "A dialog from a resource");
        EXPECT_EQ(dlg.m_hWnd, nullptr);
    }
}

TEST(Dialog, MissingTemplateFails) {
    CDialog dlg(4242);
    EXPECT_EQ(dlg.DoModal(), -1);
}

std::atomic<int> g_threadRuns{0};

UINT CountingThread(LPVOID param) {
    g_threadRuns.fetch_add(1);
    return *static_cast<UINT*>(param);
}

TEST(Thread, ObjectAndHandleOutliveTheThreadUntilTheOwnerDeletesIt) {
    UINT exitCode = 42;
    CWinThread* pThread = AfxBeginThread(CountingThread, &exitCode);
    ASSERT_NE(pThread, nullptr);
    ASSERT_NE(pThread->m_hThread, nullptr);
    EXPECT_EQ(::WaitForSingleObject(pThread->m_hThread, 5000), WAIT_OBJECT_0);
    ::Sleep(50);  // long after the end, the handle is still open and tells the result
    DWORD code = 0;
    ASSERT_TRUE(::GetExitCodeThread(pThread->m_hThread, &code));
    EXPECT_EQ(code, 42u);
    EXPECT_EQ(g_threadRuns.load(), 1);
    delete pThread;
}

TEST(Thread, SuspendedThreadWaitsForResumeAndGetsItsPriority) {
    g_threadRuns = 0;
    UINT exitCode = 7;
    CWinThread* pThread =
        AfxBeginThread(CountingThread, &exitCode, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, nullptr);
    EXPECT_EQ(::GetThreadPriority(pThread->m_hThread), THREAD_PRIORITY_BELOW_NORMAL);
    EXPECT_EQ(::WaitForSingleObject(pThread->m_hThread, 100), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(g_threadRuns.load(), 0);
    pThread->ResumeThread();
    EXPECT_EQ(::WaitForSingleObject(pThread->m_hThread, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(g_threadRuns.load(), 1);
    delete pThread;
}

TEST(Thread, TheApplicationIsTheMainThreadsObject) {
    EXPECT_EQ(AfxGetThread(), &fwtest::App());
    EXPECT_EQ(AfxGetApp(), &fwtest::App());
    CWinThread* seen = nullptr;
    CWinThread* pThread = AfxBeginThread(
        [](LPVOID p) -> UINT {
            *static_cast<CWinThread**>(p) = AfxGetThread();
            return 0;
        },
        &seen);
    ASSERT_NE(pThread, nullptr);
    ::WaitForSingleObject(pThread->m_hThread, 5000);
    EXPECT_EQ(seen, pThread);
    delete pThread;
}

TEST(Application, NameComesFromTheConstructorOrTheStringTable) {
    EXPECT_EQ(fwtest::App().m_strAppName, "KestrumTest");
    EXPECT_EQ(AfxLoadString(AFX_IDS_APP_TITLE), "KestrumTest");
    EXPECT_EQ(AfxLoadString(AFX_IDS_IDLEMESSAGE), "Ready");
    EXPECT_EQ(AfxFormatString1(AFX_IDP_ASK_TO_SAVE, "Kestrum1"), "Save changes to Kestrum1?");
}

TEST(Application, CommandLineIsParsedIntoItsFields) {
    struct Case {
        std::vector<const char*> args;
        CCommandLineInfo::Shell shell;
        const char* file;
    };
    const Case cases[] = {
        {{}, CCommandLineInfo::FileNew, ""},
        {{"run.txt"}, CCommandLineInfo::FileOpen, "run.txt"},
        {{"/p", "run.txt"}, CCommandLineInfo::FilePrint, "run.txt"},
        {{"-P", "run.txt"}, CCommandLineInfo::FilePrint, "run.txt"},
        {{"/pt", "run.txt", "printer", "driver", "port"}, CCommandLineInfo::FilePrintTo, "run.txt"},
        {{"/dde"}, CCommandLineInfo::FileDDE, ""},
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        for (size_t i = 0; i < c.args.size(); ++i) {
            const char* a = c.args[i];
            const bool flag = a[0] == '/' || a[0] == '-';
            info.ParseParam(flag ? a + 1 : a, flag, i + 1 == c.args.size());
        }
        EXPECT_EQ(info.m_nShellCommand, c.shell) << (c.args.empty() ? "" : c.args[0]);
        EXPECT_EQ(info.m_strFileName, c.file);
    }
    CCommandLineInfo printTo;
    printTo.ParseParam("pt", TRUE, FALSE);
    printTo.ParseParam("run.txt", FALSE, FALSE);
    printTo.ParseParam("printer", FALSE, FALSE);
    printTo.ParseParam("driver", FALSE, FALSE);
    printTo.ParseParam("port", FALSE, TRUE);
    EXPECT_EQ(printTo.m_strPrinterName, "printer");
    EXPECT_EQ(printTo.m_strDriverName, "driver");
    EXPECT_EQ(printTo.m_strPortName, "port");
}

}  // namespace
