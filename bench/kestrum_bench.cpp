// kestrum_bench: Kestrum.exe end to end against the null receiver, with the
// same protoclient.exe clients in the same run; the command round trip
// during a flood; the memory of a ten-million-line flood. Prints one table.
// Run by bench/run.sh; run it with --help for its parameters.
#include "bench/scenarios.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: kestrum_bench [--lines M] [--repeat R] [--clients N] [--transport T] [--flood-lines F]\n"
    "                     [--memory-lines L] [--only PART]\n"
    "  --lines M         lines per client in the throughput runs (default 4000)\n"
    "  --repeat R        runs of each throughput row; the run with the median ratio is shown (default 1)\n"
    "  --clients N       only the throughput rows of N clients (1, 4 or 16)\n"
    "  --transport T     only the throughput rows of ods or direct clients\n"
    "  --flood-lines F   lines per client of the 4 clients flooding during the round trips (default 40000)\n"
    "  --memory-lines L  lines in all of the memory flood, 4 clients, 67 lines a text (default 10000000)\n"
    "  --only PART       throughput, roundtrip or memory\n";

struct Parameters {
    unsigned long lines = 4000;
    unsigned long repeat = 1;
    unsigned long clients = 0;  // every count
    std::string transport;      // both
    unsigned long floodLines = 40000;
    unsigned long memoryLines = 10000000;
    std::string only;
};

bool Parse(int argc, char** argv, Parameters& p) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        if (arg == "--only") {
            p.only = value;
            if (p.only != "throughput" && p.only != "roundtrip" && p.only != "memory") return false;
            continue;
        }
        if (arg == "--transport") {
            p.transport = value;
            if (p.transport != "ods" && p.transport != "direct") return false;
            continue;
        }
        char* end = nullptr;
        const unsigned long n = std::strtoul(value, &end, 10);
        if (*end != '\0' || n == 0) return false;
        if (arg == "--lines") {
            p.lines = n;
        } else if (arg == "--repeat") {
            p.repeat = n;
        } else if (arg == "--clients") {
            if (n != 1 && n != 4 && n != 16) return false;
            p.clients = n;
        } else if (arg == "--flood-lines") {
            p.floodLines = n;
        } else if (arg == "--memory-lines") {
            p.memoryLines = n;
        } else {
            return false;
        }
    }
    return true;
}

std::string Problems(const bench::Throughput& run) {
    std::string problems = run.done ? "" : "not all shown; ";
    for (const char* p = run.note.c_str(); *p; ++p) problems += *p == '\n' ? ' ' : *p;
    return problems;
}

double Ratio(const bench::Throughput& null, const bench::Throughput& kestrum) {
    return kestrum.seconds > 0 ? null.seconds / kestrum.seconds : 0;
}

struct Pair {
    bench::Throughput null;
    bench::Throughput kestrum;
};

// One row: the run with the median ratio, and every run's ratio when more
// than one was made.
void PrintThroughput(const char* transport, unsigned clients, std::vector<Pair> runs) {
    std::sort(runs.begin(), runs.end(),
              [](const Pair& a, const Pair& b) { return Ratio(a.null, a.kestrum) < Ratio(b.null, b.kestrum); });
    const bench::Throughput& null = runs[runs.size() / 2].null;
    const bench::Throughput& kestrum = runs[runs.size() / 2].kestrum;
    std::string all;
    if (runs.size() > 1) {
        all = "runs:";
        for (const Pair& run : runs) {
            char ratio[16];
            std::snprintf(ratio, sizeof ratio, " %.2f", Ratio(run.null, run.kestrum));
            all += ratio;
        }
        all += "; ";
    }
    std::printf("| %-6s | %2u | %7zu | %6.2f | %7.0f | %14.2f | %6.2f | %7.0f | %5.2f | %zu/%zu/%zu/%zu | %zu/%zu | %s%s%s\n",
                transport, clients, kestrum.texts, null.seconds, null.TextsPerSecond(), kestrum.clientSeconds,
                kestrum.seconds, kestrum.TextsPerSecond(), Ratio(null, kestrum), kestrum.lines.lost,
                kestrum.lines.reordered, kestrum.lines.damaged, kestrum.lines.foreign, null.lines.lost,
                null.lines.reordered, all.c_str(), Problems(null).c_str(), Problems(kestrum).c_str());
    std::fflush(stdout);
}

