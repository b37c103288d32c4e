// The program's resource and command ids. Plain #defines so that the resource
// script and C++ sources share them; the framework's standard ids are in
// framework/afxres.h.
#pragma once

// Resources
#define IDD_ABOUTBOX 100
#define IDR_CONTEXT_MENU 102
#define IDR_MAINFRAME 128
#define IDR_KESTRUMTYPE 129

// The program's own commands, numbered from 0x8004
#define ID_VIEW_UPDATE_TITLE 32772
#define ID_EDIT_COPY_ALL 32776
#define ID_EDIT_DELETE_ALL 32777
#define ID_WINDOW_CLEAR_ALL 32784
#define ID_VIEW_SNAPSHOT 32786
#define ID_VIEW_FONT 32788
#define ID_FILE_CLOSE_ALL 32790
#define ID_VIEW_KEEP_ON_TOP 32791
#define ID_VIEW_INTERLEAVE 32792

