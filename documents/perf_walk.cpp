#include "documents/perf_walk.h"

#include <cstring>

namespace documents {

namespace {

// Length of the string at list[pos], up to its NUL or to `size`.
std::size_t EntryLength(const char* list, std::size_t size, std::size_t pos) {
    const void* nul = std::memchr(list + pos, '\0', size - pos);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - (list + pos)) : size - pos;
}

// Bounds-checked reads over the data the registry returned. A position is
// valid when it lies within [0, size]; every step is checked before it is
// taken, without overflow.
class PerfData {
public:
    PerfData(const unsigned char* data, std::size_t size) : m_data(data), m_size(size) {}

    bool Read(std::size_t pos, std::size_t field, std::uint32_t& value) const {
        if (pos > m_size || field > m_size - pos || m_size - pos - field < sizeof value) return false;
        std::memcpy(&value, m_data + pos + field, sizeof value);
        return true;
    }

    // pos + length, when it stays within the data.
    bool Step(std::size_t pos, std::uint32_t length, std::size_t& next) const {
        if (pos > m_size || length > m_size - pos) return false;
        next = pos + length;
        return true;
    }

    // Code units of the UTF-16 name in [begin, end) before its zero unit.
    std::size_t NameUnits(std::size_t begin, std::size_t end) const {
        std::size_t units = 0;
        for (std::size_t pos = begin; end - pos >= 2; pos += 2, ++units) {
            std::uint16_t unit;
            std::memcpy(&unit, m_data + pos, sizeof unit);
            if (unit == 0) break;
        }
        return units;
    }

private:
    const unsigned char* m_data;
    std::size_t m_size;
};

// The id counter's CounterOffset, from the object's counter definitions.
bool FindCounterOffset(const PerfData& data, std::size_t object, std::uint32_t idCounterIndex,
                       std::uint32_t& counterOffset) {
    std::uint32_t headerLength, numCounters;
    std::size_t counter;
    if (!data.Read(object, perf::kObjectHeaderLength, headerLength) ||
        !data.Read(object, perf::kObjectNumCounters, numCounters) || !data.Step(object, headerLength, counter)) {
        return false;
    }
    for (std::uint32_t i = 0; i < numCounters; ++i) {
        std::uint32_t byteLength, titleIndex;
        std::size_t next;
        if (!data.Read(counter, perf::kCounterByteLength, byteLength) || byteLength < perf::kCounterDefinitionSize ||
            !data.Step(counter, byteLength, next) ||
            !data.Read(counter, perf::kCounterNameTitleIndex, titleIndex)) {
            return false;
        }
        if (titleIndex == idCounterIndex) return data.Read(counter, perf::kCounterOffset, counterOffset);
        counter = next;
    }
    return false;
}

}  // namespace

bool FindTitleIndex(const char* list, std::size_t size, const char* name, char* index) {
    const std::size_t nameLength = std::strlen(name);
    std::size_t pos = 0;
    while (pos < size) {
        const std::size_t indexLength = EntryLength(list, size, pos);
        const std::size_t kept = indexLength < kIndexTextSize ? indexLength : kIndexTextSize - 1;
        std::memcpy(index, list + pos, kept);
        index[kept] = '\0';
        pos += indexLength;
        if (pos < size) ++pos;  // the index text's NUL

        const std::size_t entry = pos;
        const std::size_t entryLength = pos < size ? EntryLength(list, size, pos) : 0;
        pos += entryLength;
        if (pos < size) ++pos;  // the name's NUL
        if (pos < size && list[pos] == '\0') ++pos;  // the list's closing NUL

        if (entryLength == nameLength && std::memcmp(list + entry, name, nameLength) == 0) return true;
    }
    return false;
}

std::uint32_t ParseTitleIndex(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    std::uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const std::uint32_t digit = static_cast<std::uint32_t>(*text - '0');
        value = value > (UINT32_MAX - digit) / 10 ? UINT32_MAX : value * 10 + digit;
    }
    return negative ? 0u - value : value;
}

std::optional<InstanceName> FindProcessInstance(const unsigned char* bytes, std::size_t size,
                                                std::uint32_t idCounterIndex, std::uint32_t processId) {
    const PerfData data(bytes, size);
    std::uint32_t blockHeaderLength, definitionLength, numInstances, counterOffset;
    std::size_t object, instance;
    if (!data.Read(0, perf::kBlockHeaderLength, blockHeaderLength) || !data.Step(0, blockHeaderLength, object) ||
        !data.Read(object, perf::kObjectDefinitionLength, definitionLength) ||
        !data.Read(object, perf::kObjectNumInstances, numInstances) ||
        !FindCounterOffset(data, object, idCounterIndex, counterOffset) ||
        !data.Step(object, definitionLength, instance)) {
        return std::nullopt;
    }
    // Taken as signed: an object without instances says -1.
    const auto count = static_cast<std::int32_t>(numInstances);
    for (std::int32_t i = 0; i < count; ++i) {
        std::uint32_t instanceLength, blockLength, id;
        std::size_t block, next;
        if (!data.Read(instance, perf::kInstanceByteLength, instanceLength) ||
            instanceLength < perf::kInstanceDefinitionSize || !data.Step(instance, instanceLength, block) ||
            !data.Read(block, perf::kCounterBlockByteLength, blockLength) ||
            blockLength < perf::kCounterBlockSize || !data.Step(block, blockLength, next) ||
            counterOffset > blockLength - sizeof id || !data.Read(block, counterOffset, id)) {
            return std::nullopt;
        }
        if (id == processId) {
            std::uint32_t nameOffset;
            if (!data.Read(instance, perf::kInstanceNameOffset, nameOffset) || nameOffset > instanceLength) {
                return std::nullopt;
            }
            const std::size_t name = instance + nameOffset;
            return InstanceName{name, data.NameUnits(name, block)};
        }
        instance = next;
    }
    return std::nullopt;
}

}  // namespace documents
