#include "app/kestrum_app.h"

#include "app/about_dlg.h"
#include "documents/kestrum_doc.h"
#include "frame/main_frame.h"
#include "framework/afxres.h"
#include "framework/doctemplate.h"
#include "pane/child_frame.h"
#include "pane/kestrum_view.h"
#include "res/resource.h"

namespace {
CKestrumApp theApp;
}

BEGIN_MESSAGE_MAP(CKestrumApp, CWinApp)
    fw::Command<&CKestrumApp::OnAppAbout>(ID_APP_ABOUT),
    fw::Command<&CWinApp::OnFileNew>(ID_FILE_NEW),
    fw::Command<&CWinApp::OnFileOpen>(ID_FILE_OPEN),
    fw::Command<&CWinApp::OnFilePrintSetup>(ID_FILE_PRINT_SETUP),
END_MESSAGE_MAP()

BOOL CKestrumApp::InitInstance() {
    Enable3dControlsStatic();
    SetRegistryKey("HALVERON");
    LoadStdProfileSettings(0);
    AddDocTemplate(new CMultiDocTemplate(IDR_KESTRUMTYPE, RUNTIME_CLASS(CKestrumDoc), RUNTIME_CLASS(CChildFrame),
                                         RUNTIME_CLASS(CKestrumView)));

    auto* pMainFrame = new CMainFrame;
    // A frame whose creation fails has deleted itself; a second instance
    // ends here, without a window or a message.
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr)) return FALSE;
    m_pMainWnd = pMainFrame;

    // The command line is parsed and acted on in no way: no file is opened
    // or printed.
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);

    pMainFrame->ShowWindow(m_nCmdShow);
    pMainFrame->UpdateWindow();
    return TRUE;
}

void CKestrumApp::OnAppAbout() {
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}

BOOL CKestrumApp::IsIdleMessage(const MSG* pMsg) {
    auto* pFrame = dynamic_cast<CMainFrame*>(m_pMainWnd);
    const bool bOutput = pMsg->message == WM_DEBUGSTRING ||
                         (pMsg->message == WM_TIMER && pMsg->wParam == CMainFrame::kShowOutputTimer);
    if (pFrame && bOutput && pMsg->hwnd == pFrame->m_hWnd) return pFrame->TakeOutputShown();
    return CWinApp::IsIdleMessage(pMsg);
}
