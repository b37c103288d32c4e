// The receiver's copy of a text: the input is the shared block's text area
// (cut to its 4092 bytes, NULs after it when shorter). The copy must be
// exactly as long as ConvertedSize says, carry a CR before every LF, and give
// back the text when the inserted CRs are taken out.
#include "capture/line_ends.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A heap block of exactly the area's size, so that reading past it is caught.
    const std::unique_ptr<char[]> area(new char[capture::kTextCapacity]());
    std::memcpy(area.get(), data, size < capture::kTextCapacity ? size : capture::kTextCapacity);

    const std::size_t length = capture::TextLength(area.get(), capture::kTextCapacity);
    const void* nul = std::memchr(area.get(), '\0', capture::kTextCapacity);
    const std::size_t expectedLength =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - area.get()) : capture::kTextCapacity;
    if (length != expectedLength) std::abort();

    const std::size_t converted = capture::ConvertedSize(area.get(), length);
    if (converted < length + 1 || converted > 2 * length + 1) std::abort();
    const std::unique_ptr<char[]> out(new char[converted]);
    capture::ConvertLineEnds(area.get(), length, out.get());

    const char* text = area.get();
    std::size_t j = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            if (out[j++] != '\r') std::abort();  // an inserted CR
        }
        if (out[j++] != text[i]) std::abort();
    }
    if (j != converted - 1 || out[j] != '\0') std::abort();
    for (std::size_t k = 0; k + 1 < converted; ++k) {
        if (out[k] == '\n' && (k == 0 || out[k - 1] != '\r')) std::abort();
    }
    return 0;
}
