// The toolbar under Wine: the program's toolbar resource and bitmap, broken
// resources, images in the system's colours, tooltips, enabling and checking
// at idle time in agreement with the menus, and clicks.
#include "framework/app.h"
#include "res/resource.h"
#include "tests/framework/bars_fixture.h"
#include "tests/framework/bars_ids.h"
#include "tests/support/test_app.h"

#include <commctrl.h>

#include <vector>

namespace barstest {
namespace {

const std::vector<UINT> kProgramItems = {
    ID_FILE_SAVE,      ID_FILE_PRINT,     ID_FILE_CLOSE_ALL,   ID_SEPARATOR,       ID_VIEW_KEEP_ON_TOP,
    ID_VIEW_FONT,      ID_SEPARATOR,      ID_EDIT_CUT,         ID_EDIT_COPY,       ID_EDIT_PASTE,
    ID_EDIT_FIND,      ID_SEPARATOR,      ID_EDIT_CLEAR_ALL,   ID_VIEW_SNAPSHOT,   ID_SEPARATOR,
    ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT, ID_WINDOW_CLEAR_ALL,
};

std::vector<UINT> ItemIDs(const CToolBar& bar) {
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i) ids.push_back(bar.GetItemID(i));
    return ids;
}

TEST_F(BarsTest, TheProgramsToolbarLoadsItsButtonsSeparatorsAndImagesInOneRow) {
    EXPECT_EQ(ItemIDs(ToolBar()), kProgramItems);
    EXPECT_EQ(ToolBar().GetImageCount(), 15);
    EXPECT_EQ(ToolBar().GetButtonSize().cx, 16 + 7);
    EXPECT_EQ(ToolBar().GetButtonSize().cy, 15 + 7);
    // Left to right without gaps or overlaps; separators are narrower.
    RECT previous{};
    for (int i = 0; i < ToolBar().GetCount(); ++i) {
        RECT r;
        ToolBar().GetItemRect(i, &r);
        if (i > 0) {
            EXPECT_EQ(r.left, previous.right) << i;
            EXPECT_EQ(r.top, previous.top) << i;
        }
        const bool bSeparator = ToolBar().GetItemID(i) == ID_SEPARATOR;
        EXPECT_EQ(r.right - r.left < ToolBar().GetButtonSize().cx, bSeparator) << i;
        previous = r;
    }
    RECT client;
    ToolBar().GetClientRect(&client);
    EXPECT_LE(previous.right, client.right);
}

TEST_F(BarsTest, BrokenToolbarResourcesAreRefusedAndTheBarKeepsWhatItHad) {
    const struct {
        UINT nID;
        const char* what;
    } cases[] = {
        {IDR_BAD_VERSION, "unknown version"},
        {IDR_BAD_SHORT_IDS, "fewer ids than announced"},
        {IDR_BAD_SHORT_HEADER, "header cut short"},
        {IDR_BAD_ZERO_SIZE, "buttons of no width"},
        {IDR_BAD_NO_BITMAP, "no bitmap"},
        {IDR_BAD_NARROW_BITMAP, "bitmap with too few images"},
        {IDR_BAD_CUT_BITMAP, "bitmap cut short"},
        {IDR_BAD_DEEP_BITMAP, "bitmap with too many colours"},
        {399, "no toolbar at all"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(ToolBar().LoadToolBar(c.nID)) << c.what;
        EXPECT_EQ(ItemIDs(ToolBar()), kProgramItems) << c.what;
        EXPECT_EQ(ToolBar().GetImageCount(), 15) << c.what;
    }
}

// The colour a pixel of the program's strip is drawn in.
COLORREF MappedColour(COLORREF c) {
    switch (c) {
    case RGB(0, 0, 0): return ::GetSysColor(COLOR_BTNTEXT);
    case RGB(128, 128, 128): return ::GetSysColor(COLOR_BTNSHADOW);
    case RGB(192, 192, 192): return ::GetSysColor(COLOR_BTNFACE);
    case RGB(255, 255, 255): return ::GetSysColor(COLOR_BTNHIGHLIGHT);
    default: return c;
    }
}

// Button colours unlike the strip's own while the object lives, so that
// mapping shows; the system's colours again afterwards.
class TestButtonColours {
public:
    static constexpr int kElements[] = {COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNTEXT};
    static constexpr COLORREF kColours[] = {RGB(200, 210, 220), RGB(90, 60, 30), RGB(250, 240, 230),
                                            RGB(10, 20, 40)};
    TestButtonColours() {
        for (int i = 0; i < 4; ++i) m_saved[i] = ::GetSysColor(kElements[i]);
        m_bSet = ::SetSysColors(4, kElements, kColours) != FALSE;
    }
    TestButtonColours(const TestButtonColours&) = delete;
    TestButtonColours& operator=(const TestButtonColours&) = delete;
    ~TestButtonColours() { ::SetSysColors(4, kElements, m_saved); }
    bool IsSet() const { return m_bSet; }

private:
    COLORREF m_saved[4];
    bool m_bSet;
};

// A memory device context with a bitmap selected, both released with it.
class BitmapDC {
public:
    explicit BitmapDC(HBITMAP hBitmap) : m_hdc(::CreateCompatibleDC(nullptr)), m_bitmap(hBitmap) {
        m_hOld = ::SelectObject(m_hdc, hBitmap);
    }
    BitmapDC(const BitmapDC&) = delete;
    BitmapDC& operator=(const BitmapDC&) = delete;
    ~BitmapDC() {
        ::SelectObject(m_hdc, m_hOld);
        ::DeleteDC(m_hdc);
    }
    HDC get() const { return m_hdc; }

private:
    HDC m_hdc;
    fw::UniqueGdiObject m_bitmap;
    HGDIOBJ m_hOld;
};

TEST_F(BarsTest, ImagesShowTheStripInTheSystemsButtonColoursAndDisabledOnesEmbossed) {
    TestButtonColours colours;
    ASSERT_TRUE(colours.IsSet());
    ASSERT_TRUE(ToolBar().LoadToolBar(IDR_MAINFRAME));  // maps the strip anew
    fwtest::RunIdle();
    ASSERT_TRUE(ToolBar().IsButtonEnabled(ToolBar().CommandToIndex(ID_VIEW_KEEP_ON_TOP)));
    ASSERT_FALSE(ToolBar().IsButtonEnabled(ToolBar().CommandToIndex(ID_FILE_SAVE)));  // no document

    // The bar drawn into a bitmap of the screen's depth, and the strip as it is.
    RECT client;
    ToolBar().GetClientRect(&client);
    fw::WindowDC screen(nullptr);
    BitmapDC bar(::CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    ToolBar().SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bar.get()), PRF_CLIENT);
    BitmapDC strip(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));

