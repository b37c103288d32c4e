// The application object: starts the program, registers the debug
// document's template, creates the main window, and answers the
// application-wide commands.
#pragma once

#include "framework/app.h"

class CKestrumApp : public CWinApp {
public:
    BOOL InitInstance() override;
    // A text the main frame only gathered changes nothing on screen: the
    // commands' states are brought up to date after output is shown, not
    // after every text of a flood.
    BOOL IsIdleMessage(const MSG* pMsg) override;

protected:
    void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};
