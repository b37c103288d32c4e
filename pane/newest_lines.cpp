#include "pane/newest_lines.h"

#include <cstring>

std::size_t NewestLinesOffset(const char* text, std::size_t size, std::size_t limit) {
    if (size <= limit) return 0;
    const std::size_t first = size - limit;
    if (text[first - 1] == '\n') return first;
    const void* lf = std::memchr(text + first, '\n', limit);
    const std::size_t lineStart = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text) + 1 : size;
    return lineStart < size ? lineStart : first;
}
