// CView: the window that shows a document inside a frame. Commands reach the
// active view first, and through it its document.
#pragma once

#include "framework/wnd.h"

class CDocument;
class CFrameWnd;
class CPrintInfo;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CDocument* GetDocument() const { return m_pDocument; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Once, after the view, its frame and its document are joined.
    virtual void OnInitialUpdate();
    // Paints what the view shows; a view that is a system control paints itself.
    virtual void OnDraw(HDC hDC) = 0;

    // Printing and print preview, in this order: OnPreparePrinting gets the
    // printer (DoPreparePrinting) and may set the page range; OnBeginPrinting
    // measures with the printer's DC; for each page OnPrepareDC tells whether
    // it exists (m_bContinuePrinting) and OnPrint draws it into
    // pInfo->m_rectDraw; OnEndPrinting frees what OnBeginPrinting made. A
    // preview draws the pages on the screen through a DC mapped to the page.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(HDC hDC, CPrintInfo* pInfo);
    virtual void OnPrepareDC(HDC hDC, CPrintInfo* pInfo);
    virtual void OnPrint(HDC hDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(HDC hDC, CPrintInfo* pInfo);
    // The printer's DC into pInfo: from the print dialog, or for direct
    // printing and preview from the application's printer. FALSE when the
    // user cancelled or no printer is installed (the user is told).
    BOOL DoPreparePrinting(CPrintInfo* pInfo);

    // Handlers a view's map binds: ID_FILE_PRINT (the print dialog) and
    // ID_FILE_PRINT_DIRECT (no dialog) to OnFilePrint, ID_FILE_PRINT_PREVIEW
    // to OnFilePrintPreview.
    void OnFilePrint();
    void OnFilePrintPreview();

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
    UINT m_nIDCommand = 0;  // the command being run: a handler bound to several ids tells them apart
    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};
