// The main frame under Wine, created in the test process as start-up creates
// it: its creation steps and their failure, Keep on Top, Font, Clear All
// Windows, Close All, and what it stores when it closes.
#include "capture/capture_channel.h"
#include "documents/kestrum_doc.h"
#include "documents/output_routing.h"
#include "frame/main_frame.h"
#include "framework/afxres.h"
#include "framework/doctemplate.h"
#include "pane/child_frame.h"
#include "pane/kestrum_view.h"
#include "res/resource.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char kCompany[] = "KestrumFrameTests";

class MainFrame : public testing::Test {
protected:
    static void SetUpTestSuite() {
        fwtest::App().AddDocTemplate(new CMultiDocTemplate(IDR_KESTRUMTYPE, RUNTIME_CLASS(CKestrumDoc),
                                                           RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CKestrumView)));
    }
    void SetUp() override {
        DeleteKey();
        fwtest::App().SetRegistryKey(kCompany);
        fwtest::App().messages.clear();
    }
    void TearDown() override {
        if (frame) {
            frame->SendMessage(WM_CLOSE);
            fwtest::PumpPending();
        }
        fwtest::App().SetRegistryKey(kCompany);
        DeleteKey();
        fwtest::App().SetRegistryKey(nullptr);
    }
    static void DeleteKey() { ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kCompany).c_str()); }

    bool Create() {
        frame = new CMainFrame;
        if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
            frame = nullptr;  // deleted itself
            return false;
        }
        fwtest::App().m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOWNORMAL);
        fwtest::PumpPending();
        return true;
    }
    // The frame closes as the user closes it; returns once it is gone.
    void Close() {
        frame->SendMessage(WM_CLOSE);
        fwtest::PumpPending();
        frame = nullptr;
    }
    CKestrumDoc* NewDoc(const char* text) {
        CDocTemplate* pTemplate = DebugDocTemplate();
        auto* pDoc = static_cast<CKestrumDoc*>(pTemplate->OpenDocumentFile(nullptr, TRUE));
        if (pDoc && text) pDoc->GetLiveView()->AppendText(text);
        return pDoc;
    }
    static std::vector<CKestrumView*> Panes() {
        std::vector<CKestrumView*> panes;
        CDocTemplate* pTemplate = DebugDocTemplate();
        for (POSITION dpos = pTemplate->GetFirstDocPosition(); dpos;) {
            CDocument* pDoc = pTemplate->GetNextDoc(dpos);
            for (POSITION vpos = pDoc->GetFirstViewPosition(); vpos;) {
                panes.push_back(static_cast<CKestrumView*>(pDoc->GetNextView(vpos)));
            }
        }
        return panes;
    }
    bool Enabled(UINT nID) { return fwtest::UpdateCommand(frame, nID).enabled; }
    static DWORD Stored(const char* section, const char* name) {
        return fwtest::App().GetProfileInt(section, name, 0xDEAD);
    }

    CMainFrame* frame = nullptr;
};

TEST_F(MainFrame, CreationBuildsBarsFontAndChannelFromTheDefaults) {
    ASSERT_TRUE(Create());
    EXPECT_EQ(frame->GetWindowText(), "Debug Windows");
    EXPECT_NE(frame->m_toolBar.m_hWnd, nullptr);
    EXPECT_NE(frame->m_statusBar.m_hWnd, nullptr);
    EXPECT_FALSE(frame->m_bTopMost);
    EXPECT_FALSE(frame->m_bInterleave);
    EXPECT_FALSE(frame->GetExStyle() & WS_EX_TOPMOST);
    // No font stored: the system fixed font, measured.
    LOGFONT fixed{};
    ::GetObjectA(::GetStockObject(SYSTEM_FIXED_FONT), sizeof fixed, &fixed);
    EXPECT_EQ(frame->m_logFont.lfHeight, fixed.lfHeight);
    EXPECT_STREQ(frame->m_logFont.lfFaceName, fixed.lfFaceName);
    EXPECT_NE(frame->m_font.GetSafeHandle(), nullptr);
    EXPECT_GT(frame->m_nLineHeight, 0);
    EXPECT_NE(frame->m_channel.m_pCaptureThread, nullptr);
}

