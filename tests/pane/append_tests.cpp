// The pane's append rule on a real edit control: following the output at the
// end, holding the user's selection and scroll position anywhere else,
// counting the lines the pane shows, and making room at the text limit.
#include "framework/handles.h"
#include "tests/pane/pane_fixture.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace panetest {
namespace {

constexpr size_t kLineLength = 14;  // "line 0000000\r\n"

// count numbered lines from `first` on, each kLineLength characters.
std::string Lines(int first, int count) {
    std::string text;
    text.reserve(static_cast<size_t>(count) * kLineLength);
    char line[kLineLength + 1];
    for (int n = first; n < first + count; ++n) {
        std::snprintf(line, sizeof line, "line %07d\r\n", n);
        text += line;
    }
    return text;
}

DWORD LineStart(const CWnd* pPane, int line) {
    return static_cast<DWORD>(pPane->SendMessage(EM_LINEINDEX, static_cast<WPARAM>(line)));
}

int LineOf(const CWnd* pPane, DWORD pos) { return static_cast<int>(pPane->SendMessage(EM_LINEFROMCHAR, pos)); }

bool NeedsPaint(const CWnd* pPane) { return ::GetUpdateRect(pPane->m_hWnd, nullptr, FALSE) != FALSE; }

class Append : public testing::Test, protected PaneFixture {
protected:
    void SetUp() override { PaneFixture::SetUp(); }
    void TearDown() override { PaneFixture::TearDown(); }

    static constexpr int kScrolledToTheEnd = -1;

    // Gives the pane `text` with the selection and first visible line that
    // the user left, and paints it, so that only what follows asks to paint.
    // Returns the first visible line.
    static int Place(CKestrumView* pPane, const std::string& text, DWORD start, DWORD end, int firstVisible) {
        pPane->SetWindowText(text.c_str());
        pPane->SendMessage(EM_SETSEL, start, end);
        const int target = firstVisible == kScrolledToTheEnd ? 1 << 20 : firstVisible;
        pPane->SendMessage(EM_LINESCROLL, 0, target - FirstVisibleLine(pPane));
        fwtest::PumpPending();
        ::UpdateWindow(pPane->m_hWnd);
        return firstVisible == kScrolledToTheEnd ? FirstVisibleLine(pPane) : firstVisible;
    }
};

TEST_F(Append, AnEmptyPaneFollowsAndAStreamOfOutputKeepsTheEndInView) {
    CKestrumView* pane = NewPane();
    ASSERT_NE(pane, nullptr);
    ASSERT_EQ(pane->GetWindowTextLength(), 0);
    pane->AppendText("first\r\n");
    EXPECT_EQ(Selection(pane), std::make_pair(DWORD{7}, DWORD{7}));

    for (int n = 0; n < 300; ++n) pane->AppendText(Lines(n, 1).c_str());
    const std::string text = PaneText(pane);
    EXPECT_EQ(text, "first\r\n" + Lines(0, 300));
    const DWORD length = static_cast<DWORD>(text.size());
    EXPECT_EQ(Selection(pane), std::make_pair(length, length));
    // The newest line is on screen: the pane scrolled along with the output.
    EXPECT_GT(FirstVisibleLine(pane), 0);
    const LRESULT pos = pane->SendMessage(EM_POSFROMCHAR, length - kLineLength);
    RECT client;
    pane->GetClientRect(&client);
    const int y = static_cast<short>(HIWORD(pos));
    EXPECT_GE(y, client.top);
    EXPECT_LE(y + frame->m_nLineHeight, client.bottom);
}

TEST_F(Append, HoldingKeepsTheSelectionAndFirstVisibleLineAndPaintsOnlyWhenTheLastLineShows) {
    struct Case {
        const char* what;
        int lines;
        int selStartLine, selStartColumn;  // selStartLine -1: the end of the text
        int selEndLine, selEndColumn;      // selEndLine -1: the end of the text
        int firstVisible;
        bool paints;
    };
    const Case cases[] = {
        {"selection ending at the end, all text on screen", 5, 2, 3, -1, 0, 0, true},
        {"selection ending at the end, last line off screen", 200, 150, 0, -1, 0, 100, false},
        {"caret at the start, all text on screen", 5, 0, 0, 0, 0, 0, true},
        {"caret at the start, last line off screen", 200, 0, 0, 0, 0, 0, false},
        {"selection in the middle, scrolled, last line off screen", 200, 100, 5, 101, 2, 90, false},
        {"caret on the last full line, scrolled to the end", 200, 199, 4, 199, 4, kScrolledToTheEnd, true},
    };
    CKestrumView* pane = NewPane();
    ASSERT_NE(pane, nullptr);
    const std::string added = "added text\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string text = Lines(0, c.lines);
        const DWORD length = static_cast<DWORD>(text.size());
        auto at = [&](int line, int column) {
            return line < 0 ? length : static_cast<DWORD>(line * kLineLength + column);
        };
        const DWORD start = at(c.selStartLine, c.selStartColumn);
        const DWORD end = at(c.selEndLine, c.selEndColumn);
        const int firstVisible = Place(pane, text, start, end, c.firstVisible);
        ASSERT_EQ(FirstVisibleLine(pane), firstVisible);
        ASSERT_EQ(Selection(pane), std::make_pair(start, end));
        ASSERT_FALSE(NeedsPaint(pane));

        pane->AppendText(added.c_str());
        EXPECT_EQ(PaneText(pane), text + added);
        EXPECT_EQ(Selection(pane), std::make_pair(start, end));
        EXPECT_EQ(FirstVisibleLine(pane), firstVisible);
        EXPECT_EQ(NeedsPaint(pane), c.paints);
    }
}

