// Docking under Wine: the toolbar at each side of the frame with the MDI
// client filling the rest, dragging it by its gripper and its floating
// window's caption, floating with updates and commands, reshaping while
// floating, and hiding and showing bars through the View menu.
#include "framework/dockbar.h"
#include "res/resource.h"
#include "tests/framework/bars_fixture.h"
#include "tests/support/test_app.h"

#include <set>

namespace barstest {
namespace {

class Docking : public BarsTest {
protected:
    HWND Parent() const { return ::GetParent(ToolBar().m_hWnd); }
    HWND DockBar(UINT nID) const { return ::GetDlgItem(frame->m_hWnd, static_cast<int>(nID)); }

    // The bars and the MDI client cover the frame's client area without
    // overlapping: the status bar along the bottom, the toolbar at its side
    // (none when it floats or is hidden), the client in what is left.
    void ExpectLayout(UINT nDockBarID, const char* when) const {
        const RECT client = FrameClient();
        const RECT status = RectInFrame(StatusBar().m_hWnd);
        EXPECT_EQ(status.left, 0) << when;
        EXPECT_EQ(status.right, client.right) << when;
        EXPECT_EQ(status.bottom, client.bottom) << when;
        RECT expected = client;
        expected.bottom = status.top;
        if (nDockBarID) {
            const RECT bar = RectInFrame(ToolBar().m_hWnd);
            switch (nDockBarID) {
            case AFX_IDW_DOCKBAR_TOP:
                EXPECT_EQ(bar.top, 0) << when;
                expected.top = bar.bottom;
                break;
            case AFX_IDW_DOCKBAR_BOTTOM:
                EXPECT_EQ(bar.bottom, status.top) << when;
                expected.bottom = bar.top;
                break;
            case AFX_IDW_DOCKBAR_LEFT:
                EXPECT_EQ(bar.left, 0) << when;
                expected.left = bar.right;
                break;
            default:
                EXPECT_EQ(bar.right, client.right) << when;
                expected.right = bar.left;
                break;
            }
            EXPECT_GT(bar.right - bar.left, 0) << when;
            EXPECT_GT(bar.bottom - bar.top, 0) << when;
        }
        const RECT mdi = MdiClient();
        EXPECT_TRUE(::EqualRect(&mdi, &expected))
            << when << ": client " << mdi.left << "," << mdi.top << "," << mdi.right << "," << mdi.bottom
            << " expected " << expected.left << "," << expected.top << "," << expected.right << ","
            << expected.bottom;
    }

    // The buttons lie in one row (bHorz) or one column.
    void ExpectButtonsInLine(bool bHorz, const char* when) const {
        std::set<LONG> lines;
        for (int i = 0; i < ToolBar().GetCount(); ++i) {
            if (ToolBar().GetItemID(i) == ID_SEPARATOR) continue;
            RECT r;
            ToolBar().GetItemRect(i, &r);
            lines.insert(bHorz ? r.top : r.left);
        }
        EXPECT_EQ(lines.size(), 1u) << when;
    }

    // A point of the frame's client area in the toolbar's client coordinates.
    POINT BarPoint(POINT ptFrame) const {
        frame->ClientToScreen(&ptFrame);
        ToolBar().ScreenToClient(&ptFrame);
        return ptFrame;
    }

