// The frame of one pane. It never writes a caption of its own: the pane and
// its document caption it by the title rule.
#pragma once

#include "framework/frame.h"

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame() = default;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    DECLARE_MESSAGE_MAP()
};
