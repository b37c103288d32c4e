// With no printer installed (this program's Wine looks for a CUPS server
// where there is none), every print command says so and changes nothing.
#include "framework/afxres.h"
#include "framework/app.h"
#include "framework/preview.h"
#include "tests/framework/mdi_app.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace mditest {
namespace {

class NoPrinter : public testing::Test, protected MdiFixture {
protected:
    void SetUp() override { MdiFixture::SetUp(); }
    void TearDown() override { MdiFixture::TearDown(); }

};

BOOL CALLBACK FindVisibleDialog(HWND hWnd, LPARAM lParam) {
    char name[16] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    if (std::string(name) != "#32770" || !::IsWindowVisible(hWnd)) return TRUE;
    *reinterpret_cast<bool*>(lParam) = true;
    return FALSE;
}

bool DialogShows() {
    bool bFound = false;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindVisibleDialog, reinterpret_cast<LPARAM>(&bFound));
    return bFound;
}

TEST_F(NoPrinter, PrintPrintDirectPreviewAndPrintSetupSayThatNoPrinterIsInstalled) {
    ASSERT_FALSE(fwtest::App().GetPrinterDeviceDefaults());
    EXPECT_EQ(fwtest::App().CreatePrinterDC(), nullptr);
    ASSERT_NE(NewDoc(), nullptr);
    ActiveView()->SetWindowText("some text to print");
    CView* pView = ActiveView();
    const std::vector<std::string> noPrinter{AfxLoadString(AFX_IDP_NO_PRINTER)};
    ASSERT_EQ(noPrinter[0], "No printer is installed. Install a printer and try again.");

    struct Case {
        const char* name;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"Print", [this] { Command(ID_FILE_PRINT); }},
        {"Print Direct", [this] { Command(ID_FILE_PRINT_DIRECT); }},
        {"Print Preview", [this] { Command(ID_FILE_PRINT_PREVIEW); }},
        {"Print Setup", [] { fwtest::App().OnFilePrintSetup(); }},
    };
    for (const Case& c : cases) {
        fwtest::App().messages.clear();
        c.run();
        fwtest::PumpPending();
        EXPECT_EQ(fwtest::App().messages, noPrinter) << c.name;
        EXPECT_FALSE(DialogShows()) << c.name;
        EXPECT_EQ(CPreviewWnd::FromFrame(frame), nullptr) << c.name;
        EXPECT_TRUE(::IsWindowVisible(frame->m_hWndMDIClient)) << c.name;
        EXPECT_EQ(ActiveView(), pView) << c.name;
        EXPECT_EQ(::GetFocus(), pView->m_hWnd) << c.name;
    }
}

}  // namespace
}  // namespace mditest
