// The rule by which the frame of every pane of a debug document is
// captioned: the document title, the process name after " - " when there is
// one, and " [SNAP SHOT]" after a snapshot's caption.
#pragma once

#include <string>

enum class PaneKind { Live, Snapshot };

// bAlwaysName: the name and its " - " are put in even when the name is
// empty (Update Title does so).
std::string PaneCaption(const std::string& title, const std::string& processName, PaneKind kind,
                        bool bAlwaysName = false);
