#include "tests/framework/bars_fixture.h"

#include "framework/app.h"
#include "framework/doc.h"
#include "res/resource.h"
#include "tests/support/test_app.h"

namespace barstest {

IMPLEMENT_DYNAMIC(CBarsFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CBarsFrame, CMDIFrameWnd)
    fw::WmCreate<&CBarsFrame::OnCreate>(),
    fw::Command<&CBarsFrame::OnKeepOnTop>(ID_VIEW_KEEP_ON_TOP),
    fw::UpdateCommand<&CBarsFrame::OnUpdateKeepOnTop>(ID_VIEW_KEEP_ON_TOP),
    fw::Command<&CBarsFrame::OnViewFont>(ID_VIEW_FONT),
END_MESSAGE_MAP()

int CBarsFrame::OnCreate(LPCREATESTRUCT lpcs) {
    static const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    if (CMDIFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!m_toolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR)) return -1;
    if (!m_toolBar.LoadToolBar(IDR_MAINFRAME)) return -1;
    if (!m_statusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR)) return -1;
    if (!m_statusBar.SetIndicators(kIndicators, 4)) return -1;
    m_toolBar.SetBarStyle(m_toolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_toolBar);
    return 0;
}

void CBarsFrame::OnUpdateKeepOnTop(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_bKeepOnTopEnabled);
    pCmdUI->SetCheck(m_bKeepOnTopChecked ? 1 : 0);
}

void BarsTest::SetUp() {
    fwtest::App().messages.clear();
    if (!fwtest::App().m_pDocManager) {
        using mditest::CTestChild;
        using mditest::CTestDoc;
        using mditest::CTestView;
        fwtest::App().AddDocTemplate(new CMultiDocTemplate(IDR_KESTRUMTYPE, RUNTIME_CLASS(CTestDoc),
                                                           RUNTIME_CLASS(CTestChild), RUNTIME_CLASS(CTestView)));
    }
    POSITION pos = fwtest::App().m_pDocManager->GetFirstDocTemplatePosition();
    docTemplate = static_cast<CMultiDocTemplate*>(fwtest::App().m_pDocManager->GetNextDocTemplate(pos));

    frame = new CBarsFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    fwtest::App().m_pMainWnd = frame;
    frame->SetWindowPos(nullptr, 40, 40, 800, 600, SWP_NOZORDER);
    frame->ShowWindow(SW_SHOW);
    fwtest::PumpPending();
}

void BarsTest::TearDown() {
    fwtest::App().nextAnswer = IDNO;
    if (docTemplate) {
        for (POSITION pos = docTemplate->GetFirstDocPosition(); pos;) {
            docTemplate->GetNextDoc(pos)->SetModifiedFlag(FALSE);
        }
    }
    if (fwtest::App().m_pMainWnd) fwtest::App().m_pMainWnd->SendMessage(WM_CLOSE);
    fwtest::PumpPending();
    fwtest::App().nextAnswer = IDOK;
    EXPECT_EQ(fwtest::App().m_pMainWnd, nullptr);
    EXPECT_TRUE(fwtest::App().messages.empty()) << fwtest::App().messages.front();
}

mditest::CTestDoc* BarsTest::NewDoc() {
    auto* pDoc = static_cast<mditest::CTestDoc*>(docTemplate->OpenDocumentFile(nullptr, TRUE));
    fwtest::PumpPending();
    return pDoc;
}

RECT BarsTest::RectInFrame(HWND hWnd) const {
    RECT r;
    ::GetWindowRect(hWnd, &r);
    frame->ScreenToClient(&r);
    return r;
}

RECT BarsTest::FrameClient() const {
    RECT r;
    frame->GetClientRect(&r);
    return r;
}

POINT BarsTest::ButtonCentre(UINT nID) const {
    RECT r;
    ToolBar().GetItemRect(ToolBar().CommandToIndex(nID), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void SendMouse(HWND hWnd, UINT message, POINT pt, WPARAM wParam) {
    ::SendMessageA(hWnd, message, wParam, MAKELPARAM(pt.x, pt.y));
}

void BarsTest::Click(UINT nID) const {
    const POINT pt = ButtonCentre(nID);
    SendMouse(ToolBar().m_hWnd, WM_MOUSEMOVE, pt);
    SendMouse(ToolBar().m_hWnd, WM_LBUTTONDOWN, pt, MK_LBUTTON);
    SendMouse(ToolBar().m_hWnd, WM_LBUTTONUP, pt);
}

BarsTest::MenuItemState BarsTest::MenuItem(UINT nID) const {
    HMENU hMenuBar = ::GetMenu(frame->m_hWnd);
    for (int i = 0; i < ::GetMenuItemCount(hMenuBar); ++i) {
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        if (!hPopup || ::GetMenuState(hPopup, nID, MF_BYCOMMAND) == static_cast<UINT>(-1)) continue;
        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), MAKELPARAM(i, FALSE));
        const UINT state = ::GetMenuState(hPopup, nID, MF_BYCOMMAND);
        return {true, (state & MF_GRAYED) != 0, (state & MF_CHECKED) != 0};
    }
    return {};
}

}  // namespace barstest
