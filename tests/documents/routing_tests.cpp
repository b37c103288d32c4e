// Output routing in a small MDI program with real debug documents and panes:
// which document each text goes to, with Interleave Output off and on; texts
// for one pane handed over at once; the texts already waiting taken in one
// pass; and every text freed exactly once.
#include "tests/pane/pane_fixture.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace panetest {
namespace {

class Routing : public testing::Test, protected PaneFixture {
protected:
    void SetUp() override { PaneFixture::SetUp(); }
    void TearDown() override { PaneFixture::TearDown(); }
};

TEST_F(Routing, EachTextGoesToItsClientsDocumentOrWhileInterleavingToTheOldest) {
    constexpr int kNew = -1;  // a document that routing opens for the text
    constexpr DWORD kNone = CKestrumDoc::kNoProcess;
    struct Step {
        const char* what;
        BOOL interleave;
        DWORD pid;
        const char* text;  // nullptr: the user closes document `target` instead
        int target;        // the document that gets the text, by the order routing opened them
        DWORD targetId;    // its process id afterwards
    };
    const Step steps[] = {
        {"a new client gets a new document", FALSE, 100, "a1 ", kNew, 100},
        {"another new client gets another", FALSE, 200, "b1 ", kNew, 200},
        {"later texts go to the client's document", FALSE, 100, "a2 ", 0, 100},
        {"", FALSE, 200, "b2 ", 1, 200},
        {"the user closes the first client's document", FALSE, 0, nullptr, 0, 0},
        {"that client's next text opens a new one", FALSE, 100, "a3 ", kNew, 100},
        {"a process reusing an ended client's id writes into its document", FALSE, 200, "b3 ", 1, 200},
        {"interleaving: the oldest document takes any client, its id kept", TRUE, 300, "c1 ", 1, 200},
        {"interleaving: the oldest, even over the client's own document", TRUE, 100, "a4 ", 1, 200},
        {"", TRUE, 0, nullptr, 1, 0},
        {"", TRUE, 0, nullptr, 2, 0},
        {"interleaving with none open: a new document of no client", TRUE, 300, "c2 ", kNew, kNone},
        {"", TRUE, 400, "d1 ", 3, kNone},
        {"interleaving off again: a client without a document gets one", FALSE, 400, "d2 ", kNew, 400},
    };

    std::vector<CKestrumDoc*> opened;  // by the order routing opened them; closed ones NULL
    std::map<CKestrumDoc*, std::string> texts;
    int nTexts = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "step " << (&step - steps) << ": " << step.what);
        frame->m_bInterleave = step.interleave;
        if (!step.text) {
            CKestrumDoc* doc = opened.at(static_cast<size_t>(step.target));
            FileClose(LivePane(doc));
            texts.erase(doc);
            opened[static_cast<size_t>(step.target)] = nullptr;
            continue;
        }
        Route(step.pid, step.text);
        ++nTexts;
        const std::vector<CKestrumDoc*> docs = Docs();
        ASSERT_FALSE(docs.empty());
        CKestrumDoc* target = nullptr;
        if (step.target == kNew) {
            target = docs.back();
            ASSERT_EQ(texts.count(target), 0u) << "no new document was opened";
            opened.push_back(target);
            // The new document's window is shown and active.
            ASSERT_NE(ActivePane(), nullptr);
            EXPECT_EQ(ActivePane()->GetDocument(), target);
            EXPECT_TRUE(FrameOf(ActivePane())->IsWindowVisible());
        } else {
            target = opened.at(static_cast<size_t>(step.target));
        }
        texts[target] += step.text;
        EXPECT_EQ(target->m_dwProcessId, step.targetId);
        // Every open document holds exactly its own texts, in order.
        ASSERT_EQ(docs.size(), texts.size());
        for (CKestrumDoc* doc : docs) {
            ASSERT_EQ(texts.count(doc), 1u);
            EXPECT_EQ(PaneText(LivePane(doc)), texts[doc]);
        }
    }
    EXPECT_EQ(platform.allocations, nTexts);
    EXPECT_TRUE(platform.EachFreedOnce());
}