TEST_F(MainFrame, CreationFailsQuietlyWhileAnotherReceiverOwnsTheProtocol) {
    capture::CaptureChannel other;
    ASSERT_TRUE(other.OpenCaptureChannel());
    EXPECT_FALSE(Create());
    EXPECT_EQ(fwtest::App().m_pMainWnd, nullptr);
    EXPECT_TRUE(fwtest::App().messages.empty());
    // Nothing was stored by the failed creation.
    EXPECT_EQ(Stored("Settings", "TopMost"), 0xDEADu);
}

TEST_F(MainFrame, KeepOnTopMovesTheWindowInAndOutOfTheTopmostBand) {
    fwtest::App().WriteProfileInt("Settings", "TopMost", 5);
    ASSERT_TRUE(Create());
    EXPECT_EQ(frame->m_bTopMost, 5);
    EXPECT_TRUE(frame->GetExStyle() & WS_EX_TOPMOST);
    frame->SendMessage(WM_COMMAND, ID_VIEW_KEEP_ON_TOP);
    EXPECT_FALSE(frame->GetExStyle() & WS_EX_TOPMOST);
    frame->SendMessage(WM_COMMAND, ID_VIEW_KEEP_ON_TOP);
    EXPECT_TRUE(frame->GetExStyle() & WS_EX_TOPMOST);
    Close();
    EXPECT_EQ(Stored("Settings", "TopMost"), 1u);  // toggled twice: stored as 1
}

TEST_F(MainFrame, ClosingMinimisedKeepsTheStoredRectangleButStoresTheFlags) {
    fwtest::App().WriteProfileInt("Settings\\WinPos", "x", 11);
    fwtest::App().WriteProfileInt("Settings\\WinPos", "y", 12);
    fwtest::App().WriteProfileInt("Settings\\WinPos", "cx", 613);
    fwtest::App().WriteProfileInt("Settings\\WinPos", "cy", 414);
    ASSERT_TRUE(Create());
    RECT rect;
    frame->GetWindowRect(&rect);
    EXPECT_EQ(rect.left, 11);
    EXPECT_EQ(rect.right - rect.left, 613);
    frame->SendMessage(WM_COMMAND, ID_VIEW_INTERLEAVE);
    frame->ShowWindow(SW_MINIMIZE);
    Close();
    EXPECT_EQ(Stored("Settings\\WinPos", "x"), 11u);
    EXPECT_EQ(Stored("Settings\\WinPos", "cy"), 414u);
    EXPECT_EQ(Stored("Settings", "InterleaveOutput"), 1u);
    EXPECT_EQ(Stored("Settings", "TopMost"), 0u);
}

TEST_F(MainFrame, ClearAllWindowsEmptiesLiveAndSnapshotPanesAndKeepsCaptions) {
    ASSERT_TRUE(Create());
    EXPECT_FALSE(Enabled(ID_WINDOW_CLEAR_ALL));  // no debug window
    CKestrumDoc* pDoc1 = NewDoc("one\r\n");
    ASSERT_NE(pDoc1, nullptr);
    frame->SendMessage(WM_COMMAND, ID_VIEW_SNAPSHOT);  // a snapshot of Kestrum-one
    CKestrumDoc* pDoc2 = NewDoc(nullptr);
    ASSERT_NE(pDoc2, nullptr);
    ASSERT_EQ(Panes().size(), 3u);
    std::vector<std::string> captions;
    for (CKestrumView* p : Panes()) captions.push_back(p->GetParent()->GetWindowText());

    // The live pane of the first document is empty now only after the clear;
    // the snapshot alone holding text enables the command.
    Panes()[0]->SetWindowText("");
    EXPECT_TRUE(Enabled(ID_WINDOW_CLEAR_ALL));
    frame->SendMessage(WM_COMMAND, ID_WINDOW_CLEAR_ALL);
    for (CKestrumView* p : Panes()) EXPECT_EQ(p->GetWindowTextLength(), 0);
    EXPECT_FALSE(Enabled(ID_WINDOW_CLEAR_ALL));
    std::vector<std::string> after;
    for (CKestrumView* p : Panes()) after.push_back(p->GetParent()->GetWindowText());
    EXPECT_EQ(after, captions);
}

