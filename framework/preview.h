// Print preview: the pages a view's printing makes, drawn scaled on the
// screen in place of its frame's client area, with a bar of its own (Print,
// Next Page, Prev Page, One Page / Two Page, Zoom In, Zoom Out, Close) and
// the keys Page Down, Page Up and Escape.
//
// While a preview is up it covers the top-level frame that holds the view
// (for an MDI main frame: the MDI client); the frame's bars, client and the
// windows it owns are hidden, its menu items are greyed and its menu
// commands and keys do nothing, so nothing reaches the document under the
// preview. Close puts everything back as it was.
#pragma once

#include "framework/print.h"
#include "framework/wnd.h"

#include <vector>

class CFrameWnd;
class CView;

class CPreviewWnd : public CWnd {
    DECLARE_DYNAMIC(CPreviewWnd)
public:
    // Zoom levels: whole pages, a closer look, the page's real size.
    static constexpr int kZoomWholePage = 0;
    static constexpr int kZoomMax = 2;

    // Previews pView's printing over its top-level frame. FALSE when no
    // preview came up: no printer (the user was told), or one is up already.
    static BOOL DoPrintPreview(CView* pView);
    // The preview over pFrame, or over the frame of pView; NULL when none.
    static CPreviewWnd* FromFrame(const CWnd* pFrame);
    static CPreviewWnd* FromView(const CView* pView);

    // Ends the preview and puts the frame back as it was.
    void Close();

    UINT GetPageCount() const { return m_nPageCount; }
    UINT GetCurrentPage() const { return m_nCurrentPage; }  // the first page shown
    UINT GetPagesShown() const { return m_nZoom == kZoomWholePage ? m_nPages : 1; }
    int GetZoom() const { return m_nZoom; }
    HWND GetBar() const { return m_hWndBar; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PostNcDestroy() override;

    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnHScroll(WPARAM wParam, LPARAM lParam);
    void OnPreviewPrint();
    void OnNextPage();
    void OnPrevPage();
    void OnNumPage();
    void OnZoomIn();
    void OnZoomOut();
    void OnPreviewClose();

    DECLARE_MESSAGE_MAP()

private:
    CPreviewWnd(CView* pView, CFrameWnd* pFrame);
    ~CPreviewWnd() override;

    BOOL Create();
    void CoverFrame();
    void RestoreFrame();
    CView* LiveView() const;  // the view, while it still exists
    void UpdateBar();
    void SetZoom(int nZoom);
    void ShowPage(UINT nPage);
    // Where the pages are drawn: the client area below the bar.
    RECT PageArea() const;
    // Screen pixels per printer pixel at the current zoom.
    double Scale() const;
    void UpdateScrollBars();
    void Scroll(int nBar, int nCode);
    void DrawPage(HDC hDC, const RECT& rectPaper, UINT nPage);

    static LRESULT CALLBACK FrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK BarProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CView* m_pView;
    HWND m_hWndView;
    CFrameWnd* m_pFrame;
    CPrintInfo m_info;               // the printer's DC, which the view measures with
    bool m_bPrintingBegun = false;   // OnEndPrinting is owed
    HWND m_hWndBar = nullptr;
    HACCEL m_hAccel = nullptr;       // Page Down, Page Up, Escape (a resource: freed with the program)
    WNDPROC m_pfnFrameProc = nullptr;  // the frame's procedure while the preview covers it
    std::vector<HWND> m_hiddenWindows;
    HWND m_hWndFocus = nullptr;      // had the focus before the preview

    UINT m_nPageCount = 1;
    UINT m_nCurrentPage = 1;
    UINT m_nPages = 1;               // side by side, at the whole-page zoom
    int m_nZoom = kZoomWholePage;
    POINT m_ptScroll{0, 0};          // zoomed in: how far the page is scrolled
    SIZE m_sizePaper{1, 1};          // the sheet in printer pixels
    POINT m_ptPrintable{0, 0};       // where the printable area starts on it
    SIZE m_sizeDpi{1, 1};            // the printer's resolution
};
