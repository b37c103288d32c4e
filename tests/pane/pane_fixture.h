// What the window-level tests of panes, debug documents and routing share: a
// main frame that hosts panes, the program's one document template, texts
// whose every free is counted, and helpers that drive the windows the way
// the user and the capture channel do.
#pragma once

#include "capture/capture_channel.h"
#include "documents/kestrum_doc.h"
#include "documents/output_routing.h"
#include "framework/doctemplate.h"
#include "framework/frame.h"
#include "framework/gdi.h"
#include "pane/kestrum_view.h"
#include "pane/pane_host.h"
#include "tests/support/test_app.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace panetest {

// The main frame as panes and documents see it: the pane font, a line height
// and the Interleave Output flag, all set by the test.
class CTestMainFrame : public CMDIFrameWnd, public CPaneHost {
    DECLARE_DYNAMIC(CTestMainFrame)
public:
    CTestMainFrame();

    HFONT GetPaneFont() const override { return m_font; }
    int GetLineHeight() const override { return m_nLineHeight; }
    BOOL IsInterleaved() const override { return m_bInterleave; }

    CFont m_font;
    int m_nFontHeight = 16;  // the font's own line height
    int m_nLineHeight = 16;
    BOOL m_bInterleave = FALSE;
};

// The real heap, with every text it hands out and takes back counted.
class CountingPlatform : public capture::CapturePlatform {
public:
    char* AllocateText(std::size_t nBytes) override;
    void FreeText(char* pText) override;

    int allocations = 0;
    int frees = 0;
    int strayFrees = 0;  // of a block not handed out, or freed already
    // True when every text handed out was freed exactly once.
    bool EachFreedOnce() const { return m_live.empty() && strayFrees == 0 && frees == allocations; }

private:
    std::set<const char*> m_live;  // handed out and not freed yet
};

// One main frame serves the tests of a program, since a top-level window
// takes Wine two seconds to go; each test starts with no document open.
class PaneFixture {
public:
    CTestMainFrame* frame = nullptr;
    CMultiDocTemplate* docTemplate = nullptr;
    CountingPlatform platform;

    // Registers the program's document template, with pDocClass as its
    // documents, the first time; later calls find it. Makes the main frame
    // when there is none.
    void SetUp(const CRuntimeClass* pDocClass = RUNTIME_CLASS(CKestrumDoc));
    // Closes every document, as the main window's close does.
    void TearDown();

    // A captured text as the receiver makes it, on the counting platform.
    CapturedMessage Captured(DWORD dwProcessId, const std::string& text);
    // Hands the texts to routing in one call, as the main frame's handler
    // does, and shows them.
    void Route(const std::vector<std::pair<DWORD, std::string>>& texts);
    // Hands the texts to routing only: they wait on their documents.
    void Queue(const std::vector<std::pair<DWORD, std::string>>& texts);
    void Route(DWORD dwProcessId, const std::string& text) { Route({{dwProcessId, text}}); }
    // The live pane of a new document that routing opened for a new client
    // with its first text.
    CKestrumView* NewPane(const std::string& text = "");

    // The next document title the template gives: Kestrum and its number.
    std::string NextTitle(UINT nAhead = 0) const;

    std::vector<CKestrumDoc*> Docs() const;
    static std::vector<CKestrumView*> Panes(CDocument* pDoc);
    static CKestrumView* LivePane(CDocument* pDoc);
    static std::string Caption(const CWnd* pPane);  // its child frame's caption
    static std::string PaneText(const CWnd* pPane) { return pPane->GetWindowText(); }
    static std::pair<DWORD, DWORD> Selection(const CWnd* pPane);
    static int FirstVisibleLine(const CWnd* pPane);
    static CFrameWnd* FrameOf(const CWnd* pPane);

    CKestrumView* ActivePane() const;
    void Activate(const CWnd* pPane) const;
    int ChildWindowCount() const;

    // A command as the user gives it from a menu: sent to the main frame.
    void Command(UINT nID) const;
    // Snap Shot given while pPane's window is active; returns the pane that
    // is active afterwards.
    CKestrumView* SnapShotIn(const CWnd* pPane) const;
    // File > Close while pPane's window is active.
    void FileClose(const CWnd* pPane) const;
    // The state the update handlers on the command route give a command.
    fwtest::CommandState Update(UINT nID) const;
};

}  // namespace panetest
