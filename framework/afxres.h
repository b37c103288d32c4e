// The framework's standard command, window and string ids. Plain #defines so
// that resource scripts can include this file as well as C++ sources.
#pragma once

#define ID_SEPARATOR 0

// A control that needs no id of its own.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The resource type of a toolbar: version, button size, item count, ids.
#define RT_TOOLBAR 241

// File commands
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PAGE_SETUP 0xE105
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109

// Edit commands
#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_CLEAR_ALL 0xE121
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_FIND 0xE124
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_REPEAT 0xE128
#define ID_EDIT_REPLACE 0xE129
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B
#define ID_EDIT_REDO 0xE12C

// Window commands
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134

// Application commands
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141

// View pane commands
#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151

// Print preview bar commands
#define AFX_ID_PREVIEW_CLOSE 0xE300
#define AFX_ID_PREVIEW_NUMPAGE 0xE301
#define AFX_ID_PREVIEW_NEXT 0xE302
#define AFX_ID_PREVIEW_PREV 0xE303
#define AFX_ID_PREVIEW_PRINT 0xE304
#define AFX_ID_PREVIEW_ZOOMIN 0xE305
#define AFX_ID_PREVIEW_ZOOMOUT 0xE306
// The print preview's bar (a dialog resource) with its page text, and the
// preview's keys
#define AFX_IDC_PREVIEW_PAGES 0xE307
#define AFX_IDD_PREVIEW_BAR 30721
#define AFX_IDR_PREVIEW_ACCEL 30722

// Status bar indicators
#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_OVR 0xE704
#define ID_INDICATOR_REC 0xE705

// Bars: window ids, and the commands that show and hide them
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_PREVIEW_BAR 0xE802
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801

// The first pane of a frame, and the MDI client
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_MDICLIENT 0xE8FF

// Window-menu items of open MDI children
#define AFX_IDM_FIRST_MDICHILD 0xFF00

// Standard strings
#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001

// System-menu command prompts (SC_xxx maps to 0xEF00 + (SC_xxx - SC_SIZE) / 16)
#define AFX_IDS_SCFIRST 0xEF00
#define AFX_IDS_SCSIZE 0xEF00
#define AFX_IDS_SCMOVE 0xEF01
#define AFX_IDS_SCMINIMIZE 0xEF02
#define AFX_IDS_SCMAXIMIZE 0xEF03
#define AFX_IDS_SCNEXTWINDOW 0xEF04
#define AFX_IDS_SCPREVWINDOW 0xEF05
#define AFX_IDS_SCCLOSE 0xEF06
#define AFX_IDS_SCRESTORE 0xEF12
#define AFX_IDS_SCTASKLIST 0xEF13
#define AFX_IDS_MDICHILD 0xEF1F

// The framework's own texts: titles, filters and messages
#define AFX_IDS_OPENFILE 0xF000
#define AFX_IDS_SAVEFILE 0xF001
#define AFX_IDS_ALLFILTER 0xF002
#define AFX_IDS_UNTITLED 0xF003
#define AFX_IDS_PREVIEW_CLOSE 0xF005
#define AFX_IDS_ONEPAGE 0xF007
#define AFX_IDS_TWOPAGE 0xF008
#define AFX_IDS_PRINTPAGENUM 0xF009
#define AFX_IDS_PREVIEWPAGEDESC 0xF00A
#define AFX_IDS_PRINTDEFAULTEXT 0xF00B
#define AFX_IDS_PRINTDEFAULT 0xF00C
#define AFX_IDS_PRINTFILTER 0xF00D
#define AFX_IDS_PRINTCAPTION 0xF00E
#define AFX_IDS_PRINTTOFILE 0xF00F

#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF100
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF104
#define AFX_IDP_ASK_TO_SAVE 0xF105
#define AFX_IDP_COMMAND_FAILURE 0xF108
#define AFX_IDP_FAILED_TO_SAVE_DOC 0xF109
#define AFX_IDP_NO_PRINTER 0xF10A
#define AFX_IDP_FAILED_TO_PRINT 0xF10B
#define AFX_IDP_FILE_GENERIC 0xF10C
