// A program of the build started by a test: a test client, or Kestrum.exe
// itself. It lies in the build directory next to the test program. Its
// output comes through a pipe; the destructor waits for its end and ends it
// only if it hangs.
#pragma once

#include "framework/handles.h"

#include <string>
#include <vector>

namespace fwtest {

// The full path of a program next to the running test program.
std::string BuildProgramPath(const char* name);

class ChildProcess {
public:
    static constexpr DWORD kNoExit = 0xFFFFFFFF;

    // nCmdShow: the show command the program gets (STARTF_USESHOWWINDOW).
    ChildProcess(const char* name, const std::vector<std::string>& args, int nCmdShow = SW_SHOWNORMAL);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    bool Started() const { return static_cast<bool>(m_hProcess); }
    DWORD Pid() const { return m_pid; }
    HANDLE Handle() const { return m_hProcess.get(); }
    bool Running() const { return ::WaitForSingleObject(m_hProcess.get(), 0) == WAIT_TIMEOUT; }
    // The exit code, or kNoExit when it did not end in time (or never started).
    DWORD Wait(DWORD timeoutMs = 30000) const;
    // The next line of its output, without the line end.
    std::string ReadLine();
    // Everything it wrote, once it has ended.
    std::string ReadAll();

private:
    fw::UniqueKernelHandle m_hProcess;
    fw::UniqueKernelHandle m_hOutput;
    DWORD m_pid = 0;
};

}  // namespace fwtest
