// dbgclient: a debug client for tests. It writes texts through the real
// OutputDebugStringA, one call per text, in the order given.
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: dbgclient [--pid] [--stay MS] [--count N [--prefix P]] [--] [TEXT...]\n"
    "Writes each TEXT through OutputDebugStringA, one call each, in order,\n"
    "then the N numbered lines P1\\n, P2\\n ... PN\\n (P defaults to \"line \").\n"
    "  --pid       print this process's id and a newline on stdout first\n"
    "  --stay MS   stay alive MS milliseconds after writing\n"
    "  --          every later argument is a TEXT\n"
    "Escapes in a TEXT: \\r \\n \\t \\\\. The TEXT \\0, or an empty one, writes the empty text.\n";

int UsageError(const std::string& what) {
    std::fprintf(stderr, "dbgclient: %s\n%s", what.c_str(), kUsage);
    return 2;
}

bool ParseCount(const char* s, unsigned long& value) {
    if (!*s || *s == '-') return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoul(s, &end, 10);
    return *end == '\0' && errno == 0;
}

// Resolves the escapes of one TEXT argument; false on an unknown escape.
bool Unescape(const char* arg, std::string& text) {
    if (std::strcmp(arg, "\\0") == 0) return true;
    for (const char* p = arg; *p; ++p) {
        if (*p != '\\') {
            text += *p;
            continue;
        }
        switch (*++p) {
            case 'r': text += '\r'; break;
            case 'n': text += '\n'; break;
            case 't': text += '\t'; break;
            case '\\': text += '\\'; break;
            default: return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    bool printPid = false;
    bool hasCount = false;
    bool hasPrefix = false;
    unsigned long count = 0;
    unsigned long stayMs = 0;
    std::string prefix = "line ";
    std::vector<std::string> texts;

    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (options && arg == "--") {
            options = false;
        } else if (options && arg == "--pid") {
            printPid = true;
        } else if (options && arg == "--stay") {
            if (i + 1 >= argc || !ParseCount(argv[++i], stayMs)) return UsageError("--stay needs a number");
        } else if (options && arg == "--count") {
            if (i + 1 >= argc || !ParseCount(argv[++i], count)) return UsageError("--count needs a number");
            hasCount = true;
        } else if (options && arg == "--prefix") {
            if (i + 1 >= argc) return UsageError("--prefix needs a text");
            prefix = argv[++i];
            hasPrefix = true;
        } else if (options && arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            return UsageError("unknown option " + arg);
        } else {
            std::string text;
            if (!Unescape(argv[i], text)) return UsageError("unknown escape in \"" + arg + "\"");
            texts.push_back(text);
        }
    }
    if (hasPrefix && !hasCount) return UsageError("--prefix needs --count");
    if (texts.empty() && !hasCount) return UsageError("nothing to write");

    if (printPid) {
        std::printf("%lu\n", static_cast<unsigned long>(::GetCurrentProcessId()));
        std::fflush(stdout);
    }
    for (const std::string& text : texts) ::OutputDebugStringA(text.c_str());
    for (unsigned long n = 1; n <= count; ++n) {
        ::OutputDebugStringA((prefix + std::to_string(n) + "\n").c_str());
    }
    if (stayMs) ::Sleep(static_cast<DWORD>(stayMs));
    return 0;
}
