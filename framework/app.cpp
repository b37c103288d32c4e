#include "framework/app.h"

#include "framework/afxres.h"
#include "framework/doctemplate.h"
#include "framework/wnd.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

namespace {
CWinApp* g_pApp = nullptr;
}

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    fw::Command<&CWinApp::OnAppExit>(ID_APP_EXIT),
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* lpszAppName) {
    if (lpszAppName) m_strAppName = lpszAppName;
    m_nThreadID = ::GetCurrentThreadId();
    g_pApp = this;
}

CWinApp::~CWinApp() {
    delete m_pDocManager;
    if (g_pApp == this) g_pApp = nullptr;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    if (!m_pDocManager) m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

BOOL CWinApp::SaveAllModified() { return m_pDocManager ? m_pDocManager->SaveAllModified() : TRUE; }

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
    if (m_pDocManager) m_pDocManager->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::DoPromptFileName(std::string& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate) {
    return m_pDocManager && m_pDocManager->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
}

void CWinApp::OnFileNew() {
    if (m_pDocManager) m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen() {
    if (m_pDocManager) m_pDocManager->OnFileOpen();
}

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() {
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->m_pMainWnd : nullptr;
}

void CWinApp::SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow) {
    m_hInstance = hInstance;
    m_lpCmdLine = lpCmdLine;
    m_nCmdShow = nCmdShow;
    if (m_strAppName.empty()) m_strAppName = AfxLoadString(AFX_IDS_APP_TITLE);
    if (m_strAppName.empty()) {
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        const char* name = std::strrchr(path, '\\');
        name = name ? name + 1 : path;
        m_strAppName = name;
        if (const size_t dot = m_strAppName.rfind('.'); dot != std::string::npos) m_strAppName.resize(dot);
    }
}

BOOL CWinApp::InitInstance() { return TRUE; }

BOOL CWinApp::Enable3dControlsStatic() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    return ::InitCommonControlsEx(&icc);
}

BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

int CWinApp::DoMessageBox(const char* lpszPrompt, UINT nType, UINT) {
    HWND hWndOwner = ::GetActiveWindow();
    if (!hWndOwner && m_pMainWnd) hWndOwner = m_pMainWnd->m_hWnd;
    return ::MessageBoxA(hWndOwner, lpszPrompt, m_strAppName.c_str(), nType);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    for (int i = 1; i < __argc; ++i) {
        const char* pszParam = __argv[i];
        const BOOL bFlag = pszParam[0] == '-' || pszParam[0] == '/';
        rCmdInfo.ParseParam(bFlag ? pszParam + 1 : pszParam, bFlag, i == __argc - 1);
    }
}

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL) {
    // After "/pt" and its file name come the printer, its driver and its port.
    if (!bFlag && m_nPrintToArgs > 0 && !m_strFileName.empty()) {
        std::string* fields[] = {&m_strPrinterName, &m_strDriverName, &m_strPortName};
        *fields[3 - m_nPrintToArgs--] = pszParam;
        return;
    }
    if (bFlag) {
        if (_stricmp(pszParam, "pt") == 0) {
            m_nShellCommand = FilePrintTo;
            m_nPrintToArgs = 3;
        } else if (_stricmp(pszParam, "p") == 0) {
            m_nShellCommand = FilePrint;
        } else if (_stricmp(pszParam, "dde") == 0) {
            m_nShellCommand = FileDDE;
        }
        return;
    }
    if (m_strFileName.empty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
    }
}

std::string AfxLoadString(UINT nID) {
    char buffer[4096];
    const int n = ::LoadStringA(::GetModuleHandleA(nullptr), nID, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

std::string AfxFormatString1(UINT nIDS, const char* lpsz1) {
    std::string text = AfxLoadString(nIDS);
    if (const size_t at = text.find("%1"); at != std::string::npos) text.replace(at, 2, lpsz1 ? lpsz1 : "");
    return text;
}

int AfxMessageBox(const char* lpszText, UINT nType, UINT nIDHelp) {
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->DoMessageBox(lpszText, nType, nIDHelp) : ::MessageBoxA(nullptr, lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType) {
    return AfxMessageBox(AfxLoadString(nIDPrompt).c_str(), nType, nIDPrompt);
}

int AfxWinMain(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow) {
    CWinApp* pApp = AfxGetApp();
    if (!pApp) return -1;
    pApp->SetCurrentHandles(hInstance, lpCmdLine, nCmdShow);
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd) pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}
