// Output routing: every captured text goes to the live pane of its client's
// debug document, or of the one document that takes all output while
// interleaving; a client without a document gets a new one.
#pragma once

#include "capture/capture_channel.h"
#include "pane/pane_host.h"

#include <vector>

struct CapturedMessage {
    DWORD dwProcessId;
    capture::CapturedText text;
};

// The first text and the WM_DEBUGSTRING messages already waiting for hWnd
// behind it, at most nMax in all, in their order. Taking them all before any
// is shown keeps the user interface ahead of a flood: the texts bound for one
// pane are appended at once.
std::vector<CapturedMessage> TakeQueuedTexts(HWND hWnd, CapturedMessage first, size_t nMax);

// Routes each text by the settings in force (the host's Interleave Output,
// asked for each) and appends the texts bound for one pane in one append, in
// their order. Every text is freed once, also when no document could be made
// for it.
void RouteTexts(std::vector<CapturedMessage> texts, const CPaneHost& host);
