// Output that waits on its document until the main frame shows it: which
// document goes first, how much is kept, where it goes when the live pane
// closes, and what Clear Window does with it.
#include "res/resource.h"
#include "tests/pane/pane_fixture.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace panetest {
namespace {

class PendingOutput : public testing::Test, protected PaneFixture {
protected:
    void SetUp() override { PaneFixture::SetUp(); }
    void TearDown() override { PaneFixture::TearDown(); }
};

TEST_F(PendingOutput, WaitsOnItsDocumentAndIsShownLongestWaitingFirstUntilToldToStop) {
    CKestrumView* a = NewPane("a0 ");
    CKestrumView* b = NewPane("b0 ");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    const DWORD pidA = Docs()[0]->m_dwProcessId;
    const DWORD pidB = Docs()[1]->m_dwProcessId;
    EXPECT_FALSE(AnyPendingOutput());

    Queue({{pidB, "b1 "}, {pidA, "a1 "}, {pidB, "b2 "}});
    EXPECT_TRUE(AnyPendingOutput());
    EXPECT_EQ(PaneText(a), "a0 ");
    EXPECT_EQ(PaneText(b), "b0 ");

    int asked = 0;
    EXPECT_TRUE(ShowPendingOutput([&] { return ++asked == 1; }));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(PaneText(b), "b0 b1 b2 ") << "the document that waited longest goes first";
    EXPECT_EQ(PaneText(a), "a0 ");
    // More for the document already shown waits behind the other.
    Queue({{pidB, "b3 "}});
    EXPECT_TRUE(ShowPendingOutput([&] { return ++asked == 2; }));
    EXPECT_EQ(PaneText(a), "a0 a1 ");
    EXPECT_EQ(PaneText(b), "b0 b1 b2 ");

    EXPECT_TRUE(ShowPendingOutput());
    EXPECT_EQ(PaneText(b), "b0 b1 b2 b3 ");
    EXPECT_FALSE(AnyPendingOutput());
    EXPECT_FALSE(ShowPendingOutput());
    EXPECT_TRUE(platform.EachFreedOnce());
}

TEST_F(PendingOutput, KeepsTheNewestLinesThePaneCanHold) {
    constexpr size_t kLimit = CEditView::kTextLimit;
    constexpr size_t kLineLength = 14;  // "line 0000000\r\n"
    CKestrumView* pane = NewPane("older text\r\n");
    ASSERT_NE(pane, nullptr);
    const DWORD pid = Docs()[0]->m_dwProcessId;
    // Twice what the pane holds, in texts of 200 lines, as a flood brings it.
    std::string all;
    int n = 0;
    while (all.size() < 2 * kLimit) {
        std::string text;
        for (int i = 0; i < 200; ++i) {
            char line[kLineLength + 1];
            std::snprintf(line, sizeof line, "line %07d\r\n", n++);
            text += line;
        }
        Queue({{static_cast<DWORD>(pid), text}});
        all += text;
    }
    ShowPendingOutput();

    const std::string shown = PaneText(pane);
    ASSERT_LE(shown.size(), kLimit);
    EXPECT_GT(shown.size(), kLimit - kLineLength) << "more went than had to";
    EXPECT_EQ(shown.size() % kLineLength, 0u) << "a line was cut";
    EXPECT_EQ(shown, all.substr(all.size() - shown.size()));
}

TEST_F(PendingOutput, GoesToTheSnapshotElectedWhenTheLivePaneCloses) {
    CKestrumView* live = NewPane("before\r\n");
    ASSERT_NE(live, nullptr);
    CKestrumDoc* doc = Docs().back();
    CKestrumView* snapshot = SnapShotIn(live);
    ASSERT_NE(snapshot, live);

    Queue({{doc->m_dwProcessId, "pending\r\n"}});
    FrameOf(live)->SendMessage(WM_CLOSE);
    fwtest::PumpPending();
    ASSERT_EQ(Panes(doc), std::vector<CKestrumView*>{snapshot});
    EXPECT_TRUE(ShowPendingOutput());
    EXPECT_TRUE(snapshot->m_bLive);
    EXPECT_EQ(PaneText(snapshot), "before\r\npending\r\n");
}

TEST_F(PendingOutput, ClearWindowInTheLivePaneDropsItAndInASnapshotKeepsIt) {
    CKestrumView* live = NewPane("shown\r\n");
    ASSERT_NE(live, nullptr);
    CKestrumDoc* doc = Docs().back();
    CKestrumView* snapshot = SnapShotIn(live);
    ASSERT_NE(snapshot, live);

    Queue({{doc->m_dwProcessId, "came before the clear\r\n"}});
    Activate(snapshot);
    Command(ID_EDIT_CLEAR_ALL);
    EXPECT_EQ(PaneText(snapshot), "");
    EXPECT_TRUE(doc->HasPendingOutput());

    Activate(live);
    Command(ID_EDIT_CLEAR_ALL);
    EXPECT_EQ(PaneText(live), "");
    EXPECT_FALSE(doc->HasPendingOutput());
    Route(doc->m_dwProcessId, "after\r\n");
    EXPECT_EQ(PaneText(live), "after\r\n");
    EXPECT_TRUE(platform.EachFreedOnce());
}

}  // namespace
}  // namespace panetest
