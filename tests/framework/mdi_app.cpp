#include "tests/framework/mdi_app.h"

#include "framework/app.h"
#include "tests/framework/mdi_ids.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

namespace mditest {

std::vector<std::string>& RouteLog() {
    static std::vector<std::string> log;
    return log;
}

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    fw::CommandRange<&CTestDoc::OnRoute>(ID_ROUTE_VIEW, ID_ROUTE_DOC),
END_MESSAGE_MAP()

bool CTestDoc::s_failNewDocument = false;

void CTestDoc::Serialize(CArchive& ar) {
    POSITION pos = GetFirstViewPosition();
    static_cast<CEditView*>(GetNextView(pos))->SerializeRaw(ar);
}

BOOL CTestDoc::OnNewDocument() { return !s_failNewDocument && CDocument::OnNewDocument(); }

void CTestDoc::OnRoute(UINT) { RouteLog().push_back("doc"); }

IMPLEMENT_DYNCREATE(CTestView, CEditView)
BEGIN_MESSAGE_MAP(CTestView, CEditView)
    fw::CommandRange<&CTestView::OnRoute>(ID_ROUTE_VIEW, ID_ROUTE_VIEW),
    fw::UpdateCommand<&CTestView::OnUpdateChecked>(ID_CHECKED),
END_MESSAGE_MAP()

void CTestView::OnRoute(UINT) { RouteLog().push_back("view"); }
void CTestView::OnUpdateChecked(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(1);
    pCmdUI->Enable(FALSE);
}

IMPLEMENT_DYNCREATE(CTestChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CTestChild, CMDIChildWnd)
    fw::CommandRange<&CTestChild::OnRoute>(ID_ROUTE_VIEW, ID_ROUTE_CHILD),
END_MESSAGE_MAP()

void CTestChild::OnRoute(UINT) { RouteLog().push_back("child"); }

IMPLEMENT_DYNAMIC(CTestMainFrame, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(CTestMainFrame, CMDIFrameWnd)
    fw::CommandRange<&CTestMainFrame::OnRoute>(ID_ROUTE_VIEW, ID_ROUTE_MAIN),
    fw::UpdateCommand<&CTestMainFrame::OnUpdateChecked>(ID_CHECKED),
END_MESSAGE_MAP()

bool CTestMainFrame::s_checked = false;
void CTestMainFrame::OnRoute(UINT) { RouteLog().push_back("main"); }
void CTestMainFrame::OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(s_checked ? 1 : 0); }

IMPLEMENT_DYNCREATE(CFailingView, CEditView)

void MdiFixture::SetUp() {
    fwtest::App().messages.clear();
    fwtest::App().commands.clear();
    fwtest::App().quitPosted = false;
    RouteLog().clear();
    CTestDoc::s_failNewDocument = false;
    if (!fwtest::App().m_pDocManager) {
        fwtest::App().AddDocTemplate(new CMultiDocTemplate(IDR_TESTTYPE, RUNTIME_CLASS(CTestDoc),
                                                           RUNTIME_CLASS(CTestChild), RUNTIME_CLASS(CTestView)));
        fwtest::App().AddDocTemplate(new CMultiDocTemplate(IDR_FAILTYPE, RUNTIME_CLASS(CTestDoc),
                                                           RUNTIME_CLASS(CTestChild), RUNTIME_CLASS(CFailingView)));
    }
    POSITION pos = fwtest::App().m_pDocManager->GetFirstDocTemplatePosition();
    docTemplate = static_cast<CMultiDocTemplate*>(fwtest::App().m_pDocManager->GetNextDocTemplate(pos));
    failTemplate = static_cast<CMultiDocTemplate*>(fwtest::App().m_pDocManager->GetNextDocTemplate(pos));

    frame = new CTestMainFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_TESTMAIN, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    fwtest::App().m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    fwtest::PumpPending();
}

void MdiFixture::TearDown() {
    fwtest::App().nextAnswer = IDNO;  // nothing left behind asks anything
    for (CDocument* pDoc : Docs(docTemplate)) pDoc->SetModifiedFlag(FALSE);
    for (CDocument* pDoc : Docs(failTemplate)) pDoc->SetModifiedFlag(FALSE);
    if (fwtest::App().m_pMainWnd) fwtest::App().m_pMainWnd->SendMessage(WM_CLOSE);
    fwtest::PumpPending();
    fwtest::App().nextAnswer = IDOK;
    fwtest::App().nextFileName.clear();
    EXPECT_EQ(fwtest::App().m_pMainWnd, nullptr);
    EXPECT_TRUE(Docs(docTemplate).empty());
}

CTestDoc* MdiFixture::NewDoc() {
    auto* pDoc = static_cast<CTestDoc*>(docTemplate->OpenDocumentFile(nullptr, TRUE));
    fwtest::PumpPending();
    return pDoc;
}

std::vector<CDocument*> MdiFixture::Docs(CDocTemplate* pTemplate) const {
    std::vector<CDocument*> docs;
    if (!pTemplate) pTemplate = docTemplate;
    for (POSITION pos = pTemplate->GetFirstDocPosition(); pos;) docs.push_back(pTemplate->GetNextDoc(pos));
    return docs;
}

CTestView* MdiFixture::ActiveView() const {
    CMDIChildWnd* pChild = frame->MDIGetActive();
    return pChild ? static_cast<CTestView*>(pChild->GetActiveView()) : nullptr;
}

void MdiFixture::Command(UINT nID) const { frame->SendMessage(WM_COMMAND, nID); }

fwtest::CommandState MdiFixture::Update(UINT nID) const { return fwtest::UpdateCommand(frame, nID); }

}  // namespace mditest
