// Debug documents in a small MDI program: their numbered titles, Update
// Title with a real debug client, saving the first pane's text from any
// window, and closes that never ask to save.
#include "res/resource.h"
#include "tests/pane/pane_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace panetest {
namespace {

class Document : public testing::Test, protected PaneFixture {
protected:
    void SetUp() override { PaneFixture::SetUp(); }
    void TearDown() override { PaneFixture::TearDown(); }
};

TEST_F(Document, TitlesAreNumberedInOrderAndANumberIsNeverGivenTwice) {
    const std::string first = NextTitle(0);
    const std::string second = NextTitle(1);
    const std::string third = NextTitle(2);
    CKestrumView* one = NewPane("1");
    CKestrumView* two = NewPane("2");
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(one->GetDocument()->GetTitle(), first);
    EXPECT_EQ(two->GetDocument()->GetTitle(), second);
    // A new document's live pane shows the bare title.
    EXPECT_EQ(Caption(one), first);
    EXPECT_EQ(Caption(two), second);

    FileClose(one);
    FileClose(two);
    ASSERT_TRUE(Docs().empty());
    CKestrumView* three = NewPane("3");
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three->GetDocument()->GetTitle(), third);
    EXPECT_EQ(Caption(three), third);
}

TEST_F(Document, UpdateTitleNamesTheRunningClientInEveryCaptionAndNotFoundOnceItEnded) {
    fwtest::ChildProcess client("dbgclient.exe", {"--count", "0", "--stay", "60000"});
    ASSERT_TRUE(client.Started());
    ASSERT_TRUE(client.Running());
    Route(client.Pid(), "hello\r\n");
    ASSERT_EQ(Docs().size(), 1u);
    CKestrumDoc* doc = Docs()[0];
    const std::string title = doc->GetTitle();
    CKestrumView* live = LivePane(doc);
    CKestrumView* snapshot = SnapShotIn(live);
    ASSERT_NE(snapshot, live);

    Activate(live);
    EXPECT_TRUE(Update(ID_VIEW_UPDATE_TITLE).enabled);
    Command(ID_VIEW_UPDATE_TITLE);
    EXPECT_EQ(doc->m_strProcessName, "dbgclient");
    EXPECT_EQ(Caption(live), title + " - dbgclient");
    EXPECT_EQ(Caption(snapshot), title + " - dbgclient [SNAP SHOT]");
    // A snapshot made now carries the name too.
    EXPECT_EQ(Caption(SnapShotIn(live)), title + " - dbgclient [SNAP SHOT]");

    ASSERT_TRUE(::TerminateProcess(client.Handle(), 0));
    ASSERT_NE(client.Wait(), fwtest::ChildProcess::kNoExit);
    Activate(snapshot);  // from any window of the document
    Command(ID_VIEW_UPDATE_TITLE);
    EXPECT_EQ(Caption(live), title + " - <Not Found>");
    EXPECT_EQ(Caption(snapshot), title + " - <Not Found> [SNAP SHOT]");
}

TEST_F(Document, TheInterleavedDocumentBelongsToNoClientAndUpdateTitleWaitsForInterleavingToEnd) {
    frame->m_bInterleave = TRUE;
    CKestrumView* live = NewPane("interleaved\r\n");
    ASSERT_NE(live, nullptr);
    CKestrumDoc* doc = Docs()[0];
    ASSERT_EQ(doc->m_dwProcessId, CKestrumDoc::kNoProcess);
    const std::string title = doc->GetTitle();

    EXPECT_FALSE(Update(ID_VIEW_UPDATE_TITLE).enabled);
    Command(ID_VIEW_UPDATE_TITLE);  // a disabled command does nothing
    EXPECT_EQ(Caption(live), title);

    frame->m_bInterleave = FALSE;
    EXPECT_TRUE(Update(ID_VIEW_UPDATE_TITLE).enabled);
    Command(ID_VIEW_UPDATE_TITLE);
    EXPECT_EQ(Caption(live), title + " - <Not Found>");
    EXPECT_EQ(doc->m_dwProcessId, CKestrumDoc::kNoProcess);
}

std::string TempFilePath(const char* name) {
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST_F(Document, SavingFromAnyWindowWritesTheOldestPanesRawText) {
    struct Case {
        const char* what;
        bool closeLive;
        const char* saved;  // the oldest pane's text
    };
    const Case cases[] = {
        {"from a snapshot, the live pane open", false, "live\r\nmore\r\nafter\r\n"},
        {"from the elected pane, the live pane closed", true, "live\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CKestrumView* live = NewPane("live\r\n");
        ASSERT_NE(live, nullptr);
        CKestrumDoc* doc = Docs().back();
        const std::string title = doc->GetTitle();
        CKestrumView* older = SnapShotIn(live);
        Route(doc->m_dwProcessId, "more\r\n");
        CKestrumView* newer = SnapShotIn(live);
        ASSERT_EQ(Panes(doc), (std::vector<CKestrumView*>{live, older, newer}));
        if (c.closeLive) {
            FrameOf(live)->SendMessage(WM_CLOSE);
            fwtest::PumpPending();
        }
        Route(doc->m_dwProcessId, "after\r\n");
        ASSERT_EQ(PaneText(c.closeLive ? newer : live), "live\r\nmore\r\nafter\r\n");

        const std::string path = TempFilePath("kestrum pane save test.log");
        ::DeleteFileA(path.c_str());
        fwtest::App().nextFileName = path;
        Activate(newer);
        Command(ID_FILE_SAVE);
        EXPECT_EQ(fwtest::App().proposedFileName, title + ".TXT");
        EXPECT_EQ(FileBytes(path), c.saved);
        EXPECT_FALSE(doc->IsModified());
        ::DeleteFileA(path.c_str());

        FileClose(newer);
        ASSERT_TRUE(Docs().empty());
    }
}

TEST_F(Document, NoCloseAsksToSave) {
    // The window of a document that holds unsaved text.
    CKestrumView* single = NewPane("unsaved\r\n");
    ASSERT_NE(single, nullptr);
    ASSERT_TRUE(single->GetDocument()->IsModified());
    FrameOf(single)->SendMessage(WM_CLOSE);
    fwtest::PumpPending();
    EXPECT_TRUE(Docs().empty());

    // File > Close on a document with snapshots, edited in one of them.
    CKestrumView* live = NewPane("unsaved\r\n");
    ASSERT_NE(live, nullptr);
    CKestrumView* snapshot = SnapShotIn(live);
    SnapShotIn(live);
    snapshot->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("typed "));
    ASSERT_TRUE(live->GetDocument()->IsModified());
    FileClose(snapshot);
    EXPECT_TRUE(Docs().empty());
    EXPECT_EQ(ChildWindowCount(), 0);

    // The main window, with modified documents and snapshots left open:
    // its close clears every flag first, as the main frame does.
    ASSERT_NE(SnapShotIn(NewPane("one\r\n")), nullptr);
    ASSERT_NE(NewPane("two\r\n"), nullptr);
    for (CKestrumDoc* doc : Docs()) {
        ASSERT_TRUE(doc->IsModified());
        doc->SetModifiedFlag(FALSE);
    }
    frame->SendMessage(WM_CLOSE);
    fwtest::PumpPending();
    EXPECT_EQ(fwtest::App().m_pMainWnd, nullptr);
    EXPECT_TRUE(Docs().empty());
    EXPECT_EQ(fwtest::App().messages, std::vector<std::string>{});
}

}  // namespace
}  // namespace panetest
