#include "capture/line_ends.h"

namespace capture {

std::size_t TextLength(const char* text, std::size_t capacity) {
    std::size_t n = 0;
    while (n < capacity && text[n] != '\0') ++n;
    return n;
}

static bool IsLoneLineFeed(const char* text, std::size_t i) { return text[i] == '\n' && (i == 0 || text[i - 1] != '\r'); }

std::size_t ConvertedSize(const char* text, std::size_t length) {
    std::size_t size = length + 1;
    for (std::size_t i = 0; i < length; ++i) {
        if (IsLoneLineFeed(text, i)) ++size;
    }
    return size;
}

void ConvertLineEnds(const char* text, std::size_t length, char* out) {
    for (std::size_t i = 0; i < length; ++i) {
        if (IsLoneLineFeed(text, i)) *out++ = '\r';
        *out++ = text[i];
    }
    *out = '\0';
}

}  // namespace capture
