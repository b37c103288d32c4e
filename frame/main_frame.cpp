#include "frame/main_frame.h"

#include "documents/output_routing.h"
#include "frame/settings.h"
#include "framework/afxres.h"
#include "framework/doc.h"
#include "framework/doctemplate.h"
#include "framework/fontdlg.h"
#include "framework/handles.h"
#include "framework/view.h"
#include "pane/kestrum_view.h"
#include "res/resource.h"

#include <algorithm>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    fw::Message<&CMainFrame::OnDebugString>(WM_DEBUGSTRING),
    fw::Message<&CMainFrame::OnTimer>(WM_TIMER),
    fw::WmCreate<&CMainFrame::OnCreate>(),
    fw::Message<&CMainFrame::OnDestroy>(WM_DESTROY),
    fw::Message<&CMainFrame::OnClose>(WM_CLOSE),
    fw::Command<&CMainFrame::OnClearAllWindows>(ID_WINDOW_CLEAR_ALL),
    fw::UpdateCommand<&CMainFrame::OnUpdateClearAllWindows>(ID_WINDOW_CLEAR_ALL),
    fw::Command<&CMainFrame::OnViewFont>(ID_VIEW_FONT),
    fw::Command<&CMainFrame::OnCloseAll>(ID_FILE_CLOSE_ALL),
    fw::Command<&CMainFrame::OnKeepOnTop>(ID_VIEW_KEEP_ON_TOP),
    fw::UpdateCommand<&CMainFrame::OnUpdateKeepOnTop>(ID_VIEW_KEEP_ON_TOP),
    fw::UpdateCommand<&CMainFrame::OnUpdateCloseAll>(ID_FILE_CLOSE_ALL),
    fw::Command<&CMainFrame::OnInterleaveOutput>(ID_VIEW_INTERLEAVE),
    fw::UpdateCommand<&CMainFrame::OnUpdateInterleaveOutput>(ID_VIEW_INTERLEAVE),
END_MESSAGE_MAP()

namespace {
// Texts taken from the queue in one pass of the handler.
constexpr size_t kMaxTextsPerPass = 512;

double NowMs() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Whether anything waits in the queue: a round of appends stops between
// documents for it. Input and sent messages are answered sooner; texts are
// taken before they pile up while the other documents are appended.
bool AnyoneWaiting() { return HIWORD(::GetQueueStatus(QS_INPUT | QS_SENDMESSAGE | QS_POSTMESSAGE)) != 0; }

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
}

template <class Fn>
void CMainFrame::ForEachPane(Fn fn) {
    CDocTemplate* pTemplate = DebugDocTemplate();
    if (!pTemplate) return;
    for (POSITION dpos = pTemplate->GetFirstDocPosition(); dpos;) {
        CDocument* pDoc = pTemplate->GetNextDoc(dpos);
        for (POSITION vpos = pDoc->GetFirstViewPosition(); vpos;) {
            if (!fn(pDoc->GetNextView(vpos))) return;
        }
    }
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    settings::LoadWindowRect(cs);
    return CMDIFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
    if (CMDIFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!m_toolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR)) return -1;
    if (!m_toolBar.LoadToolBar(IDR_MAINFRAME)) return -1;
    if (!m_statusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR)) return -1;
    if (!m_statusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators)))) return -1;
    m_toolBar.SetBarStyle(m_toolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_toolBar);

    // From here a client may write its first text; it waits in the shared
    // block until the receiver thread starts, last of all.
    if (!OpenCaptureChannel()) return -1;

    const settings::Flags flags = settings::LoadFlags();
    m_bTopMost = static_cast<BOOL>(flags.topMost);
    m_bInterleave = static_cast<BOOL>(flags.interleave);
    if (m_bTopMost) ApplyTopMost();

    LoadFontSettings(settings::kFontSection, &m_logFont);
    if (m_logFont.lfHeight == 0) ::GetObjectA(::GetStockObject(SYSTEM_FIXED_FONT), sizeof m_logFont, &m_logFont);
    m_font.CreateFontIndirect(&m_logFont);
    MeasureLineHeight();

    StartCaptureThread();
    return 0;
}

void CMainFrame::MeasureLineHeight() {
    fw::WindowDC dc(m_hWnd);
    fw::ScopedSelectObject select(dc.get(), m_font.GetSafeHandle());
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc.get(), &tm);
    // Panes divide by it: a font that measured no height counts as one pixel.
    m_nLineHeight = std::max<int>(1, tm.tmHeight);
}

