// A main frame made as the program makes its own: the program's menus and
// toolbar resource, a toolbar with tooltips and fly-by prompts docked at the
// top, a status bar with the lock-key indicators; documents are shown in edit
// views in child frames with the program's debug-window menu.
#pragma once

#include "framework/bars.h"
#include "framework/doctemplate.h"
#include "tests/framework/mdi_app.h"

#include <gtest/gtest.h>

#include <string>

namespace barstest {

class CBarsFrame : public CMDIFrameWnd {
    DECLARE_DYNAMIC(CBarsFrame)
public:
    CToolBar m_toolBar;
    CStatusBar m_statusBar;

    // What Keep on Top's update handler says, and how often its command ran.
    bool m_bKeepOnTopEnabled = true;
    bool m_bKeepOnTopChecked = false;
    int m_nKeepOnTopRuns = 0;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnKeepOnTop() { ++m_nKeepOnTopRuns; }
    void OnUpdateKeepOnTop(CCmdUI* pCmdUI);
    void OnViewFont() {}
    DECLARE_MESSAGE_MAP()
};

class BarsTest : public testing::Test {
protected:
    CBarsFrame* frame = nullptr;
    CMultiDocTemplate* docTemplate = nullptr;

    void SetUp() override;
    void TearDown() override;

    CToolBar& ToolBar() const { return frame->m_toolBar; }
    CStatusBar& StatusBar() const { return frame->m_statusBar; }
    mditest::CTestDoc* NewDoc();

    // A window's rectangle in the frame's client coordinates.
    RECT RectInFrame(HWND hWnd) const;
    RECT FrameClient() const;
    RECT MdiClient() const { return RectInFrame(frame->m_hWndMDIClient); }
    // A button's centre in the toolbar's client coordinates.
    POINT ButtonCentre(UINT nID) const;
    // Mouse messages as a click on the button makes them.
    void Click(UINT nID) const;

    // The state the menu shows for a command once its pop-up opens; found
    // is false when the frame's current menu has no such item.
    struct MenuItemState {
        bool found = false;
        bool grayed = false;
        bool checked = false;
    };
    MenuItemState MenuItem(UINT nID) const;
};

// Sends a mouse message to a window with a point in its client coordinates.
void SendMouse(HWND hWnd, UINT message, POINT pt, WPARAM wParam = 0);

}  // namespace barstest
