// CWinApp: the application object. It starts and ends the program, runs the
// message loop, answers the application's commands, and reads and writes the
// program's settings in the current user's registry.
#pragma once

#include "framework/print.h"
#include "framework/thread.h"

#include <string>

class CDocManager;
class CDocTemplate;

class CCommandLineInfo {
public:
    enum Shell { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, FileNothing };

    Shell m_nShellCommand = FileNew;
    std::string m_strFileName;
    std::string m_strPrinterName;
    std::string m_strDriverName;
    std::string m_strPortName;

    virtual ~CCommandLineInfo() = default;
    // One argument: bFlag when it began with '/' or '-' (then without it).
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

private:
    int m_nPrintToArgs = 0;  // printer, driver and port still expected after /pt
};

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    std::string m_strAppName;      // from AFX_IDS_APP_TITLE, else the exe's name
    std::string m_strRegistryKey;  // the company key; empty until SetRegistryKey
    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CDocManager* m_pDocManager = nullptr;
    UINT m_nNumPreviewPages = 0;  // "PreviewPages": 0 until the user chooses

    explicit CWinApp(const char* lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    // Gives dialogs and controls the system's current look (the common
    // controls the program's manifest asks for). The result may be ignored.
    BOOL Enable3dControlsStatic();
    int ExitInstance() override;
    BOOL OnIdle(LONG lCount) override;

    // Profile: HKEY_CURRENT_USER\Software\<company>\<application>\<section>,
    // a backslash in a section nesting keys. Every call opens, and creates when
    // missing, the keys it needs, and closes them again.
    void SetRegistryKey(const char* lpszRegistryKey);
    UINT GetProfileInt(const char* lpszSection, const char* lpszEntry, int nDefault);
    std::string GetProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszDefault = nullptr);
    BOOL WriteProfileInt(const char* lpszSection, const char* lpszEntry, int nValue);
    BOOL WriteProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszValue);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);

    // Documents: the templates and their documents, through the document
    // manager (made by the first AddDocTemplate, deleted with the application).
    void AddDocTemplate(CDocTemplate* pTemplate);
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    virtual BOOL DoPromptFileName(std::string& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);

    // Framework messages go through here; a test program may watch them.
    virtual int DoMessageBox(const char* lpszPrompt, UINT nType, UINT nIDPrompt);

    // The printer: the one last chosen in Print Setup or the print dialog,
    // else the system's default. The application keeps its names and
    // settings until it ends. FALSE when no printer is installed.
    BOOL GetPrinterDeviceDefaults();
    // A device context for that printer, owned by the caller; NULL on failure.
    HDC CreatePrinterDC();
    // Runs the print dialog, or with PD_PRINTSETUP the printer set-up
    // dialog, on that printer and keeps what the user chose there; pPD's
    // hDevMode and hDevNames are NULL again afterwards. IDOK or IDCANCEL.
    INT_PTR DoPrintDialog(PRINTDLGA* pPD);

    // Command handlers an application's map may bind.
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    void OnFilePrintSetup();

    // Sets the handles, the command line and the application name; AfxWinMain
    // calls it before InitInstance.
    void SetCurrentHandles(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);

    DECLARE_MESSAGE_MAP()

private:
    HKEY OpenSectionKey(const char* lpszSection);  // created when missing; NULL on failure

    fw::UniqueGlobal m_hDevMode;   // the printer's settings (DEVMODE)
    fw::UniqueGlobal m_hDevNames;  // its driver, device and port (DEVNAMES)
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// The framework's messages and texts.
std::string AfxLoadString(UINT nID);
std::string AfxFormatString1(UINT nIDS, const char* lpsz1);
int AfxMessageBox(const char* lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK);

// The program's start: run by WinMain in the framework's main library.
int AfxWinMain(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);
