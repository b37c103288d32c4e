// The pane's own commands and its pop-up menu: Copy All, Clear Window, the
// Interleave Output item while a pane is active, and the menu for the right
// mouse button and for Shift+F10.
#include "framework/handles.h"
#include "res/resource.h"
#include "tests/pane/pane_fixture.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <vector>

namespace panetest {
namespace {

class PaneCommands : public testing::Test, protected PaneFixture {
protected:
    void SetUp() override { PaneFixture::SetUp(); }
    void TearDown() override { PaneFixture::TearDown(); }
};

TEST_F(PaneCommands, CopyAllCopiesTheWholeTextOfALongPaneAndKeepsTheSelectionAndTheView) {
    std::string text;
    char line[32];
    for (int n = 0; text.size() <= 100000; ++n) {
        std::snprintf(line, sizeof line, "copy all line %d\r\n", n);
        text += line;
    }
    CKestrumView* pane = NewPane(text);
    ASSERT_NE(pane, nullptr);
    ASSERT_EQ(PaneText(pane), text);
    pane->SendMessage(EM_SETSEL, 70000, 70010);
    pane->SendMessage(EM_LINESCROLL, 0, 100 - FirstVisibleLine(pane));  // the user reads elsewhere
    ASSERT_EQ(FirstVisibleLine(pane), 100);
    fwtest::SetClipboardText(nullptr);

    EXPECT_TRUE(Update(ID_EDIT_COPY_ALL).enabled);
    Command(ID_EDIT_COPY_ALL);
    EXPECT_EQ(fwtest::ClipboardText(), text);
    EXPECT_EQ(Selection(pane), std::make_pair(DWORD{70000}, DWORD{70010}));
    EXPECT_EQ(FirstVisibleLine(pane), 100);
}

TEST_F(PaneCommands, ClearWindowEmptiesOnlyThisPaneAndItsItemFollowsTheText) {
    CKestrumView* first = NewPane("first client\r\n");
    CKestrumView* second = NewPane("second client\r\n");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    CKestrumView* snapshot = SnapShotIn(second);  // holding the second's text
    ASSERT_NE(snapshot, second);
    ASSERT_EQ(PaneText(snapshot), "second client\r\n");

    Activate(second);
    ASSERT_EQ(ActivePane(), second);
    EXPECT_TRUE(Update(ID_EDIT_CLEAR_ALL).enabled);
    Command(ID_EDIT_CLEAR_ALL);
    EXPECT_EQ(PaneText(second), "");
    EXPECT_EQ(PaneText(snapshot), "second client\r\n");
    EXPECT_EQ(PaneText(first), "first client\r\n");
    EXPECT_FALSE(Update(ID_EDIT_CLEAR_ALL).enabled);

    // The emptied live pane follows the next output again.
    Route(Docs()[1]->m_dwProcessId, "again\r\n");
    EXPECT_EQ(PaneText(second), "again\r\n");
    EXPECT_EQ(Selection(second), std::make_pair(DWORD{7}, DWORD{7}));
    EXPECT_TRUE(Update(ID_EDIT_CLEAR_ALL).enabled);
}

TEST_F(PaneCommands, InterleaveOutputShowsTheFlagButCannotChangeWhileAPaneIsActive) {
    ASSERT_NE(NewPane("text\r\n"), nullptr);
    for (const BOOL bInterleave : {FALSE, TRUE}) {
        frame->m_bInterleave = bInterleave;
        const fwtest::CommandState state = Update(ID_VIEW_INTERLEAVE);
        EXPECT_EQ(state.checked, bInterleave != FALSE);
        EXPECT_FALSE(state.enabled);
    }
}

// What the pop-up menu showed: found while it tracks, then dismissed.
struct ShownMenu {
    bool shown = false;
    POINT topLeft{};
    std::vector<UINT> items;
};
ShownMenu g_shown;
int g_nTicksLeft = 0;

void CALLBACK RecordAndDismissMenu(HWND, UINT, UINT_PTR idTimer, DWORD) {
    HWND hPopup = ::FindWindowA("#32768", nullptr);
    if (!hPopup || !::IsWindowVisible(hPopup)) {
        // A menu that tracks unseen must still end, or the test would hang.
        if (--g_nTicksLeft == 0) {
            ::KillTimer(nullptr, idTimer);
            ::EndMenu();
        }
        return;
    }
    ::KillTimer(nullptr, idTimer);
    g_shown.shown = true;
    RECT rect;
    ::GetWindowRect(hPopup, &rect);
    g_shown.topLeft = {rect.left, rect.top};
    HMENU hMenu = reinterpret_cast<HMENU>(::SendMessageA(hPopup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) g_shown.items.push_back(::GetMenuItemID(hMenu, i));
    ::EndMenu();
}

class PopupMenu : public PaneCommands {
protected:
    // Runs `show` with a timer armed that records the tracked menu and ends it.
    static ShownMenu Track(const std::function<void()>& show) {
        g_shown = ShownMenu{};
        g_nTicksLeft = 100;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &RecordAndDismissMenu);
        show();
        ::KillTimer(nullptr, timer);
        return g_shown;
    }

    static std::vector<UINT> ContextMenuItems() {
        fw::UniqueMenu menu(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONTEXT_MENU)));
        HMENU hPopup = ::GetSubMenu(menu.get(), 0);
        std::vector<UINT> items;
        for (int i = 0; i < ::GetMenuItemCount(hPopup); ++i) items.push_back(::GetMenuItemID(hPopup, i));
        return items;
    }

