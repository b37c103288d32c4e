// Output routing: every captured text goes to its client's debug document,
// or to the one document that takes all output while interleaving; a client
// without a document gets a new one. Each document gathers its texts and
// appends them to its live pane when the main frame shows pending output.
#pragma once

#include "capture/capture_channel.h"
#include "pane/pane_host.h"

#include <functional>
#include <vector>

class CDocTemplate;

// The application's first document template, which makes the debug
// documents; NULL while there is none.
CDocTemplate* DebugDocTemplate();

struct CapturedMessage {
    DWORD dwProcessId;
    capture::CapturedText text;
};

// The first text and the WM_DEBUGSTRING messages already waiting for hWnd
// behind it, at most nMax in all, in their order. A WM_DEBUGSTRING for one
// of hWnd's children on the way is dispatched to it and ends the take.
// Taking all that waits in one pass keeps the user interface ahead of a
// flood: the handler's own work is done once for many texts.
std::vector<CapturedMessage> TakeQueuedTexts(HWND hWnd, CapturedMessage first, size_t nMax);

// Routes each text by the settings in force (the host's Interleave Output,
// asked for each) and queues it, in order, on its document. Every text is
// freed once, also when no document could be made for it.
void RouteTexts(std::vector<CapturedMessage> texts, const CPaneHost& host);

// Appends each document's pending output to its live pane, the document
// that has waited longest first, until none is left or `stop` (asked after
// each document) says to stop. Returns whether anything was appended.
bool ShowPendingOutput(const std::function<bool()>& stop = nullptr);
bool AnyPendingOutput();
