// CEditView: a view that is a multi-line EDIT control. It offers the edit
// commands, the modeless Find and Replace dialogs (one search text for all
// edit views), and raw-text saving and loading of its text.
#pragma once

#include "framework/gdi.h"
#include "framework/paginate.h"
#include "framework/view.h"

#include <string>

class CArchive;

class CEditView : public CView {
    DECLARE_DYNCREATE(CEditView)
public:
    // The longest text the control takes, and its one tab-stop distance in
    // dialog units.
    static constexpr UINT kTextLimit = 0xFFFFF;
    static constexpr int kTabStop = 32;

    CEditView() = default;

    // The whole text as raw bytes: written with no header, read as it is.
    void SerializeRaw(CArchive& ar);

    // Searches from the selection for lpszFind, down (bNext) or up, wrapping
    // once; selects what it finds. FALSE when the text has no match.
    BOOL FindText(const char* lpszFind, BOOL bNext = TRUE, BOOL bCase = TRUE);

    void OnDraw(HDC) override {}

    // Printing and preview of the whole text, wrapped at the printable width
    // and paged by whole lines, in the view's font scaled to the printer.
    void OnBeginPrinting(HDC hDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(HDC hDC, CPrintInfo* pInfo) override;
    void OnPrint(HDC hDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(HDC hDC, CPrintInfo* pInfo) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    int OnCreate(LPCREATESTRUCT lpcs);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnFindReplaceCmd(WPARAM wParam, LPARAM lParam);
    void OnEditChange();

    void OnEditUndo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditClear();
    void OnEditSelectAll();
    void OnEditFind();
    void OnEditReplace();
    void OnEditRepeat();
    void OnUpdateNeedUndo(CCmdUI* pCmdUI);
    void OnUpdateNeedSel(CCmdUI* pCmdUI);
    void OnUpdateNeedClip(CCmdUI* pCmdUI);
    void OnUpdateNeedText(CCmdUI* pCmdUI);
    void OnUpdateNeedFind(CCmdUI* pCmdUI);

    // Called when a search finds nothing.
    virtual void OnTextNotFound(const char* lpszFind);

    DECLARE_MESSAGE_MAP()

private:
    void SetTabStops();
    void OnFindReplace(BOOL bFindOnly);
    BOOL SameAsSelected(const char* lpszCompare, BOOL bCase) const;
    void ReplaceSel(const char* lpszReplace);
    void ReplaceAll(const char* lpszFind, const char* lpszReplace, BOOL bCase);

    // From OnBeginPrinting to OnEndPrinting: the text as it was when printing
    // began, its pages, and the printer's font.
    std::string m_strPrintText;
    fw::Pagination m_pagination;
    CFont m_printerFont;
    int m_nPrintLineHeight = 1;
    int m_nPrintTabWidth = 0;
};
