// CView: the window that shows a document inside a frame. Commands reach the
// active view first, and through it its document.
#pragma once

#include "framework/wnd.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CDocument* GetDocument() const { return m_pDocument; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Once, after the view, its frame and its document are joined.
    virtual void OnInitialUpdate();
    // Paints what the view shows; a view that is a system control paints itself.
    virtual void OnDraw(HDC hDC) = 0;

protected:
    CView() = default;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;  // leaves the document and deletes the view

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);

    CDocument* m_pDocument = nullptr;
    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};
