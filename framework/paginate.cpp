#include "framework/paginate.h"

#include <algorithm>

namespace fw {

namespace {

// Words up to this length are measured whole; a longer one is measured in
// growing prefixes, so that a text with no spaces costs about as much as one
// with short words.
constexpr size_t kShortWord = 128;

// The longest prefix of word that is at most avail wide.
size_t FittingLength(std::string_view word, int avail, const RunWidth& runWidth) {
    if (avail < 0) return 0;
    size_t fits = 0;              // a prefix known to fit
    size_t tooLong = word.size() + 1;  // a prefix known not to fit
    for (size_t probe = std::min(kShortWord, word.size());; probe = std::min(probe * 2, word.size())) {
        if (runWidth(word.substr(0, probe)) > avail) {
            tooLong = probe;
            break;
        }
        fits = probe;
        if (probe == word.size()) return fits;
    }
    while (tooLong - fits > 1) {
        const size_t mid = fits + (tooLong - fits) / 2;
        if (runWidth(word.substr(0, mid)) <= avail) {
            fits = mid;
        } else {
            tooLong = mid;
        }
    }
    return fits;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Appends the lines of one paragraph, text[begin, end), which holds no line end.
void BreakParagraph(std::string_view text, size_t begin, size_t end, int width, int tabWidth,
                    const RunWidth& runWidth, std::vector<TextLine>& lines) {
    size_t lineStart = begin;
    size_t i = begin;
    int x = 0;
    for (;;) {
        if (i == end) {
            lines.push_back({lineStart, end - lineStart});
            return;
        }
        if (text[i] == '\t') {
            x = NextTabStop(x, tabWidth);
            ++i;
            continue;
        }
        if (text[i] == ' ') {
            // Spaces may reach past the edge: they never start a line.
            size_t j = i;
            while (j < end && text[j] == ' ') ++j;
            x += runWidth(text.substr(i, j - i));
            i = j;
            continue;
        }
        size_t wordEnd = i;
        while (wordEnd < end && !IsBlank(text[wordEnd])) ++wordEnd;
        const std::string_view word = text.substr(i, wordEnd - i);
        const int avail = width - x;
        if (word.size() <= kShortWord) {
            if (const int w = runWidth(word); w <= avail) {
                x += w;
                i = wordEnd;
                continue;
            }
        } else if (FittingLength(word, avail, runWidth) == word.size()) {
            x += runWidth(word);
            i = wordEnd;
            continue;
        }
        if (i > lineStart) {
            // Wrap before the word; it starts the next line.
            lines.push_back({lineStart, i - lineStart});
        } else {
            // The word alone is wider than the line: break it at the edge.
            i += std::max<size_t>(1, FittingLength(word, avail, runWidth));
            lines.push_back({lineStart, i - lineStart});
            if (i == end) return;
        }
        lineStart = i;
        x = 0;
    }
}

}  // namespace

std::vector<TextLine> BreakLines(std::string_view text, int width, int tabWidth, const RunWidth& runWidth) {
    std::vector<TextLine> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        BreakParagraph(text, pos, end, width, tabWidth, runWidth, lines);
        if (end < text.size() && text[end] == '\r') {
            while (end < text.size() && text[end] == '\r') ++end;
            if (end < text.size() && text[end] == '\n') ++end;
        } else if (end < text.size()) {
            ++end;  // LF
        }
        pos = end;
    }
    return lines;
}

int NextTabStop(int x, int tabWidth) { return tabWidth > 0 ? (x / tabWidth + 1) * tabWidth : x; }

int LinesPerPage(int pageHeight, int lineHeight) {
    if (lineHeight <= 0) return 1;
    return std::max(1, pageHeight / lineHeight);
}

Pagination::Pagination(std::string_view text, const PageFormat& format, const RunWidth& runWidth)
    : m_lines(BreakLines(text, format.width, format.tabWidth, runWidth)),
      m_nLinesPerPage(fw::LinesPerPage(format.height, format.lineHeight)) {}

unsigned Pagination::PageCount() const {
    const size_t perPage = static_cast<size_t>(m_nLinesPerPage);
    return static_cast<unsigned>(std::max<size_t>(1, (m_lines.size() + perPage - 1) / perPage));
}

size_t Pagination::FirstLineOfPage(unsigned nPage) const {
    if (nPage == 0) return m_lines.size();
    return std::min(m_lines.size(), static_cast<size_t>(nPage - 1) * static_cast<size_t>(m_nLinesPerPage));
}

size_t Pagination::LineCountOfPage(unsigned nPage) const {
    const size_t first = FirstLineOfPage(nPage);
    return std::min(m_lines.size() - first, static_cast<size_t>(m_nLinesPerPage));
}

}  // namespace fw
