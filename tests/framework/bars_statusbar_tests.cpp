// The status bar under Wine: the lock-key indicators at idle time, the panes'
// widths, and the message pane's "Ready", menu prompts and fly-by prompts.
#include "framework/app.h"
#include "res/resource.h"
#include "tests/framework/bars_fixture.h"
#include "tests/support/test_app.h"

#include <array>
#include <cstring>

namespace barstest {
namespace {

TEST_F(BarsTest, IndicatorsShowWhileTheirLocksAreOn) {
    std::array<BYTE, 256> saved{};
    ASSERT_TRUE(::GetKeyboardState(saved.data()));
    const struct {
        bool caps, num, scroll;
    } cases[] = {
        {false, false, false}, {true, false, false}, {false, true, false},
        {false, false, true},  {true, true, true},   {false, false, false},
    };
    for (const auto& c : cases) {
        std::array<BYTE, 256> keys = saved;
        keys[VK_CAPITAL] = c.caps ? 1 : 0;  // the toggle bit
        keys[VK_NUMLOCK] = c.num ? 1 : 0;
        keys[VK_SCROLL] = c.scroll ? 1 : 0;
        ASSERT_TRUE(::SetKeyboardState(keys.data()));
        fwtest::RunIdle();
        EXPECT_EQ(StatusBar().GetPaneText(1), c.caps ? "CAP" : "");
        EXPECT_EQ(StatusBar().GetPaneText(2), c.num ? "NUM" : "");
        EXPECT_EQ(StatusBar().GetPaneText(3), c.scroll ? "SCRL" : "");
        EXPECT_EQ(StatusBar().GetPaneText(0), "Ready");
    }
    ::SetKeyboardState(saved.data());
}

TEST_F(BarsTest, IndicatorPanesFitTheirTextsAndTheMessagePaneTakesTheRest) {
    ASSERT_EQ(StatusBar().GetCount(), 4);
    EXPECT_EQ(StatusBar().GetItemID(0), static_cast<UINT>(ID_SEPARATOR));
    EXPECT_EQ(StatusBar().GetItemID(1), static_cast<UINT>(ID_INDICATOR_CAPS));
    EXPECT_EQ(StatusBar().GetItemID(2), static_cast<UINT>(ID_INDICATOR_NUM));
    EXPECT_EQ(StatusBar().GetItemID(3), static_cast<UINT>(ID_INDICATOR_SCRL));

    auto widths = [&] {
        std::array<LONG, 4> w{};
        for (int i = 0; i < 4; ++i) {
            RECT r;
            StatusBar().GetItemRect(i, &r);
            w[static_cast<size_t>(i)] = r.right - r.left;
        }
        return w;
    };
    const char* texts[] = {"CAP", "NUM", "SCRL"};
    HDC hDC = ::GetDC(StatusBar().m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, StatusBar().GetFont());
    const std::array<LONG, 4> before = widths();
    for (int i = 0; i < 3; ++i) {
        SIZE text;
        ::GetTextExtentPoint32A(hDC, texts[i], static_cast<int>(std::strlen(texts[i])), &text);
        // The last pane also holds the size grip.
        const LONG grip = i == 2 ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
        EXPECT_GE(before[static_cast<size_t>(i) + 1], text.cx + grip) << texts[i];
        EXPECT_LE(before[static_cast<size_t>(i) + 1], text.cx + grip + 24) << texts[i];
    }
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(StatusBar().m_hWnd, hDC);
    RECT bar;
    StatusBar().GetClientRect(&bar);
    RECT last;
    StatusBar().GetItemRect(3, &last);
    EXPECT_GE(last.right, bar.right - ::GetSystemMetrics(SM_CXVSCROLL) - 4);

    RECT frameRect;
    frame->GetWindowRect(&frameRect);
    frame->SetWindowPos(nullptr, 0, 0, frameRect.right - frameRect.left + 100, frameRect.bottom - frameRect.top,
                        SWP_NOMOVE | SWP_NOZORDER);
    const std::array<LONG, 4> after = widths();
    EXPECT_EQ(after[0], before[0] + 100);
    for (size_t i = 1; i < 4; ++i) EXPECT_EQ(after[i], before[i]) << i;
}

TEST_F(BarsTest, TheMessagePaneShowsReadyOrThePromptOfTheMenuItemOrButtonUnderWay) {
    fwtest::RunIdle();
    EXPECT_EQ(StatusBar().GetPaneText(0), "Ready");

    // A menu item selected, then the menu idle: its prompt; the menu closed: Ready.
    HMENU hView = ::GetSubMenu(::GetMenu(frame->m_hWnd), 1);
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_VIEW_FONT, MF_STRING), reinterpret_cast<LPARAM>(hView));
    frame->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
    EXPECT_EQ(StatusBar().GetPaneText(0), "Select a Font for the debug windows");
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_VIEW_KEEP_ON_TOP, MF_STRING), reinterpret_cast<LPARAM>(hView));
    frame->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
    EXPECT_EQ(StatusBar().GetPaneText(0), "Keep window on top of other windows");
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(StatusBar().GetPaneText(0), "Ready");

    frame->SetMessageText("Working");
    EXPECT_EQ(StatusBar().GetPaneText(0), "Working");
    frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(StatusBar().GetPaneText(0), "Ready");

    // Fly-by: the mouse resting on a button shows its prompt; off the
    // buttons, or out of the bar, Ready again.
    SendMouse(ToolBar().m_hWnd, WM_MOUSEMOVE, ButtonCentre(ID_VIEW_FONT));
    EXPECT_EQ(StatusBar().GetPaneText(0), "Select a Font for the debug windows");
    EXPECT_EQ(ToolBar().GetHotItem(), ToolBar().CommandToIndex(ID_VIEW_FONT));
    SendMouse(ToolBar().m_hWnd, WM_MOUSEMOVE, ButtonCentre(ID_FILE_SAVE));
    EXPECT_EQ(StatusBar().GetPaneText(0), "Save the active document");  // disabled buttons tell too
    RECT separator;
    ToolBar().GetItemRect(3, &separator);
    SendMouse(ToolBar().m_hWnd, WM_MOUSEMOVE, {(separator.left + separator.right) / 2, separator.top + 2});
    EXPECT_EQ(StatusBar().GetPaneText(0), "Ready");
    SendMouse(ToolBar().m_hWnd, WM_MOUSEMOVE, ButtonCentre(ID_EDIT_COPY));
    EXPECT_EQ(StatusBar().GetPaneText(0), "Copy the selection and put it on the Clipboard");
    ToolBar().SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(StatusBar().GetPaneText(0), "Ready");
    EXPECT_EQ(ToolBar().GetHotItem(), -1);

    // Without the fly-by style the message pane is left alone.
    ToolBar().SetBarStyle(ToolBar().GetBarStyle() & ~CBRS_FLYBY);
    SendMouse(ToolBar().m_hWnd, WM_MOUSEMOVE, ButtonCentre(ID_VIEW_FONT));
    EXPECT_EQ(ToolBar().GetHotItem(), ToolBar().CommandToIndex(ID_VIEW_FONT));
    EXPECT_EQ(StatusBar().GetPaneText(0), "Ready");
}

}  // namespace
}  // namespace barstest
