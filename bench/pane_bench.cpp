// pane_bench: texts per second into one pane as it fills. The real main
// frame, debug document and pane, in this process; the texts wait in the
// main frame's queue as WM_DEBUGSTRING messages, as a flood leaves them, and
// the handler takes them as it does in Kestrum. Measured with the pane
// empty, half full and at its limit (where every append trims).
#include "bench/timing.h"
#include "capture/capture_channel.h"
#include "documents/kestrum_doc.h"
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

// Handles every waiting message; the handler's passes are timed.
Passes Drain() {
    Passes passes;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        const LONGLONG start = bench::Now();
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
        if (msg.message != WM_DEBUGSTRING) continue;
        ++passes.count;
        passes.maxMs = std::max(passes.maxMs, bench::Seconds(start, bench::Now()) * 1000.0);
    }
    return passes;
}

struct Level {
    const char* name;
    std::size_t fill;  // characters in the pane before the texts arrive
    int texts;         // texts handled in one measurement
};

struct Result {
    double textsPerSecond = 0;  // the median of the repeats
    Passes passes;              // of the median repeat
};

Result Measure(CMainFrame& frame, CKestrumView& pane, const std::string& fill, int texts) {
    std::vector<std::string> batch;
    for (int n = 1; n <= texts; ++n) {
        batch.push_back(lines::NumberedLine("t ", static_cast<unsigned long>(n), kWidth) + "\r\n");
    }
    std::vector<std::pair<double, Passes>> runs;
    for (int r = 0; r < kRepeats; ++r) {
        // A pane that follows the output, as one does during a flood.
        pane.SetWindowText(fill.c_str());
        const WPARAM end = static_cast<WPARAM>(pane.GetWindowTextLength());
        pane.SendMessage(EM_SETSEL, end, static_cast<LPARAM>(end));
        pane.SendMessage(EM_SCROLLCARET);
        Drain();
        for (const std::string& line : batch) PostText(frame.m_hWnd, line);
        const LONGLONG start = bench::Now();
        const Passes passes = Drain();
        runs.emplace_back(texts / bench::Seconds(start, bench::Now()), passes);
    }
    std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return {runs[kRepeats / 2].first, runs[kRepeats / 2].second};
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
    Drain();
    POSITION tpos = theApp.m_pDocManager->GetFirstDocTemplatePosition();
    CDocTemplate* pTemplate = theApp.m_pDocManager->GetNextDocTemplate(tpos);
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
    // At the limit the pane trims a block at a time: enough texts to trim several times.
    const Level levels[] = {{"empty", 0, 1000}, {"half", CEditView::kTextLimit / 2, 1000},
                            {"limit", CEditView::kTextLimit, 8000}};

    std::printf("\nTexts per second into one pane (%zu-character lines, one line a text, all waiting in the queue; "
                "median of %d runs):\n", kWidth, kRepeats);
    std::printf("| pane    | chars before | texts | texts/s | passes | slowest pass ms | ratio to empty\n");
    std::printf("|---------|--------------|-------|---------|--------|-----------------|---------------\n");
    double empty = 0;
    for (const Level& level : levels) {
        const std::string fill = linesUpTo(level.fill);
        const Result result = Measure(*frame, *pane, fill, level.texts);
        if (empty == 0) empty = result.textsPerSecond;
        std::printf("| %-7s | %12zu | %5d | %7.0f | %6d | %15.1f | %5.2f\n", level.name, fill.size(), level.texts,
                    result.textsPerSecond, result.passes.count, result.passes.maxMs, result.textsPerSecond / empty);
        std::fflush(stdout);
    }
    frame->DestroyWindow();
    return 0;
}
