// A debug document: the output of one debug client (or, while interleaving,
// of all), its process id and the process name Update Title found, shown in
// one live pane and any number of snapshot panes.
#pragma once

#include "framework/doc.h"
#include "pane/kestrum_view.h"

#include <string>

class CKestrumDoc : public CDocument, public CPaneDocument {
    DECLARE_DYNCREATE(CKestrumDoc)
public:
    static constexpr DWORD kNoProcess = 0xFFFFFFFF;

    CKestrumDoc() = default;

    DWORD m_dwProcessId = kNoProcess;  // set once by routing, unless interleaving
    std::string m_strProcessName;      // what the last Update Title found

    CKestrumView* GetLiveView() override;

    // Output routed here and not yet in the live pane, oldest first. No more
    // is kept than the pane could show: the newest pane limit's worth, from
    // a line start.
    void QueueOutput(const char* lpszText);
    bool HasPendingOutput() const { return !m_strPendingOutput.empty(); }
    // Which document has waited longest: lower is longer.
    unsigned long long PendingOrder() const { return m_nPendingOrder; }
    // Appends the pending output to the live pane.
    void ShowPendingOutput();
    void DiscardPendingOutput() override { m_strPendingOutput.clear(); }
    std::string PaneCaption(bool bSnapshot) const override;

    // Saving writes the first pane's text, raw.
    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
    // No close that the user starts asks to save: each clears the flag first.
    BOOL CanCloseFrame(CFrameWnd* pFrame) override;

protected:
    void OnUpdateTitle();
    void OnFileClose();
    void OnUpdateCloseAll(CCmdUI* pCmdUI);
    void OnUpdateUpdateTitle(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    std::string m_strPendingOutput;
    unsigned long long m_nPendingOrder = 0;
};
