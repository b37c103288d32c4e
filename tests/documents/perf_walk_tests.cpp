// The name-list and performance-data walks over synthetic data, honest and
// lying. Where a walk must stop at the size it is given, the bytes past that
// size hold data that would match, so a walk that reads on is caught.
#include "documents/perf_walk.h"
#include "tests/documents/perf_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using documents::FindProcessInstance;
using documents::FindTitleIndex;
using documents::InstanceName;
using documents::kIndexTextSize;
using perftest::BuildPerfBlock;
using perftest::Get32;
using perftest::kIdProcessIndex;
using perftest::PerfBlock;
using perftest::Put32;

namespace {

// A string literal with embedded NULs, as a byte string.
template <std::size_t N>
std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

const std::string kNameList = Bytes(
    "1\0" "1847\0"
    "2\0" "System\0"
    "230\0" "Process\0"
    "232\0" "process\0"
    "784\0" "ID Process\0"
    "\0");

struct NameCase {
    const char* what;
    std::string list;
    std::size_t size;  // the size the registry returned; the list's size when npos
    const char* name;
    bool found;
    const char* index;
};

TEST(NameListWalk, FindsTheIndexOfTheFirstPairWithThisExactName) {
    const std::string duplicates = Bytes("10\0Process\0" "20\0Process\0" "\0");
    const std::string noClosingNul = Bytes("5\0Alpha\0" "6\0Beta\0");
    const std::string unended = Bytes("5\0Alpha\0" "6\0Beta");
    const std::string beyond = Bytes("5\0Alpha\0" "6\0Beta\0" "78\0Gamma\0" "\0");
    const std::size_t npos = std::string::npos;
    const NameCase cases[] = {
        {"an object name", kNameList, npos, "Process", true, "230"},
        {"a counter name with a space", kNameList, npos, "ID Process", true, "784"},
        {"the first pair", kNameList, npos, "1847", true, "1"},
        {"case counts", kNameList, npos, "process", true, "232"},
        {"no case folding", kNameList, npos, "PROCESS", false, "784"},
        {"a prefix is no match", kNameList, npos, "Proc", false, "784"},
        {"a longer name is no match", kNameList, npos, "Processes", false, "784"},
        {"an index text is no name", kNameList, npos, "230", false, "784"},
        {"duplicates: the earlier wins", duplicates, npos, "Process", true, "10"},
        {"a list without its closing NUL", noClosingNul, npos, "Beta", true, "6"},
        {"a list without its last NUL", unended, npos, "Beta", true, "6"},
        {"a name cut by the size does not match", beyond, 13, "Beta", false, "6"},
        {"nothing past the size is read", beyond, 13, "Gamma", false, "6"},
        {"a list ending between two pairs", beyond, 15, "Gamma", false, "6"},
        {"an index text cut by the size", beyond, 16, "Gamma", false, "7"},
        {"a pair cut after its index text", beyond, 18, "Gamma", false, "78"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.what);
        char index[kIndexTextSize];
        std::memset(index, 'x', sizeof index);
        const std::size_t size = c.size == npos ? c.list.size() : c.size;
        EXPECT_EQ(FindTitleIndex(c.list.data(), size, c.name, index), c.found);
        EXPECT_STREQ(index, c.index);
    }
}

TEST(NameListWalk, AListWithNoPairLeavesTheIndexAsItWas) {
    char index[kIndexTextSize] = "keep";
    EXPECT_FALSE(FindTitleIndex(kNameList.data(), 0, "Process", index));
    EXPECT_STREQ(index, "keep");
}

TEST(NameListWalk, LongEntriesAreCutOrComparedWhole) {
    const std::string longIndex(300, '7');
    const std::string longName(300, 'N');
    const std::string list = longIndex + '\0' + "Process" + '\0' + "9" + '\0' + longName + '\0' + '\0';

    // The index text is cut to 255 bytes; nothing past the 256-byte buffer
    // is written.
    char buffer[kIndexTextSize + 64];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(FindTitleIndex(list.data(), list.size(), "Process", buffer));
    EXPECT_EQ(std::string(buffer), longIndex.substr(0, kIndexTextSize - 1));
    EXPECT_EQ(std::string(buffer + kIndexTextSize, 64), std::string(64, 'x'));

    // A long name matches only in full, never by its first 255 bytes.
    char index[kIndexTextSize];
    EXPECT_TRUE(FindTitleIndex(list.data(), list.size(), longName.c_str(), index));
    EXPECT_STREQ(index, "9");
    EXPECT_FALSE(FindTitleIndex(list.data(), list.size(), longName.substr(0, 255).c_str(), index));
}

TEST(TitleIndexText, ReadsLeadingDecimalDigits) {
    const struct {
        const char* text;
        std::uint32_t value;
    } cases[] = {
        {"784", 784},           {"  784", 784},         {"\t\r\n\v\f784", 784},  {"+12", 12},
        {"12abc", 12},          {"1 2", 1},             {"", 0},                {"abc", 0},
        {"+", 0},               {"-1", 0xFFFFFFFFu},    {"4294967295", 0xFFFFFFFFu},
        {"4294967296", 0xFFFFFFFFu},                    {"99999999999999999999", 0xFFFFFFFFu},
        {"0000000000000000000000000000784", 784},
    };
    for (const auto& c : cases) EXPECT_EQ(documents::ParseTitleIndex(c.text), c.value) << '"' << c.text << '"';
}

// The name the walk points at, as UTF-16.
std::u16string NameAt(const std::vector<unsigned char>& bytes, const InstanceName& where) {
    std::u16string name(where.units, u'\0');
    std::memcpy(&name[0], &bytes[where.offset], where.units * 2);
    return name;
}

std::optional<InstanceName> Walk(const PerfBlock& block, std::uint32_t processId, std::size_t size) {
    return FindProcessInstance(block.bytes.data(), size, kIdProcessIndex, processId);
}

std::optional<InstanceName> Walk(const PerfBlock& block, std::uint32_t processId) {
    return Walk(block, processId, block.bytes.size());
}

const std::vector<perftest::Instance> kThree = {{u"Idle", 0}, {u"explorer", 1200}, {u"Kestrum", 4321}};

TEST(PerfDataWalk, ComparesEveryInstanceInOrder) {
    const struct {
        const char* what;
        std::vector<perftest::Instance> instances;
        std::uint32_t processId;
        const char16_t* name;  // nullptr: no match
    } cases[] = {
        {"the first instance", kThree, 0, u"Idle"},
        {"a middle instance", kThree, 1200, u"explorer"},
        {"the last instance", kThree, 4321, u"Kestrum"},
        {"an id no instance carries", kThree, 4322, nullptr},
        {"0xFFFFFFFF", kThree, 0xFFFFFFFFu, nullptr},
        {"the only instance", {{u"Kestrum", 77}}, 77, u"Kestrum"},
        {"no instance", {}, 77, nullptr},
        {"two with one id: the earlier", {{u"first", 9}, {u"second", 9}}, 9, u"first"},
        {"an empty name", {{u"", 5}}, 5, u""},
        {"a non-ASCII name", {{u"\u0141\u00f3d\u017a \u20ac", 5}}, 5, u"\u0141\u00f3d\u017a \u20ac"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PerfBlock block = BuildPerfBlock(c.instances);
        const auto found = Walk(block, c.processId);
        ASSERT_EQ(found.has_value(), c.name != nullptr);
        if (found) {
            EXPECT_EQ(NameAt(block.bytes, *found), c.name);
        }
    }
}

TEST(PerfDataWalk, FindsTheIdCounterAmongTheDefinitions) {
    const PerfBlock idFirst = BuildPerfBlock(kThree, {{kIdProcessIndex, 4}, {6, 8}, {12, 16}});
    ASSERT_TRUE(Walk(idFirst, 1200));
    EXPECT_EQ(NameAt(idFirst.bytes, *Walk(idFirst, 1200)), u"explorer");
    const PerfBlock block = BuildPerfBlock(kThree, {{6, 4}, {12, 8}, {kIdProcessIndex, 20}});
    ASSERT_TRUE(Walk(block, 4321));
    EXPECT_EQ(NameAt(block.bytes, *Walk(block, 4321)), u"Kestrum");

    // Another counter's values are no process ids.
    EXPECT_FALSE(FindProcessInstance(block.bytes.data(), block.bytes.size(), 12, 4321));
    // No "ID Process" among the definitions.
    EXPECT_FALSE(Walk(BuildPerfBlock(kThree, {{6, 8}, {12, 16}}), 0));
}

TEST(PerfDataWalk, VisitsOnlyNumCountersDefinitions) {
    PerfBlock block = BuildPerfBlock(kThree);
    Put32(block.bytes, block.object + documents::perf::kObjectNumCounters, 1);
    EXPECT_FALSE(Walk(block, 1200));

    // A count past the definitions walks on into the instances, and stops.
    PerfBlock noId = BuildPerfBlock(kThree, {{6, 8}, {12, 16}});
    Put32(noId.bytes, noId.object + documents::perf::kObjectNumCounters, 0x7FFFFFFFu);
    EXPECT_FALSE(Walk(noId, 0));
}

TEST(PerfDataWalk, ANegativeInstanceCountMeansNone) {
    PerfBlock block = BuildPerfBlock(kThree);
    Put32(block.bytes, block.object + documents::perf::kObjectNumInstances, 0xFFFFFFFFu);  // -1
    EXPECT_FALSE(Walk(block, 0));
    Put32(block.bytes, block.object + documents::perf::kObjectNumInstances, 0x80000000u);
    EXPECT_FALSE(Walk(block, 0));
}

TEST(PerfDataWalk, ANameWithoutItsZeroEndsWithItsDefinition) {
    PerfBlock block = BuildPerfBlock({{u"abcdef", 3}});
    // "abcdef", its zero and padding fill 16 bytes; overwrite them all.
    const std::size_t name = block.instances[0] + 24;
    std::memcpy(&block.bytes[name], u"abcdefgh", 16);
    const auto found = Walk(block, 3);
    ASSERT_TRUE(found);
    EXPECT_EQ(NameAt(block.bytes, *found), u"abcdefgh");

    // A name at the very end of its definition is empty.
    Put32(block.bytes, block.instances[0] + documents::perf::kInstanceNameOffset,
          Get32(block.bytes, block.instances[0]));
    ASSERT_TRUE(Walk(block, 3));
    EXPECT_EQ(Walk(block, 3)->units, 0u);
}

// Every size short of the whole block: the last instance's counter block is
// then incomplete and it must not be found, however far the data goes; the
// first instance is found exactly when its counter block is complete.
TEST(PerfDataWalk, StopsAtTheSizeReturned) {
    const PerfBlock block = BuildPerfBlock(kThree);
    const std::size_t firstComplete = block.counterBlocks[0] + perftest::kCounterBlockLength;
    for (std::size_t size = 0; size < block.bytes.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(Walk(block, 4321, size));
        EXPECT_EQ(Walk(block, 0, size).has_value(), size >= firstComplete);
    }
}

// Each field made to lie, one at a time. The id looked for is the last
// instance's, so that the walk must pass every record, or the value that a
// walk reading the lying field's way would find. Each lie also goes with a
// huge value, where unchecked arithmetic would wrap around.
TEST(PerfDataWalk, LyingOffsetsAndLengthsStopTheWalk) {
    const PerfBlock honest = BuildPerfBlock(kThree);
    ASSERT_TRUE(Walk(honest, 4321));
    const std::size_t size = honest.bytes.size();
    const std::size_t firstBlock = honest.counterBlocks[0];
    const auto u32 = [](std::size_t n) { return static_cast<std::uint32_t>(n); };
    using namespace documents::perf;
    const struct {
        const char* what;
        std::size_t field;
        std::uint32_t value;
        std::uint32_t processId;
    } lies[] = {
        {"block HeaderLength past the end", kBlockHeaderLength, u32(size + 1), 4321},
        {"block HeaderLength leaving no object", kBlockHeaderLength, u32(size - 8), 4321},
        {"block HeaderLength huge", kBlockHeaderLength, 0xFFFFFFF0u, 4321},
        {"object HeaderLength past the end", honest.object + kObjectHeaderLength, u32(size), 4321},
        {"object HeaderLength huge", honest.object + kObjectHeaderLength, 0xFFFFFFFFu, 4321},
        {"counter ByteLength 0", honest.counters[0] + kCounterByteLength, 0, 4321},
        {"counter ByteLength huge", honest.counters[0] + kCounterByteLength, 0xFFFFFFD8u, 4321},
        {"CounterOffset at the counter block's end", honest.counters[1] + kCounterOffset,
         perftest::kCounterBlockLength, Get32(honest.bytes, firstBlock + perftest::kCounterBlockLength)},
        {"CounterOffset straddling the counter block's end", honest.counters[1] + kCounterOffset,
         perftest::kCounterBlockLength - 3, Get32(honest.bytes, firstBlock + perftest::kCounterBlockLength - 3)},
        {"CounterOffset huge", honest.counters[1] + kCounterOffset, 0xFFFFFFFEu, 4321},
        {"DefinitionLength past the end", honest.object + kObjectDefinitionLength, u32(size), 4321},
        {"DefinitionLength huge", honest.object + kObjectDefinitionLength, 0xFFFFFFFFu, 4321},
        {"instance ByteLength 0", honest.instances[1] + kInstanceByteLength, 0, 4321},
        {"instance ByteLength past the end", honest.instances[1] + kInstanceByteLength, u32(size), 4321},
        {"instance ByteLength huge", honest.instances[1] + kInstanceByteLength, 0xFFFFFFF8u, 4321},
        {"counter block ByteLength 0", firstBlock + kCounterBlockByteLength, 0, 0},
        {"counter block ByteLength shorter than its CounterOffset", firstBlock, 16, 0},
        {"counter block ByteLength past the end", honest.counterBlocks[1], u32(size), 4321},
        {"counter block ByteLength huge", honest.counterBlocks[1], 0xFFFFFFFCu, 4321},
        {"NameOffset outside the instance", honest.instances[2] + kInstanceNameOffset,
         Get32(honest.bytes, honest.instances[2]) + 2, 4321},
        {"NameOffset past the end", honest.instances[2] + kInstanceNameOffset, u32(size), 4321},
        {"NameOffset huge", honest.instances[2] + kInstanceNameOffset, 0xFFFFFFFFu, 4321},
    };
    for (const auto& lie : lies) {
        SCOPED_TRACE(lie.what);
        PerfBlock block = honest;
        Put32(block.bytes, lie.field, lie.value);
        EXPECT_FALSE(Walk(block, lie.processId));
    }
}

// A counter definition shorter than one: what would follow it looks like the
// id counter, at another offset, where the last instance holds 0xABCD.
TEST(PerfDataWalk, ACounterDefinitionShorterThanItsFieldsStopsTheWalk) {
    PerfBlock block = BuildPerfBlock(kThree);
    const std::size_t fake = block.counters[0] + 20;
    Put32(block.bytes, block.counters[0] + documents::perf::kCounterByteLength, 20);
    Put32(block.bytes, fake + documents::perf::kCounterByteLength, 40);
    Put32(block.bytes, fake + documents::perf::kCounterNameTitleIndex, kIdProcessIndex);
    Put32(block.bytes, fake + documents::perf::kCounterOffset, 8);
    Put32(block.bytes, block.counterBlocks[2] + 8, 0xABCD);
    EXPECT_FALSE(Walk(block, 0xABCD));
    EXPECT_FALSE(Walk(block, 4321));
}

// An instance whose ByteLength leaves no room for its NameOffset, followed by
// a counter block that carries the id.
TEST(PerfDataWalk, AnInstanceShorterThanItsFieldsStopsTheWalk) {
    PerfBlock block = BuildPerfBlock(kThree);
    const std::size_t last = block.instances[2];
    Put32(block.bytes, last + documents::perf::kInstanceByteLength, 8);
    Put32(block.bytes, last + 8, perftest::kCounterBlockLength);  // the counter block's ByteLength
    Put32(block.bytes, last + documents::perf::kInstanceNameOffset, 0);
    Put32(block.bytes, last + 8 + 16, 4321);  // the id, at CounterOffset 16
    EXPECT_FALSE(Walk(block, 4321));
}

TEST(PerfDataWalk, AHugeInstanceCountStopsAtTheEndOfTheData) {
    // Past the size given, the buffer holds one more instance with the id.
    const PerfBlock block = BuildPerfBlock({{u"Idle", 0}, {u"explorer", 1200}, {u"hidden", 99}});
    PerfBlock lying = block;
    Put32(lying.bytes, lying.object + documents::perf::kObjectNumInstances, 0x7FFFFFFFu);
    EXPECT_FALSE(Walk(lying, 99, lying.instances[2]));
    EXPECT_FALSE(Walk(lying, 4321));
    ASSERT_TRUE(Walk(lying, 99));
}

TEST(PerfDataWalk, TooShortForAHeaderIsNoData) {
    const PerfBlock block = BuildPerfBlock(kThree);
    EXPECT_FALSE(FindProcessInstance(nullptr, 0, kIdProcessIndex, 0));
    EXPECT_FALSE(Walk(block, 0, 27));
}

}  // namespace
