#include "tests/framework/print_fixture.h"

#include "framework/app.h"
#include "framework/preview.h"
#include "tests/support/test_app.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace printtest {

DialogAnswerer* DialogAnswerer::s_pCurrent = nullptr;

DialogAnswerer::DialogAnswerer(std::function<void(HWND)> answer)
    : m_answer(std::move(answer)), m_nTimer(::SetTimer(nullptr, 0, 100, &DialogAnswerer::OnTimer)) {
    s_pCurrent = this;
}

DialogAnswerer::~DialogAnswerer() {
    ::KillTimer(nullptr, m_nTimer);
    s_pCurrent = nullptr;
}

namespace {
BOOL CALLBACK FindVisibleDialog(HWND hWnd, LPARAM lParam) {
    char name[16] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    if (std::string(name) == "#32770" && ::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

void CALLBACK DialogAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    DialogAnswerer* self = s_pCurrent;
    if (!self || self->m_bAnswered) return;
    HWND hDlg = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindVisibleDialog, reinterpret_cast<LPARAM>(&hDlg));
    if (!hDlg) return;
    self->m_bAnswered = true;
    self->m_answer(hDlg);
}

void DialogAnswerer::Press(HWND hDlg, int nID) {
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, nID)));
}

int Job::Pages() const {
    int pages = 0;
    for (size_t at = postScript.find("\n%%Page: "); at != std::string::npos;
         at = postScript.find("\n%%Page: ", at + 1)) {
        ++pages;
    }
    return pages;
}

bool Job::HasTitle(const std::string& title) const {
    const std::string line = "\n%%Title: " + title;
    const size_t at = postScript.find(line);
    return at != std::string::npos && at + line.size() < postScript.size() &&
           (postScript[at + line.size()] == '\n' || postScript[at + line.size()] == '\r');
}

void PrintFixture::SetUp() {
    const char* dir = std::getenv("KESTRUM_PRINT_OUTPUT");
    ASSERT_TRUE(dir && *dir) << "KESTRUM_PRINT_OUTPUT is not set: run these tests through ctest, whose fixture "
                                "starts the test printer (scripts/printer.sh start DIR)";
    // The printer writes on the Unix side; Wine shows the root as drive Z:.
    m_strJobFile = std::string("Z:") + dir + "/job.ps";
    for (char& c : m_strJobFile) {
        if (c == '/') c = '\\';
    }
    ::DeleteFileA(m_strJobFile.c_str());
    m_hFont = ::CreateFontA(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier");
    MdiFixture::SetUp();
}

void PrintFixture::TearDown() {
    if (docTemplate) MdiFixture::TearDown();  // not when SetUp stopped early
    if (m_hFont) ::DeleteObject(m_hFont);
}

mditest::CTestDoc* PrintFixture::NewDocWithText(const std::string& text) {
    mditest::CTestDoc* pDoc = NewDoc();
    if (!pDoc) return nullptr;
    ActiveView()->SetFont(m_hFont);
    ActiveView()->SetWindowText(text.c_str());
    return pDoc;
}

std::string PrintFixture::NumberedLines(int nLines) {
    std::string text;
    for (int i = 1; i <= nLines; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

int PrintFixture::LinesPerPrinterPage() const {
    HDC hPrinter = fwtest::App().CreatePrinterDC();
    if (!hPrinter) return 0;
    LOGFONTA lf{};
    ::GetObjectA(m_hFont, sizeof lf, &lf);
    HDC hScreen = ::GetDC(nullptr);
    lf.lfHeight = ::MulDiv(lf.lfHeight, ::GetDeviceCaps(hPrinter, LOGPIXELSY), ::GetDeviceCaps(hScreen, LOGPIXELSY));
    ::ReleaseDC(nullptr, hScreen);
    HFONT hFont = ::CreateFontIndirectA(&lf);
    HGDIOBJ hOld = ::SelectObject(hPrinter, hFont);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(hPrinter, &tm);
    const int lines = ::GetDeviceCaps(hPrinter, VERTRES) / (tm.tmHeight + tm.tmExternalLeading);
    ::SelectObject(hPrinter, hOld);
    ::DeleteObject(hFont);
    ::DeleteDC(hPrinter);
    return lines;
}

UINT PrintFixture::PreviewPageCount() {
    Command(ID_FILE_PRINT_PREVIEW);
    CPreviewWnd* pPreview = CPreviewWnd::FromFrame(frame);
    if (!pPreview) return 0;
    const UINT nPages = pPreview->GetPageCount();
    pPreview->Close();
    return nPages;
}

Job PrintFixture::TakeJob() {
    constexpr DWORD kWaitMs = 60000;
    const DWORD start = ::GetTickCount();
    Job job;
    while (::GetTickCount() - start < kWaitMs) {
        fwtest::PumpPending();
        std::ifstream file(m_strJobFile, std::ios::binary);
        if (file) {
            std::ostringstream content;
            content << file.rdbuf();
            job.postScript = content.str();
            if (job.postScript.find("\n%%EOF") != std::string::npos) {
                file.close();
                ::DeleteFileA(m_strJobFile.c_str());
                return job;
            }
        }
        ::Sleep(100);
    }
    ADD_FAILURE() << "no complete print job arrived in " << m_strJobFile << " within " << kWaitMs / 1000
                  << " s; the printer's log is in the log folder beside it";
    return job;
}

bool PrintFixture::JobArrives() {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 3000) {
        fwtest::PumpPending();
        if (::GetFileAttributesA(m_strJobFile.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        ::Sleep(100);
    }
    return false;
}

}  // namespace printtest
