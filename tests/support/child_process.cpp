#include "tests/support/child_process.h"

namespace fwtest {

namespace {

// Quotes one argument so that the C runtime's parsing gives it back unchanged.
std::string Quote(const std::string& arg) {
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    return out + '"';
}

}  // namespace

std::string BuildProgramPath(const char* name) {
    char path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

ChildProcess::ChildProcess(const char* name, const std::vector<std::string>& args, int nCmdShow) {
    std::string cmd = Quote(BuildProgramPath(name));
    for (const std::string& a : args) cmd += ' ' + Quote(a);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE hRead = nullptr;
    HANDLE hWrite = nullptr;
    if (!::CreatePipe(&hRead, &hWrite, &inherit, 0)) return;
    m_hOutput.reset(hRead);
    const fw::UniqueKernelHandle write(hWrite);
    ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(nCmdShow);
    si.hStdOutput = hWrite;
    si.hStdError = hWrite;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        return;
    }
    ::CloseHandle(pi.hThread);
    m_hProcess.reset(pi.hProcess);
    m_pid = pi.dwProcessId;
}

ChildProcess::~ChildProcess() {
    if (m_hProcess && Wait() == kNoExit) ::TerminateProcess(m_hProcess.get(), 1);
}

DWORD ChildProcess::Wait(DWORD timeoutMs) const {
    DWORD code = kNoExit;
    if (!m_hProcess || ::WaitForSingleObject(m_hProcess.get(), timeoutMs) != WAIT_OBJECT_0) return kNoExit;
    ::GetExitCodeProcess(m_hProcess.get(), &code);
    return code;
}

std::string ChildProcess::ReadLine() {
    std::string line;
    char c;
    DWORD n = 0;
    while (::ReadFile(m_hOutput.get(), &c, 1, &n, nullptr) && n == 1 && c != '\n') {
        if (c != '\r') line += c;
    }
    return line;
}

std::string ChildProcess::ReadAll() {
    std::string all;
    char buf[512];
    DWORD n = 0;
    while (::ReadFile(m_hOutput.get(), buf, sizeof buf, &n, nullptr) && n > 0) all.append(buf, n);
    return all;
}

}  // namespace fwtest
