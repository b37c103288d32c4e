#include "tests/pane/pane_fixture.h"

#include "framework/app.h"
#include "framework/handles.h"
#include "pane/child_frame.h"
#include "res/resource.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace panetest {

IMPLEMENT_DYNAMIC(CTestMainFrame, CMDIFrameWnd)

CTestMainFrame::CTestMainFrame() {
    LOGFONT lf{};
    ::GetObjectA(::GetStockObject(SYSTEM_FIXED_FONT), sizeof lf, &lf);
    m_font.CreateFontIndirect(&lf);
    fw::WindowDC dc(nullptr);
    fw::ScopedSelectObject select(dc.get(), m_font);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc.get(), &tm);
    if (tm.tmHeight > 0) m_nFontHeight = tm.tmHeight;
    m_nLineHeight = m_nFontHeight;
}

char* CountingPlatform::AllocateText(std::size_t nBytes) {
    char* pText = CapturePlatform::AllocateText(nBytes);
    if (pText) {
        ++allocations;
        m_live.insert(pText);
    }
    return pText;
}

void CountingPlatform::FreeText(char* pText) {
    ++frees;
    if (m_live.erase(pText) == 0) {
        ++strayFrees;  // not ours to free: leave the heap alone
        return;
    }
    CapturePlatform::FreeText(pText);
}

namespace {
// Closes the main frame once the program's tests are done.
class MainFrameEnvironment : public testing::Environment {
public:
    void TearDown() override {
        if (CWnd* pMain = fwtest::App().m_pMainWnd) pMain->SendMessage(WM_CLOSE);
        fwtest::PumpPending();
    }
};
testing::Environment* const g_pMainFrameEnvironment = testing::AddGlobalTestEnvironment(new MainFrameEnvironment);
}  // namespace

void PaneFixture::SetUp(const CRuntimeClass* pDocClass) {
    fwtest::App().messages.clear();
    fwtest::App().nextFileName.clear();
    if (!fwtest::App().m_pDocManager) {
        fwtest::App().AddDocTemplate(new CMultiDocTemplate(IDR_KESTRUMTYPE, pDocClass, RUNTIME_CLASS(CChildFrame),
                                                           RUNTIME_CLASS(CKestrumView)));
    }
    docTemplate = static_cast<CMultiDocTemplate*>(DebugDocTemplate());

    frame = dynamic_cast<CTestMainFrame*>(fwtest::App().m_pMainWnd);
    if (!frame) {
        frame = new CTestMainFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        fwtest::App().m_pMainWnd = frame;
        frame->SetWindowPos(nullptr, 40, 40, 900, 700, SWP_NOZORDER);
        frame->ShowWindow(SW_SHOW);
    }
    frame->m_nLineHeight = frame->m_nFontHeight;
    frame->m_bInterleave = FALSE;
    fwtest::PumpPending();
}

void PaneFixture::TearDown() {
    // The main window's close: every document's modified flag cleared first,
    // as the main frame does, then all close with their windows.
    for (CKestrumDoc* pDoc : Docs()) pDoc->SetModifiedFlag(FALSE);
    fwtest::App().CloseAllDocuments(FALSE);
    fwtest::PumpPending();
    EXPECT_TRUE(Docs().empty());
    if (fwtest::App().m_pMainWnd) {
        EXPECT_EQ(ChildWindowCount(), 0);
    }
    // Nothing asked or failed on the way: no close asks to save.
    EXPECT_EQ(fwtest::App().messages, std::vector<std::string>{});
    fwtest::App().nextFileName.clear();
}

CapturedMessage PaneFixture::Captured(DWORD dwProcessId, const std::string& text) {
    capture::CapturedText copy(platform.AllocateText(text.size() + 1), capture::CapturedTextDeleter{&platform});
    text.copy(copy.get(), text.size());
    copy.get()[text.size()] = '\0';
    return {dwProcessId, std::move(copy)};
}

void PaneFixture::Queue(const std::vector<std::pair<DWORD, std::string>>& texts) {
    std::vector<CapturedMessage> messages;
    for (const auto& [pid, text] : texts) messages.push_back(Captured(pid, text));
    RouteTexts(std::move(messages), *frame);
}

void PaneFixture::Route(const std::vector<std::pair<DWORD, std::string>>& texts) {
    Queue(texts);
    ShowPendingOutput();
    fwtest::PumpPending();
}

CKestrumView* PaneFixture::NewPane(const std::string& text) {
    const std::vector<CKestrumDoc*> before = Docs();
    DWORD dwProcessId = 1000;
    for (CKestrumDoc* pDoc : before) dwProcessId = std::max(dwProcessId, pDoc->m_dwProcessId + 1);
    Route(dwProcessId, text);
    const std::vector<CKestrumDoc*> after = Docs();
    return after.size() == before.size() + 1 ? LivePane(after.back()) : nullptr;
}

std::string PaneFixture::NextTitle(UINT nAhead) const {
    return "Kestrum" + std::to_string(docTemplate->m_nUntitledCount + 1 + nAhead);
}

std::vector<CKestrumDoc*> PaneFixture::Docs() const {
    std::vector<CKestrumDoc*> docs;
    for (POSITION pos = docTemplate->GetFirstDocPosition(); pos;) {
        docs.push_back(static_cast<CKestrumDoc*>(docTemplate->GetNextDoc(pos)));
    }
    return docs;
}

std::vector<CKestrumView*> PaneFixture::Panes(CDocument* pDoc) {
    std::vector<CKestrumView*> panes;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos;) {
        panes.push_back(static_cast<CKestrumView*>(pDoc->GetNextView(pos)));
    }
    return panes;
}

CKestrumView* PaneFixture::LivePane(CDocument* pDoc) {
    for (CKestrumView* pPane : Panes(pDoc)) {
        if (pPane->m_bLive) return pPane;
    }
    return nullptr;
}

std::string PaneFixture::Caption(const CWnd* pPane) { return FrameOf(pPane)->GetWindowText(); }

std::pair<DWORD, DWORD> PaneFixture::Selection(const CWnd* pPane) {
    DWORD start = 0;
    DWORD end = 0;
    pPane->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

int PaneFixture::FirstVisibleLine(const CWnd* pPane) {
    return static_cast<int>(pPane->SendMessage(EM_GETFIRSTVISIBLELINE));
}

CFrameWnd* PaneFixture::FrameOf(const CWnd* pPane) { return pPane->GetParentFrame(); }

CKestrumView* PaneFixture::ActivePane() const {
    CMDIChildWnd* pChild = frame->MDIGetActive();
    return pChild ? dynamic_cast<CKestrumView*>(pChild->GetActiveView()) : nullptr;
}

void PaneFixture::Activate(const CWnd* pPane) const {
    frame->MDIActivate(FrameOf(pPane));
    fwtest::PumpPending();
}

int PaneFixture::ChildWindowCount() const {
    int n = 0;
    for (HWND hChild = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); hChild;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        ++n;
    }
    return n;
}

void PaneFixture::Command(UINT nID) const { frame->SendMessage(WM_COMMAND, nID); }

CKestrumView* PaneFixture::SnapShotIn(const CWnd* pPane) const {
    Activate(pPane);
    Command(ID_VIEW_SNAPSHOT);
    fwtest::PumpPending();
    return ActivePane();
}

void PaneFixture::FileClose(const CWnd* pPane) const {
    Activate(pPane);
    Command(ID_FILE_CLOSE);
    fwtest::PumpPending();
}

fwtest::CommandState PaneFixture::Update(UINT nID) const { return fwtest::UpdateCommand(frame, nID); }

}  // namespace panetest
