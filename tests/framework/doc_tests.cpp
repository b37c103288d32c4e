// Documents under Wine: the modified flag, Save and Save As, and which
// closes ask to save, the end of a log-on included.
#include "framework/app.h"
#include "tests/framework/mdi_app.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace mditest {
namespace {

class Documents : public testing::Test, protected MdiFixture {
protected:
    void SetUp() override {
        MdiFixture::SetUp();
        char dir[MAX_PATH];
        ::GetTempPathA(MAX_PATH, dir);
        folder = std::string(dir) + "kestrum-doc-tests";
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override {
        MdiFixture::TearDown();
        for (const char* name : {"\\run.txt", "\\noext", "\\second.txt"}) ::DeleteFileA((folder + name).c_str());
        ::RemoveDirectoryA(folder.c_str());
    }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static bool FileExists(const std::string& path) {
        return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    void Type(const char* text) { ActiveView()->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text)); }

    std::string folder;
};

TEST_F(Documents, EditsSetTheModifiedFlag) {
    CTestDoc* pDoc = NewDoc();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_FALSE(pDoc->IsModified());
    Type("x");
    EXPECT_TRUE(pDoc->IsModified());
}

TEST_F(Documents, SaveAsWritesTheRawTextAndRetitlesOnlyAfterSuccess) {
    CTestDoc* pDoc = NewDoc();
    ASSERT_NE(pDoc, nullptr);
    const std::string title = pDoc->GetTitle();
    const std::string text = "first line\r\nsecond\tline\r\n\xE9\r\r\n";
    Type(text.c_str());

    // Cancelled: nothing changes.
    fwtest::App().nextFileName.clear();
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(fwtest::App().proposedFileName, title + ".TXT");
    EXPECT_EQ(pDoc->GetTitle(), title);
    EXPECT_TRUE(pDoc->IsModified());

    // A folder that does not exist: the framework says so; nothing recorded.
    fwtest::App().nextFileName = folder + "\\missing\\run.txt";
    Command(ID_FILE_SAVE_AS);
    ASSERT_EQ(fwtest::App().messages.size(), 1u);
    EXPECT_NE(fwtest::App().messages[0].find("missing\\run.txt"), std::string::npos);
    EXPECT_EQ(pDoc->GetTitle(), title);
    EXPECT_EQ(pDoc->GetPathName(), "");
    EXPECT_TRUE(pDoc->IsModified());

    fwtest::App().nextFileName = folder + "\\run.txt";
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadFile(folder + "\\run.txt"), text);
    EXPECT_EQ(pDoc->GetTitle().rfind("run", 0), 0u) << pDoc->GetTitle();
    EXPECT_EQ(pDoc->GetPathName(), folder + "\\run.txt");
    EXPECT_FALSE(pDoc->IsModified());

    // Later Saves write to that path without asking.
    fwtest::App().proposedFileName.clear();
    fwtest::App().nextFileName.clear();
    Type("more");
    Command(ID_FILE_SAVE);
    EXPECT_EQ(fwtest::App().proposedFileName, "");
    EXPECT_EQ(ReadFile(folder + "\\run.txt"), text + "more");
    // Save As now proposes the recorded path.
    fwtest::App().nextFileName = folder + "\\second.txt";
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(fwtest::App().proposedFileName, folder + "\\run.txt");
    EXPECT_EQ(ReadFile(folder + "\\second.txt"), text + "more");
}

TEST_F(Documents, TheFirstSaveProposesTheTitleCutAtTheFirstUnsafeCharacter) {
    CTestDoc* pDoc = NewDoc();
    ASSERT_NE(pDoc, nullptr);
    struct Case {
        const char* title;
        const char* proposed;
    };
    const Case cases[] = {
        {"Kestrum1", "Kestrum1.TXT"}, {"run log", "run.TXT"},   {"a#b", "a.TXT"},   {"50%", "50.TXT"},
        {"x;y", "x.TXT"},             {"dir/file", "dir.TXT"}, {"c:\\x", "c:.TXT"}, {" lead", ".TXT"},
    };
    fwtest::App().nextFileName.clear();
    for (const Case& c : cases) {
        pDoc->SetTitle(c.title);
        Command(ID_FILE_SAVE);
        EXPECT_EQ(fwtest::App().proposedFileName, c.proposed) << c.title;
    }
    // A typed name without an extension is saved as typed.
    fwtest::App().nextFileName = folder + "\\noext";
    Command(ID_FILE_SAVE);
    EXPECT_TRUE(FileExists(folder + "\\noext"));
    EXPECT_EQ(pDoc->GetPathName(), folder + "\\noext");
}

