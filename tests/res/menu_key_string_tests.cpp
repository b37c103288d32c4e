// The menus, the accelerator table and the string table as the program loads
// them, against the tables of texts, ids and keys the program promises.
#include "framework/afxres.h"
#include "framework/handles.h"
#include "res/resource.h"
#include "tests/res/raw_resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

HINSTANCE Self() { return restest::Program(); }

// One item of a pop-up: its pop-up's title, its text (nullptr for a
// separator), its command and whether the resource grays it.
struct MenuRow {
    const char* popup;
    const char* text;
    UINT id;
    bool grayed;
};

struct LoadedRow {
    std::string popup;
    bool separator = false;
    std::string text;
    UINT id = 0;
    bool grayed = false;
    bool nested = false;
};

std::string ItemText(HMENU menu, UINT pos) {
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text);
    ::GetMenuItemInfoA(menu, pos, TRUE, &info);
    return text;
}

// The items of every pop-up of a menu bar, in order.
std::vector<LoadedRow> Flatten(HMENU bar) {
    std::vector<LoadedRow> rows;
    const int popups = ::GetMenuItemCount(bar);
    for (int p = 0; p < popups; ++p) {
        const std::string title = ItemText(bar, p);
        HMENU popup = ::GetSubMenu(bar, p);
        if (!popup) {
            LoadedRow row;
            row.popup = title;
            row.text = "(not a pop-up)";
            rows.push_back(row);
            continue;
        }
        const int items = ::GetMenuItemCount(popup);
        for (int i = 0; i < items; ++i) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
            ::GetMenuItemInfoA(popup, i, TRUE, &info);
            LoadedRow row;
            row.popup = title;
            row.separator = (info.fType & MFT_SEPARATOR) != 0;
            row.text = row.separator ? "" : ItemText(popup, i);
            row.id = info.wID;
            row.grayed = (info.fState & MFS_GRAYED) != 0;
            row.nested = info.hSubMenu != nullptr;
            rows.push_back(row);
        }
    }
    return rows;
}

void ExpectMenu(WORD menuId, const std::vector<MenuRow>& expected) {
    fw::UniqueMenu menu(::LoadMenuA(Self(), MAKEINTRESOURCEA(menuId)));
    ASSERT_TRUE(menu) << "menu " << menuId;
    const std::vector<LoadedRow> loaded = Flatten(menu.get());
    ASSERT_EQ(loaded.size(), expected.size()) << "items in menu " << menuId;
    for (size_t i = 0; i < expected.size(); ++i) {
        const MenuRow& want = expected[i];
        const LoadedRow& got = loaded[i];
        SCOPED_TRACE(testing::Message() << "menu " << menuId << ", item " << i << " ("
                                        << want.popup << " > " << (want.text ? want.text : "separator")
                                        << ")");
        EXPECT_EQ(got.popup, want.popup);
        EXPECT_FALSE(got.nested);
        if (!want.text) {
            EXPECT_TRUE(got.separator);
            continue;
        }
        EXPECT_FALSE(got.separator);
        EXPECT_EQ(got.grayed, want.grayed);
        EXPECT_EQ(got.text, want.text);
        EXPECT_EQ(got.id, want.id);
    }
}

const char* const kSep = nullptr;

TEST(Menus, MainMenuWithoutDebugWindows) {
    ExpectMenu(IDR_MAINFRAME, {
        {"&File", "P&rint Setup...", ID_FILE_PRINT_SETUP, false},
        {"&File", kSep, 0, false},
        {"&File", "E&xit", ID_APP_EXIT, false},
        {"&View", "&Toolbar", ID_VIEW_TOOLBAR, false},
        {"&View", "&Status Bar", ID_VIEW_STATUS_BAR, false},
        {"&View", "&Font...", ID_VIEW_FONT, false},
        {"&View", kSep, 0, false},
        {"&View", "&Keep on Top", ID_VIEW_KEEP_ON_TOP, false},
        {"&View", "&Interleave Output", ID_VIEW_INTERLEAVE, false},
        {"&Help", "&About Kestrum...", ID_APP_ABOUT, false},
    });
}

