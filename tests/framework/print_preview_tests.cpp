// Print preview under Wine over the MDI test application: it covers the main
// frame and keeps commands from the document, pages through the text one or
// two pages at a time, remembers the user's choice of pages, prints what it
// shows, and puts the frame back exactly as it was.
#include "framework/afxres.h"
#include "framework/app.h"
#include "framework/preview.h"
#include "tests/framework/print_fixture.h"
#include "tests/support/test_app.h"

namespace printtest {
namespace {

class Preview : public PrintFixture {
protected:
    CPreviewWnd* Open() {
        Command(ID_FILE_PRINT_PREVIEW);
        return CPreviewWnd::FromFrame(frame);
    }
    // A key as the user presses it: queued to the focused window and taken
    // through the application's pre-translation.
    static void Key(UINT vk) {
        HWND hFocus = ::GetFocus();
        ::PostMessageA(hFocus, WM_KEYDOWN, vk, 1);
        ::PostMessageA(hFocus, WM_KEYUP, vk, 0xC0000001);
        fwtest::PumpPending();
    }
    static void Click(CPreviewWnd* pPreview, int nID) {
        ::SendMessageA(::GetDlgItem(pPreview->GetBar(), nID), BM_CLICK, 0, 0);
        fwtest::PumpPending();
    }
    static std::string PagesText(CPreviewWnd* pPreview) {
        char text[64] = {};
        ::GetDlgItemTextA(pPreview->GetBar(), AFX_IDC_PREVIEW_PAGES, text, sizeof text);
        return text;
    }
    static bool Enabled(CPreviewWnd* pPreview, int nID) {
        return ::IsWindowEnabled(::GetDlgItem(pPreview->GetBar(), nID)) != FALSE;
    }
    // The state of a menu item once its menu has been opened.
    bool MenuItemEnabled(int nPopup, UINT nID) {
        HMENU hPopup = ::GetSubMenu(::GetMenu(frame->m_hWnd), nPopup);
        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(nPopup, FALSE));
        return !(::GetMenuState(hPopup, nID, MF_BYCOMMAND) & MF_GRAYED);
    }
};

TEST_F(Preview, CoversTheFrameKeepsCommandsFromTheDocumentAndEscapePutsEverythingBack) {
    const int perPage = LinesPerPrinterPage();
    mditest::CTestDoc* pDoc = NewDocWithText(NumberedLines(3 * perPage));
    ASSERT_NE(pDoc, nullptr);
    // A bar that shows, one that is hidden, and a window the frame owns.
    HWND hBar = ::CreateWindowA("STATIC", "bar", WS_CHILD | WS_VISIBLE, 0, 0, 50, 10, frame->m_hWnd, nullptr,
                                nullptr, nullptr);
    HWND hHiddenBar = ::CreateWindowA("STATIC", "hidden", WS_CHILD, 0, 0, 50, 10, frame->m_hWnd, nullptr,
                                      nullptr, nullptr);
    HWND hOwned = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "floating", WS_POPUP, 0, 0, 50, 50, frame->m_hWnd,
                                    nullptr, nullptr, nullptr);
    ::ShowWindow(hOwned, SW_SHOWNA);
    CMDIChildWnd* pChild = frame->MDIGetActive();
    CView* pView = ActiveView();
    HMENU hMenu = ::GetMenu(frame->m_hWnd);
    RECT clientBefore{};
    ::GetWindowRect(frame->m_hWndMDIClient, &clientBefore);
    ASSERT_EQ(::GetFocus(), pView->m_hWnd);
    ASSERT_TRUE(MenuItemEnabled(0, ID_FILE_CLOSE));

    CPreviewWnd* pPreview = Open();
    ASSERT_NE(pPreview, nullptr);
    EXPECT_TRUE(pPreview->IsWindowVisible());
    EXPECT_FALSE(::IsWindowVisible(frame->m_hWndMDIClient));
    EXPECT_FALSE(::IsWindowVisible(hBar));
    EXPECT_FALSE(::IsWindowVisible(hOwned));
    RECT frameClient{}, previewRect{};
    frame->GetClientRect(&frameClient);
    pPreview->GetWindowRect(&previewRect);
    frame->ScreenToClient(&previewRect);
    EXPECT_TRUE(::EqualRect(&frameClient, &previewRect));
    EXPECT_EQ(::GetFocus(), pPreview->m_hWnd);

