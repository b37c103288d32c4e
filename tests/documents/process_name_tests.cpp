// The Windows side of the process-name lookup: the conversion of instance
// names, the performance-data half over synthetic blocks, and the whole
// lookup for real processes, with and without a name list in the registry.
#include "documents/process_name.h"
#include "framework/handles.h"
#include "tests/documents/perf_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using documents::GetPerfTitleIndex;
using documents::GetProcessName;
using documents::kProcessNotFound;
using documents::NarrowProcessName;
using documents::ProcessNameFromPerfData;

namespace {

std::string Narrow(const std::wstring& name, UINT codePage) {
    return NarrowProcessName(name.c_str(), name.size(), codePage);
}

TEST(NarrowProcessName, ConvertsToTheCodePageAndCutsBetweenCharacters) {
    const std::wstring a59(59, L'a'), a60(60, L'a'), a61(61, L'a'), a62(62, L'a'), a63(63, L'a');
    const std::string n59(59, 'a'), n60(60, 'a'), n61(61, 'a'), n62(62, 'a'), n63(63, 'a');
    const struct {
        const char* what;
        std::wstring name;
        UINT codePage;
        std::string narrow;
    } cases[] = {
        {"ASCII", L"Kestrum", 1252, "Kestrum"},
        {"empty", L"", 1252, ""},
        {"Latin-1", L"caf\u00e9", 1252, "caf\xe9"},
        {"a character whose low byte is another letter", L"\u0141\u00f3d\u017a", 1252, "L\xf3" "dz"},
        {"a character whose low byte is zero", L"a\u20acb", 1252, "a\x80" "b"},
        {"a double-byte character", L"\u3042", 932, "\x82\xa0"},
        {"63 characters fit", a63, 1252, n63},
        {"the 64th character is cut", a63 + L"b", 1252, n63},
        {"a long name", std::wstring(300, L'z'), 1252, std::string(63, 'z')},
        {"a double-byte character that fits", a61 + L"\u3042", 932, n61 + "\x82\xa0"},
        {"a double-byte character is not cut in two", a62 + L"\u3042", 932, n62},
        {"a UTF-8 sequence is not cut", a62 + L"\u00e9", CP_UTF8, n62},
        {"a surrogate pair that fits", a59 + L"\U0001F600", CP_UTF8, n59 + "\xf0\x9f\x98\x80"},
        {"a surrogate pair is not split", a60 + L"\U0001F600", CP_UTF8, n60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Narrow(c.name, c.codePage), c.narrow);
    }
    // The length given is the name's length, zero units included.
    EXPECT_EQ(NarrowProcessName(L"ab\0cd", 2, 1252), "ab");
}

TEST(ProcessNameFromPerfData, NamesTheInstanceInTheAnsiCodePage) {
    const std::u16string longName(100, u'x');
    const perftest::PerfBlock block =
        perftest::BuildPerfBlock({{u"Idle", 0}, {u"Kestrum", 4321}, {longName, 88}});
    const auto name = [&](DWORD index, DWORD id) {
        return ProcessNameFromPerfData(block.bytes.data(), block.bytes.size(), index, id);
    };
    EXPECT_EQ(name(perftest::kIdProcessIndex, 4321), "Kestrum");
    EXPECT_EQ(name(perftest::kIdProcessIndex, 88), std::string(63, 'x'));
    EXPECT_EQ(name(perftest::kIdProcessIndex, 4322), "");
    EXPECT_EQ(name(6, 4321), "");  // the id is read from the named counter only
}

TEST(ProcessNameFromPerfData, ConvertsANonAsciiName) {
    if (::GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << ::GetACP() << ", not 1252";
    const perftest::PerfBlock block = perftest::BuildPerfBlock({{u"caf\u00e9 \u0141\u20ac", 99}});
    EXPECT_EQ(ProcessNameFromPerfData(block.bytes.data(), block.bytes.size(), perftest::kIdProcessIndex, 99),
              "caf\xe9 L\x80");
}

std::string ModulePath() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// This test program's image name without ".exe".
std::string OwnName() {
    const std::string path = ModulePath();
    const std::string file = path.substr(path.find_last_of('\\') + 1);
    return file.substr(0, file.size() - 4);
}

TEST(GetProcessName, NamesThisProcess) {
    EXPECT_EQ(GetProcessName(::GetCurrentProcessId()), OwnName());
}

TEST(GetProcessName, NoProcessCarriesTheIdOfNoClient) {
    EXPECT_EQ(GetProcessName(0xFFFFFFFFu), kProcessNotFound);
}

// A started process is named while it lives, and not once it has ended. Its
// image is a copy of this program, spelled with ".EXE", and it never runs:
// it is created suspended and ended by its handle. The handle is held while
// the ended process is looked up, so that its id cannot be taken again.
TEST(GetProcessName, NamesAStartedProcessUntilItEnds) {
    char temp[MAX_PATH] = {};
    ASSERT_NE(::GetTempPathA(MAX_PATH, temp), 0u);
    const std::string childName = "Kestrum Child " + std::to_string(::GetCurrentProcessId());
    const std::string childPath = std::string(temp) + childName + ".EXE";
    ASSERT_TRUE(::CopyFileA(ModulePath().c_str(), childPath.c_str(), FALSE));

    std::string commandLine = "\"" + childPath + "\" --gtest_list_tests";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    const BOOL started = ::CreateProcessA(childPath.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                                          CREATE_SUSPENDED, nullptr, nullptr, &startup, &info);
    if (started) {
        const fw::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
        EXPECT_EQ(GetProcessName(info.dwProcessId), childName);
        ::TerminateProcess(process.get(), 0);
        EXPECT_EQ(::WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
        EXPECT_EQ(GetProcessName(info.dwProcessId), kProcessNotFound);
    }
    ::DeleteFileA(childPath.c_str());
    ASSERT_TRUE(started) << "CreateProcess failed: " << ::GetLastError();
}

// The system's own name list. Wine's holds two pairs, 1 "1847" and 1846
// "End Marker", and no "Process"; every list starts with the pair 1 "1847"
// (the highest index in use).
TEST(GetPerfTitleIndex, ReadsTheEnglishNameList) {
    const struct {
        const char* name;
        const char* index;
    } cases[] = {{"1847", "1"}, {"End Marker", "1846"}, {"end marker", "1846"}, {"No Such Counter", "1846"}};
    for (const auto& c : cases) {
        char index[256];
        std::memset(index, 'x', sizeof index);
        GetPerfTitleIndex(c.name, index);
        EXPECT_STREQ(index, c.index) << c.name;
    }
}

// Wine's performance data answers ERROR_MORE_DATA with no size at all to a
// buffer too small: the buffer must grow by itself until the data fits.
TEST(QueryPerfData, GrowsTheBufferUntilTheDataFits) {
    const std::vector<unsigned char> whole = documents::QueryPerfData("230");
    ASSERT_GE(whole.size(), 28u);
    const std::vector<unsigned char> grown = documents::QueryPerfData("230", 8);
    ASSERT_EQ(grown.size(), whole.size());
    EXPECT_EQ(std::memcmp(grown.data(), u"PERF", 8), 0);
    EXPECT_EQ(perftest::Get32(grown, 24), perftest::Get32(whole, 24));  // HeaderLength
}

}  // namespace
