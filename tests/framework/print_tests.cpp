// Printing for real under Wine, through a CUPS PostScript printer: direct
// printing and the print dialog, the printer chosen in Print Setup, and a job
// that fails midway.
#include "framework/afxres.h"
#include "framework/app.h"
#include "framework/preview.h"
#include "tests/framework/mdi_ids.h"
#include "tests/framework/print_fixture.h"
#include "tests/support/test_app.h"

#include <dlgs.h>

namespace printtest {
namespace {

using Print = PrintFixture;

TEST_F(Print, DirectPrintSendsEveryPageUnderTheDocumentsTitleAndPreviewAgrees) {
    const int perPage = LinesPerPrinterPage();
    ASSERT_GT(perPage, 10);
    struct Case {
        int lines;
        int pages;
    };
    // Whole lines make a page: two full pages, then one line more.
    for (const Case c : {Case{2 * perPage, 2}, Case{2 * perPage + 1, 3}}) {
        mditest::CTestDoc* pDoc = NewDocWithText(NumberedLines(c.lines));
        ASSERT_NE(pDoc, nullptr);
        EXPECT_EQ(PreviewPageCount(), static_cast<UINT>(c.pages)) << c.lines << " lines";
        Command(ID_FILE_PRINT_DIRECT);
        const Job job = TakeJob();
        EXPECT_EQ(job.Pages(), c.pages) << c.lines << " lines";
        EXPECT_TRUE(job.HasTitle(pDoc->GetTitle())) << pDoc->GetTitle();
    }
    EXPECT_TRUE(fwtest::App().messages.empty());
}

TEST_F(Print, ThePrintDialogPrintsWhenAcceptedAndNothingWhenCancelled) {
    const int perPage = LinesPerPrinterPage();
    ASSERT_NE(NewDocWithText(NumberedLines(perPage + perPage / 2)), nullptr);
    {
        DialogAnswerer cancel([](HWND hDlg) { DialogAnswerer::Press(hDlg, IDCANCEL); });
        Command(ID_FILE_PRINT);
        EXPECT_TRUE(cancel.Answered());
    }
    EXPECT_FALSE(JobArrives());
    {
        DialogAnswerer accept([](HWND hDlg) { DialogAnswerer::Press(hDlg, IDOK); });
        Command(ID_FILE_PRINT);
        EXPECT_TRUE(accept.Answered());
    }
    EXPECT_EQ(TakeJob().Pages(), 2);
    EXPECT_TRUE(fwtest::App().messages.empty());
}

TEST_F(Print, PrintSetupChoosesThePrinterSettingsOfTheNextPrintAndPreview) {
    auto setOrientation = [](int nRadio) {
        DialogAnswerer answer([nRadio](HWND hDlg) {
            ::SendMessageA(::GetDlgItem(hDlg, nRadio), BM_CLICK, 0, 0);
            DialogAnswerer::Press(hDlg, IDOK);
        });
        fwtest::App().OnFilePrintSetup();
        return answer.Answered();
    };
    const int portrait = LinesPerPrinterPage();
    ASSERT_TRUE(setOrientation(rad2));  // Landscape
    const int landscape = LinesPerPrinterPage();
    EXPECT_LT(landscape, portrait);

    const int lines = 2 * portrait;
    const int pages = (lines + landscape - 1) / landscape;
    ASSERT_NE(NewDocWithText(NumberedLines(lines)), nullptr);
    EXPECT_EQ(PreviewPageCount(), static_cast<UINT>(pages));
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(TakeJob().Pages(), pages);

    ASSERT_TRUE(setOrientation(rad1));  // back to Portrait for the other tests
    EXPECT_EQ(LinesPerPrinterPage(), portrait);
}

// An edit view whose job is ended under the framework while it draws page 2,
// so that the printer takes no more pages from then on.
class CFailingPrintView : public CEditView {
    DECLARE_DYNCREATE(CFailingPrintView)
public:
    static int s_printed;
    static bool s_ended;
    void OnPrint(HDC hDC, CPrintInfo* pInfo) override {
        CEditView::OnPrint(hDC, pInfo);
        ++s_printed;
        if (pInfo->m_nCurPage == 2) ::EndDoc(hDC);
    }
    void OnEndPrinting(HDC hDC, CPrintInfo* pInfo) override {
        s_ended = true;
        CEditView::OnEndPrinting(hDC, pInfo);
    }
};
IMPLEMENT_DYNCREATE(CFailingPrintView, CEditView)
int CFailingPrintView::s_printed = 0;
bool CFailingPrintView::s_ended = false;

TEST_F(Print, APrintThatFailsMidwayStopsThereAndSaysSo) {
    static CMultiDocTemplate* pTemplate = nullptr;
    if (!pTemplate) {
        using mditest::CTestChild;
        using mditest::CTestDoc;
        pTemplate = new CMultiDocTemplate(IDR_TESTTYPE, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestChild),
                                          RUNTIME_CLASS(CFailingPrintView));
        fwtest::App().AddDocTemplate(pTemplate);
    }
    ASSERT_NE(pTemplate->OpenDocumentFile(nullptr, TRUE), nullptr);
    fwtest::PumpPending();
    ActiveView()->SetWindowText(NumberedLines(3 * LinesPerPrinterPage()).c_str());
    CFailingPrintView::s_printed = 0;
    CFailingPrintView::s_ended = false;

    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(fwtest::App().messages, std::vector<std::string>{AfxLoadString(AFX_IDP_FAILED_TO_PRINT)});
    EXPECT_EQ(CFailingPrintView::s_printed, 2);  // nothing after the page that failed
    EXPECT_TRUE(CFailingPrintView::s_ended);
    // What the ended job had, and no more, reaches the printer.
    EXPECT_EQ(TakeJob().Pages(), 2);
}

}  // namespace
}  // namespace printtest
