// The frame's docking machinery: a dock bar along each side where the frame
// allows docking, holding the bars docked there, and the small tool window
// that a floating bar lives in.
#pragma once

#include "framework/bars.h"

#include <vector>

// The dock bar's window id for a side (CBRS_ALIGN_xxx), and back; 0 for none.
UINT AfxDockBarIDFromSide(DWORD dwSide);
DWORD AfxSideFromDockBarID(UINT nDockBarID);

class CDockBar : public CWnd {
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(DWORD dwSide) : m_dwSide(dwSide) {}

    BOOL Create(CFrameWnd* pFrame);
    DWORD GetSide() const { return m_dwSide; }
    BOOL IsHorz() const { return (m_dwSide & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }
    // Takes a bar in: each bar lies in a row (a column at the left and right)
    // of its own, in order; lpRect, in screen coordinates, says where among
    // the others it goes (NULL: after them).
    void Insert(CControlBar* pBar, LPCRECT lpRect);
    void Remove(CControlBar* pBar);
    const std::vector<CControlBar*>& GetBars() const { return m_bars; }

protected:
    void PostNcDestroy() override { delete this; }  // made by the frame, gone with its window
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    DWORD m_dwSide;
    std::vector<CControlBar*> m_bars;
};

class CFloatingBarWnd : public CWnd {
    DECLARE_DYNAMIC(CFloatingBarWnd)
public:
    explicit CFloatingBarWnd(CControlBar* pBar) : m_pBar(pBar) {}

    // A tool window owned by the bar's frame, with the bar's text as caption.
    BOOL Create(CFrameWnd* pFrame);
    // Takes the bar in and shows it (when the bar is shown) with its top-left
    // corner at ptScreen, as wide as the user last made it while floating.
    void Place(POINT ptScreen);
    // Lets the bar go (it has been docked) and destroys the window: a
    // floating window exists only while its bar floats.
    void Release();

protected:
    void PostNcDestroy() override { delete this; }
    void OnDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSizing(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcLButtonDblClk(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    friend class CControlBar;
    CControlBar* m_pBar;  // NULL once either window is gone
    SIZE NonClientSize() const;
};