    // Drags the toolbar by its gripper to a point of the frame's client
    // area; returns where the gripper was taken, in the bar.
    POINT DragGripperTo(POINT ptFrame) const {
        RECT client;
        ToolBar().GetClientRect(&client);
        const POINT gripper = ToolBar().IsHorz() ? POINT{4, client.bottom / 2} : POINT{client.right / 2, 4};
        SendMouse(ToolBar().m_hWnd, WM_LBUTTONDOWN, gripper, MK_LBUTTON);
        EXPECT_EQ(::GetCapture(), ToolBar().m_hWnd);
        SendMouse(ToolBar().m_hWnd, WM_MOUSEMOVE, BarPoint(ptFrame), MK_LBUTTON);
        SendMouse(ToolBar().m_hWnd, WM_LBUTTONUP, BarPoint(ptFrame));
        EXPECT_EQ(::GetCapture(), nullptr);
        return gripper;
    }
};

TEST_F(Docking, AtEachSideTheBarLinesUpAndTheClientFillsTheRest) {
    const struct {
        UINT nID;
        bool bHorz;
        const char* name;
    } sides[] = {
        {AFX_IDW_DOCKBAR_LEFT, false, "left"},
        {AFX_IDW_DOCKBAR_BOTTOM, true, "bottom"},
        {AFX_IDW_DOCKBAR_RIGHT, false, "right"},
        {AFX_IDW_DOCKBAR_TOP, true, "top"},
    };
    ASSERT_EQ(Parent(), DockBar(AFX_IDW_DOCKBAR_TOP));  // where DockControlBar put it
    ExpectLayout(AFX_IDW_DOCKBAR_TOP, "at start");
    for (const auto& side : sides) {
        frame->DockControlBar(&ToolBar(), side.nID);
        EXPECT_EQ(Parent(), DockBar(side.nID)) << side.name;
        EXPECT_EQ(ToolBar().IsHorz() != FALSE, side.bHorz) << side.name;
        ExpectButtonsInLine(side.bHorz, side.name);
        ExpectLayout(side.nID, side.name);
        // Still so when the frame changes size.
        frame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
        ExpectLayout(side.nID, side.name);
        frame->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    }
}

TEST_F(Docking, TheGripperDragsTheBarToASideOrIntoTheOpenAndADoubleClickDocksItAgain) {
    const RECT client = FrameClient();
    const LONG middleY = (client.top + client.bottom) / 2;
    DragGripperTo({client.left + 3, middleY});
    EXPECT_EQ(Parent(), DockBar(AFX_IDW_DOCKBAR_LEFT));
    ExpectButtonsInLine(false, "dragged left");
    ExpectLayout(AFX_IDW_DOCKBAR_LEFT, "dragged left");

    DragGripperTo({client.right - 3, middleY});
    EXPECT_EQ(Parent(), DockBar(AFX_IDW_DOCKBAR_RIGHT));
    ExpectLayout(AFX_IDW_DOCKBAR_RIGHT, "dragged right");

    // Into the middle: a tool window of its own, owned by the frame.
    POINT drop{(client.left + client.right) / 2, middleY};
    const POINT grab = DragGripperTo(drop);
    ASSERT_TRUE(ToolBar().IsFloating());
    HWND hFloating = Parent();
    ASSERT_NE(ToolBar().GetFloatingWnd(), nullptr);
    EXPECT_EQ(hFloating, ToolBar().GetFloatingWnd()->m_hWnd);
    EXPECT_EQ(::GetWindow(hFloating, GW_OWNER), frame->m_hWnd);
    EXPECT_TRUE(::GetWindowLongA(hFloating, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(::IsWindowVisible(hFloating));
    ExpectButtonsInLine(true, "floating");
    ExpectLayout(0, "floating");
    RECT bar;
    ToolBar().GetClientRect(&bar);
    RECT floatingClient;
    ::GetClientRect(hFloating, &floatingClient);
    EXPECT_TRUE(::EqualRect(&bar, &floatingClient));
    // Where it was dropped: the gripper's offset is kept.
    frame->ClientToScreen(&drop);
    RECT floatingRect;
    ::GetWindowRect(hFloating, &floatingRect);
    EXPECT_EQ(floatingRect.left, drop.x - grab.x);
    EXPECT_EQ(floatingRect.top, drop.y - grab.y);

    ::SendMessageA(hFloating, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(floatingRect.left + 5, floatingRect.top + 2));
    EXPECT_FALSE(ToolBar().IsFloating());
    EXPECT_EQ(Parent(), DockBar(AFX_IDW_DOCKBAR_RIGHT));
    EXPECT_FALSE(::IsWindow(hFloating));
    EXPECT_EQ(ToolBar().GetFloatingWnd(), nullptr);
    ExpectLayout(AFX_IDW_DOCKBAR_RIGHT, "docked by double click");
}

TEST_F(Docking, TheFloatingWindowsCaptionDragsTheBarBackToASide) {
    frame->FloatControlBar(&ToolBar(), CPoint(300, 300));
    ASSERT_TRUE(ToolBar().IsFloating());
    HWND hFloating = Parent();
    RECT floatingRect;
    ::GetWindowRect(hFloating, &floatingRect);
    EXPECT_EQ(floatingRect.left, 300);
    EXPECT_EQ(floatingRect.top, 300);

    // Let go away from every side: it floats where it was let go.
    POINT grab{floatingRect.left + 10, floatingRect.top + 3};
    ::SendMessageA(hFloating, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(grab.x, grab.y));
    ASSERT_EQ(::GetCapture(), ToolBar().m_hWnd);
    const RECT client = FrameClient();
    POINT centre{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    SendMouse(ToolBar().m_hWnd, WM_MOUSEMOVE, BarPoint(centre), MK_LBUTTON);
    SendMouse(ToolBar().m_hWnd, WM_LBUTTONUP, BarPoint(centre));
    ASSERT_TRUE(ToolBar().IsFloating());
    frame->ClientToScreen(&centre);
    ::GetWindowRect(hFloating, &floatingRect);
    EXPECT_EQ(floatingRect.left, centre.x - 10);
    EXPECT_EQ(floatingRect.top, centre.y - 3);

    // A right click cancels a drag.
    ::SendMessageA(hFloating, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(floatingRect.left + 10, floatingRect.top + 3));
    SendMouse(ToolBar().m_hWnd, WM_MOUSEMOVE, BarPoint({client.left + 3, centre.y}), MK_LBUTTON);
    SendMouse(ToolBar().m_hWnd, WM_RBUTTONDOWN, BarPoint({client.left + 3, centre.y}));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(ToolBar().IsFloating());

    ::SendMessageA(hFloating, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(floatingRect.left + 10, floatingRect.top + 3));
    const POINT top{(client.left + client.right) / 2, client.top + 2};
    SendMouse(ToolBar().m_hWnd, WM_MOUSEMOVE, BarPoint(top), MK_LBUTTON);
    SendMouse(ToolBar().m_hWnd, WM_LBUTTONUP, BarPoint(top));
    EXPECT_FALSE(ToolBar().IsFloating());
    EXPECT_EQ(Parent(), DockBar(AFX_IDW_DOCKBAR_TOP));
    ExpectLayout(AFX_IDW_DOCKBAR_TOP, "dragged back to the top");
}

TEST_F(Docking, AFloatingBarIsStillUpdatedAtIdleAndItsCommandsReachTheFrame) {
    frame->FloatControlBar(&ToolBar(), CPoint(300, 300));
    const int keepOnTop = ToolBar().CommandToIndex(ID_VIEW_KEEP_ON_TOP);
    for (bool bChecked : {true, false, true}) {
        frame->m_bKeepOnTopChecked = bChecked;
        fwtest::RunIdle();
        EXPECT_EQ(ToolBar().IsButtonChecked(keepOnTop) != FALSE, bChecked);
    }
    Click(ID_VIEW_KEEP_ON_TOP);
    EXPECT_EQ(frame->m_nKeepOnTopRuns, 1);
}

TEST_F(Docking, AFloatingBarTakesAsManyRowsAsItsWidthAllows) {
    frame->FloatControlBar(&ToolBar(), CPoint(300, 300));
    HWND hFloating = Parent();
    RECT oneRow;
    ::GetWindowRect(hFloating, &oneRow);
    const int button = ToolBar().GetButtonSize().cx;
    RECT sizing = oneRow;
    sizing.right = sizing.left + 5 * button + 3;
    ::SendMessageA(hFloating, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&sizing));
    EXPECT_LE(sizing.right - sizing.left, 5 * button + 3);
    EXPECT_GT(sizing.bottom - sizing.top, oneRow.bottom - oneRow.top);
    EXPECT_EQ(sizing.left, oneRow.left);
    EXPECT_EQ(sizing.top, oneRow.top);
    ::SetWindowPos(hFloating, nullptr, sizing.left, sizing.top, sizing.right - sizing.left,
                   sizing.bottom - sizing.top, SWP_NOZORDER | SWP_NOACTIVATE);

    RECT client;
    ToolBar().GetClientRect(&client);
    std::set<LONG> rows;
    for (int i = 0; i < ToolBar().GetCount(); ++i) {
        RECT r;
        ToolBar().GetItemRect(i, &r);
        EXPECT_LE(r.right, client.right) << i;
        EXPECT_LE(r.bottom, client.bottom) << i;
        if (ToolBar().GetItemID(i) != ID_SEPARATOR) rows.insert(r.top);
    }
    EXPECT_GE(rows.size(), 3u);  // 15 buttons, at most 5 a row

    // Docked again it is one row; floating again it keeps the user's shape.
    frame->DockControlBar(&ToolBar(), AFX_IDW_DOCKBAR_TOP);
    ExpectButtonsInLine(true, "docked");
    frame->FloatControlBar(&ToolBar(), CPoint(300, 300));
    RECT again;
    ::GetWindowRect(Parent(), &again);
    EXPECT_EQ(again.right - again.left, sizing.right - sizing.left);
    EXPECT_EQ(again.bottom - again.top, sizing.bottom - sizing.top);
}

TEST_F(Docking, TheFrameEntersTheTopmostBandWhereverItsToolbarIs) {
    // Keep on Top: under Wine a window that owns the tooltip control stays
    // out of the band, so the bars' tooltips are owned by no window.
    auto topmost = [&] {
        frame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        const bool bTopmost = (frame->GetExStyle() & WS_EX_TOPMOST) != 0;
        frame->SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return bTopmost && !(frame->GetExStyle() & WS_EX_TOPMOST);
    };
    EXPECT_TRUE(topmost());
    frame->FloatControlBar(&ToolBar(), CPoint(300, 300));
    EXPECT_TRUE(topmost());
    frame->DockControlBar(&ToolBar(), AFX_IDW_DOCKBAR_LEFT);
    EXPECT_TRUE(topmost());
}

TEST_F(Docking, TheViewMenuHidesAndShowsEachBarWithItsCheckMark) {
    const struct {
        const char* name;
        UINT nCommand;
        UINT nDockBarID;  // where the toolbar is; 0: floating
    } cases[] = {
        {"toolbar at the top", ID_VIEW_TOOLBAR, AFX_IDW_DOCKBAR_TOP},
        {"toolbar at the left", ID_VIEW_TOOLBAR, AFX_IDW_DOCKBAR_LEFT},
        {"floating toolbar", ID_VIEW_TOOLBAR, 0},
        {"status bar", ID_VIEW_STATUS_BAR, AFX_IDW_DOCKBAR_TOP},
    };
    for (const auto& c : cases) {
        if (c.nDockBarID) {
            frame->DockControlBar(&ToolBar(), c.nDockBarID);
        } else {
            frame->FloatControlBar(&ToolBar(), CPoint(300, 300));
        }
        CControlBar* pBar = frame->GetControlBar(c.nCommand);
        ASSERT_EQ(pBar, c.nCommand == ID_VIEW_TOOLBAR ? static_cast<CControlBar*>(&ToolBar()) : &StatusBar());
        const RECT before = MdiClient();
        EXPECT_TRUE(MenuItem(c.nCommand).checked) << c.name;

        frame->SendMessage(WM_COMMAND, c.nCommand);
        EXPECT_FALSE(pBar->IsVisible()) << c.name;
        EXPECT_FALSE(MenuItem(c.nCommand).checked) << c.name;
        if (!c.nDockBarID) {
            EXPECT_FALSE(::IsWindowVisible(ToolBar().GetFloatingWnd()->m_hWnd)) << c.name;
        }
        // The client takes the room the bar leaves.
        const RECT hidden = MdiClient();
        const RECT client = FrameClient();
        if (c.nCommand == ID_VIEW_STATUS_BAR) {
            EXPECT_EQ(hidden.bottom, client.bottom) << c.name;
        } else {
            ExpectLayout(0, c.name);
        }

        frame->SendMessage(WM_COMMAND, c.nCommand);
        EXPECT_TRUE(pBar->IsVisible()) << c.name;
        EXPECT_TRUE(MenuItem(c.nCommand).checked) << c.name;
        if (!c.nDockBarID) {
            EXPECT_TRUE(::IsWindowVisible(ToolBar().GetFloatingWnd()->m_hWnd)) << c.name;
        }
        const RECT after = MdiClient();
        EXPECT_TRUE(::EqualRect(&before, &after)) << c.name;
    }
}

TEST_F(Docking, ClosingTheFloatingWindowHidesTheBarUntilTheViewMenuShowsItAgain) {
    frame->FloatControlBar(&ToolBar(), CPoint(300, 300));
    HWND hFloating = Parent();
    ::SendMessageA(hFloating, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(hFloating));
    EXPECT_FALSE(::IsWindowVisible(hFloating));
    EXPECT_FALSE(ToolBar().IsVisible());
    EXPECT_FALSE(MenuItem(ID_VIEW_TOOLBAR).checked);
    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(::IsWindowVisible(hFloating));
    EXPECT_TRUE(ToolBar().IsFloating());
}

}  // namespace
}  // namespace barstest