    auto imageOrigin = [&](UINT nID) {
        RECT r;
        ToolBar().GetItemRect(ToolBar().CommandToIndex(nID), &r);
        const SIZE button = ToolBar().GetButtonSize();
        return POINT{r.left + (button.cx - 16) / 2, r.top + (button.cy - 15) / 2};
    };
    const POINT keepOnTop = imageOrigin(ID_VIEW_KEEP_ON_TOP);  // image 3
    const POINT save = imageOrigin(ID_FILE_SAVE);              // image 0
    int nEmbossed = 0;
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 16; ++x) {
            const COLORREF enabled = ::GetPixel(strip.get(), 3 * 16 + x, y);
            EXPECT_EQ(::GetPixel(bar.get(), keepOnTop.x + x, keepOnTop.y + y), MappedColour(enabled))
                << x << "," << y;
            // A disabled image keeps only its shape, in the shadow colour.
            const COLORREF disabled = ::GetPixel(strip.get(), x, y);
            if (disabled != RGB(192, 192, 192) && disabled != RGB(255, 255, 255)) {
                ++nEmbossed;
                EXPECT_EQ(::GetPixel(bar.get(), save.x + x, save.y + y), ::GetSysColor(COLOR_BTNSHADOW))
                    << x << "," << y;
            }
        }
    }
    EXPECT_GT(nEmbossed, 0);
}

TEST_F(BarsTest, EveryButtonHasItsTooltipOverItsPlace) {
    const struct {
        UINT nID;
        const char* tooltip;
    } cases[] = {
        {ID_FILE_SAVE, "Save"},
        {ID_FILE_PRINT, "Print"},
        {ID_FILE_CLOSE_ALL, "Close All"},
        {ID_VIEW_KEEP_ON_TOP, "Keep on Top"},
        {ID_VIEW_FONT, "Font"},
        {ID_EDIT_CUT, "Cut"},
        {ID_EDIT_COPY, "Copy"},
        {ID_EDIT_PASTE, "Paste"},
        {ID_EDIT_FIND, "Find"},
        {ID_EDIT_CLEAR_ALL, "Clear Window"},
        {ID_VIEW_SNAPSHOT, "Snap Shot"},
        {ID_WINDOW_CASCADE, "Cascade Windows"},
        {ID_WINDOW_TILE_HORZ, "Tile Horizontally"},
        {ID_WINDOW_TILE_VERT, "Tile Vertically"},
        {ID_WINDOW_CLEAR_ALL, "Clear All Windows"},
    };
    HWND hTips = ToolBar().GetToolTips();
    ASSERT_NE(hTips, nullptr);
    EXPECT_EQ(::SendMessageA(hTips, TTM_GETTOOLCOUNT, 0, 0), 15);
    for (const auto& c : cases) {
        char text[80] = {};
        TOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = ToolBar().m_hWnd;
        info.uId = static_cast<UINT_PTR>(ToolBar().CommandToIndex(c.nID));
        info.lpszText = text;
        ASSERT_TRUE(::SendMessageA(hTips, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info))) << c.tooltip;
        ::SendMessageA(hTips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(text, c.tooltip);
        RECT r;
        ToolBar().GetItemRect(ToolBar().CommandToIndex(c.nID), &r);
        EXPECT_TRUE(::EqualRect(&info.rect, &r)) << c.tooltip;
    }
}