    static void SetShift(bool bDown) {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = bDown ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
};

TEST_F(PopupMenu, ShiftF10ShowsTheMenuBesideThePanesCornerAndF10AloneIsNotTaken) {
    CKestrumView* pane = NewPane("text\r\n");
    ASSERT_NE(pane, nullptr);
    POINT corner{0, 0};
    pane->ClientToScreen(&corner);

    // F10 alone goes on to the default processing.
    SetShift(false);
    MSG f10{pane->m_hWnd, WM_KEYDOWN, VK_F10, 0, 0, {0, 0}};
    const ShownMenu none = Track([&] { EXPECT_FALSE(pane->PreTranslateMessage(&f10)); });
    EXPECT_FALSE(none.shown);

    // Shift+F10, taken from the queue like a key the user pressed.
    SetShift(true);
    const ShownMenu shown = Track([&] {
        pane->PostMessage(WM_KEYDOWN, VK_F10, 0);
        fwtest::PumpPending();
    });
    SetShift(false);
    ASSERT_TRUE(shown.shown);
    EXPECT_EQ(shown.topLeft.x, corner.x + 5);
    EXPECT_EQ(shown.topLeft.y, corner.y + 5);
    EXPECT_EQ(shown.items, ContextMenuItems());
}

TEST_F(PopupMenu, AContextMenuMessageShowsItAtItsPointOrFromTheKeyboardBesideTheCorner) {
    CKestrumView* pane = NewPane("text\r\n");
    ASSERT_NE(pane, nullptr);
    RECT rect;
    pane->GetWindowRect(&rect);
    POINT corner{0, 0};
    pane->ClientToScreen(&corner);
    struct Case {
        const char* what;
        POINT sent;
        POINT shown;
    };
    const Case cases[] = {
        {"the right mouse button", {rect.left + 60, rect.top + 40}, {rect.left + 60, rect.top + 40}},
        {"the menu key (no point)", {-1, -1}, {corner.x + 5, corner.y + 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ShownMenu shown = Track([&] {
            pane->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pane->m_hWnd),
                              MAKELPARAM(c.sent.x, c.sent.y));
        });
        ASSERT_TRUE(shown.shown);
        EXPECT_EQ(shown.topLeft.x, c.shown.x);
        EXPECT_EQ(shown.topLeft.y, c.shown.y);
        EXPECT_EQ(shown.items, ContextMenuItems());
    }
}

}  // namespace
}  // namespace panetest
