#include "pane/pane_host.h"

#include "framework/app.h"
#include "framework/wnd.h"

CPaneHost* AfxGetPaneHost() { return dynamic_cast<CPaneHost*>(AfxGetMainWnd()); }