    // Nothing reaches the document: its items are greyed, its commands and
    // the MDI child's system keys do nothing, and no second preview comes.
    EXPECT_FALSE(MenuItemEnabled(0, ID_FILE_CLOSE));
    Command(ID_FILE_PRINT_PREVIEW);
    Command(ID_FILE_CLOSE);
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] |= 0x80;
    ::SetKeyboardState(keys);
    Key(VK_F4);
    keys[VK_CONTROL] &= ~0x80;
    ::SetKeyboardState(keys);
    EXPECT_EQ(CPreviewWnd::FromFrame(frame), pPreview);
    EXPECT_EQ(Docs().size(), 1u);
    EXPECT_TRUE(fwtest::App().messages.empty());

    Key(VK_ESCAPE);
    EXPECT_EQ(CPreviewWnd::FromFrame(frame), nullptr);
    EXPECT_TRUE(::IsWindowVisible(frame->m_hWndMDIClient));
    EXPECT_TRUE(::IsWindowVisible(hBar));
    EXPECT_FALSE(::IsWindowVisible(hHiddenBar));
    EXPECT_TRUE(::IsWindowVisible(hOwned));
    EXPECT_EQ(::GetMenu(frame->m_hWnd), hMenu);
    EXPECT_EQ(frame->MDIGetActive(), pChild);
    EXPECT_EQ(pChild->GetActiveView(), pView);
    EXPECT_EQ(::GetFocus(), pView->m_hWnd);
    RECT clientAfter{};
    ::GetWindowRect(frame->m_hWndMDIClient, &clientAfter);
    EXPECT_TRUE(::EqualRect(&clientBefore, &clientAfter));
    EXPECT_TRUE(MenuItemEnabled(0, ID_FILE_CLOSE));
    ::DestroyWindow(hOwned);
}

