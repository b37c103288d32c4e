#include "pane/title_rule.h"

std::string PaneCaption(const std::string& title, const std::string& processName, PaneKind kind, bool bAlwaysName) {
    std::string caption = title;
    if (bAlwaysName || !processName.empty()) caption += " - " + processName;
    if (kind == PaneKind::Snapshot) caption += " [SNAP SHOT]";
    return caption;
}
