// protoclient: a debug client for tests and benchmarks. It writes numbered
// lines either through OutputDebugStringA or straight into the shared block
// (the protocol objects opened once, a wait for "DBWIN_BUFFER_READY" before
// each text), so that it can push harder than OutputDebugStringA does. It
// can also break the protocol on purpose: a block with no NUL, or texts
// written and signalled without waiting for its turn.
#include "framework/handles.h"
#include "tests/protoclient/numbered_lines.h"

#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kUsage[] =
    "usage: protoclient [--ods] [--count N] [--prefix P] [--width W] [--per-text K]\n"
    "                   [--no-nul N] [--out-of-turn N] [--hold-turn] [--pid] [--stay MS]\n"
    "Writes the numbered lines 1..N (see numbered_lines.h), W characters each\n"
    "(default 60) plus LF, K lines to a text (default 1; K*(W+1) <= 4091).\n"
    "  --ods            through OutputDebugStringA instead of the shared block\n"
    "  --no-nul N       first N blocks of 4092 'x' with no NUL, each in turn\n"
    "  --out-of-turn N  first N texts written and signalled without waiting\n"
    "                   for the block to be free (breaks the protocol)\n"
    "  --hold-turn      last, take the block, print \"holding\" and never give it\n"
    "                   back (as a client killed in the middle of its write)\n"
    "  --pid            print this process's id and a newline first\n"
    "  --stay MS        stay alive MS milliseconds after writing\n"
    "Exit code: 0 when every text went out, 1 when the block was not freed\n"
    "within 10 s for some text (it was dropped), 2 on bad usage, 3 when no\n"
    "receiver owns the protocol (direct writes only).\n";

// As long as OutputDebugStringA waits for the block before it drops a text.
constexpr DWORD kTurnTimeoutMs = 10000;
constexpr std::size_t kBlockSize = 4096;
constexpr std::size_t kMaxText = kBlockSize - sizeof(DWORD) - 1;  // 4091 characters and the NUL

int UsageError(const char* what) {
    std::fprintf(stderr, "protoclient: %s\n%s", what, kUsage);
    return 2;
}

bool ParseNumber(const char* s, unsigned long& value) {
    if (!*s || *s == '-') return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoul(s, &end, 10);
    return *end == '\0' && errno == 0;
}

// The client side of the protocol, objects opened once.
class SharedBlock {
public:
    SharedBlock()
        : m_hBufferReady(::OpenEventA(SYNCHRONIZE, FALSE, "DBWIN_BUFFER_READY")),
          m_hDataReady(::OpenEventA(EVENT_MODIFY_STATE, FALSE, "DBWIN_DATA_READY")),
          m_hMapping(::OpenFileMappingA(FILE_MAP_WRITE, FALSE, "DBWIN_BUFFER")),
          m_view(m_hMapping ? ::MapViewOfFile(m_hMapping.get(), FILE_MAP_WRITE, 0, 0, kBlockSize) : nullptr) {}

    bool IsOpen() const { return m_hBufferReady && m_hDataReady && m_view; }

    // Waits until the block is free; false when it was not freed in time.
    bool TakeTurn() { return ::WaitForSingleObject(m_hBufferReady.get(), kTurnTimeoutMs) == WAIT_OBJECT_0; }
    // In turn: takes the block, writes it and signals.
    bool Write(const char* bytes, std::size_t size) {
        if (!TakeTurn()) return false;
        Put(bytes, size);
        return true;
    }
    // Out of turn: writes and signals at once, whoever holds the block.
    void Put(const char* bytes, std::size_t size) {
        char* block = static_cast<char*>(const_cast<void*>(m_view.get()));
        const DWORD pid = ::GetCurrentProcessId();
        std::memcpy(block, &pid, sizeof pid);
        std::memcpy(block + sizeof pid, bytes, size);
        ::SetEvent(m_hDataReady.get());
    }

private:
    fw::UniqueKernelHandle m_hBufferReady;
    fw::UniqueKernelHandle m_hDataReady;
    fw::UniqueKernelHandle m_hMapping;
    fw::UniqueMappedView m_view;
};