// Records every EM_REPLACESEL sent on this thread: the appends of the panes.
class ReplaceSelRecorder {
public:
    ReplaceSelRecorder() {
        s_pThis = this;
        m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ReplaceSelRecorder(const ReplaceSelRecorder&) = delete;
    ReplaceSelRecorder& operator=(const ReplaceSelRecorder&) = delete;
    ~ReplaceSelRecorder() {
        ::UnhookWindowsHookEx(m_hHook);
        s_pThis = nullptr;
    }

    bool Hooked() const { return m_hHook != nullptr; }
    std::map<HWND, std::vector<std::string>> appends;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam) {
        const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && s_pThis && msg->message == EM_REPLACESEL && msg->lParam) {
            s_pThis->appends[msg->hwnd].emplace_back(reinterpret_cast<const char*>(msg->lParam));
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static ReplaceSelRecorder* s_pThis;
    HHOOK m_hHook = nullptr;
};
ReplaceSelRecorder* ReplaceSelRecorder::s_pThis = nullptr;

TEST_F(Routing, TheTextsForOnePaneInOneCallArriveInOneAppendInTheirOrder) {
    Route(1, "one:");
    Route(2, "two:");
    CKestrumView* one = LivePane(Docs()[0]);
    CKestrumView* two = LivePane(Docs()[1]);
    // The second client's pane holds: the user has a selection in it.
    two->SendMessage(EM_SETSEL, 0, 2);

    {
        ReplaceSelRecorder recorder;
        ASSERT_TRUE(recorder.Hooked());
        Route({{1, "a"}, {2, "b"}, {1, "c"}, {2, "d"}, {1, "e"}});
        EXPECT_EQ(recorder.appends[one->m_hWnd], std::vector<std::string>{"ace"});
        EXPECT_EQ(recorder.appends[two->m_hWnd], std::vector<std::string>{"bd"});
    }
    EXPECT_EQ(PaneText(one), "one:ace");
    EXPECT_EQ(PaneText(two), "two:bd");
    EXPECT_EQ(Selection(two), std::make_pair(DWORD{0}, DWORD{2}));

    // A new client among them: what came before it is shown first, and
    // every text still arrives in its order.
    Route({{1, "f"}, {3, "x"}, {1, "g"}, {3, "y"}, {2, "h"}});
    ASSERT_EQ(Docs().size(), 3u);
    EXPECT_EQ(Docs()[2]->m_dwProcessId, 3u);
    EXPECT_EQ(PaneText(one), "one:acefg");
    EXPECT_EQ(PaneText(two), "two:bdh");
    EXPECT_EQ(PaneText(LivePane(Docs()[2])), "xy");
    EXPECT_EQ(platform.allocations, 12);
    EXPECT_TRUE(platform.EachFreedOnce());
}

struct Taken {
    DWORD pid;
    std::string text;
    bool operator==(const Taken& o) const { return pid == o.pid && text == o.text; }
};
void PrintTo(const Taken& t, std::ostream* os) { *os << t.pid << ": \"" << t.text << '"'; }

// A child window of the frame that records the WM_DEBUGSTRING messages
// dispatched to it.
class RecordingChild {
public:
    explicit RecordingChild(HWND hParent) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &WndProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "KestrumRecordingChild";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowA(wc.lpszClassName, "", WS_CHILD, 0, 0, 1, 1, hParent, nullptr, wc.hInstance, nullptr);
        s_received.clear();
    }
    RecordingChild(const RecordingChild&) = delete;
    RecordingChild& operator=(const RecordingChild&) = delete;
    ~RecordingChild() { ::DestroyWindow(m_hWnd); }

    HWND Handle() const { return m_hWnd; }
    static std::vector<WPARAM> s_received;  // the wParam of each WM_DEBUGSTRING

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_DEBUGSTRING) {
            s_received.push_back(wParam);
            capture::DefaultCapturePlatform().FreeText(reinterpret_cast<char*>(lParam));
            return 0;
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    HWND m_hWnd = nullptr;
};
std::vector<WPARAM> RecordingChild::s_received;

TEST_F(Routing, TheTextsAlreadyWaitingAreTakenInTheirOrderUpToTheBound) {
    RecordingChild child(frame->m_hWnd);
    ASSERT_NE(child.Handle(), nullptr);
    // Posted as the receiver posts them: texts of the real heap, each
    // released into its message.
    std::map<DWORD, const char*> posted;
    auto post = [&](HWND hWnd, DWORD pid, const char* text) {
        char* copy = capture::DefaultCapturePlatform().AllocateText(std::strlen(text) + 1);
        std::strcpy(copy, text);
        posted[pid] = copy;
        ::PostMessageA(hWnd, WM_DEBUGSTRING, pid, reinterpret_cast<LPARAM>(copy));
    };
    post(frame->m_hWnd, 11, "second");
    ::PostMessageA(frame->m_hWnd, WM_USER, 0, 0);  // not a text: stays
    post(frame->m_hWnd, 12, "third");
    post(frame->m_hWnd, 14, "fourth");
    post(child.Handle(), 13, "for a child window");
    post(frame->m_hWnd, 15, "fifth");

    std::vector<Taken> taken;
    auto take = [&](size_t nMax, DWORD pid, const std::string& text) {
        taken.clear();
        for (const CapturedMessage& message : TakeQueuedTexts(frame->m_hWnd, Captured(pid, text), nMax)) {
            taken.push_back({message.dwProcessId, message.text.get()});
            // The posted block itself, owned from now on: no copy is made.
            if (posted.count(message.dwProcessId)) {
                EXPECT_EQ(message.text.get(), posted[message.dwProcessId]);
            }
        }
    };
    take(3, 10, "first");
    EXPECT_EQ(taken, (std::vector<Taken>{{10, "first"}, {11, "second"}, {12, "third"}}));
    EXPECT_TRUE(RecordingChild::s_received.empty());
    // A message for a child window is not a text of ours: it goes to the
    // child, and ends the pass.
    take(100, 16, "next");
    EXPECT_EQ(taken, (std::vector<Taken>{{16, "next"}, {14, "fourth"}}));
    EXPECT_EQ(RecordingChild::s_received, std::vector<WPARAM>{13});
    take(100, 17, "last");
    EXPECT_EQ(taken, (std::vector<Taken>{{17, "last"}, {15, "fifth"}}));

    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_DEBUGSTRING, WM_DEBUGSTRING, PM_NOREMOVE));
    EXPECT_TRUE(::PeekMessageA(&msg, frame->m_hWnd, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(platform.allocations, 3);
    EXPECT_TRUE(platform.EachFreedOnce());
}

}  // namespace
}  // namespace panetest
