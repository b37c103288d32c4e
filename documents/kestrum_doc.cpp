#include "documents/kestrum_doc.h"

#include "documents/process_name.h"
#include "framework/afxres.h"
#include "framework/gdi.h"
#include "pane/pane_host.h"
#include "pane/newest_lines.h"
#include "pane/title_rule.h"
#include "res/resource.h"

IMPLEMENT_DYNCREATE(CKestrumDoc, CDocument)

BEGIN_MESSAGE_MAP(CKestrumDoc, CDocument)
    fw::Command<&CKestrumDoc::OnUpdateTitle>(ID_VIEW_UPDATE_TITLE),
    fw::Command<&CKestrumDoc::OnFileClose>(ID_FILE_CLOSE),
    fw::UpdateCommand<&CKestrumDoc::OnUpdateCloseAll>(ID_FILE_CLOSE_ALL),
    fw::UpdateCommand<&CKestrumDoc::OnUpdateUpdateTitle>(ID_VIEW_UPDATE_TITLE),
END_MESSAGE_MAP()

CKestrumView* CKestrumDoc::GetLiveView() {
    CKestrumView* pLast = nullptr;
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        auto* pPane = static_cast<CKestrumView*>(GetNextView(pos));
        if (pPane->m_bLive) return pPane;
        pLast = pPane;
    }
    // None is live: the newest pane is elected.
    if (pLast) {
        pLast->m_bLive = TRUE;
        pLast->SetCaption(PaneCaption(false));
    }
    return pLast;
}

void CKestrumDoc::QueueOutput(const char* lpszText) {
    static unsigned long long nextOrder = 0;
    if (m_strPendingOutput.empty()) m_nPendingOrder = ++nextOrder;
    m_strPendingOutput += lpszText;
    // Cut back only once well past the limit, so that a flood moves the
    // kept text now and then rather than at every text.
    constexpr size_t kLimit = CEditView::kTextLimit;
    if (m_strPendingOutput.size() > kLimit + kLimit / 4) {
        m_strPendingOutput.erase(0, NewestLinesOffset(m_strPendingOutput.data(), m_strPendingOutput.size(), kLimit));
    }
}

void CKestrumDoc::ShowPendingOutput() {
    if (m_strPendingOutput.empty()) return;
    const std::string text = std::move(m_strPendingOutput);
    m_strPendingOutput.clear();
    if (CKestrumView* pPane = GetLiveView()) {
        pPane->AppendText(text.c_str());
        // Painted now: a flood that keeps the queue full would hold back
        // every paint of the pane until it ends.
        pPane->UpdateWindow();
    }
}

std::string CKestrumDoc::PaneCaption(bool bSnapshot) const {
    return ::PaneCaption(m_strTitle, m_strProcessName, bSnapshot ? PaneKind::Snapshot : PaneKind::Live);
}

void CKestrumDoc::OnUpdateTitle() {
    CWaitCursor wait;
    m_strProcessName = documents::GetProcessName(m_dwProcessId);
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        auto* pPane = static_cast<CKestrumView*>(GetNextView(pos));
        pPane->SetCaption(::PaneCaption(m_strTitle, m_strProcessName,
                                        pPane->m_bLive ? PaneKind::Live : PaneKind::Snapshot, true));
    }
}

void CKestrumDoc::Serialize(CArchive& ar) {
    // The oldest pane still open: the live pane, or after it closed, the
    // oldest snapshot.
    POSITION pos = GetFirstViewPosition();
    if (pos) static_cast<CKestrumView*>(GetNextView(pos))->SerializeRaw(ar);
}

BOOL CKestrumDoc::OnNewDocument() { return CDocument::OnNewDocument(); }

BOOL CKestrumDoc::CanCloseFrame(CFrameWnd* pFrame) {
    SetModifiedFlag(FALSE);
    return CDocument::CanCloseFrame(pFrame);
}

void CKestrumDoc::OnFileClose() {
    SetModifiedFlag(FALSE);
    CDocument::OnFileClose();
}

void CKestrumDoc::OnUpdateCloseAll(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void CKestrumDoc::OnUpdateUpdateTitle(CCmdUI* pCmdUI) {
    const CPaneHost* pHost = AfxGetPaneHost();
    pCmdUI->Enable(!(pHost && pHost->IsInterleaved()));
}