struct Options {
    bool ods = false;
    bool printPid = false;
    bool holdTurn = false;
    unsigned long count = 0;
    std::string prefix = "line ";
    unsigned long width = 60;
    unsigned long perText = 1;
    unsigned long noNul = 0;
    unsigned long outOfTurn = 0;
    unsigned long stayMs = 0;
};

// Parses the command line; an empty result on success, else the complaint.
std::string Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        auto number = [&](unsigned long& value) { return hasValue && ParseNumber(argv[++i], value); };
        if (arg == "--ods") {
            o.ods = true;
        } else if (arg == "--hold-turn") {
            o.holdTurn = true;
        } else if (arg == "--pid") {
            o.printPid = true;
        } else if (arg == "--prefix") {
            if (!hasValue) return "--prefix needs a text";
            o.prefix = argv[++i];
        } else if (arg == "--count" || arg == "--width" || arg == "--per-text" || arg == "--no-nul" ||
                   arg == "--out-of-turn" || arg == "--stay") {
            unsigned long& value = arg == "--count"         ? o.count
                                   : arg == "--width"       ? o.width
                                   : arg == "--per-text"    ? o.perText
                                   : arg == "--no-nul"      ? o.noNul
                                   : arg == "--out-of-turn" ? o.outOfTurn
                                                            : o.stayMs;
            if (!number(value)) return arg + " needs a number";
        } else {
            return "unknown argument " + arg;
        }
    }
    if (o.perText == 0) return "--per-text must be at least 1";
    if (lines::NumberedLine(o.prefix, o.count, o.width).size() + 1 > kMaxText / o.perText) {
        return "--per-text lines do not fit in one text";
    }
    if (o.ods && (o.noNul || o.outOfTurn || o.holdTurn)) {
        return "--no-nul, --out-of-turn and --hold-turn write the block directly, not with --ods";
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    const std::string complaint = Parse(argc, argv, o);
    if (!complaint.empty()) return UsageError(complaint.c_str());
    if (o.printPid) {
        std::printf("%lu\n", static_cast<unsigned long>(::GetCurrentProcessId()));
        std::fflush(stdout);
    }

    SharedBlock block;
    if (!o.ods && !block.IsOpen()) {
        std::fprintf(stderr, "protoclient: no receiver owns the debug-output protocol\n");
        return 3;
    }
    unsigned long dropped = 0;
    const std::string noNul(kBlockSize - sizeof(DWORD), 'x');
    for (unsigned long n = 0; n < o.noNul; ++n) {
        if (!block.Write(noNul.data(), noNul.size())) ++dropped;
    }

    std::string text;
    unsigned long inText = 0;
    unsigned long outOfTurn = o.outOfTurn;
    auto flush = [&] {
        if (o.ods) {
            ::OutputDebugStringA(text.c_str());
        } else if (outOfTurn > 0) {
            --outOfTurn;
            block.Put(text.c_str(), text.size() + 1);
        } else if (!block.Write(text.c_str(), text.size() + 1)) {
            ++dropped;
        }
        text.clear();
        inText = 0;
    };
    for (unsigned long n = 1; n <= o.count; ++n) {
        text += lines::NumberedLine(o.prefix, n, o.width);
        text += '\n';
        if (++inText == o.perText) flush();
    }
    if (inText > 0) flush();

    if (o.holdTurn && block.TakeTurn()) {
        std::printf("holding\n");
        std::fflush(stdout);
        ::Sleep(INFINITE);
    }
    if (o.stayMs) ::Sleep(static_cast<DWORD>(o.stayMs));
    if (dropped > 0) {
        std::fprintf(stderr, "protoclient: %lu texts dropped: the block was not freed in time\n", dropped);
        return 1;
    }
    return 0;
}