TEST_F(BarsTest, ButtonsTakeTheirStateFromTheUpdateHandlersAtIdleAndAgreeWithTheMenus) {
    const int keepOnTop = ToolBar().CommandToIndex(ID_VIEW_KEEP_ON_TOP);
    const struct {
        bool enabled;
        bool checked;
    } states[] = {{true, false}, {true, true}, {false, true}, {false, false}};
    for (const auto& s : states) {
        frame->m_bKeepOnTopEnabled = s.enabled;
        frame->m_bKeepOnTopChecked = s.checked;
        fwtest::RunIdle();
        EXPECT_EQ(ToolBar().IsButtonEnabled(keepOnTop) != FALSE, s.enabled);
        EXPECT_EQ(ToolBar().IsButtonChecked(keepOnTop) != FALSE, s.checked);
    }
    frame->m_bKeepOnTopEnabled = true;

    // Every button as its menu item shows it: without a document (commands
    // nobody handles are disabled), and with one, whose view, document and
    // child frame answer first.
    auto agree = [&](const char* when, bool bAllInMenu) {
        fwtest::RunIdle();
        for (int i = 0; i < ToolBar().GetCount(); ++i) {
            const UINT nID = ToolBar().GetItemID(i);
            if (nID == ID_SEPARATOR) continue;
            const MenuItemState menu = MenuItem(nID);
            if (!menu.found) {
                EXPECT_FALSE(bAllInMenu) << when << std::hex << nID;
                continue;
            }
            EXPECT_EQ(ToolBar().IsButtonEnabled(i) != FALSE, !menu.grayed) << when << std::hex << nID;
            EXPECT_EQ(ToolBar().IsButtonChecked(i) != FALSE, menu.checked) << when << std::hex << nID;
        }
    };
    frame->m_bKeepOnTopChecked = true;
    agree("no document ", false);
    fwtest::RunIdle();
    EXPECT_FALSE(ToolBar().IsButtonEnabled(ToolBar().CommandToIndex(ID_FILE_SAVE)));
    EXPECT_FALSE(ToolBar().IsButtonEnabled(ToolBar().CommandToIndex(ID_WINDOW_CASCADE)));
    EXPECT_TRUE(ToolBar().IsButtonEnabled(ToolBar().CommandToIndex(ID_VIEW_FONT)));

    ASSERT_NE(NewDoc(), nullptr);
    CView* pView = frame->MDIGetActive()->GetActiveView();
    pView->SetWindowText("some text");
    pView->SendMessage(EM_SETSEL, 0, 0);
    agree("empty selection ", true);
    fwtest::RunIdle();
    EXPECT_FALSE(ToolBar().IsButtonEnabled(ToolBar().CommandToIndex(ID_EDIT_COPY)));
    EXPECT_TRUE(ToolBar().IsButtonEnabled(ToolBar().CommandToIndex(ID_WINDOW_CASCADE)));
    pView->SendMessage(EM_SETSEL, 0, 4);
    agree("selection ", true);
    fwtest::RunIdle();
    EXPECT_TRUE(ToolBar().IsButtonEnabled(ToolBar().CommandToIndex(ID_EDIT_COPY)));
}

TEST_F(BarsTest, AClickRunsTheCommandOnlyWhileItIsEnabled) {
    fwtest::RunIdle();
    Click(ID_VIEW_KEEP_ON_TOP);
    EXPECT_EQ(frame->m_nKeepOnTopRuns, 1);

    // Released away from the button: nothing.
    const POINT pt = ButtonCentre(ID_VIEW_KEEP_ON_TOP);
    SendMouse(ToolBar().m_hWnd, WM_LBUTTONDOWN, pt, MK_LBUTTON);
    SendMouse(ToolBar().m_hWnd, WM_LBUTTONUP, ButtonCentre(ID_VIEW_FONT));
    EXPECT_EQ(frame->m_nKeepOnTopRuns, 1);

    // Disabled at idle: the button does not take the click.
    frame->m_bKeepOnTopEnabled = false;
    fwtest::RunIdle();
    Click(ID_VIEW_KEEP_ON_TOP);
    EXPECT_EQ(frame->m_nKeepOnTopRuns, 1);

    // Disabled since the last idle time: the frame refuses the command the
    // button still sends, as it refuses it from anywhere.
    frame->m_bKeepOnTopEnabled = true;
    fwtest::RunIdle();
    frame->m_bKeepOnTopEnabled = false;
    Click(ID_VIEW_KEEP_ON_TOP);
    EXPECT_EQ(frame->m_nKeepOnTopRuns, 1);
    const WPARAM wParam = MAKEWPARAM(ID_VIEW_KEEP_ON_TOP, BN_CLICKED);
    frame->SendMessage(WM_COMMAND, wParam, reinterpret_cast<LPARAM>(ToolBar().m_hWnd));
    EXPECT_EQ(frame->m_nKeepOnTopRuns, 1);
    frame->m_bKeepOnTopEnabled = true;
    frame->SendMessage(WM_COMMAND, wParam, reinterpret_cast<LPARAM>(ToolBar().m_hWnd));
    EXPECT_EQ(frame->m_nKeepOnTopRuns, 2);
}

}  // namespace
}  // namespace barstest
