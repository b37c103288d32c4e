// The main window: the MDI frame that holds every debug window, the toolbar
// and the status bar. It owns the capture channel, the pane font with its
// line height, and the Keep on Top and Interleave Output flags, and runs the
// commands that act on all debug windows.
#pragma once

#include "capture/capture_channel.h"
#include "documents/output_pacer.h"
#include "framework/bars.h"
#include "framework/frame.h"
#include "framework/gdi.h"
#include "pane/pane_host.h"

#include <utility>

class CMainFrame : public CMDIFrameWnd, public CPaneHost {
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame() = default;

    int m_nLineHeight = 0;  // tmHeight of the pane font; set by OnCreate before anything reads it
    CFont m_font;           // the pane font; panes only receive its handle
    LOGFONT m_logFont{};    // its description, and the Font dialog's buffer
    BOOL m_bTopMost = FALSE;
    BOOL m_bInterleave = FALSE;
    CStatusBar m_statusBar;
    CToolBar m_toolBar;
    capture::CaptureChannel m_channel;  // the six members of the capture channel

    HFONT GetPaneFont() const override { return m_font.GetSafeHandle(); }
    int GetLineHeight() const override { return m_nLineHeight; }
    BOOL IsInterleaved() const override { return m_bInterleave; }

    // Whether output was appended since the last call.
    bool TakeOutputShown() { return std::exchange(m_bOutputShown, false); }
    // The timer that shows gathered output while any is pending.
    static constexpr UINT_PTR kShowOutputTimer = 1;

    BOOL OpenCaptureChannel() { return m_channel.OpenCaptureChannel(); }
    void StartCaptureThread() { m_channel.StartCaptureThread(m_hWnd); }
    void CloseCaptureChannel() { m_channel.CloseCaptureChannel(); }

    // The font record under a settings section (see frame/settings.h).
    static void LoadFontSettings(const char* section, LOGFONT* font);
    static void SaveFontSettings(const char* section, const LOGFONT* font);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnClose();
    void OnDestroy();
    LRESULT OnDebugString(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    void OnClearAllWindows();
    void OnUpdateClearAllWindows(CCmdUI* pCmdUI);
    void OnViewFont();
    void OnCloseAll();
    void OnUpdateCloseAll(CCmdUI* pCmdUI);
    void OnKeepOnTop();
    void OnUpdateKeepOnTop(CCmdUI* pCmdUI);
    void OnInterleaveOutput();
    void OnUpdateInterleaveOutput(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    OutputPacer m_pacer;
    bool m_bShowOutputTimer = false;  // the timer runs while output is pending
    bool m_bOutputShown = false;

    // Appends the pending output when the pacer says it is due, and keeps
    // the timer running exactly while output is pending.
    void ShowOutputWhenDue();
    void MeasureLineHeight();
    void ApplyTopMost();
    // Calls fn on every pane of every debug document, documents oldest first.
    template <class Fn>
    void ForEachPane(Fn fn);
};
