// The two walks behind the process-name lookup: over the performance name
// list and over a performance data block. Plain bytes only, no Windows types,
// so that they can be tested and fuzzed natively. Both read nothing at or past
// the size the registry returned, whatever the data claims.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace documents {

// The caller's buffer for an index text: up to 255 characters and a NUL.
constexpr std::size_t kIndexTextSize = 256;

// Offsets (bytes, from the start of their record) of the fields the walk
// reads, and the smallest size of each record, in the published layout of
// performance data; the same for 32-bit and 64-bit Windows.
namespace perf {
constexpr std::size_t kBlockHeaderLength = 24;        // PERF_DATA_BLOCK
constexpr std::size_t kObjectDefinitionLength = 4;    // PERF_OBJECT_TYPE
constexpr std::size_t kObjectHeaderLength = 8;
constexpr std::size_t kObjectNumCounters = 32;
constexpr std::size_t kObjectNumInstances = 40;
constexpr std::size_t kCounterByteLength = 0;         // PERF_COUNTER_DEFINITION
constexpr std::size_t kCounterNameTitleIndex = 4;
constexpr std::size_t kCounterOffset = 36;
constexpr std::size_t kCounterDefinitionSize = 40;
constexpr std::size_t kInstanceByteLength = 0;        // PERF_INSTANCE_DEFINITION
constexpr std::size_t kInstanceNameOffset = 16;
constexpr std::size_t kInstanceDefinitionSize = 24;
constexpr std::size_t kCounterBlockByteLength = 0;    // PERF_COUNTER_BLOCK
constexpr std::size_t kCounterBlockSize = 4;
}  // namespace perf

// Looks `name` up in a name list of `size` bytes: NUL-terminated strings in
// pairs, a decimal title index and then its name, one more NUL after the last
// pair. Each pair visited writes its index text into `index` (kIndexTextSize
// bytes; a longer text is cut to 255 bytes). Returns true at the first pair
// whose whole name equals `name` byte for byte. Otherwise returns false, with
// `index` holding the last pair's index text, or as it was when the list
// holds no pair. The walk ends at `size` even when the list does not end there.
bool FindTitleIndex(const char* list, std::size_t size, const char* name, char* index);

// The value of an index text as a counter's title index: leading white space,
// one optional sign, then decimal digits up to the first other character; 0
// when there are none. A value past 32 bits gives 0xFFFFFFFF, and a minus
// sign negates in 32 bits.
std::uint32_t ParseTitleIndex(const char* text);

// Where an instance name lies in the data: `units` UTF-16 code units (its
// ending zero unit not counted) from byte `offset`, not aligned.
struct InstanceName {
    std::size_t offset;
    std::size_t units;
};

// Walks a performance data block of `size` bytes: the object at the block's
// HeaderLength, the counter whose title index is `idCounterIndex` among its
// counter definitions, then every instance in order, for the first whose
// 32-bit value at that counter's offset in its counter block is `processId`.
// Its name ends at its first zero code unit or at the end of its instance
// definition. Gives nothing when there is no such counter or instance, or
// when the walk would leave the data or a record is shorter than its fields.
std::optional<InstanceName> FindProcessInstance(const unsigned char* data, std::size_t size,
                                                std::uint32_t idCounterIndex, std::uint32_t processId);

}  // namespace documents
