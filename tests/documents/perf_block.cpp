#include "tests/documents/perf_block.h"

#include <cstring>

namespace perftest {

namespace {
// Header sizes of the published layout.
constexpr std::size_t kDataBlockSize = 88;
constexpr std::size_t kObjectTypeSize = 64;
constexpr std::size_t kCounterDefinitionSize = 40;
constexpr std::size_t kInstanceDefinitionSize = 24;

std::size_t Append(std::vector<unsigned char>& bytes, std::size_t count) {
    const std::size_t at = bytes.size();
    bytes.resize(at + count, 0);
    return at;
}
}  // namespace

std::vector<Counter> DefaultCounters() { return {{6, 8}, {kIdProcessIndex, 16}}; }

void Put32(std::vector<unsigned char>& bytes, std::size_t pos, std::uint32_t value) {
    std::memcpy(&bytes[pos], &value, sizeof value);
}

std::uint32_t Get32(const std::vector<unsigned char>& bytes, std::size_t pos) {
    std::uint32_t value;
    std::memcpy(&value, &bytes[pos], sizeof value);
    return value;
}

PerfBlock BuildPerfBlock(const std::vector<Instance>& instances, const std::vector<Counter>& counters) {
    PerfBlock block;
    std::vector<unsigned char>& b = block.bytes;

    Append(b, kDataBlockSize);
    std::memcpy(&b[0], u"PERF", 8);
    Put32(b, 8, 1);                                         // LittleEndian
    Put32(b, 24, static_cast<std::uint32_t>(kDataBlockSize));  // HeaderLength
    Put32(b, 28, 1);                                        // NumObjectTypes

    block.object = Append(b, kObjectTypeSize);
    const std::size_t definitionLength = kObjectTypeSize + counters.size() * kCounterDefinitionSize;
    Put32(b, block.object + 4, static_cast<std::uint32_t>(definitionLength));
    Put32(b, block.object + 8, static_cast<std::uint32_t>(kObjectTypeSize));
    Put32(b, block.object + 12, 230);  // ObjectNameTitleIndex
    Put32(b, block.object + 32, static_cast<std::uint32_t>(counters.size()));
    Put32(b, block.object + 40, static_cast<std::uint32_t>(instances.size()));

    std::uint32_t idOffset = 0;
    for (const Counter& counter : counters) {
        const std::size_t at = Append(b, kCounterDefinitionSize);
        Put32(b, at, static_cast<std::uint32_t>(kCounterDefinitionSize));
        Put32(b, at + 4, counter.titleIndex);
        Put32(b, at + 32, 4);  // CounterSize
        Put32(b, at + 36, counter.offset);
        if (counter.titleIndex == kIdProcessIndex) idOffset = counter.offset;
        block.counters.push_back(at);
    }

    for (const Instance& instance : instances) {
        // The name with its zero unit, padded to 8 bytes as the system does.
        const std::size_t nameBytes = (instance.name.size() + 1) * 2;
        const std::size_t padded = (nameBytes + 7) / 8 * 8;
        const std::size_t at = Append(b, kInstanceDefinitionSize + padded);
        Put32(b, at, static_cast<std::uint32_t>(kInstanceDefinitionSize + padded));
        Put32(b, at + 16, static_cast<std::uint32_t>(kInstanceDefinitionSize));  // NameOffset
        Put32(b, at + 20, static_cast<std::uint32_t>(nameBytes));                // NameLength
        std::memcpy(&b[at + kInstanceDefinitionSize], instance.name.data(), instance.name.size() * 2);
        block.instances.push_back(at);

        const std::size_t counterBlock = Append(b, kCounterBlockLength);
        Put32(b, counterBlock, kCounterBlockLength);
        Put32(b, counterBlock + idOffset, instance.processId);
        block.counterBlocks.push_back(counterBlock);
    }
    return block;
}

}  // namespace perftest