TEST(Menus, DebugWindowMenu) {
    ExpectMenu(IDR_KESTRUMTYPE, {
        {"&File", "&Close", ID_FILE_CLOSE, false},
        {"&File", "C&lose All", ID_FILE_CLOSE_ALL, false},
        {"&File", "&Save\tCtrl+S", ID_FILE_SAVE, false},
        {"&File", "Save &As...", ID_FILE_SAVE_AS, false},
        {"&File", kSep, 0, false},
        {"&File", "&Print...\tCtrl+P", ID_FILE_PRINT, false},
        {"&File", "Print Pre&view", ID_FILE_PRINT_PREVIEW, false},
        {"&File", "P&rint Setup...", ID_FILE_PRINT_SETUP, false},
        {"&File", kSep, 0, false},
        {"&File", "E&xit", ID_APP_EXIT, false},
        {"&Edit", "&Undo\tCtrl+Z", ID_EDIT_UNDO, false},
        {"&Edit", kSep, 0, false},
        {"&Edit", "Cu&t\tCtrl+X", ID_EDIT_CUT, false},
        {"&Edit", "&Copy\tCtrl+C", ID_EDIT_COPY, false},
        {"&Edit", "&Paste\tCtrl+V", ID_EDIT_PASTE, false},
        {"&Edit", "&Delete\tDel", ID_EDIT_CLEAR, false},
        {"&Edit", "Select A&ll\tCtrl+A", ID_EDIT_SELECT_ALL, false},
        {"&Edit", kSep, 0, false},
        {"&Edit", "C&opy All\tCtrl+Y", ID_EDIT_COPY_ALL, false},
        {"&Edit", "Clear &Window\tCtrl+Del", ID_EDIT_CLEAR_ALL, false},
        {"&Edit", kSep, 0, false},
        {"&Edit", "&Find...\tCtrl+F", ID_EDIT_FIND, false},
        {"&Edit", "Find &Next\tF3", ID_EDIT_REPEAT, false},
        {"&Edit", "R&eplace...\tCtrl+H", ID_EDIT_REPLACE, false},
        {"&View", "&Toolbar", ID_VIEW_TOOLBAR, false},
        {"&View", "&Status Bar", ID_VIEW_STATUS_BAR, false},
        {"&View", "&Font...", ID_VIEW_FONT, false},
        {"&View", kSep, 0, false},
        {"&View", "&Update Title", ID_VIEW_UPDATE_TITLE, false},
        {"&View", "S&nap Shot", ID_VIEW_SNAPSHOT, false},
        {"&View", kSep, 0, false},
        {"&View", "&Keep on Top", ID_VIEW_KEEP_ON_TOP, false},
        {"&View", "Interleave Output", ID_VIEW_INTERLEAVE, true},
        {"&Window", "&Cascade", ID_WINDOW_CASCADE, false},
        {"&Window", "Tile &Horizontal", ID_WINDOW_TILE_HORZ, false},
        {"&Window", "&Tile Vertically", ID_WINDOW_TILE_VERT, false},
        {"&Window", "&Arrange Icons", ID_WINDOW_ARRANGE, false},
        {"&Window", kSep, 0, false},
        {"&Window", "C&lear All Windows\tShift+Ctrl+Del", ID_WINDOW_CLEAR_ALL, false},
        {"&Help", "&About Kestrum...", ID_APP_ABOUT, false},
    });
}

TEST(Menus, PaneContextMenu) {
    ExpectMenu(IDR_CONTEXT_MENU, {
        {"_POPUP_", "Cu&t", ID_EDIT_CUT, false},
        {"_POPUP_", "&Copy", ID_EDIT_COPY, false},
        {"_POPUP_", "&Paste", ID_EDIT_PASTE, false},
        {"_POPUP_", "&Delete", ID_EDIT_CLEAR, false},
        {"_POPUP_", "Select A&ll", ID_EDIT_SELECT_ALL, false},
        {"_POPUP_", kSep, 0, false},
        {"_POPUP_", "C&opy All", ID_EDIT_COPY_ALL, false},
        {"_POPUP_", "Clear Window", ID_EDIT_CLEAR_ALL, false},
        {"_POPUP_", "&Update Title", ID_VIEW_UPDATE_TITLE, false},
        {"_POPUP_", "Snap S&hot", ID_VIEW_SNAPSHOT, false},
        {"_POPUP_", kSep, 0, false},
        {"_POPUP_", "&Find...", ID_EDIT_FIND, false},
        {"_POPUP_", "Find &Next", ID_EDIT_REPEAT, false},
        {"_POPUP_", "R&eplace...", ID_EDIT_REPLACE, false},
    });
}

struct AccelRow {
    BYTE modifiers;
    WORD key;
    WORD command;
};