TEST_F(Documents, ClosingAsksToSaveOnlyAModifiedDocument) {
    CTestDoc* pDoc = NewDoc();
    ASSERT_NE(pDoc, nullptr);
    const std::string title = pDoc->GetTitle();

    // Not modified: closes without a word.
    Command(ID_FILE_CLOSE);
    fwtest::PumpPending();
    EXPECT_TRUE(fwtest::App().messages.empty());
    EXPECT_TRUE(Docs().empty());

    // Modified: asks; Cancel keeps it, No closes it.
    pDoc = NewDoc();
    Type("unsaved");
    fwtest::App().nextAnswer = IDCANCEL;
    frame->MDIGetActive()->SendMessage(WM_CLOSE);
    EXPECT_EQ(fwtest::App().messages, std::vector<std::string>{"Save changes to " + pDoc->GetTitle() + "?"});
    EXPECT_EQ(Docs(), std::vector<CDocument*>{pDoc});
    fwtest::App().nextAnswer = IDNO;
    frame->MDIGetActive()->SendMessage(WM_CLOSE);
    fwtest::PumpPending();
    EXPECT_TRUE(Docs().empty());
    EXPECT_EQ(fwtest::App().messages.size(), 2u);
}

TEST_F(Documents, ClosingOneOfTwoFramesOfAModifiedDocumentAsksNothing) {
    CTestDoc* pDoc = NewDoc();
    ASSERT_NE(pDoc, nullptr);
    Type("unsaved");
    Command(ID_WINDOW_NEW);
    frame->MDIGetActive()->SendMessage(WM_CLOSE);
    fwtest::PumpPending();
    EXPECT_TRUE(fwtest::App().messages.empty());
    EXPECT_EQ(Docs(), std::vector<CDocument*>{pDoc});
}

TEST_F(Documents, ClosingTheMainWindowAsksForEachModifiedDocument) {
    CTestDoc* pDoc1 = NewDoc();
    NewDoc();
    CTestDoc* pDoc3 = NewDoc();
    ASSERT_TRUE(pDoc1 && pDoc3);
    pDoc1->SetModifiedFlag(TRUE);
    pDoc3->SetModifiedFlag(TRUE);
    fwtest::App().nextAnswer = IDCANCEL;
    frame->SendMessage(WM_CLOSE);
    // The first answer cancels the close: nothing closes.
    EXPECT_EQ(fwtest::App().messages, std::vector<std::string>{"Save changes to " + pDoc1->GetTitle() + "?"});
    EXPECT_EQ(Docs().size(), 3u);
    EXPECT_NE(fwtest::App().m_pMainWnd, nullptr);

    fwtest::App().messages.clear();
    fwtest::App().nextAnswer = IDNO;
    const std::string title3 = pDoc3->GetTitle();
    frame->SendMessage(WM_CLOSE);
    fwtest::PumpPending();
    EXPECT_EQ(fwtest::App().messages, (std::vector<std::string>{"Save changes to " + pDoc1->GetTitle() + "?",
                                                               "Save changes to " + title3 + "?"}));
    EXPECT_TRUE(Docs().empty());
    EXPECT_EQ(fwtest::App().m_pMainWnd, nullptr);
}

TEST_F(Documents, TheEndOfALogOnAsksForModifiedDocumentsThenClosesThemWithoutClosingTheWindow) {
    CTestDoc* pDoc1 = NewDoc();
    CTestDoc* pDoc2 = NewDoc();
    ASSERT_TRUE(pDoc1 && pDoc2);
    pDoc2->SetModifiedFlag(TRUE);
    const std::string title2 = pDoc2->GetTitle();

    fwtest::App().nextAnswer = IDCANCEL;
    EXPECT_EQ(frame->SendMessage(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
    EXPECT_EQ(fwtest::App().messages, std::vector<std::string>{"Save changes to " + title2 + "?"});

    fwtest::App().messages.clear();
    fwtest::App().nextAnswer = IDNO;
    EXPECT_EQ(frame->SendMessage(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_EQ(fwtest::App().messages, std::vector<std::string>{"Save changes to " + title2 + "?"});

    fwtest::App().m_nNumPreviewPages = 0;
    frame->SendMessage(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(Docs().empty());
    // The window itself stays: the system ends the process.
    EXPECT_NE(fwtest::App().m_pMainWnd, nullptr);
    EXPECT_EQ(fwtest::App().messages.size(), 1u);
}

}  // namespace
}  // namespace mditest