TEST_F(MainFrame, TextsPostedInBurstsAreAllShownOnceInOrderAndNoTimerOutlastsThem) {
    ASSERT_TRUE(Create());
    constexpr DWORD kPid = 4711;
    std::string expected;
    for (int burst = 0; burst < 5; ++burst) {
        for (int i = 0; i < 40; ++i) {
            const std::string line = "burst " + std::to_string(burst) + " text " + std::to_string(i) + "\r\n";
            char* text = capture::DefaultCapturePlatform().AllocateText(line.size() + 1);
            ASSERT_NE(text, nullptr);
            line.copy(text, line.size());
            text[line.size()] = '\0';
            ASSERT_TRUE(::PostMessageA(frame->m_hWnd, WM_DEBUGSTRING, kPid, reinterpret_cast<LPARAM>(text)));
            expected += line;
        }
        // Some are shown at once, the rest gather until their turn.
        fwtest::PumpPending();
    }
    ASSERT_TRUE(fwtest::PumpUntil([&] { return Panes().size() == 1 && Panes()[0]->GetWindowText() == expected; }))
        << (Panes().empty() ? "no pane" : Panes()[0]->GetWindowText());
    fwtest::PumpPending();
    EXPECT_FALSE(::KillTimer(frame->m_hWnd, CMainFrame::kShowOutputTimer)) << "the timer runs with nothing pending";
}

TEST_F(MainFrame, CloseAllClosesEveryDocumentAndWindowWithoutAsking) {
    ASSERT_TRUE(Create());
    EXPECT_FALSE(Enabled(ID_FILE_CLOSE_ALL));
    for (const char* text : {"a\r\n", "b\r\n", "c\r\n"}) ASSERT_NE(NewDoc(text), nullptr);
    frame->SendMessage(WM_COMMAND, ID_VIEW_SNAPSHOT);
    frame->SendMessage(WM_COMMAND, ID_VIEW_SNAPSHOT);  // a refresh from the snapshot now active
    ASSERT_EQ(Panes().size(), 4u);
    EXPECT_TRUE(Enabled(ID_FILE_CLOSE_ALL));
    frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE_ALL);
    fwtest::PumpPending();
    EXPECT_TRUE(Panes().empty());
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
    EXPECT_TRUE(fwtest::App().messages.empty());
}

TEST_F(MainFrame, InterleaveOutputCanChangeOnlyWhileNoDebugWindowIsActive) {
    ASSERT_TRUE(Create());
    EXPECT_TRUE(Enabled(ID_VIEW_INTERLEAVE));
    frame->SendMessage(WM_COMMAND, ID_VIEW_INTERLEAVE);
    EXPECT_TRUE(frame->m_bInterleave);
    ASSERT_NE(NewDoc("x\r\n"), nullptr);
    EXPECT_FALSE(Enabled(ID_VIEW_INTERLEAVE));
    frame->SendMessage(WM_COMMAND, ID_VIEW_INTERLEAVE);  // refused: its update disables it
    EXPECT_TRUE(frame->m_bInterleave);
}

