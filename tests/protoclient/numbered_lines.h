// Numbered lines as the test clients write them and as the tests and
// benchmarks check them: "<prefix><number, 8 digits> " and then letters up to
// a fixed width. The letters depend on the number, so a line that is cut,
// joined to another or mixed with another client's bytes does not pass for a
// whole one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lines {

// Line `number` of a client, without its line end. Never shorter than the
// prefix, the number and one space, however small `width` is.
std::string NumberedLine(std::string_view prefix, unsigned long number, std::size_t width);

// What a text shows of one client's lines 1..count.
struct LineCheck {
    std::size_t received = 0;   // whole lines of the client
    std::size_t lost = 0;       // numbers in 1..count never received
    std::size_t reordered = 0;  // lines whose number is not above the one before (repeats included)
    std::size_t damaged = 0;    // lines that start with the prefix but are not a whole line of it
    std::size_t foreign = 0;    // other lines
    bool Exact(unsigned long count) const {
        return received == count && lost == 0 && reordered == 0 && damaged == 0 && foreign == 0;
    }
};

// Checks a text made of lines ended by LF, CR LF or CR CR LF (as a pane
// shows them) against lines 1..count of one client. A last line without a
// line end counts as any other.
LineCheck CheckNumberedLines(std::string_view text, std::string_view prefix, unsigned long count, std::size_t width);

}  // namespace lines
