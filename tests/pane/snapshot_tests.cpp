// Snapshots: Snap Shot on a live pane opens a snapshot window, in a snapshot
// it refreshes it; the election of a new live pane once the live one closed;
// and the title rule that captions every pane's frame.
#include "pane/title_rule.h"
#include "res/resource.h"
#include "tests/pane/pane_fixture.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

namespace panetest {
namespace {

TEST(TitleRule, CaptionsEveryKindOfPane) {
    struct Case {
        const char* name;
        PaneKind kind;
        bool alwaysName;
        const char* caption;
    };
    const Case cases[] = {
        {"", PaneKind::Live, false, "Kestrum1"},
        {"", PaneKind::Snapshot, false, "Kestrum1 [SNAP SHOT]"},
        {"dbgclient", PaneKind::Live, false, "Kestrum1 - dbgclient"},
        {"dbgclient", PaneKind::Snapshot, false, "Kestrum1 - dbgclient [SNAP SHOT]"},
        // Update Title always puts the name in, even an empty one.
        {"", PaneKind::Live, true, "Kestrum1 - "},
        {"", PaneKind::Snapshot, true, "Kestrum1 -  [SNAP SHOT]"},
        {"<Not Found>", PaneKind::Live, true, "Kestrum1 - <Not Found>"},
        {"<Not Found>", PaneKind::Snapshot, true, "Kestrum1 - <Not Found> [SNAP SHOT]"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PaneCaption("Kestrum1", c.name, c.kind, c.alwaysName), c.caption);
    }
}

class Snapshot : public testing::Test, protected PaneFixture {
protected:
    void SetUp() override { PaneFixture::SetUp(); }
    void TearDown() override { PaneFixture::TearDown(); }
};

TEST_F(Snapshot, OnTheLivePaneOpensAnActiveSnapshotAndInASnapshotRefreshesIt) {
    CKestrumView* live = NewPane("one\r\ntwo\r\n");
    ASSERT_NE(live, nullptr);
    CKestrumDoc* doc = Docs().back();
    const std::string title = doc->GetTitle();
    ASSERT_EQ(Caption(live), title);

    CKestrumView* snapshot = SnapShotIn(live);
    ASSERT_NE(snapshot, nullptr);
    ASSERT_NE(snapshot, live);
    EXPECT_EQ(ChildWindowCount(), 2);
    EXPECT_EQ(snapshot->GetDocument(), doc);
    EXPECT_FALSE(snapshot->m_bLive);
    EXPECT_EQ(Caption(snapshot), title + " [SNAP SHOT]");
    EXPECT_EQ(PaneText(snapshot), "one\r\ntwo\r\n");
    EXPECT_EQ(Selection(snapshot), std::make_pair(DWORD{0}, DWORD{0}));
    EXPECT_EQ(Caption(live), title);
    EXPECT_EQ(PaneText(live), "one\r\ntwo\r\n");

    // New output goes to the live pane only.
    Route(doc->m_dwProcessId, "three\r\n");
    EXPECT_EQ(PaneText(live), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(PaneText(snapshot), "one\r\ntwo\r\n");

    // In the snapshot, Snap Shot takes the live pane's text again.
    Activate(snapshot);
    snapshot->SendMessage(EM_SETSEL, 3, 6);
    EXPECT_EQ(SnapShotIn(snapshot), snapshot);
    EXPECT_EQ(PaneText(snapshot), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(Selection(snapshot), std::make_pair(DWORD{0}, DWORD{0}));
    EXPECT_EQ(Caption(snapshot), title + " [SNAP SHOT]");
    EXPECT_EQ(ChildWindowCount(), 2);
    EXPECT_TRUE(live->m_bLive);
}

TEST_F(Snapshot, IsDisabledInEveryWindowOfADocumentWhoseLivePaneIsEmpty) {
    CKestrumView* live = NewPane("text\r\n");
    ASSERT_NE(live, nullptr);
    CKestrumView* snapshot = SnapShotIn(live);
    ASSERT_NE(snapshot, live);
    EXPECT_TRUE(Update(ID_VIEW_SNAPSHOT).enabled);
    Activate(live);
    EXPECT_TRUE(Update(ID_VIEW_SNAPSHOT).enabled);

    Command(ID_EDIT_CLEAR_ALL);
    ASSERT_EQ(PaneText(live), "");
    EXPECT_FALSE(Update(ID_VIEW_SNAPSHOT).enabled);
    Activate(snapshot);
    ASSERT_EQ(PaneText(snapshot), "text\r\n");
    EXPECT_FALSE(Update(ID_VIEW_SNAPSHOT).enabled);

    // A new document's pane is empty until its first text.
    ASSERT_NE(NewPane(), nullptr);
    EXPECT_FALSE(Update(ID_VIEW_SNAPSHOT).enabled);
}

TEST_F(Snapshot, ClosingTheLivePaneElectsTheNewestSnapshot) {
    for (const char* name : {"", "dbgclient"}) {
        SCOPED_TRACE(testing::Message() << "process name \"" << name << "\"");
        CKestrumView* live = NewPane("before\r\n");
        ASSERT_NE(live, nullptr);
        CKestrumDoc* doc = Docs().back();
        doc->m_strProcessName = name;
        const std::string title = doc->GetTitle();
        const std::string liveCaption = *name ? title + " - " + name : title;
        const std::string snapshotCaption = liveCaption + " [SNAP SHOT]";

        CKestrumView* older = SnapShotIn(live);
        CKestrumView* newer = SnapShotIn(live);
        ASSERT_EQ(Panes(doc), (std::vector<CKestrumView*>{live, older, newer}));
        EXPECT_EQ(Caption(older), snapshotCaption);
        EXPECT_EQ(Caption(newer), snapshotCaption);

        FrameOf(live)->SendMessage(WM_CLOSE);
        fwtest::PumpPending();
        ASSERT_EQ(Panes(doc), (std::vector<CKestrumView*>{older, newer}));

        Route(doc->m_dwProcessId, "after\r\n");
        EXPECT_TRUE(newer->m_bLive);
        EXPECT_FALSE(older->m_bLive);
        EXPECT_EQ(PaneText(newer), "before\r\nafter\r\n");
        EXPECT_EQ(PaneText(older), "before\r\n");
        EXPECT_EQ(Caption(newer), liveCaption);
        EXPECT_EQ(Caption(older), snapshotCaption);

        // Snap Shot in the elected window opens a new snapshot of it.
        CKestrumView* fresh = SnapShotIn(newer);
        ASSERT_NE(fresh, newer);
        EXPECT_EQ(Panes(doc).size(), 3u);
        EXPECT_EQ(Caption(fresh), snapshotCaption);
        EXPECT_EQ(PaneText(fresh), "before\r\nafter\r\n");

        FileClose(fresh);
        ASSERT_TRUE(Docs().empty());
    }
}

}  // namespace
}  // namespace panetest