void RunThroughput(const Parameters& p) {
    std::printf("\nThroughput: N clients x %lu lines of %zu characters, one line a text; time from launching the "
                "clients until the last text is taken (null receiver) or shown in its window (Kestrum)%s.\n",
                p.lines, bench::kLineWidth, p.repeat > 1 ? "; the run of median ratio" : "");
    std::printf("| client | N  | texts   | null s | null /s | kes. clients s | kes. s | kes. /s | ratio | lost/reord/dmg/foreign | null lost/reord | problems\n");
    std::printf("|--------|----|---------|--------|---------|----------------|--------|---------|-------|------------------------|-----------------|---------\n");
    // A first, unreported round: Wine's first start of a program is slow
    // and would count against whichever run came first.
    bench::ClientPlan warmUp;
    warmUp.lines = 100;
    bench::RunNullReceiver(warmUp);
    bench::RunKestrum(warmUp);
    for (const bool ods : {true, false}) {
        if (!p.transport.empty() && ods != (p.transport == "ods")) continue;
        for (const unsigned clients : {1u, 4u, 16u}) {
            if (p.clients != 0 && clients != p.clients) continue;
            bench::ClientPlan plan;
            plan.ods = ods;
            plan.clients = clients;
            plan.lines = p.lines;
            std::vector<Pair> runs;
            for (unsigned long r = 0; r < p.repeat; ++r) {
                bench::Throughput null = bench::RunNullReceiver(plan);
                runs.push_back({std::move(null), bench::RunKestrum(plan)});
            }
            PrintThroughput(ods ? "ODS" : "direct", clients, std::move(runs));
        }
    }
}

void RunRoundTrip(const Parameters& p) {
    bench::ClientPlan plan;
    plan.clients = 4;
    plan.lines = p.floodLines;
    const bench::RoundTrip rtt = bench::RunCommandRoundTrip(plan);
    std::printf("\nCommand round trip (SendMessage of WM_COMMAND Keep on Top, in pairs) during a flood of 4 direct "
                "clients x %lu lines, one line a text, until all is shown:\n",
                p.floodLines);
    std::printf("| idle median ms | flood median ms | flood p99 ms | flood max ms | samples | clients s | all shown s | problems\n");
    std::printf("|----------------|-----------------|--------------|--------------|---------|-----------|-------------|---------\n");
    std::printf("| %14.2f | %15.2f | %12.2f | %12.2f | %7zu | %9.1f | %11.1f | %s\n", rtt.idleMedianMs, rtt.medianMs,
                rtt.p99Ms, rtt.maxMs, rtt.samples, rtt.clientSeconds, rtt.floodSeconds, rtt.note.c_str());
    std::fflush(stdout);
}

void RunMemory(const Parameters& p) {
    bench::ClientPlan plan;
    plan.clients = 4;
    plan.lines = p.memoryLines / plan.clients;
    plan.perText = 67;  // 67 lines of 61 characters: 4087 of the text's 4091
    const bench::Memory mem = bench::RunMemory(plan);
    std::printf("\nMemory: 4 direct clients x %lu lines (%llu in all), %lu lines a text; Kestrum's process:\n",
                plan.lines, mem.lines, plan.perText);
    auto mb = [](SIZE_T bytes) { return static_cast<double>(bytes) / (1 << 20); };
    std::printf("| peak working set MB | working set before, after MB | peak private MB | s to show all | all shown | problems\n");
    std::printf("|---------------------|------------------------------|-----------------|---------------|-----------|---------\n");
    std::printf("| %19.1f | %13.1f, %13.1f | %15.1f | %13.1f | %9s | %s\n", mb(mem.peakWorkingSet),
                mb(mem.startWorkingSet), mb(mem.endWorkingSet), mb(mem.peakPrivate), mem.seconds,
                mem.done ? "yes" : "NO", mem.note.c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Parameters p;
    if (!Parse(argc, argv, p)) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    if (p.only.empty() || p.only == "throughput") RunThroughput(p);
    if (p.only.empty() || p.only == "roundtrip") RunRoundTrip(p);
    if (p.only.empty() || p.only == "memory") RunMemory(p);
    return 0;
}
