// Process-name lookup for Update Title: the process's instance name in the
// system's performance data, or, where the performance registry cannot serve
// it, the image name from the system's process list.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace documents {

// What the lookup gives when neither source knows the process.
extern const char kProcessNotFound[];  // "<Not Found>"

// Longest process name, in bytes of the ANSI code page (a 64-byte buffer).
constexpr std::size_t kProcessNameMax = 63;

// Writes into `index`, the caller's 256-byte buffer, the title index text of
// `name` from the English performance name list (Perflib\009 "Counters").
// When the name is not in the list, `index` holds the last pair's index;
// when the list cannot be read, `index` is left as it was.
void GetPerfTitleIndex(const char* name, char* index);

// The name of process `processId`: its instance name in the performance data
// of the Process object, else its image name without ".exe" from the
// process list, else kProcessNotFound. Keeps nothing between calls.
std::string GetProcessName(DWORD processId);

// The first size of the performance data buffer, which doubles while the
// system answers ERROR_MORE_DATA.
constexpr std::size_t kFirstPerfDataSize = 64 * 1024;

// The performance data named by `indexText` (HKEY_PERFORMANCE_DATA), as many
// bytes as the system returned; empty when the query fails or the data
// outgrows 1024 times the first size.
std::vector<unsigned char> QueryPerfData(const char* indexText, std::size_t firstSize = kFirstPerfDataSize);

// The performance-data half of GetProcessName, over a block already read:
// the name of the instance that carries `processId` in its counter titled
// `idCounterIndex`, in the ANSI code page; empty when the block names no
// such process.
std::string ProcessNameFromPerfData(const unsigned char* data, std::size_t size, DWORD idCounterIndex,
                                    DWORD processId);

// A UTF-16 name in `codePage`, cut to at most kProcessNameMax bytes between
// two characters; empty when it cannot be converted.
std::string NarrowProcessName(const wchar_t* name, std::size_t length, UINT codePage = CP_ACP);

}  // namespace documents