TEST_F(Append, IsCaretLineVisibleCountsTheWholeLinesOfTheTextArea) {
    struct Case {
        int lineHeight;
        int caretLine;
        bool visible;
    };
    // A text area 100 pixels high, first visible line 10.
    const Case cases[] = {
        {16, 10, true},  {16, 12, true},   {16, 15, true},  {16, 16, false}, {16, 9, false}, {16, 30, false},
        {100, 10, true}, {100, 11, false}, {101, 10, false},  // lower than one line: none counts
        {25, 13, true},  {25, 14, false},
    };
    CKestrumView* pane = NewPane(Lines(0, 60));
    ASSERT_NE(pane, nullptr);
    // A font whose lines divide the area exactly, so that the control keeps
    // the area as given (it rounds it down to its own whole lines).
    LOGFONT lf{};
    lf.lfHeight = 25;
    std::strcpy(lf.lfFaceName, "Tahoma");
    const fw::UniqueGdiObject font(::CreateFontIndirectA(&lf));
    pane->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    RECT area{0, 0, 300, 102};  // the control keeps one pixel of each edge for its border
    pane->SendMessage(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&area));
    RECT rect{};
    pane->SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    ASSERT_EQ(rect.bottom - rect.top, 100);

    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line height " << c.lineHeight << ", caret line " << c.caretLine);
        frame->m_nLineHeight = c.lineHeight;
        const DWORD caret = LineStart(pane, c.caretLine) + 2;
        pane->SendMessage(EM_SETSEL, caret, caret);
        pane->SendMessage(EM_LINESCROLL, 0, 10 - FirstVisibleLine(pane));
        ASSERT_EQ(FirstVisibleLine(pane), 10);
        EXPECT_EQ(pane->IsCaretLineVisible() != FALSE, c.visible);
    }
    pane->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(frame->GetPaneFont()), FALSE);
}

// At the control's limit whole lines go from the start, a block of about an
// eighth of the limit at once, and the newest text is kept.
TEST_F(Append, AtTheLimitWholeLinesGoFromTheStartAndTheNewestTextStays) {
    constexpr size_t kLimit = CEditView::kTextLimit;
    const int nLines = static_cast<int>(kLimit / kLineLength);  // 3 characters short of the limit
    const std::string text = Lines(0, nLines);
    CKestrumView* pane = NewPane();
    ASSERT_NE(pane, nullptr);
    pane->SetWindowText(text.c_str());
    const DWORD length = static_cast<DWORD>(text.size());
    pane->SendMessage(EM_SETSEL, length, length);

    const std::string added = "the newest text\r\n";
    pane->AppendText(added.c_str());
    const std::string after = PaneText(pane);
    ASSERT_GT(after.size(), added.size());
    ASSERT_LE(after.size(), kLimit);
    EXPECT_EQ(after.substr(after.size() - added.size()), added);
    const size_t cut = text.size() + added.size() - after.size();
    EXPECT_EQ(after, text.substr(cut) + added);
    EXPECT_EQ(cut % kLineLength, 0u) << "a line was cut in two";
    EXPECT_GE(cut, kLimit / 8);
    EXPECT_LT(cut, kLimit / 8 + kLineLength);
    // Still following.
    const DWORD end = static_cast<DWORD>(after.size());
    EXPECT_EQ(Selection(pane), std::make_pair(end, end));

    // A single text longer than the pane holds leaves its newest lines.
    std::string huge = Lines(0, nLines + 10);
    pane->AppendText(huge.c_str());
    const size_t firstKept = (huge.size() - kLimit) / kLineLength + 1;
    EXPECT_EQ(PaneText(pane), huge.substr(firstKept * kLineLength));
}

TEST_F(Append, AtTheLimitTheUsersSelectionAndScrolledPositionStayOnTheirText) {
    constexpr size_t kLimit = CEditView::kTextLimit;
    const int nLines = static_cast<int>(kLimit / kLineLength);
    const std::string text = Lines(0, nLines);
    struct Case {
        const char* what;
        int selLine;  // selection: columns 5 to 12 of this line
        int firstVisible;
        bool kept;  // the selection and the first visible line are on text that stays
    };
    const Case cases[] = {
        {"on text that stays", 50000, 49990, true},
        {"on text that goes", 100, 90, false},
    };
    CKestrumView* pane = NewPane();
    ASSERT_NE(pane, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DWORD start = static_cast<DWORD>(c.selLine * kLineLength + 5);
        const DWORD end = start + 7;
        Place(pane, text, start, end, c.firstVisible);
        ASSERT_EQ(FirstVisibleLine(pane), c.firstVisible);
        const std::string selected = text.substr(start, end - start);
        const std::string firstShown = text.substr(LineStart(pane, c.firstVisible), kLineLength);

        pane->AppendText("added\r\n");
        const std::string after = PaneText(pane);
        ASSERT_LT(after.size(), text.size()) << "nothing was removed";
        const auto [newStart, newEnd] = Selection(pane);
        if (c.kept) {
            EXPECT_EQ(after.substr(newStart, newEnd - newStart), selected);
            EXPECT_EQ(after.substr(LineStart(pane, FirstVisibleLine(pane)), kLineLength), firstShown);
            EXPECT_EQ(LineOf(pane, newStart) - FirstVisibleLine(pane), c.selLine - c.firstVisible);
        } else {
            EXPECT_EQ(newStart, 0u);
            EXPECT_EQ(newEnd, 0u);
            EXPECT_EQ(FirstVisibleLine(pane), 0);
        }
    }
}

}  // namespace
}  // namespace panetest