TEST(Accelerators, TableInOrderWithVirtualKeysAndNoInvert) {
    const AccelRow expected[] = {
        {FCONTROL, 'A', ID_EDIT_SELECT_ALL},
        {FCONTROL, 'C', ID_EDIT_COPY},
        {FCONTROL, 'F', ID_EDIT_FIND},
        {FCONTROL, 'H', ID_EDIT_REPLACE},
        {FCONTROL, 'P', ID_FILE_PRINT},
        {FCONTROL, 'S', ID_FILE_SAVE},
        {FCONTROL, 'V', ID_EDIT_PASTE},
        {FALT, VK_BACK, ID_EDIT_UNDO},
        {FCONTROL, VK_DELETE, ID_EDIT_CLEAR_ALL},
        {FSHIFT, VK_DELETE, ID_EDIT_CUT},
        {FCONTROL | FSHIFT, VK_DELETE, ID_WINDOW_CLEAR_ALL},
        {0, VK_F3, ID_EDIT_REPEAT},
        {0, VK_F6, ID_NEXT_PANE},
        {FSHIFT, VK_F6, ID_PREV_PANE},
        {FCONTROL, VK_INSERT, ID_EDIT_COPY},
        {FSHIFT, VK_INSERT, ID_EDIT_PASTE},
        {FCONTROL, 'X', ID_EDIT_CUT},
        {FCONTROL, 'Y', ID_EDIT_COPY_ALL},
        {FCONTROL, 'Z', ID_EDIT_UNDO},
    };
    HACCEL table = ::LoadAcceleratorsA(Self(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    const int count = ::CopyAcceleratorTableA(table, nullptr, 0);
    ASSERT_EQ(count, static_cast<int>(std::size(expected)));
    std::vector<ACCEL> loaded(static_cast<size_t>(count));
    ASSERT_EQ(::CopyAcceleratorTableA(table, loaded.data(), count), count);
    for (size_t i = 0; i < loaded.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "accelerator " << i + 1);
        EXPECT_EQ(loaded[i].fVirt, FVIRTKEY | FNOINVERT | expected[i].modifiers);
        EXPECT_EQ(loaded[i].key, expected[i].key);
        EXPECT_EQ(loaded[i].cmd, expected[i].command);
    }
}

TEST(Accelerators, NoTableForTheDebugWindowMenu) {
    // The main frame's table serves every state, so none may shadow it.
    EXPECT_EQ(::FindResourceA(Self(), MAKEINTRESOURCEA(IDR_KESTRUMTYPE), MAKEINTRESOURCEA(9)), nullptr);
}

struct StringRow {
    UINT id;
    const char* text;
};

TEST(Strings, PromptsTooltipsAndTitles) {
    const StringRow expected[] = {
        {IDR_MAINFRAME, "Debug Windows"},
        {IDR_KESTRUMTYPE, "\nKestrum\nKestrum\n\n.TXT\nKestrum.Document\nKestrum Document"},
        {AFX_IDS_APP_TITLE, "Kestrum"},
        {ID_FILE_CLOSE, "Close the active document\nClose"},
        {ID_FILE_CLOSE_ALL, "Close all of the debug windows\nClose All"},
        {ID_FILE_SAVE, "Save the active document\nSave"},
        {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
        {ID_FILE_PRINT, "Print the active document\nPrint"},
        {ID_FILE_PRINT_DIRECT, "Print the active document using current options\nQuick Print"},
        {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
        {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
        {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
        {ID_EDIT_UNDO, "Undo the last action\nUndo"},
        {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
        {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
        {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
        {ID_EDIT_CLEAR, "Erase the selection\nErase"},
        {ID_EDIT_SELECT_ALL, "Select the entire document\nSelect All"},
        {ID_EDIT_COPY_ALL, "Copy all of the text in the buffer and put it on the Clipboard\nCopy All"},
        {ID_EDIT_CLEAR_ALL, "Clear window's content\nClear Window"},
        {ID_EDIT_FIND, "Find the specified text\nFind"},
        {ID_EDIT_REPEAT, "Repeat last find command\nFind Next"},
        {ID_EDIT_REPLACE, "Replace specific text with different text\nReplace"},
        {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
        {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
        {ID_VIEW_FONT, "Select a Font for the debug windows\nFont"},
        {ID_VIEW_UPDATE_TITLE, "Update title to reflect debug client's title\nUpdate Title"},
        {ID_VIEW_SNAPSHOT, "Create or update snapshot view\nSnap Shot"},
        {ID_VIEW_KEEP_ON_TOP, "Keep window on top of other windows\nKeep on Top"},
        {ID_VIEW_INTERLEAVE, "All output goes to single window\nInterleave Output"},
        {ID_WINDOW_CASCADE, "Arrange windows so they overlap\nCascade Windows"},
        {ID_WINDOW_TILE_HORZ, "Arrange windows as non-overlapping tiles\nTile Horizontally"},
        {ID_WINDOW_TILE_VERT, "Arrange windows as non-overlapping tiles\nTile Vertically"},
        {ID_WINDOW_ARRANGE, "Arrange icons at the bottom of the window\nArrange Icons"},
        {ID_WINDOW_CLEAR_ALL, "Clear all of the windows\nClear All Windows"},
        {ID_WINDOW_NEW, "Open a static window for the active document\nSnap Shot"},
        {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
        {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
        {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
        {ID_EDIT_DELETE_ALL, "Deletes all of the text in the buffer\nDelete All"},
        // The framework's texts that share string blocks with the program's
        // rows, and the status bar's indicator names.
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        {ID_INDICATOR_CAPS, "CAP"},
        {ID_INDICATOR_NUM, "NUM"},
        {ID_INDICATOR_SCRL, "SCRL"},
    };
    for (const StringRow& row : expected) {
        char text[512] = {};
        const int length = ::LoadStringA(Self(), row.id, text, sizeof(text));
        EXPECT_EQ(std::string(text, static_cast<size_t>(length)), row.text) << "string " << row.id;
    }
}

TEST(Strings, NoPromptForCommandsNothingCarries) {
    for (UINT id : {ID_FILE_NEW, ID_FILE_OPEN}) {
        char text[64] = {};
        EXPECT_EQ(::LoadStringA(Self(), id, text, sizeof(text)), 0) << "string " << id << ": " << text;
    }
}

}  // namespace
