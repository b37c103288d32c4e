// The output pane: an edit view that shows the text of one debug document.
// New text is appended at the end without disturbing a user who reads or
// selects elsewhere. A document has one live pane, which receives new text,
// and any number of snapshot panes holding a copy of it.
#pragma once

#include "framework/editview.h"

#include <string>

class CKestrumView;

// What a pane asks of its document.
class CPaneDocument {
public:
    // The document's live pane, elected among its panes when none is live.
    virtual CKestrumView* GetLiveView() = 0;
    // The caption of one of the document's panes, by the title rule.
    virtual std::string PaneCaption(bool bSnapshot) const = 0;
    // Drops the output not yet appended to the live pane.
    virtual void DiscardPendingOutput() = 0;

protected:
    ~CPaneDocument() = default;
};

class CKestrumView : public CEditView {
    DECLARE_DYNCREATE(CKestrumView)
public:
    CKestrumView() = default;

    BOOL m_bLive = FALSE;  // set once, by the document's election; never cleared

    // Appends text at the end. With the caret at the very end and nothing
    // selected the pane follows the output; otherwise the selection and the
    // first visible line stay as they were, and the pane repaints only when
    // its last line is on screen. When the text would pass the control's
    // limit, whole lines are first removed from the start.
    void AppendText(const char* lpszText);
    // Clear Window: empties the pane and, for the live pane, drops the
    // output its document has not appended yet.
    void ClearText();
    // Whether the caret's line lies within the lines the pane shows.
    BOOL IsCaretLineVisible() const;

    // Puts this pane's caption on its child frame.
    void SetCaption(const std::string& caption);
    CPaneDocument* GetPaneDocument() const;

    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnCopyAll();
    void OnClearWindow();
    void OnUpdateClearWindow(CCmdUI* pCmdUI);
    void OnSnapShot();
    void OnUpdateSnapShot(CCmdUI* pCmdUI);
    void OnUpdateInterleaveOutput(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    // Removes whole lines from the start so that nIncoming more characters
    // fit, keeping the selection and scroll position on their characters.
    // Returns the length of the text left.
    DWORD TrimToFit(size_t nIncoming);
    void CopyLiveText();
};
