// The debug clients of a benchmark run: protoclient.exe processes, each
// writing its own numbered lines, started together.
#pragma once

#include "tests/support/child_process.h"

#include <memory>
#include <string>
#include <vector>

namespace bench {

// Every benchmark line is this wide, plus its line end.
constexpr std::size_t kLineWidth = 60;

struct ClientPlan {
    bool ods = false;          // OutputDebugStringA, else the shared block directly
    unsigned clients = 1;
    unsigned long lines = 0;   // per client
    unsigned long perText = 1; // lines in one text
};

// The line prefix of client i: "c07 ".
std::string ClientPrefix(unsigned i);
// What a pane shows of one client's lines, in characters (CR LF line ends).
std::size_t PaneLength(const ClientPlan& plan);
std::size_t TextsPerClient(const ClientPlan& plan);

class Clients {
public:
    // Starts the clients at once.
    explicit Clients(const ClientPlan& plan);

    std::size_t Count() const { return m_processes.size(); }
    fwtest::ChildProcess& operator[](std::size_t i) { return *m_processes[i]; }
    bool AnyRunning() const;
    // Waits for every client; a description of each one that did not end
    // well (empty when all did).
    std::string WaitAll(DWORD timeoutMs);

private:
    std::vector<std::unique_ptr<fwtest::ChildProcess>> m_processes;
};

}  // namespace bench
