// Line and page breaking for printing, as tables over a measure where every
// character is 10 units wide (a 'W' 30, for proportional text).
#include "framework/paginate.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace fw {
// How a failing case shows its lines.
void PrintTo(const TextLine& line, std::ostream* os) { *os << "{" << line.start << "," << line.length << "}"; }
}  // namespace fw

namespace {

using fw::TextLine;

int Measure(std::string_view run) {
    int width = 0;
    for (char c : run) {
        EXPECT_NE(c, '\t') << "tabs are placed, not measured";
        EXPECT_NE(c, '\r');
        EXPECT_NE(c, '\n');
        width += c == 'W' ? 30 : 10;
    }
    return width;
}

struct BreakCase {
    const char* name;
    std::string text;
    int width;
    int tabWidth;
    std::vector<TextLine> lines;
};

TEST(PrintPagination, BreaksLinesAtLineEndsAndWrapsAtTheWidth) {
    const BreakCase cases[] = {
        {"empty text", "", 100, 40, {}},
        {"one line", "abc", 100, 40, {{0, 3}}},
        {"CR LF", "abc\r\ndef", 100, 40, {{0, 3}, {5, 3}}},
        {"LF", "abc\ndef", 100, 40, {{0, 3}, {4, 3}}},
        {"lone CR", "abc\rdef", 100, 40, {{0, 3}, {4, 3}}},
        {"CR CR LF is one line end", "abc\r\r\ndef", 100, 40, {{0, 3}, {6, 3}}},
        {"the last line end starts no line", "abc\r\n", 100, 40, {{0, 3}}},
        {"a line end alone", "\r\n", 100, 40, {{0, 0}}},
        {"empty lines between", "a\r\n\r\nb\n\nc", 100, 40, {{0, 1}, {3, 0}, {5, 1}, {7, 0}, {8, 1}}},
        {"wraps before the word that does not fit", "aaaa bbbb cccc", 100, 40, {{0, 10}, {10, 4}}},
        {"a word that ends at the edge fits", "aaaaa bbbb", 100, 40, {{0, 10}}},
        {"spaces hang past the edge", "aaaaaaaaaa     bb", 100, 40, {{0, 15}, {15, 2}}},
        {"a word wider than a line breaks at the edge", "abcdefghijklmnopqrstuvwxy", 100, 40,
         {{0, 10}, {10, 10}, {20, 5}}},
        {"a long word after a short one", "ab abcdefghijklm", 100, 40, {{0, 3}, {3, 10}, {13, 3}}},
        {"leading spaces stay with their line", "   aaaaaaaaaa", 100, 40, {{0, 3}, {3, 10}}},
        {"a tab moves to the next stop", "a\tbbbbb", 100, 40, {{0, 7}}},
        {"a word past a tab stop wraps", "aaa\tbbbbbbb", 100, 40, {{0, 4}, {4, 7}}},
        {"tabs hang like spaces", "\t\t\tx", 100, 40, {{0, 3}, {3, 1}}},
        {"a tab at a stop goes to the next one", "aaaa\tbbbbbbb", 100, 40, {{0, 5}, {5, 7}}},
        {"proportional widths", "WWWW", 100, 40, {{0, 3}, {3, 1}}},
        {"narrower than one character: one per line", "ab", 5, 40, {{0, 1}, {1, 1}}},
        {"wrapping inside a paragraph, then a new one", "aaaa bbbb cc\r\ndd", 100, 40,
         {{0, 10}, {10, 2}, {14, 2}}},
    };
    for (const BreakCase& c : cases) {
        EXPECT_EQ(fw::BreakLines(c.text, c.width, c.tabWidth, Measure), c.lines) << c.name;
    }
}

TEST(PrintPagination, AWordLongerThanAnyMeasuredRunStillBreaksAtTheEdge) {
    // 1000 characters with no space: 100 lines of 10, each cut at the edge.
    const std::string text(1000, 'x');
    const std::vector<TextLine> lines = fw::BreakLines(text, 100, 40, Measure);
    ASSERT_EQ(lines.size(), 100u);
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], (TextLine{i * 10, 10})) << i;
}

TEST(PrintPagination, WholeLinesMakeAPage) {
    struct Case {
        int pageHeight;
        int lineHeight;
        int lines;
    };
    const Case cases[] = {{100, 10, 10}, {109, 10, 10}, {110, 10, 11}, {9, 10, 1}, {0, 10, 1}, {100, 0, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(fw::LinesPerPage(c.pageHeight, c.lineHeight), c.lines) << c.pageHeight << "/" << c.lineHeight;
    }
}

std::string NumberedLines(int n, const char* lineEnd) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += "line " + std::to_string(i) + lineEnd;
    return text;
}

TEST(PrintPagination, PagesHoldWholeLinesAndAnEmptyTextIsOnePage) {
    fw::PageFormat format;
    format.width = 1000;
    format.height = 105;  // 10 lines of 10, and a remainder that holds no line
    format.lineHeight = 10;
    format.tabWidth = 40;
    struct Case {
        const char* name;
        std::string text;
        unsigned pages;
        size_t linesOnLastPage;
    };
    const Case cases[] = {
        {"empty text", "", 1, 0},
        {"one line", "x", 1, 1},
        {"a full page", NumberedLines(10, "\r\n"), 1, 10},
        {"one line more", NumberedLines(11, "\r\n"), 2, 1},
        {"three pages", NumberedLines(25, "\r\r\n"), 3, 5},
        {"wrapped lines count", std::string(2300, 'y'), 3, 3},
    };
    for (const Case& c : cases) {
        const fw::Pagination pages(c.text, format, Measure);
        EXPECT_EQ(pages.PageCount(), c.pages) << c.name;
        EXPECT_EQ(pages.LineCountOfPage(c.pages), c.linesOnLastPage) << c.name;
        EXPECT_EQ(pages.LineCountOfPage(c.pages + 1), 0u) << c.name;
    }
    // Page 2 of 25 lines starts at line 11 ("line 11").
    const std::string text = NumberedLines(25, "\r\n");
    const fw::Pagination pages(text, format, Measure);
    ASSERT_EQ(pages.FirstLineOfPage(2), 10u);
    const TextLine& first = pages.Lines()[pages.FirstLineOfPage(2)];
    EXPECT_EQ(text.substr(first.start, first.length), "line 11");
    EXPECT_EQ(pages.LineCountOfPage(2), 10u);
}

}  // namespace
