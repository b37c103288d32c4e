#include "bench/scenarios.h"

#include "bench/null_receiver.h"
#include "bench/timing.h"
#include "res/resource.h"
#include "tests/e2e/kestrum_driver.h"

#include <psapi.h>

#include <algorithm>
#include <map>
#include <set>

namespace bench {

namespace {

// A run that makes no progress for this long has stalled.
constexpr DWORD kStallMs = 30000;

void Add(lines::LineCheck& sum, const lines::LineCheck& one) {
    sum.received += one.received;
    sum.lost += one.lost;
    sum.reordered += one.reordered;
    sum.damaged += one.damaged;
    sum.foreign += one.foreign;
}

// Checks each client's window. A window belongs to the client whose prefix
// starts its text; lines of another client in it count as foreign.
lines::LineCheck CheckWindows(const e2e::Kestrum& k, const ClientPlan& plan) {
    std::map<std::string, std::string> byPrefix;
    const std::size_t prefixLength = ClientPrefix(0).size();
    for (HWND h : k.DebugWindows()) {
        const std::string text = e2e::Kestrum::PaneText(h);
        byPrefix[text.substr(0, prefixLength)] += text;
    }
    lines::LineCheck sum;
    for (unsigned i = 0; i < plan.clients; ++i) {
        const auto it = byPrefix.find(ClientPrefix(i));
        if (it == byPrefix.end()) {
            sum.lost += plan.lines;
            continue;
        }
        Add(sum, lines::CheckNumberedLines(it->second, it->first, plan.lines, kLineWidth));
        byPrefix.erase(it);
    }
    for (const auto& other : byPrefix) {
        sum.foreign += static_cast<std::size_t>(std::count(other.second.begin(), other.second.end(), '\n'));
    }
    return sum;
}

// Whether every client's window ends with the client's last line: once the
// clients have ended, whether Kestrum has shown all they wrote.
bool AllShown(const e2e::Kestrum& k, const ClientPlan& plan) {
    std::set<std::string> lastLines;
    for (unsigned i = 0; i < plan.clients; ++i) {
        lastLines.insert(lines::NumberedLine(ClientPrefix(i), plan.lines, kLineWidth) + "\r\n");
    }
    for (HWND h : k.DebugWindows()) {
        const std::string text = e2e::Kestrum::PaneText(h);
        for (auto it = lastLines.begin(); it != lastLines.end(); ++it) {
            if (text.size() >= it->size() && text.compare(text.size() - it->size(), it->size(), *it) == 0) {
                lastLines.erase(it);
                break;
            }
        }
    }
    return lastLines.empty();
}

// Starts Kestrum.exe as a user would find it the first time.
bool StartKestrum(std::unique_ptr<e2e::Kestrum>& k, std::string& note) {
    e2e::ResetSettings();
    k = std::make_unique<e2e::Kestrum>();
    if (k->MainWindow()) return true;
    note = "Kestrum.exe did not start";
    return false;
}

}  // namespace

Throughput RunNullReceiver(const ClientPlan& plan) {
    Throughput run;
    run.texts = plan.clients * TextsPerClient(plan);
    NullReceiver receiver(run.texts);
    if (!receiver.IsRunning()) {
        run.note = "the null receiver could not own the protocol";
        return run;
    }
    const LONGLONG start = Now();
    Clients clients(plan);
    std::size_t taken = 0;
    DWORD lastProgress = ::GetTickCount();
    while ((taken = receiver.Taken()) < run.texts && ::GetTickCount() - lastProgress < kStallMs) {
        ::Sleep(5);
        if (receiver.Taken() != taken) lastProgress = ::GetTickCount();
        if (run.clientSeconds == 0 && !clients.AnyRunning()) run.clientSeconds = Seconds(start, Now());
    }
    run.done = taken == run.texts;
    run.seconds = Seconds(start, receiver.LastTakeTicks());
    run.note = clients.WaitAll(kStallMs);
    for (unsigned i = 0; i < plan.clients; ++i) {
        Add(run.lines, lines::CheckNumberedLines(receiver.TextsOf(clients[i].Pid()), ClientPrefix(i), plan.lines,
                                                 kLineWidth));
    }
    return run;
}

Throughput RunKestrum(const ClientPlan& plan) {
    Throughput run;
    run.texts = plan.clients * TextsPerClient(plan);
    std::unique_ptr<e2e::Kestrum> k;
    if (!StartKestrum(k, run.note)) return run;

    const std::size_t full = PaneLength(plan);
    const LONGLONG start = Now();
    Clients clients(plan);
    std::set<HWND> complete;
    std::size_t shown = 0;
    DWORD lastProgress = ::GetTickCount();
    while (complete.size() < plan.clients && ::GetTickCount() - lastProgress < kStallMs) {
        // Each poll is a message Kestrum answers between its passes: ask
        // only the windows that are not yet complete.
        std::size_t nowShown = complete.size() * full;
        for (HWND h : k->DebugWindows()) {
            if (complete.count(h)) continue;
            const std::size_t length = e2e::Kestrum::PaneTextLength(h);
            if (length >= full) complete.insert(h);
            nowShown += std::min(length, full);
        }
        if (nowShown != shown) lastProgress = ::GetTickCount();
        shown = nowShown;
        if (run.clientSeconds == 0 && !clients.AnyRunning()) run.clientSeconds = Seconds(start, Now());
        if (complete.size() < plan.clients) ::Sleep(10);
    }
    const LONGLONG end = Now();
    run.done = complete.size() == plan.clients;
    run.seconds = Seconds(start, end);
    run.note = clients.WaitAll(kStallMs);
    run.lines = CheckWindows(*k, plan);
    if (k->Close() != 0) run.note += "Kestrum.exe did not close cleanly\n";
    return run;
}

RoundTrip RunCommandRoundTrip(const ClientPlan& plan) {
    RoundTrip rtt;
    std::unique_ptr<e2e::Kestrum> k;
    if (!StartKestrum(k, rtt.note)) return rtt;
    const HWND hMain = k->MainWindow();
    auto roundTrip = [hMain] {
        const LONGLONG start = Now();
        ::SendMessageA(hMain, WM_COMMAND, MAKEWPARAM(ID_VIEW_KEEP_ON_TOP, 0), 0);
        return Seconds(start, Now()) * 1000.0;
    };

    std::vector<double> idle;
    for (int i = 0; i < 40; ++i) {
        idle.push_back(roundTrip());
        ::Sleep(5);
    }
    rtt.idleMedianMs = Percentile(idle, 0.5);

    std::vector<double> flood;
    const LONGLONG start = Now();
    Clients clients(plan);
    // While the clients write and until Kestrum has shown all they wrote;
    // in pairs, so that the flag ends as it started.
    DWORD lastCheck = ::GetTickCount();
    for (bool shown = false; !shown;) {
        flood.push_back(roundTrip());
        ::Sleep(5);
        flood.push_back(roundTrip());
        ::Sleep(5);
        if (clients.AnyRunning() || ::GetTickCount() - lastCheck < 500) continue;
        if (rtt.clientSeconds == 0) rtt.clientSeconds = Seconds(start, Now());
        shown = AllShown(*k, plan);
        lastCheck = ::GetTickCount();
    }
    rtt.floodSeconds = Seconds(start, Now());
    rtt.note = clients.WaitAll(kStallMs);
    rtt.samples = flood.size();
    rtt.medianMs = Percentile(flood, 0.5);
    rtt.p99Ms = Percentile(flood, 0.99);
    rtt.maxMs = Percentile(flood, 1.0);
    if (k->Close() != 0) rtt.note += "Kestrum.exe did not close cleanly\n";
    return rtt;
}

Memory RunMemory(const ClientPlan& plan) {
    Memory mem;
    mem.lines = static_cast<unsigned long long>(plan.clients) * plan.lines;
    std::unique_ptr<e2e::Kestrum> k;
    if (!StartKestrum(k, mem.note)) return mem;
    const HANDLE hKestrum = k->Process().Handle();
    auto sample = [&] {
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof counters;
        if (::GetProcessMemoryInfo(hKestrum, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
            mem.peakWorkingSet = counters.PeakWorkingSetSize;
            mem.endWorkingSet = counters.WorkingSetSize;
            mem.peakPrivate = std::max(mem.peakPrivate, counters.PrivateUsage);
        }
    };
    sample();
    mem.startWorkingSet = mem.endWorkingSet;
    const LONGLONG start = Now();
    Clients clients(plan);
    DWORD lastCheck = ::GetTickCount();
    bool shown = false;
    while (!shown) {
        sample();
        ::Sleep(100);
        if (clients.AnyRunning()) {
            lastCheck = ::GetTickCount();
            continue;
        }
        shown = AllShown(*k, plan);
        if (!shown && ::GetTickCount() - lastCheck > 10 * kStallMs) break;
    }
    sample();
    mem.done = shown;
    mem.seconds = Seconds(start, Now());
    mem.note = clients.WaitAll(kStallMs);
    if (k->Close() != 0) mem.note += "Kestrum.exe did not close cleanly\n";
    return mem;
}

}  // namespace bench
