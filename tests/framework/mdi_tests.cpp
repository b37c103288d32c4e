// MDI frames under Wine: command routing and menu updates, menus switching
// with the active document, the Window menu's list, titles, new windows on a
// document, and document and view lifetimes.
#include "framework/app.h"
#include "tests/framework/mdi_app.h"
#include "tests/framework/mdi_ids.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

namespace mditest {
namespace {

class Mdi : public testing::Test, protected MdiFixture {
protected:
    void SetUp() override { MdiFixture::SetUp(); }
    void TearDown() override { MdiFixture::TearDown(); }

    static std::vector<std::string> MenuTexts(HMENU hMenu) {
        std::vector<std::string> texts;
        for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
            char text[128] = {};
            ::GetMenuStringA(hMenu, i, text, sizeof text, MF_BYPOSITION);
            texts.push_back(text);
        }
        return texts;
    }
};

TEST_F(Mdi, CommandsGoToTheActivePaneItsDocumentItsFrameTheMainFrameThenTheApplication) {
    struct Case {
        UINT id;
        const char* handledBy;  // "" when no window handles it
        bool reachesApp;
        bool enabled;
    };
    const Case withDocument[] = {
        {ID_ROUTE_VIEW, "view", false, true}, {ID_ROUTE_DOC, "doc", false, true},
        {ID_ROUTE_CHILD, "child", false, true}, {ID_ROUTE_MAIN, "main", false, true},
        {ID_ROUTE_APP, "", true, true},        {ID_ROUTE_NONE, "", false, false},
    };
    const Case withoutDocument[] = {
        {ID_ROUTE_VIEW, "main", false, true}, {ID_ROUTE_CHILD, "main", false, true},
        {ID_ROUTE_APP, "", true, true},        {ID_ROUTE_NONE, "", false, false},
    };
    auto check = [this](const Case& c) {
        RouteLog().clear();
        fwtest::App().commands.clear();
        EXPECT_EQ(Update(c.id).enabled, c.enabled) << std::hex << c.id;
        Command(c.id);
        const std::vector<std::string> expected =
            *c.handledBy ? std::vector<std::string>{c.handledBy} : std::vector<std::string>{};
        EXPECT_EQ(RouteLog(), expected) << std::hex << c.id;
        EXPECT_EQ(fwtest::App().commands.size(), c.reachesApp ? 1u : 0u) << std::hex << c.id;
    };
    for (const Case& c : withoutDocument) check(c);
    ASSERT_NE(NewDoc(), nullptr);
    for (const Case& c : withDocument) check(c);
}

TEST_F(Mdi, MenuItemsAreUpdatedWhenTheirMenuOpens) {
    HMENU hRoute = ::GetSubMenu(::GetMenu(frame->m_hWnd), 1);
    auto state = [&](UINT id) { return ::GetMenuState(hRoute, id, MF_BYCOMMAND); };
    CTestMainFrame::s_checked = true;
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hRoute), MAKELPARAM(1, FALSE));
    EXPECT_FALSE(state(ID_ROUTE_MAIN) & MF_GRAYED);
    EXPECT_FALSE(state(ID_ROUTE_APP) & MF_GRAYED);
    EXPECT_TRUE(state(ID_ROUTE_NONE) & MF_GRAYED);  // no handler anywhere
    EXPECT_TRUE(state(ID_CHECKED) & MF_CHECKED);
    // An update handler that only checks leaves the enabling to the rule:
    // no command handler, so disabled.
    EXPECT_TRUE(state(ID_CHECKED) & MF_GRAYED);

    CTestMainFrame::s_checked = false;
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hRoute), MAKELPARAM(1, FALSE));
    EXPECT_FALSE(state(ID_CHECKED) & MF_CHECKED);

    // With a document the view's update handler answers first.
    ASSERT_NE(NewDoc(), nullptr);
    HMENU hDocRoute = ::GetSubMenu(::GetMenu(frame->m_hWnd), 2);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hDocRoute), MAKELPARAM(2, FALSE));
    EXPECT_TRUE(::GetMenuState(hDocRoute, ID_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(::GetMenuState(hDocRoute, ID_CHECKED, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(Mdi, DisabledCommandsDoNotRunFromKeys) {
    // Ctrl+M runs a handled command; Ctrl+Q one that nobody handles.
    ::SetForegroundWindow(frame->m_hWnd);
    MSG msg{frame->m_hWnd, WM_KEYDOWN, 'M', 0, 0, {0, 0}};
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(frame->PreTranslateMessage(&msg));
    EXPECT_EQ(RouteLog(), std::vector<std::string>{"main"});
    msg.wParam = 'Q';
    frame->PreTranslateMessage(&msg);
    EXPECT_EQ(RouteLog(), std::vector<std::string>{"main"});
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
}

TEST_F(Mdi, TheMenuFollowsTheActiveDocumentAndListsItsWindows) {
    EXPECT_EQ(::GetMenu(frame->m_hWnd), frame->m_hMenuDefault);
    CTestDoc* pDoc = NewDoc();
    ASSERT_NE(pDoc, nullptr);
    HMENU hMenu = ::GetMenu(frame->m_hWnd);
    EXPECT_EQ(hMenu, docTemplate->m_hMenuShared);
    EXPECT_EQ(MenuTexts(hMenu), (std::vector<std::string>{"&File", "&Edit", "&Route", "&Window"}));

    CTestDoc* pDoc2 = NewDoc();
    ASSERT_NE(pDoc2, nullptr);
    const std::vector<std::string> windowItems = MenuTexts(::GetSubMenu(hMenu, 3));
    // The four arrange commands, a separator, then one item per open window.
    ASSERT_EQ(windowItems.size(), 7u) << testing::PrintToString(windowItems);
    EXPECT_EQ(windowItems[5], "&1 " + pDoc->GetTitle());
    EXPECT_EQ(windowItems[6], "&2 " + pDoc2->GetTitle());

    for (CDocument* d : Docs()) d->OnCloseDocument();
    fwtest::PumpPending();
    EXPECT_EQ(::GetMenu(frame->m_hWnd), frame->m_hMenuDefault);
}

TEST_F(Mdi, DocumentTitlesCountUpAndTheCountIsNeverLowered) {
    const UINT first = docTemplate->m_nUntitledCount + 1;
    const std::string a = "Test" + std::to_string(first);
    const std::string b = "Test" + std::to_string(first + 1);
    const std::string c = "Test" + std::to_string(first + 2);
    CTestDoc* pDoc1 = NewDoc();
    CTestDoc* pDoc2 = NewDoc();
    ASSERT_TRUE(pDoc1 && pDoc2);
    EXPECT_EQ(pDoc1->GetTitle(), a);
    EXPECT_EQ(pDoc2->GetTitle(), b);
    EXPECT_EQ(Docs(), (std::vector<CDocument*>{pDoc1, pDoc2}));  // oldest first
    // The child frame shows the title; the main frame adds the active one's.
    EXPECT_EQ(frame->MDIGetActive()->GetWindowText(), b);
    fwtest::RunIdle();
    EXPECT_EQ(frame->GetWindowText(), "Test Frame - " + b);

    pDoc1->OnCloseDocument();
    pDoc2->OnCloseDocument();
    fwtest::PumpPending();
    EXPECT_EQ(frame->GetWindowText(), "Test Frame");
    CTestDoc* pDoc3 = NewDoc();
    ASSERT_NE(pDoc3, nullptr);
    EXPECT_EQ(pDoc3->GetTitle(), c);
}

TEST_F(Mdi, OpenDocumentFileMakesADocumentWithItsFrameAndViewOrSaysItFailed) {
    CTestDoc* pDoc = NewDoc();
    ASSERT_NE(pDoc, nullptr);
    CMDIChildWnd* pChild = frame->MDIGetActive();
    ASSERT_NE(pChild, nullptr);
    EXPECT_TRUE(pChild->IsWindowVisible());
    CTestView* pView = ActiveView();
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->GetDocument(), pDoc);
    EXPECT_EQ(::GetFocus(), pView->m_hWnd);
    EXPECT_EQ(pView->SendMessage(EM_GETLIMITTEXT), static_cast<LRESULT>(0xFFFFF));
    EXPECT_TRUE(fwtest::App().messages.empty());

    // A view that cannot be made: no document, no window, and the message.
    const UINT count = failTemplate->m_nUntitledCount;
    EXPECT_EQ(failTemplate->OpenDocumentFile(nullptr, TRUE), nullptr);
    EXPECT_EQ(fwtest::App().messages, std::vector<std::string>{"Failed to create empty document."});
    EXPECT_TRUE(Docs(failTemplate).empty());
    EXPECT_EQ(failTemplate->m_nUntitledCount, count);
    EXPECT_EQ(frame->MDIGetActive(), pChild);

    // A document that refuses to start: its frame goes too.
    fwtest::App().messages.clear();
    CTestDoc::s_failNewDocument = true;
    EXPECT_EQ(docTemplate->OpenDocumentFile(nullptr, TRUE), nullptr);
    CTestDoc::s_failNewDocument = false;
    fwtest::PumpPending();
    EXPECT_EQ(fwtest::App().messages, std::vector<std::string>{"Failed to create empty document."});
    EXPECT_EQ(Docs(), std::vector<CDocument*>{pDoc});
    EXPECT_EQ(frame->MDIGetActive(), pChild);
}

TEST_F(Mdi, WindowNewOpensAnotherViewOfTheActiveDocumentOrSaysCommandFailed) {
    Command(ID_WINDOW_NEW);
    EXPECT_EQ(fwtest::App().messages, std::vector<std::string>{"Command failed."});

    CTestDoc* pDoc = NewDoc();
    ASSERT_NE(pDoc, nullptr);
    CMDIChildWnd* pFirst = frame->MDIGetActive();
    Command(ID_WINDOW_NEW);
    fwtest::PumpPending();
    CMDIChildWnd* pSecond = frame->MDIGetActive();
    ASSERT_NE(pSecond, pFirst);
    EXPECT_EQ(pSecond->GetActiveDocument(), pDoc);
    // Views in creation order; frames numbered as their document has several.
    POSITION pos = pDoc->GetFirstViewPosition();
    EXPECT_EQ(pDoc->GetNextView(pos)->GetParentFrame(), pFirst);
    EXPECT_EQ(pDoc->GetNextView(pos)->GetParentFrame(), pSecond);
    EXPECT_EQ(pos, nullptr);
    EXPECT_EQ(pFirst->GetWindowText(), pDoc->GetTitle() + ":1");
    EXPECT_EQ(pSecond->GetWindowText(), pDoc->GetTitle() + ":2");
    EXPECT_EQ(fwtest::App().messages, std::vector<std::string>{"Command failed."});
}

TEST_F(Mdi, ClosingTheLastViewClosesTheDocument) {
    CTestDoc* pDoc = NewDoc();
    ASSERT_NE(pDoc, nullptr);
    CMDIChildWnd* pFirst = frame->MDIGetActive();
    Command(ID_WINDOW_NEW);
    CMDIChildWnd* pSecond = frame->MDIGetActive();
    ASSERT_NE(pSecond, pFirst);

    pFirst->SendMessage(WM_CLOSE);
    fwtest::PumpPending();
    ASSERT_EQ(Docs(), std::vector<CDocument*>{pDoc});
    POSITION pos = pDoc->GetFirstViewPosition();
    EXPECT_EQ(pDoc->GetNextView(pos)->GetParentFrame(), pSecond);
    EXPECT_EQ(pos, nullptr);
    EXPECT_EQ(pSecond->GetWindowText(), pDoc->GetTitle());  // alone again: no number

    pSecond->SendMessage(WM_CLOSE);
    fwtest::PumpPending();
    EXPECT_TRUE(Docs().empty());
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
}

TEST_F(Mdi, ArrangeCommandsNeedAChildWindow) {
    for (UINT id : {ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT, ID_WINDOW_ARRANGE}) {
        EXPECT_FALSE(Update(id).enabled) << std::hex << id;
    }
    NewDoc();
    NewDoc();
    for (UINT id : {ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT, ID_WINDOW_ARRANGE}) {
        EXPECT_TRUE(Update(id).enabled) << std::hex << id;
    }
    // Tiled vertically, the two children sit side by side.
    Command(ID_WINDOW_TILE_VERT);
    std::vector<RECT> rects;
    for (CDocument* d : Docs()) {
        POSITION pos = d->GetFirstViewPosition();
        RECT r;
        d->GetNextView(pos)->GetParentFrame()->GetWindowRect(&r);
        rects.push_back(r);
    }
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].top, rects[1].top);
    EXPECT_NE(rects[0].left, rects[1].left);
}

TEST_F(Mdi, ClosingTheMainWindowClosesEverythingAndEndsTheLoop) {
    NewDoc();
    NewDoc();
    frame->SendMessage(WM_CLOSE);
    fwtest::PumpPending();
    EXPECT_TRUE(Docs().empty());
    EXPECT_EQ(fwtest::App().m_pMainWnd, nullptr);
    EXPECT_TRUE(fwtest::App().quitPosted);
}

}  // namespace
}  // namespace mditest
