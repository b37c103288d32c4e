// Line and page breaking of a plain text for printing. Free of windows.h, so
// that the rules are tested directly: widths come from a callback that
// measures a run of characters in the output's own units.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace fw {

// The width of a run of characters that holds no tab and no line end.
using RunWidth = std::function<int(std::string_view run)>;

// One printed line: text[start, start + length). It may hold tabs and the
// spaces at which it was broken; never a line end.
struct TextLine {
    size_t start = 0;
    size_t length = 0;
    friend bool operator==(const TextLine& a, const TextLine& b) {
        return a.start == b.start && a.length == b.length;
    }
};

struct PageFormat {
    int width = 0;       // of the printable area
    int height = 0;
    int lineHeight = 1;  // the distance from one line to the next
    int tabWidth = 0;    // the distance between tab stops; 0: a tab takes no room
};

// Breaks text into the lines it prints as. A line ends at CR LF, at LF and at
// CR (a run of CRs before an LF counts once, so CR CR LF is one line end);
// the line end after the last line starts no new line. A line wider than
// width wraps before the word that does not fit; the spaces and tabs before
// that word stay at the end of the line, and a word wider than a whole line
// is broken where it reaches the edge (at least one character per line).
// Tabs move to the next multiple of tabWidth from the line's left edge.
std::vector<TextLine> BreakLines(std::string_view text, int width, int tabWidth, const RunWidth& runWidth);

// Where a tab at x moves to: the next multiple of tabWidth (0: nowhere).
int NextTabStop(int x, int tabWidth);

// Whole lines on a page: at least one, so that every page shows something.
int LinesPerPage(int pageHeight, int lineHeight);

// A text broken into lines and the lines into pages.
class Pagination {
public:
    Pagination() = default;
    Pagination(std::string_view text, const PageFormat& format, const RunWidth& runWidth);

    const std::vector<TextLine>& Lines() const { return m_lines; }
    int LinesPerPage() const { return m_nLinesPerPage; }
    // At least 1: an empty text prints one empty page.
    unsigned PageCount() const;
    // The lines of page nPage (from 1): the first line's index and how many;
    // none for a page past the end.
    size_t FirstLineOfPage(unsigned nPage) const;
    size_t LineCountOfPage(unsigned nPage) const;

private:
    std::vector<TextLine> m_lines;
    int m_nLinesPerPage = 1;
};

}  // namespace fw
