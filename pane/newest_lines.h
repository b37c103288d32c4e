// Where the newest part of a text that fits in a limit starts: what a pane
// keeps when more text arrives than it can hold.
#pragma once

#include <cstddef>

// The offset in text[0, size) from which the rest fits in `limit`
// characters and starts a line (follows an LF). When no line starts in the
// part that fits, one line is longer than the limit: its newest `limit`
// characters are kept. Returns 0 when the whole text fits.
std::size_t NewestLinesOffset(const char* text, std::size_t size, std::size_t limit);
