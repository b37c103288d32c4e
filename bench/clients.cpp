#include "bench/clients.h"

#include <cstdio>

namespace bench {

std::string ClientPrefix(unsigned i) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "c%02u ", i);
    return prefix;
}

std::size_t PaneLength(const ClientPlan& plan) { return plan.lines * (kLineWidth + 2); }

std::size_t TextsPerClient(const ClientPlan& plan) { return (plan.lines + plan.perText - 1) / plan.perText; }

Clients::Clients(const ClientPlan& plan) {
    for (unsigned i = 0; i < plan.clients; ++i) {
        std::vector<std::string> args = {"--count",   std::to_string(plan.lines),      "--prefix",
                                         ClientPrefix(i), "--width", std::to_string(kLineWidth),
                                         "--per-text", std::to_string(plan.perText)};
        if (plan.ods) args.push_back("--ods");
        m_processes.push_back(std::make_unique<fwtest::ChildProcess>("protoclient.exe", args));
    }
}

bool Clients::AnyRunning() const {
    for (const auto& p : m_processes) {
        if (p->Started() && p->Running()) return true;
    }
    return false;
}

std::string Clients::WaitAll(DWORD timeoutMs) {
    std::string failures;
    for (std::size_t i = 0; i < m_processes.size(); ++i) {
        fwtest::ChildProcess& p = *m_processes[i];
        const DWORD code = p.Started() ? p.Wait(timeoutMs) : fwtest::ChildProcess::kNoExit;
        if (code == 0) continue;
        failures += "client " + std::to_string(i) + ": ";
        failures += !p.Started()                             ? "did not start"
                    : code == fwtest::ChildProcess::kNoExit ? "still running"
                                                             : "exit code " + std::to_string(code) + " " + p.ReadAll();
        failures += "\n";
    }
    return failures;
}

}  // namespace bench
