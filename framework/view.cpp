#include "framework/view.h"

#include "framework/doc.h"
#include "framework/frame.h"
#include "framework/preview.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    fw::WmCreate<&CView::OnCreate>(),
    fw::Message<&CView::OnDestroy>(WM_DESTROY),
    fw::Message<&CView::OnPaint>(WM_PAINT),
    fw::Message<&CView::OnInitialUpdateMessage>(WM_INITIALUPDATE),
    fw::Message<&CView::OnMouseActivate>(WM_MOUSEACTIVATE),
END_MESSAGE_MAP()

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                                          reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
    if (Default() == -1) return -1;
    auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (pContext && pContext->m_pCurrentDoc) pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    // A preview of this view cannot outlive it.
    if (CPreviewWnd* pPreview = CPreviewWnd::FromView(this)) pPreview->Close();
    if (CFrameWnd* pFrame = GetParentFrame(); pFrame && pFrame->GetActiveView() == this) {
        pFrame->SetActiveView(nullptr, FALSE);
    }
    Default();
}

void CView::PostNcDestroy() {
    if (m_pDocument) m_pDocument->RemoveView(this);
    delete this;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (nCode == CN_COMMAND && !pHandlerInfo) m_nIDCommand = nID;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::OnInitialUpdate() { Invalidate(TRUE); }

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}

LRESULT CView::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    OnDraw(hDC);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT CView::OnMouseActivate(WPARAM wParam, LPARAM lParam) {
    // A click in a view makes it the active view of its frame.
    const LRESULT result = Default();
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
    if (CFrameWnd* pFrame = GetParentFrame()) pFrame->SetActiveView(this, FALSE);
    (void)wParam;
    (void)lParam;
    return result;
}
