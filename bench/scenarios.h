// The end-to-end benchmark runs: the same clients against the null receiver
// and against Kestrum.exe, the command round trip during a flood, and the
// memory of a long flood.
#pragma once

#include "bench/clients.h"
#include "tests/protoclient/numbered_lines.h"

#include <string>

namespace bench {

struct Throughput {
    bool done = false;     // every text was taken or shown in time
    double seconds = 0;    // from launching the clients to the last text taken or shown
    double clientSeconds = 0;  // from launching the clients until the last one ended
    std::size_t texts = 0; // texts the clients were to write
    lines::LineCheck lines;  // over all clients
    std::string note;        // what went wrong, if anything
    double TextsPerSecond() const { return seconds > 0 ? static_cast<double>(texts) / seconds : 0; }
};

// The null receiver owns the protocol while the clients write.
Throughput RunNullReceiver(const ClientPlan& plan);
// Kestrum.exe owns it; the run ends when every client's window shows all its lines.
Throughput RunKestrum(const ClientPlan& plan);

struct RoundTrip {
    double idleMedianMs = 0;
    double medianMs = 0;
    double p99Ms = 0;
    double maxMs = 0;
    std::size_t samples = 0;
    double clientSeconds = 0;  // until the clients had written all
    double floodSeconds = 0;   // until Kestrum had shown all
    std::string note;
};

// Sends Keep on Top to Kestrum's main window, in pairs, while the clients
// write and until all they wrote is shown, and times each SendMessage.
RoundTrip RunCommandRoundTrip(const ClientPlan& plan);

struct Memory {
    bool done = false;
    double seconds = 0;
    unsigned long long lines = 0;
    SIZE_T peakWorkingSet = 0;  // PeakWorkingSetSize at the end
    SIZE_T startWorkingSet = 0; // WorkingSetSize before the clients start
    SIZE_T endWorkingSet = 0;   // WorkingSetSize once all is shown
    SIZE_T peakPrivate = 0;     // the largest PrivateUsage sampled
    std::string note;
};

// Kestrum.exe under a flood that fills every pane past its limit; its
// memory from GetProcessMemoryInfo.
Memory RunMemory(const ClientPlan& plan);

}  // namespace bench
