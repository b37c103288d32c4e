#include "documents/process_name.h"

#include "documents/perf_walk.h"
#include "framework/handles.h"

#include <tlhelp32.h>
#include <winperf.h>

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <new>
#include <vector>

// The walk's layout is the platform's, on every target this builds for.
static_assert(documents::perf::kBlockHeaderLength == offsetof(PERF_DATA_BLOCK, HeaderLength), "layout");
static_assert(documents::perf::kObjectDefinitionLength == offsetof(PERF_OBJECT_TYPE, DefinitionLength), "layout");
static_assert(documents::perf::kObjectHeaderLength == offsetof(PERF_OBJECT_TYPE, HeaderLength), "layout");
static_assert(documents::perf::kObjectNumCounters == offsetof(PERF_OBJECT_TYPE, NumCounters), "layout");
static_assert(documents::perf::kObjectNumInstances == offsetof(PERF_OBJECT_TYPE, NumInstances), "layout");
static_assert(documents::perf::kCounterByteLength == offsetof(PERF_COUNTER_DEFINITION, ByteLength), "layout");
static_assert(documents::perf::kCounterNameTitleIndex == offsetof(PERF_COUNTER_DEFINITION, CounterNameTitleIndex),
              "layout");
static_assert(documents::perf::kCounterOffset == offsetof(PERF_COUNTER_DEFINITION, CounterOffset), "layout");
static_assert(documents::perf::kCounterDefinitionSize == sizeof(PERF_COUNTER_DEFINITION), "layout");
static_assert(documents::perf::kInstanceByteLength == offsetof(PERF_INSTANCE_DEFINITION, ByteLength), "layout");
static_assert(documents::perf::kInstanceNameOffset == offsetof(PERF_INSTANCE_DEFINITION, NameOffset), "layout");
static_assert(documents::perf::kInstanceDefinitionSize == sizeof(PERF_INSTANCE_DEFINITION), "layout");
static_assert(documents::perf::kCounterBlockByteLength == offsetof(PERF_COUNTER_BLOCK, ByteLength), "layout");
static_assert(documents::perf::kCounterBlockSize == sizeof(PERF_COUNTER_BLOCK), "layout");
static_assert(sizeof(wchar_t) == sizeof(std::uint16_t), "instance names are UTF-16");

namespace documents {

const char kProcessNotFound[] = "<Not Found>";

namespace {

constexpr char kNameListKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009";
constexpr char kNameListValue[] = "Counters";
constexpr char kProcessObjectName[] = "Process";
constexpr char kProcessIdCounterName[] = "ID Process";

// The byte count the system leaves after ERROR_MORE_DATA is not relied on
// (it may be 0): the buffer doubles, up to 1024 times its first size.
constexpr int kDataTries = 11;

// The English name list, as many bytes as the registry returned; empty when
// it cannot be read.
std::vector<char> ReadNameList() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNameListKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    const fw::UniqueRegKey perflib(key);
    DWORD size = 0;
    if (::RegQueryValueExA(perflib.get(), kNameListValue, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
        return {};
    }
    try {
        std::vector<char> list(size);
        if (::RegQueryValueExA(perflib.get(), kNameListValue, nullptr, nullptr,
                               reinterpret_cast<BYTE*>(list.data()), &size) != ERROR_SUCCESS) {
            return {};
        }
        list.resize(size < list.size() ? size : list.size());
        return list;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

std::string NameFromPerfData(DWORD processId) {
    const std::vector<char> list = ReadNameList();
    char objectIndex[kIndexTextSize] = {};
    char counterIndex[kIndexTextSize] = {};
    if (!FindTitleIndex(list.data(), list.size(), kProcessObjectName, objectIndex) ||
        !FindTitleIndex(list.data(), list.size(), kProcessIdCounterName, counterIndex)) {
        return {};
    }
    const std::vector<unsigned char> data = QueryPerfData(objectIndex);
    return ProcessNameFromPerfData(data.data(), data.size(), ParseTitleIndex(counterIndex), processId);
}

// The image name without ".exe", the form the performance data names it by.
std::string NameFromProcessList(DWORD processId) {
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return {};
    const fw::UniqueKernelHandle processes(snapshot);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(processes.get(), &entry); more;
         more = ::Process32NextW(processes.get(), &entry)) {
        if (entry.th32ProcessID != processId) continue;
        std::size_t length = std::wcslen(entry.szExeFile);
        if (length >= 4 && ::_wcsicmp(entry.szExeFile + length - 4, L".exe") == 0) length -= 4;
        return NarrowProcessName(entry.szExeFile, length);
    }
    return {};
}

}  // namespace

std::vector<unsigned char> QueryPerfData(const char* indexText, std::size_t firstSize) {
    // Closing the key is what ends the query on the system's side.
    const fw::UniqueRegKey perfKey(HKEY_PERFORMANCE_DATA);
    try {
        std::vector<unsigned char> data(firstSize ? firstSize : 1);
        for (int tries = 0; tries < kDataTries; ++tries) {
            DWORD size = static_cast<DWORD>(data.size());
            const LONG rc = ::RegQueryValueExA(perfKey.get(), indexText, nullptr, nullptr, data.data(), &size);
            if (rc == ERROR_SUCCESS) {
                data.resize(size < data.size() ? size : data.size());
                return data;
            }
            if (rc != ERROR_MORE_DATA) break;
            data.assign(data.size() * 2, 0);
        }
    } catch (const std::bad_alloc&) {
    }
    return {};
}

void GetPerfTitleIndex(const char* name, char* index) {
    const std::vector<char> list = ReadNameList();
    FindTitleIndex(list.data(), list.size(), name, index);
}

std::string GetProcessName(DWORD processId) {
    std::string name = NameFromPerfData(processId);
    if (name.empty()) name = NameFromProcessList(processId);
    return name.empty() ? kProcessNotFound : name;
}

std::string ProcessNameFromPerfData(const unsigned char* data, std::size_t size, DWORD idCounterIndex,
                                    DWORD processId) {
    const std::optional<InstanceName> where = FindProcessInstance(data, size, idCounterIndex, processId);
    if (!where) return {};
    std::wstring name(where->units, L'\0');
    std::memcpy(&name[0], data + where->offset, where->units * sizeof(wchar_t));
    return NarrowProcessName(name.c_str(), name.size());
}

std::string NarrowProcessName(const wchar_t* name, std::size_t length, UINT codePage) {
    // Each character takes at least one byte, and at most two code units
    // make one, so no more units than this can fit.
    const std::size_t mostUnits = 2 * kProcessNameMax;
    // Keep the longest prefix that fits, ending between two characters: a
    // cut in the code units never splits a surrogate pair, and one made
    // there never leaves half a multi-byte character.
    for (std::size_t units = length < mostUnits ? length : mostUnits; units > 0; --units) {
        if (units < length && IS_HIGH_SURROGATE(name[units - 1]) && IS_LOW_SURROGATE(name[units])) continue;
        const int count = static_cast<int>(units);
        const int bytes = ::WideCharToMultiByte(codePage, 0, name, count, nullptr, 0, nullptr, nullptr);
        if (bytes <= 0) return {};
        if (static_cast<std::size_t>(bytes) > kProcessNameMax) continue;
        std::string narrow(static_cast<std::size_t>(bytes), '\0');
        ::WideCharToMultiByte(codePage, 0, name, count, &narrow[0], bytes, nullptr, nullptr);
        return narrow;
    }
    return {};
}

}  // namespace documents
