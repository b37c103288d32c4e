// The name-list walk over any bytes as the "Counters" data. The index goes
// to a heap buffer of exactly 256 bytes, so that writing past it is caught;
// the result is checked against a plain reading of the list's pairs.
#include "documents/perf_walk.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

// The reading the walk must agree with: pairs of strings ended by NUL or by
// the size, one NUL after a pair skipped.
bool ReadPairs(const char* list, std::size_t size, const std::string& name, std::string& index) {
    std::size_t pos = 0;
    const auto next = [&] {
        std::string entry;
        while (pos < size && list[pos] != '\0') entry += list[pos++];
        if (pos < size) ++pos;
        return entry;
    };
    while (pos < size) {
        index = next().substr(0, documents::kIndexTextSize - 1);
        const std::string entry = next();
        if (pos < size && list[pos] == '\0') ++pos;
        if (entry == name) return true;
    }
    return false;
}

void Check(const char* list, std::size_t size, const std::string& name) {
    const std::unique_ptr<char[]> index(new char[documents::kIndexTextSize]);
    std::memcpy(index.get(), "untouched", 10);
    const bool found = documents::FindTitleIndex(list, size, name.c_str(), index.get());
    if (std::memchr(index.get(), '\0', documents::kIndexTextSize) == nullptr) std::abort();

    std::string expected = "untouched";
    if (ReadPairs(list, size, name, expected) != found || expected != index.get()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* list = reinterpret_cast<const char*>(data);
    Check(list, size, "Process");
    Check(list, size, "ID Process");
    // A name from the data itself, its last string, so that matches happen.
    std::size_t end = size;
    while (end > 0 && list[end - 1] == '\0') --end;
    std::size_t begin = end;
    while (begin > 0 && list[begin - 1] != '\0') --begin;
    if (end > begin) Check(list, size, std::string(list + begin, end - begin));
    return 0;
}
