// Routing when no document can be made for a text: a program whose first
// document template makes documents that fail to start on demand.
#include "tests/pane/pane_fixture.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

namespace panetest {
namespace {

// A debug document whose start fails while s_bFail is set.
class CFailingDoc : public CKestrumDoc {
    DECLARE_DYNCREATE(CFailingDoc)
public:
    static bool s_bFail;
    BOOL OnNewDocument() override { return !s_bFail && CKestrumDoc::OnNewDocument(); }
};
IMPLEMENT_DYNCREATE(CFailingDoc, CKestrumDoc)
bool CFailingDoc::s_bFail = false;

class RoutingFailure : public testing::Test, protected PaneFixture {
protected:
    void SetUp() override {
        CFailingDoc::s_bFail = false;
        PaneFixture::SetUp(RUNTIME_CLASS(CFailingDoc));
    }
    void TearDown() override {
        CFailingDoc::s_bFail = false;
        PaneFixture::TearDown();
    }
};

TEST_F(RoutingFailure, ATextWithNoDocumentIsFreedAndShownNowhereWhileTheOthersArrive) {
    Route(1, "a");
    ASSERT_EQ(Docs().size(), 1u);
    CKestrumView* pane = LivePane(Docs()[0]);
    ASSERT_NE(pane, nullptr);
    const std::string nextTitle = NextTitle();

    CFailingDoc::s_bFail = true;
    Route({{2, "b"}, {1, "c"}, {3, "d"}, {1, "e"}});
    EXPECT_EQ(fwtest::App().messages,
              (std::vector<std::string>{"Failed to create empty document.", "Failed to create empty document."}));
    fwtest::App().messages.clear();
    ASSERT_EQ(Docs().size(), 1u);
    EXPECT_EQ(PaneText(pane), "ace");
    EXPECT_EQ(ChildWindowCount(), 1);
    EXPECT_EQ(platform.allocations, 5);
    EXPECT_TRUE(platform.EachFreedOnce());

    // The failed documents took no number.
    CFailingDoc::s_bFail = false;
    Route(2, "b again");
    ASSERT_EQ(Docs().size(), 2u);
    EXPECT_EQ(Docs()[1]->GetTitle(), nextTitle);
    EXPECT_EQ(PaneText(LivePane(Docs()[1])), "b again");
}

}  // namespace
}  // namespace panetest