std::vector<std::string> MenuTexts(HMENU hMenu) {
    std::vector<std::string> texts;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        char text[64] = {};
        ::GetMenuStringA(hMenu, i, text, sizeof text, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

TEST_F(MainFrame, TheMenuBarFollowsTheDebugWindowsAndInterleaveShowsItsFlag) {
    fwtest::App().WriteProfileInt("Settings", "InterleaveOutput", 1);
    ASSERT_TRUE(Create());
    EXPECT_EQ(MenuTexts(::GetMenu(frame->m_hWnd)), (std::vector<std::string>{"&File", "&View", "&Help"}));
    // Without a debug window the document and edit commands have no handler.
    for (UINT id : {ID_FILE_SAVE, ID_FILE_PRINT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CUT, ID_EDIT_UNDO,
                    ID_EDIT_SELECT_ALL, ID_EDIT_COPY_ALL, ID_EDIT_CLEAR_ALL, ID_WINDOW_CLEAR_ALL}) {
        EXPECT_FALSE(Enabled(id)) << std::hex << id;
    }

    ASSERT_NE(NewDoc("x\r\n"), nullptr);
    HMENU hMenu = ::GetMenu(frame->m_hWnd);
    EXPECT_EQ(MenuTexts(hMenu), (std::vector<std::string>{"&File", "&Edit", "&View", "&Window", "&Help"}));
    HMENU hView = ::GetSubMenu(hMenu, 2);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hView), MAKELPARAM(2, FALSE));
    const UINT state = ::GetMenuState(hView, ID_VIEW_INTERLEAVE, MF_BYCOMMAND);
    EXPECT_TRUE(state & MF_GRAYED);
    EXPECT_TRUE(state & MF_CHECKED);
    EXPECT_TRUE(Enabled(ID_FILE_SAVE));
    EXPECT_TRUE(Enabled(ID_EDIT_COPY_ALL));
}

// Answers the Font dialog from a timer: a new size, then OK (or Cancel).
struct FontDialogAnswer {
    static inline const char* size = nullptr;
    static inline int button = IDOK;
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        HWND hDlg = ::FindWindowA("#32770", "Font");
        if (!hDlg) return;
        ::KillTimer(nullptr, id);
        if (size) {
            HWND hSize = ::GetDlgItem(hDlg, 0x472);  // the size box
            ::SetWindowTextA(hSize, size);
            ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(0x472, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(hSize));
        }
        ::PostMessageA(hDlg, WM_COMMAND, button, 0);
    }
};

TEST_F(MainFrame, FontChangesEveryPaneAndTheLineHeightAndIsStored) {
    ASSERT_TRUE(Create());
    ASSERT_NE(NewDoc("text\r\n"), nullptr);
    frame->SendMessage(WM_COMMAND, ID_VIEW_SNAPSHOT);
    const LOGFONT before = frame->m_logFont;
    const int heightBefore = frame->m_nLineHeight;

    FontDialogAnswer::size = "28";
    FontDialogAnswer::button = IDCANCEL;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, FontDialogAnswer::OnTimer);
    frame->SendMessage(WM_COMMAND, ID_VIEW_FONT);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(frame->m_logFont.lfHeight, before.lfHeight);
    EXPECT_EQ(Stored("Settings\\Font", "Height"), 0xDEADu);

    FontDialogAnswer::button = IDOK;
    timer = ::SetTimer(nullptr, 0, 50, FontDialogAnswer::OnTimer);
    frame->SendMessage(WM_COMMAND, ID_VIEW_FONT);
    ::KillTimer(nullptr, timer);
    EXPECT_NE(frame->m_logFont.lfHeight, before.lfHeight);
    EXPECT_GT(frame->m_nLineHeight, heightBefore);
    for (CKestrumView* p : Panes()) EXPECT_EQ(p->GetFont(), frame->m_font.GetSafeHandle());
    EXPECT_EQ(static_cast<LONG>(Stored("Settings\\Font", "Height")), frame->m_logFont.lfHeight);
}

}  // namespace
