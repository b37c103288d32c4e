// A small MDI application on the framework: a main frame, one document type
// shown in edit views, and handlers at every step of the command route.
#pragma once

#include "framework/doc.h"
#include "framework/doctemplate.h"
#include "framework/editview.h"
#include "framework/frame.h"
#include "tests/support/test_app.h"

#include <string>
#include <vector>

namespace mditest {

// Where each test command was handled, in order.
std::vector<std::string>& RouteLog();

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
public:
    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
    static bool s_failNewDocument;

protected:
    void OnRoute(UINT nID);
    DECLARE_MESSAGE_MAP()
};

class CTestView : public CEditView {
    DECLARE_DYNCREATE(CTestView)
protected:
    void OnRoute(UINT nID);
    void OnUpdateChecked(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

class CTestChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CTestChild)
protected:
    void OnRoute(UINT nID);
    DECLARE_MESSAGE_MAP()
};

class CTestMainFrame : public CMDIFrameWnd {
    DECLARE_DYNAMIC(CTestMainFrame)
public:
    static bool s_checked;

protected:
    void OnRoute(UINT nID);
    void OnUpdateChecked(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

// A view that cannot be created.
class CFailingView : public CEditView {
    DECLARE_DYNCREATE(CFailingView)
protected:
    BOOL PreCreateWindow(CREATESTRUCT&) override { return FALSE; }
};

// The application's main frame and its templates, made once per test.
struct MdiFixture {
    CTestMainFrame* frame = nullptr;
    CMultiDocTemplate* docTemplate = nullptr;   // Test documents
    CMultiDocTemplate* failTemplate = nullptr;  // documents whose view cannot be made

    void SetUp();
    void TearDown();
    CTestDoc* NewDoc();
    std::vector<CDocument*> Docs(CDocTemplate* pTemplate = nullptr) const;
    CTestView* ActiveView() const;
    // A command as the user gives it from a menu: routed from the main frame.
    void Command(UINT nID) const;
    // The enabled and checked state an update gives the command.
    fwtest::CommandState Update(UINT nID) const;
};

}  // namespace mditest