void CMainFrame::ApplyTopMost() {
    SetWindowPos(m_bTopMost ? &CWnd::wndTopMost : &CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CMainFrame::OnClose() {
    // Nothing asks to be saved when the main window closes.
    CDocTemplate* pTemplate = DebugDocTemplate();
    for (POSITION dpos = pTemplate ? pTemplate->GetFirstDocPosition() : nullptr; dpos;) {
        pTemplate->GetNextDoc(dpos)->SetModifiedFlag(FALSE);
    }
    if (!IsIconic()) {
        RECT rect;
        GetWindowRect(&rect);
        settings::SaveWindowRect(rect);
    }
    settings::SaveFlags({static_cast<DWORD>(m_bTopMost), static_cast<DWORD>(m_bInterleave)});
    CMDIFrameWnd::OnClose();
}

void CMainFrame::OnDestroy() {
    CloseCaptureChannel();
    CMDIFrameWnd::OnDestroy();
}

LRESULT CMainFrame::OnDebugString(WPARAM wParam, LPARAM lParam) {
    CapturedMessage first{static_cast<DWORD>(wParam), capture::CapturedText(reinterpret_cast<char*>(lParam))};
    std::vector<CapturedMessage> texts = TakeQueuedTexts(m_hWnd, std::move(first), kMaxTextsPerPass);
    size_t nBytes = 0;
    for (const CapturedMessage& text : texts) nBytes += text.text ? std::strlen(text.text.get()) + 1 : 0;
    m_channel.TextsTaken(nBytes);
    RouteTexts(std::move(texts), *this);
    m_pacer.TextsArrived(NowMs());
    ShowOutputWhenDue();
    return 0;
}

LRESULT CMainFrame::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != kShowOutputTimer) return Default();
    ShowOutputWhenDue();
    return 0;
}

void CMainFrame::ShowOutputWhenDue() {
    const double start = NowMs();
    if (m_pacer.IsDue(start) && ShowPendingOutput(AnyoneWaiting)) {
        m_pacer.Appended(start, NowMs());
        m_bOutputShown = true;
    }
    const bool bPending = AnyPendingOutput();
    if (bPending == m_bShowOutputTimer) return;
    m_bShowOutputTimer = bPending;
    if (bPending) {
        ::SetTimer(m_hWnd, kShowOutputTimer, static_cast<UINT>(OutputPacer::kQuietMs), nullptr);
    } else {
        ::KillTimer(m_hWnd, kShowOutputTimer);
    }
}

void CMainFrame::OnClearAllWindows() {
    ForEachPane([](CView* pPane) {
        if (auto* pOutput = dynamic_cast<CKestrumView*>(pPane)) pOutput->ClearText();
        return true;
    });
}

void CMainFrame::OnUpdateClearAllWindows(CCmdUI* pCmdUI) {
    bool bAnyText = false;
    ForEachPane([&](CView* pPane) {
        bAnyText = pPane->GetWindowTextLength() > 0;
        return !bAnyText;
    });
    pCmdUI->Enable(bAnyText);
}

void CMainFrame::OnViewFont() {
    m_font.GetLogFont(&m_logFont);
    CFontDialog dlg(&m_logFont, CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FIXEDPITCHONLY);
    if (dlg.DoModal() != IDOK) return;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_logFont);
    CWaitCursor wait;
    MeasureLineHeight();
    SaveFontSettings(settings::kFontSection, &m_logFont);
    HFONT hFont = m_font.GetSafeHandle();
    ForEachPane([hFont](CView* pPane) {
        pPane->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
        return true;
    });
}

void CMainFrame::OnCloseAll() {
    CDocTemplate* pTemplate = DebugDocTemplate();
    if (!pTemplate) return;
    // The position moves on before its document closes.
    for (POSITION dpos = pTemplate->GetFirstDocPosition(); dpos;) {
        CDocument* pDoc = pTemplate->GetNextDoc(dpos);
        POSITION vpos = pDoc->GetFirstViewPosition();
        if (CView* pFirst = vpos ? pDoc->GetNextView(vpos) : nullptr) {
            pFirst->SendMessage(WM_COMMAND, ID_FILE_CLOSE, 0);
        }
    }
}

void CMainFrame::OnUpdateCloseAll(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

void CMainFrame::OnKeepOnTop() {
    m_bTopMost = m_bTopMost ? FALSE : TRUE;
    ApplyTopMost();
}

void CMainFrame::OnUpdateKeepOnTop(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_bTopMost ? 1 : 0);
    pCmdUI->Enable(TRUE);
}

void CMainFrame::OnInterleaveOutput() { m_bInterleave = m_bInterleave ? FALSE : TRUE; }

void CMainFrame::OnUpdateInterleaveOutput(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_bInterleave ? 1 : 0);
    pCmdUI->Enable(TRUE);
}
