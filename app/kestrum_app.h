// The application object: starts the program, registers the debug
// document's template, creates the main window, and answers the
// application-wide commands.
#pragma once

#include "framework/app.h"

class CKestrumApp : public CWinApp {
public:
    BOOL InitInstance() override;

protected:
    void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};
