#include "tests/protoclient/numbered_lines.h"

#include <cstdio>
#include <vector>

namespace lines {

namespace {
constexpr std::size_t kDigits = 8;
}

std::string NumberedLine(std::string_view prefix, unsigned long number, std::size_t width) {
    char digits[kDigits + 2];
    std::snprintf(digits, sizeof digits, "%08lu ", number % 100000000UL);
    std::string line(prefix);
    line += digits;
    for (std::size_t i = 0; line.size() < width; ++i) line += static_cast<char>('a' + (number + i) % 26);
    return line;
}

LineCheck CheckNumberedLines(std::string_view text, std::string_view prefix, unsigned long count, std::size_t width) {
    LineCheck check;
    std::vector<bool> seen(count + 1, false);
    unsigned long last = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos = next;

        if (line.substr(0, prefix.size()) != prefix) {
            ++check.foreign;
            continue;
        }
        unsigned long number = 0;
        bool digits = line.size() > prefix.size() + kDigits;
        for (std::size_t i = 0; digits && i < kDigits; ++i) {
            const char c = line[prefix.size() + i];
            digits = c >= '0' && c <= '9';
            number = number * 10 + static_cast<unsigned long>(c - '0');
        }
        if (!digits || number == 0 || number > count || line != NumberedLine(prefix, number, width)) {
            ++check.damaged;
            continue;
        }
        ++check.received;
        if (number <= last) ++check.reordered;
        last = number;
        seen[number] = true;
    }
    for (unsigned long n = 1; n <= count; ++n) {
        if (!seen[n]) ++check.lost;
    }
    return check;
}

}  // namespace lines
