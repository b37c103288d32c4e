// The receiver's copy of one protocol text, with its line ends made CR LF.
// Plain bytes only: no Windows types, so that the conversion can be tested
// and fuzzed natively.
#pragma once

#include <cstddef>

namespace capture {

// The shared block: a 32-bit process id, then the text.
constexpr std::size_t kBlockSize = 4096;
constexpr std::size_t kTextOffset = 4;
constexpr std::size_t kTextCapacity = kBlockSize - kTextOffset;  // 4092

// Length of the text in a text area of `capacity` bytes: up to its NUL, or
// the whole area when a client left no NUL in it.
std::size_t TextLength(const char* text, std::size_t capacity);

// Bytes needed for the converted copy of text[0, length): the text, one CR
// for each LF that does not already follow a CR, and the ending NUL.
std::size_t ConvertedSize(const char* text, std::size_t length);

// Writes the converted copy, ConvertedSize(text, length) bytes with its NUL,
// to out. A CR goes before each LF that does not already follow a CR; a
// CR LF pair and a lone CR stay as they are; no other byte changes.
void ConvertLineEnds(const char* text, std::size_t length, char* out);

}  // namespace capture
