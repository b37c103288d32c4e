// What the print tests share: the MDI test application with a document to
// print, the printer's output (a CUPS queue of scripts/printer.sh writing
// each job's PostScript to $KESTRUM_PRINT_OUTPUT/job.ps), an answerer for
// the system's modal print dialogs, and the page count a text should make.
#pragma once

#include "tests/framework/mdi_app.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace printtest {

// Answers the next modal dialog of this thread from a timer, as a user
// would: answer gets the dialog's window and presses its buttons.
class DialogAnswerer {
public:
    explicit DialogAnswerer(std::function<void(HWND)> answer);
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;
    ~DialogAnswerer();
    bool Answered() const { return m_bAnswered; }

    // Presses a button of a dialog.
    static void Press(HWND hDlg, int nID);

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static DialogAnswerer* s_pCurrent;
    std::function<void(HWND)> m_answer;
    UINT_PTR m_nTimer;
    bool m_bAnswered = false;
};

// The PostScript of a printed job.
struct Job {
    std::string postScript;
    int Pages() const;                      // its "%%Page:" comments
    bool HasTitle(const std::string& title) const;  // its "%%Title:", the spooler's document name
};

class PrintFixture : public testing::Test, protected mditest::MdiFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // A document whose view holds text, in a known screen font.
    mditest::CTestDoc* NewDocWithText(const std::string& text);
    // Lines "line 1" ... "line n", each ending in CR LF.
    static std::string NumberedLines(int nLines);
    // Lines of that font a page of the current printer holds, measured on
    // the printer with the font scaled from the screen.
    int LinesPerPrinterPage() const;

    // The page count print preview shows for the active view.
    UINT PreviewPageCount();

    // Waits for the next job to arrive complete; fails the test when none does.
    Job TakeJob();
    // True when a job arrived within a short while (for jobs that must not).
    bool JobArrives();

    std::string m_strJobFile;  // where the printer writes, in Windows form
    HFONT m_hFont = nullptr;   // the views' screen font
};

}  // namespace printtest
