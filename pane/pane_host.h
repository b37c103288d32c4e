// What panes and debug documents read from the main window: the pane font,
// its line height and the Interleave Output flag. The main frame owns them;
// it is reached as the application's main window.
#pragma once

#include <windows.h>

class CPaneHost {
public:
    virtual HFONT GetPaneFont() const = 0;
    // The pane font's tmHeight in pixels; always at least 1.
    virtual int GetLineHeight() const = 0;
    virtual BOOL IsInterleaved() const = 0;

protected:
    ~CPaneHost() = default;
};

// The main window as a pane host, or NULL when there is none (yet).
CPaneHost* AfxGetPaneHost();
