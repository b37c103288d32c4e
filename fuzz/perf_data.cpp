// The performance-data walk over any bytes as the data the system returned.
// Reading past them is caught by AddressSanitizer, an unaligned or
// overflowing read by UndefinedBehaviorSanitizer, and a walk that does not
// end by the fuzzer's time-out. A name found must lie inside the data and
// hold no zero code unit.
#include "documents/perf_walk.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::uint32_t kIdProcessIndex = 784;

void Check(const std::uint8_t* data, std::size_t size, std::uint32_t processId) {
    const auto found = documents::FindProcessInstance(data, size, kIdProcessIndex, processId);
    if (!found) return;
    if (found->offset > size || found->units > (size - found->offset) / 2) std::abort();
    for (std::size_t i = 0; i < found->units; ++i) {
        std::uint16_t unit;
        std::memcpy(&unit, data + found->offset + 2 * i, sizeof unit);
        if (unit == 0) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Check(data, size, 4321);
    Check(data, size, 0);
    return 0;
}