TEST_F(Preview, PagesThroughTheTextOneOrTwoPagesAtATimeAndZooms) {
    ASSERT_NE(NewDocWithText(NumberedLines(3 * LinesPerPrinterPage())), nullptr);
    fwtest::App().m_nNumPreviewPages = 0;
    CPreviewWnd* pPreview = Open();
    ASSERT_NE(pPreview, nullptr);
    ASSERT_EQ(pPreview->GetPageCount(), 3u);
    EXPECT_EQ(pPreview->GetPagesShown(), 1u);
    EXPECT_EQ(PagesText(pPreview), "Page 1 of 3");
    EXPECT_FALSE(Enabled(pPreview, AFX_ID_PREVIEW_PREV));

    struct Step {
        UINT key;
        UINT page;
        bool next;
        bool prev;
    };
    const Step steps[] = {
        {VK_NEXT, 2, true, true},  {VK_NEXT, 3, false, true}, {VK_NEXT, 3, false, true},
        {VK_PRIOR, 2, true, true}, {VK_PRIOR, 1, true, false}, {VK_PRIOR, 1, true, false},
    };
    for (const Step& s : steps) {
        Key(s.key);
        EXPECT_EQ(pPreview->GetCurrentPage(), s.page);
        EXPECT_EQ(PagesText(pPreview), "Page " + std::to_string(s.page) + " of 3");
        EXPECT_EQ(Enabled(pPreview, AFX_ID_PREVIEW_NEXT), s.next) << s.page;
        EXPECT_EQ(Enabled(pPreview, AFX_ID_PREVIEW_PREV), s.prev) << s.page;
    }

    Click(pPreview, AFX_ID_PREVIEW_NEXT);
    Click(pPreview, AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(pPreview->GetPagesShown(), 2u);
    EXPECT_EQ(PagesText(pPreview), "Pages 2-3 of 3");
    EXPECT_FALSE(Enabled(pPreview, AFX_ID_PREVIEW_NEXT));  // the last page shows
    char text[32] = {};
    ::GetDlgItemTextA(pPreview->GetBar(), AFX_ID_PREVIEW_NUMPAGE, text, sizeof text);
    EXPECT_STREQ(text, "One Page");
    EXPECT_EQ(fwtest::App().m_nNumPreviewPages, 2u);

    // Zoomed in, one page shows, and the pages' number cannot change.
    Click(pPreview, AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(pPreview->GetZoom(), 1);
    EXPECT_EQ(pPreview->GetPagesShown(), 1u);
    EXPECT_FALSE(Enabled(pPreview, AFX_ID_PREVIEW_NUMPAGE));
    Click(pPreview, AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(pPreview->GetZoom(), CPreviewWnd::kZoomMax);
    EXPECT_FALSE(Enabled(pPreview, AFX_ID_PREVIEW_ZOOMIN));
    Click(pPreview, AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(pPreview->GetZoom(), CPreviewWnd::kZoomMax);
    Click(pPreview, AFX_ID_PREVIEW_ZOOMOUT);
    Click(pPreview, AFX_ID_PREVIEW_ZOOMOUT);
    EXPECT_EQ(pPreview->GetZoom(), CPreviewWnd::kZoomWholePage);
    EXPECT_FALSE(Enabled(pPreview, AFX_ID_PREVIEW_ZOOMOUT));
    EXPECT_EQ(pPreview->GetPagesShown(), 2u);

    Click(pPreview, AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(CPreviewWnd::FromFrame(frame), nullptr);
    EXPECT_TRUE(::IsWindowVisible(frame->m_hWndMDIClient));
}

TEST_F(Preview, OpensWithThePagesTheUserLastChoseAndStoresOnlyAChoice) {
    ASSERT_NE(NewDocWithText(NumberedLines(3 * LinesPerPrinterPage())), nullptr);
    CWinApp& app = fwtest::App();
    app.SetRegistryKey("KestrumPrintTests");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KestrumPrintTests");
    auto stored = [&app] { return app.GetProfileInt("Settings", "PreviewPages", -1); };

    // No choice yet: one page, and nothing to store, not even after a preview.
    app.m_nNumPreviewPages = 0;
    CPreviewWnd* pPreview = Open();
    ASSERT_NE(pPreview, nullptr);
    EXPECT_EQ(pPreview->GetPagesShown(), 1u);
    pPreview->Close();
    EXPECT_EQ(app.m_nNumPreviewPages, 0u);
    app.ExitInstance();
    EXPECT_EQ(stored(), static_cast<UINT>(-1));

    // The user chooses two pages: stored at exit, and the next start opens
    // the preview with two.
    pPreview = Open();
    ASSERT_NE(pPreview, nullptr);
    Click(pPreview, AFX_ID_PREVIEW_NUMPAGE);
    pPreview->Close();
    app.ExitInstance();
    EXPECT_EQ(stored(), 2u);
    app.m_nNumPreviewPages = 0;
    app.LoadStdProfileSettings(0);
    pPreview = Open();
    ASSERT_NE(pPreview, nullptr);
    EXPECT_EQ(pPreview->GetPagesShown(), 2u);
    EXPECT_EQ(PagesText(pPreview), "Pages 1-2 of 3");

    // And back to one.
    Click(pPreview, AFX_ID_PREVIEW_NUMPAGE);
    pPreview->Close();
    app.ExitInstance();
    EXPECT_EQ(stored(), 1u);

    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KestrumPrintTests");
    app.m_strRegistryKey.clear();
    app.m_nNumPreviewPages = 0;
}

TEST_F(Preview, PrintPrintsThePagesItShowsAndGivesTheFrameBack) {
    const int perPage = LinesPerPrinterPage();
    ASSERT_NE(NewDocWithText(NumberedLines(perPage + 1)), nullptr);
    CPreviewWnd* pPreview = Open();
    ASSERT_NE(pPreview, nullptr);
    const UINT nPages = pPreview->GetPageCount();
    EXPECT_EQ(nPages, 2u);
    {
        DialogAnswerer accept([](HWND hDlg) { DialogAnswerer::Press(hDlg, IDOK); });
        Click(pPreview, AFX_ID_PREVIEW_PRINT);
        EXPECT_TRUE(accept.Answered());
    }
    EXPECT_EQ(CPreviewWnd::FromFrame(frame), nullptr);
    EXPECT_TRUE(::IsWindowVisible(frame->m_hWndMDIClient));
    EXPECT_EQ(TakeJob().Pages(), static_cast<int>(nPages));
}

TEST_F(Preview, EndsBeforeItsDocumentOrItsFrameCloses) {
    const WNDPROC pfnFrame = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(frame->m_hWnd, GWLP_WNDPROC));
    mditest::CTestDoc* pDoc = NewDocWithText("closing");
    ASSERT_NE(pDoc, nullptr);
    ASSERT_NE(Open(), nullptr);
    pDoc->OnCloseDocument();
    fwtest::PumpPending();
    EXPECT_EQ(CPreviewWnd::FromFrame(frame), nullptr);
    EXPECT_TRUE(::IsWindowVisible(frame->m_hWndMDIClient));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(frame->m_hWnd, GWLP_WNDPROC)), pfnFrame);

    ASSERT_NE(NewDocWithText("closing the frame"), nullptr);
    ASSERT_NE(Open(), nullptr);
    frame->SendMessage(WM_CLOSE);
    fwtest::PumpPending();
    EXPECT_EQ(fwtest::App().m_pMainWnd, nullptr);
    EXPECT_TRUE(Docs().empty());
}

}  // namespace
}  // namespace printtest
