// Builds performance data blocks in the published layout for the lookup's
// tests: one object with its counter definitions and instances, each
// instance followed by its counter block. Records where each record starts,
// so that a test can make any field lie.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace perftest {

constexpr std::uint32_t kIdProcessIndex = 784;

struct Counter {
    std::uint32_t titleIndex;
    std::uint32_t offset;  // in each counter block
};

struct Instance {
    std::u16string name;
    std::uint32_t processId;  // written at the offset of the kIdProcessIndex counter
};

struct PerfBlock {
    std::vector<unsigned char> bytes;
    std::size_t object = 0;
    std::vector<std::size_t> counters;       // each counter definition
    std::vector<std::size_t> instances;      // each instance definition
    std::vector<std::size_t> counterBlocks;  // each instance's counter block
};

// Default counters: a processor-time counter, then "ID Process".
std::vector<Counter> DefaultCounters();

// Counter blocks are kCounterBlockLength bytes long.
constexpr std::uint32_t kCounterBlockLength = 24;

PerfBlock BuildPerfBlock(const std::vector<Instance>& instances,
                         const std::vector<Counter>& counters = DefaultCounters());

void Put32(std::vector<unsigned char>& bytes, std::size_t pos, std::uint32_t value);
std::uint32_t Get32(const std::vector<unsigned char>& bytes, std::size_t pos);

}  // namespace perftest
