// pane_bench: texts per second into one pane as it fills. The real main
// frame, debug document and pane, in this process; the texts wait in the
// main frame's queue as WM_DEBUGSTRING messages, as a flood leaves them, and
// the handler takes and shows them as it does in Kestrum; a measurement ends
// when all are in the pane. Measured with the pane empty, half full and at
// its limit (where appends trim).
#include "bench/timing.h"
#include "capture/capture_channel.h"
#include "documents/kestrum_doc.h"
#include "documents/output_routing.h"
#include "framework/app.h"
#include "frame/main_frame.h"
#include "framework/doctemplate.h"
#include "pane/child_frame.h"
#include "pane/kestrum_view.h"
#include "res/resource.h"
#include "tests/protoclient/numbered_lines.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

CWinApp theApp("KestrumPaneBench");

constexpr DWORD kClientPid = 4242;  // no such client: the texts are posted here
constexpr std::size_t kWidth = 60;
constexpr int kRepeats = 5;

// Posts one captured text, allocated as the receiver allocates it.
void PostText(HWND hFrame, const std::string& text) {
    capture::CapturedText copy(capture::DefaultCapturePlatform().AllocateText(text.size() + 1));
    std::memcpy(copy.get(), text.c_str(), text.size() + 1);
    if (::PostMessageA(hFrame, WM_DEBUGSTRING, kClientPid, reinterpret_cast<LPARAM>(copy.get()))) copy.release();
}

struct Passes {
    int count = 0;
    double maxMs = 0;
};

// Handles messages until every text posted is in the pane: the handler's
// passes (of texts, and of the timer that shows gathered output) are timed.
Passes ShowAll() {
    Passes passes;
    MSG msg;
    for (;;) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!AnyPendingOutput()) return passes;
            ::WaitMessage();
            continue;
        }
        const LONGLONG start = bench::Now();
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
        if (msg.message != WM_DEBUGSTRING && msg.message != WM_TIMER) continue;
        ++passes.count;
        passes.maxMs = std::max(passes.maxMs, bench::Seconds(start, bench::Now()) * 1000.0);
    }
}

struct Level {
    const char* name;
    std::size_t fill;  // characters in the pane before the texts arrive
};

// How the texts come: all waiting at once (a flood: the handler takes up to
// its pass limit at a time), or each one handled before the next arrives (a
// slow client: one text a pass).
struct Arrival {
    const char* name;
    int texts;         // texts in one measurement
    int textsAtLimit;  // at the limit: enough to include trimming
    bool waiting;
};

struct Sample {
    double textsPerSecond = 0;
    Passes passes;
};

Sample Measure(CMainFrame& frame, CKestrumView& pane, const std::string& fill, int texts, bool waiting) {
    std::vector<std::string> batch;
    for (int n = 1; n <= texts; ++n) {
        batch.push_back(lines::NumberedLine("t ", static_cast<unsigned long>(n), kWidth) + "\r\n");
    }
    // A pane that follows the output, as one does during a flood.
    pane.SetWindowText(fill.c_str());
    const WPARAM end = static_cast<WPARAM>(pane.GetWindowTextLength());
    pane.SendMessage(EM_SETSEL, end, static_cast<LPARAM>(end));
    pane.SendMessage(EM_SCROLLCARET);
    ShowAll();
    Sample sample;
    const LONGLONG start = bench::Now();
    if (waiting) {
        for (const std::string& line : batch) PostText(frame.m_hWnd, line);
        sample.passes = ShowAll();
    } else {
        for (const std::string& line : batch) {
            PostText(frame.m_hWnd, line);
            const Passes one = ShowAll();
            sample.passes.count += one.count;
            sample.passes.maxMs = std::max(sample.passes.maxMs, one.maxMs);
        }
    }
    sample.textsPerSecond = texts / bench::Seconds(start, bench::Now());
    return sample;
}

Sample Median(std::vector<Sample> samples) {
    std::sort(samples.begin(), samples.end(),
              [](const Sample& a, const Sample& b) { return a.textsPerSecond < b.textsPerSecond; });
    return samples[samples.size() / 2];
}

}  // namespace

int main() {
    theApp.SetCurrentHandles(::GetModuleHandleA(nullptr), ::GetCommandLineA(), SW_SHOWNORMAL);
    theApp.AddDocTemplate(new CMultiDocTemplate(IDR_KESTRUMTYPE, RUNTIME_CLASS(CKestrumDoc),
                                                RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CKestrumView)));
    auto* frame = new CMainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        std::fprintf(stderr, "pane_bench: the main frame could not be made (does another receiver run?)\n");
        return 1;
    }
    theApp.m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOWNORMAL);
    frame->UpdateWindow();

    // The first text makes the document and its pane.
    PostText(frame->m_hWnd, "first\r\n");
    ShowAll();
    CDocTemplate* pTemplate = DebugDocTemplate();
    POSITION dpos = pTemplate->GetFirstDocPosition();
    auto* doc = dpos ? static_cast<CKestrumDoc*>(pTemplate->GetNextDoc(dpos)) : nullptr;
    CKestrumView* pane = doc ? doc->GetLiveView() : nullptr;
    if (!pane) {
        std::fprintf(stderr, "pane_bench: no pane was made for the first text\n");
        return 1;
    }

    // Whole lines up to the pane's limit.
    std::string full;
    for (unsigned long n = 1; full.size() + kWidth + 2 <= CEditView::kTextLimit; ++n) {
        full += lines::NumberedLine("f ", n, kWidth) + "\r\n";
    }
    auto linesUpTo = [&](std::size_t size) { return full.substr(0, size / (kWidth + 2) * (kWidth + 2)); };
    const Level levels[] = {{"empty", 0}, {"half", CEditView::kTextLimit / 2}, {"limit", CEditView::kTextLimit}};
    // At the limit the pane trims an eighth of its text at a time: a flood
    // of 8000 texts trims about four times, 300 single texts once.
    const Arrival arrivals[] = {{"waiting", 1000, 8000, true}, {"one by one", 300, 300, false}};

    std::printf("\nTexts per second into one pane (%zu-character lines, one line a text; median of %d runs, "
                "the levels measured in turn):\n", kWidth, kRepeats);
    std::printf("| texts      | pane  | chars before | texts | texts/s | passes | slowest pass ms | ratio to empty\n");
    std::printf("|------------|-------|--------------|-------|---------|--------|-----------------|---------------\n");
    for (const Arrival& arrival : arrivals) {
        std::vector<Sample> samples[std::size(levels)];
        for (int r = 0; r < kRepeats; ++r) {
            for (std::size_t i = 0; i < std::size(levels); ++i) {
                const int texts = i + 1 == std::size(levels) ? arrival.textsAtLimit : arrival.texts;
                samples[i].push_back(Measure(*frame, *pane, linesUpTo(levels[i].fill), texts, arrival.waiting));
            }
        }
        double empty = 0;
        for (std::size_t i = 0; i < std::size(levels); ++i) {
            const Sample median = Median(samples[i]);
            if (i == 0) empty = median.textsPerSecond;
            std::printf("| %-10s | %-5s | %12zu | %5d | %7.0f | %6d | %15.1f | %5.2f\n", arrival.name, levels[i].name,
                        linesUpTo(levels[i].fill).size(),
                        i + 1 == std::size(levels) ? arrival.textsAtLimit : arrival.texts, median.textsPerSecond,
                        median.passes.count, median.passes.maxMs, median.textsPerSecond / empty);
        }
        std::fflush(stdout);
    }
    frame->DestroyWindow();
    return 0;
}
