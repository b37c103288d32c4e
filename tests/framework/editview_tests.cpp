// Edit views under Wine: the edit commands' enable rules, the text limit and
// tab stops, and Find, Find Next and Replace with one search text shared by
// all views.
#include "framework/app.h"
#include "tests/framework/mdi_app.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

#include <commdlg.h>

namespace mditest {
namespace {

class EditView : public testing::Test, protected MdiFixture {
protected:
    void SetUp() override { MdiFixture::SetUp(); }
    void TearDown() override {
        if (HWND hDlg = FindDialog()) ::DestroyWindow(hDlg);
        MdiFixture::TearDown();
    }

    void SetText(const char* text) {
        ActiveView()->SendMessage(EM_SETSEL, 0, -1);
        ActiveView()->SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
        ActiveView()->SendMessage(EM_EMPTYUNDOBUFFER);
    }
    void Select(int start, int end) { ActiveView()->SendMessage(EM_SETSEL, start, end); }
    std::pair<DWORD, DWORD> Selection() {
        DWORD s = 0, e = 0;
        ActiveView()->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        return {s, e};
    }
    static HWND FindDialog() {
        HWND hDlg = ::FindWindowA("#32770", "Find");
        return hDlg ? hDlg : ::FindWindowA("#32770", "Replace");
    }
    // Types into the open dialog's find (and replace) box and presses a button.
    static void Press(const char* find, const char* replace, int button) {
        HWND hDlg = FindDialog();
        ASSERT_NE(hDlg, nullptr);
        ::SetDlgItemTextA(hDlg, 0x480, find);  // the "Find what" box
        if (replace) ::SetDlgItemTextA(hDlg, 0x481, replace);
        ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, button)));
        fwtest::PumpPending();
    }
};

TEST_F(EditView, EditCommandsFollowTheirEnableRules) {
    ASSERT_NE(NewDoc(), nullptr);
    struct Case {
        const char* text;
        int selStart, selEnd;
        bool clipboard;
        bool undo, cut, paste, selectAll, find;
    };
    const Case cases[] = {
        // text      sel     clip   undo   cut    paste  all    find
        {"", 0, 0, false, false, false, false, false, false},
        {"", 0, 0, true, false, false, true, false, false},
        {"hello", 5, 5, false, false, false, false, true, true},
        {"hello", 1, 3, true, false, true, true, true, true},
    };
    for (const Case& c : cases) {
        SetText(c.text);
        Select(c.selStart, c.selEnd);
        fwtest::SetClipboardText(c.clipboard ? "clip" : nullptr);
        const std::string at = std::string("text '") + c.text + "' sel " + std::to_string(c.selStart);
        EXPECT_EQ(Update(ID_EDIT_UNDO).enabled, c.undo) << at;
        for (UINT id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_CLEAR}) EXPECT_EQ(Update(id).enabled, c.cut) << at;
        EXPECT_EQ(Update(ID_EDIT_PASTE).enabled, c.paste) << at;
        for (UINT id : {ID_EDIT_SELECT_ALL, ID_EDIT_FIND, ID_EDIT_REPLACE}) {
            EXPECT_EQ(Update(id).enabled, c.selectAll) << at;
        }
    }
    // Undo after a change that can be undone.
    ActiveView()->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
    EXPECT_TRUE(Update(ID_EDIT_UNDO).enabled);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(ActiveView()->GetWindowText(), "hello");

    // Commands act on the control.
    Select(0, 2);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(ActiveView()->GetWindowText(), "llo");
    Select(3, 3);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(ActiveView()->GetWindowText(), "llohe");
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 5}));
}

TEST_F(EditView, TabStopsSurviveAFontChange) {
    ASSERT_NE(NewDoc(), nullptr);
    CTestView* pView = ActiveView();
    SetText("a\tb");
    // With tab stops at 32 dialog units the "b" sits well right of the "a".
    auto bx = [&] { return LOWORD(pView->SendMessage(EM_POSFROMCHAR, 2)); };
    const int before = bx();
    pView->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(ANSI_FIXED_FONT)), TRUE);
    pView->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(SYSTEM_FIXED_FONT)), TRUE);
    EXPECT_EQ(bx(), before);
    EXPECT_GT(before, 8 * 4);  // more than four average characters in
}

TEST_F(EditView, FindFindNextAndReplaceShareOneSearchTextAcrossViews) {
    ASSERT_NE(NewDoc(), nullptr);
    SetText("alpha beta Alpha gamma alpha");
    EXPECT_FALSE(Update(ID_EDIT_REPEAT).enabled || false) << "no search text yet";
    Select(0, 0);
    Command(ID_EDIT_FIND);
    fwtest::PumpPending();
    ASSERT_NE(FindDialog(), nullptr);

    // Find Next from the dialog, case-insensitive, downwards.
    Press("alpha", nullptr, IDOK);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 5}));
    Press("alpha", nullptr, IDOK);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{11, 16}));

    // F3 repeats the search in another view, from its own selection.
    ::DestroyWindow(FindDialog());
    fwtest::PumpPending();
    ASSERT_NE(NewDoc(), nullptr);
    SetText("no match here, then alpha");
    Select(0, 0);
    EXPECT_TRUE(Update(ID_EDIT_REPEAT).enabled);
    Command(ID_EDIT_REPEAT);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{20, 25}));
    // Wrapping around: the next repeat finds the same one again.
    Command(ID_EDIT_REPEAT);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{20, 25}));

    // Replace: the selected match is replaced, then the next is selected.
    SetText("one two one two");
    Select(0, 0);
    Command(ID_EDIT_REPLACE);
    fwtest::PumpPending();
    Press("one", "1", IDOK);  // Find Next selects the first
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 3}));
    Press("one", "1", 0x400);  // Replace
    EXPECT_EQ(ActiveView()->GetWindowText(), "1 two one two");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{6, 9}));
    Press("two", "2", 0x401);  // Replace All
    EXPECT_EQ(ActiveView()->GetWindowText(), "1 2 one 2");
    EXPECT_TRUE(ActiveView()->GetDocument()->IsModified());
}

}  // namespace
}  // namespace mditest
