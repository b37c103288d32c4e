// The About box: the program's icon, its version line and OK.
#pragma once

#include "framework/dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    DECLARE_MESSAGE_MAP()
};
