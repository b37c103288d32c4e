// What a pane keeps of a text longer than it holds: the newest part that
// fits, from a line start; the tail of a line longer than the limit when no
// line starts in that part.
#include "pane/newest_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(NewestLines, TheKeptPartFitsAndStartsALine) {
    struct Case {
        const char* what;
        std::string text;
        std::size_t limit;
        std::string kept;
    };
    const Case cases[] = {
        {"all fits", "ab\r\ncd\r\n", 8, "ab\r\ncd\r\n"},
        {"an empty text", "", 0, ""},
        {"the cut falls just after a line break", "ab\r\ncd\r\n", 4, "cd\r\n"},
        {"the cut falls inside a line: the line goes", "ab\r\ncd\r\nef\r\n", 7, "ef\r\n"},
        {"between CR and LF", "ab\r\ncd\r\n", 5, "cd\r\n"},
        {"a last line without a break is kept whole when it fits", "ab\r\ncd", 3, "cd"},
        {"a last line longer than the limit: its tail", "ab\r\ncdefgh", 3, "fgh"},
        {"a last line longer than the limit, with its break: its tail", "ab\r\ncdefgh\r\n", 4, "gh\r\n"},
        {"no break at all: the tail", "abcdefgh", 5, "defgh"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t offset = NewestLinesOffset(c.text.data(), c.text.size(), c.limit);
        ASSERT_LE(offset, c.text.size());
        EXPECT_EQ(c.text.substr(offset), c.kept);
    }
}

}  // namespace
