// Control bars: the toolbar and the status bar of a frame. A bar lives as a
// child of its frame, in one of the frame's dock bars along its sides, or in
// a small tool window of its own when it floats; wherever it is, it belongs
// to that frame (its dock site): its buttons and panes are updated at idle
// time through the frame's command route, and its commands go to the frame.
#pragma once

#include "framework/frame.h"
#include "framework/handles.h"

#include <string>
#include <vector>

// Bar styles: the low word of the style given to Create (the high word holds
// the window styles). ALIGN says at which side the bar sits, BORDER on which
// sides it draws an edge.
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_BORDER_ANY = 0x0F00;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;      // tooltips name the buttons
constexpr DWORD CBRS_FLYBY = 0x0020;         // the status bar shows the prompt of the button under the mouse
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;  // floating, the user may reshape the bar into rows
constexpr DWORD CBRS_FLOATING = 0x0001;      // set while the bar floats

class CDockBar;
class CFloatingBarWnd;

namespace fw {
// A window of our own that no other window owns, destroyed with the object.
struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DestroyWindow(h); }
};
using UniqueWindow = UniqueHandle<WindowTraits>;
}  // namespace fw

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    ~CControlBar() override;

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    // The sides (CBRS_ALIGN_xxx) the bar may be docked at; 0: it cannot be moved.
    void EnableDocking(DWORD dwDockStyle);
    DWORD GetDockStyle() const { return m_dwDockStyle; }

    BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    BOOL IsHorz() const { return (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) || IsFloating(); }
    // Shown by its frame (hidden bars take no room and get no updates).
    BOOL IsVisible() const;
    // The floating tool window, while the bar floats.
    CWnd* GetFloatingWnd() const;

    // The size the bar takes along a horizontal side (bHorz) or a vertical
    // one. A bar that is its frame's own child is stretched along its side.
    virtual SIZE CalcFixedLayout(BOOL bHorz) = 0;
    // The size the bar takes floating when its window is nWidth wide (at
    // most; kNoWrap: in one row); bars that cannot reshape keep their
    // horizontal size.
    static constexpr int kNoWrap = 0x7FFF;
    virtual SIZE CalcDynamicLayout(int nWidth);
    // Brings buttons or panes up to date through pTarget's update handlers.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    CControlBar() = default;

    // Creates the bar's window as a child of pParentWnd, whose frame becomes
    // its dock site. dwStyle holds window styles in its high word and bar
    // styles in its low word; dwControlStyle, styles of the window's class.
    BOOL CreateBar(LPCSTR lpszClassName, DWORD dwStyle, DWORD dwControlStyle, CWnd* pParentWnd, UINT nID);
    // The room that padding, borders and the gripper take at each edge, for
    // the bar as it is or with another style.
    RECT GetInsets() const { return InsetsFor(m_dwStyle); }
    RECT InsetsFor(DWORD dwStyle) const;
    // A bar that can be docked and is not floating is dragged by its gripper.
    BOOL HasGripper() const { return m_dwDockStyle != 0 && !IsFloating(); }
    // The style the bar would have docked along a horizontal or vertical side.
    DWORD StyleForSide(BOOL bHorz) const;
    // Draws the borders and the gripper of the bar's window.
    void DrawBorders(HDC hDC) const;
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);

    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);

    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;             // where it is docked, or NULL
    CFloatingBarWnd* m_pFloatingWnd = nullptr;  // its tool window while it floats, shown or hidden
    UINT m_nLastDockID = 0;                     // the dock bar it left when it last floated
    int m_nFloatingWidth = 0;                   // the width the user gave it floating; 0: one row

    DECLARE_MESSAGE_MAP()

private:
    friend class CDockBar;
    friend class CFloatingBarWnd;
    friend class CFrameWnd;

    // Dragging by the gripper (docked) or by the floating window's caption.
    struct Drag {
        bool active = false;
        POINT grab{};        // the cursor's offset into what is dragged
        RECT frame{};        // the outline drawn now
        bool drawn = false;
        UINT nTarget = 0;    // the dock bar it would dock at; 0 to float
    };
    Drag m_drag;
    void BeginDrag(POINT ptScreen, const RECT& rectDragged);
    void MoveDrag(POINT ptScreen);
    void EndDrag(POINT ptScreen, bool bApply);
    BOOL TrackDrag(UINT message, WPARAM wParam, LPARAM lParam);
    void DrawDragFrame();
};

// The toolbar: a row of buttons with images from one bitmap strip, loaded from
// a toolbar resource. The buttons are drawn here; a tooltip control names them.
class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar() = default;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // Reads the toolbar resource (version 1, button width and height, item
    // count, one command id per item, 0 for a separator) and the bitmap of the
    // same id (one image per button, in order). FALSE when either is missing
    // or malformed; the bar then keeps what it had.
    BOOL LoadToolBar(UINT nIDResource);

    int GetCount() const { return static_cast<int>(m_items.size()); }
    UINT GetItemID(int nIndex) const;  // ID_SEPARATOR for a separator
    int CommandToIndex(UINT nID) const;
    int GetImageCount() const { return m_nImages; }
    SIZE GetButtonSize() const { return m_sizeButton; }
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    BOOL IsButtonEnabled(int nIndex) const;
    BOOL IsButtonChecked(int nIndex) const;
    HWND GetToolTips() const { return m_toolTips.get(); }
    // The button under the mouse, or -1.
    int GetHotItem() const { return m_nHot; }

    SIZE CalcFixedLayout(BOOL bHorz) override;
    SIZE CalcDynamicLayout(int nWidth) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;

    // Set by the update handlers.
    void SetButtonEnabled(int nIndex, BOOL bEnabled);
    void SetButtonChecked(int nIndex, BOOL bChecked);

protected:
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    struct Item {
        UINT nID = 0;
        int iImage = -1;  // -1 for a separator
        bool bEnabled = true;
        bool bChecked = false;
        RECT rect{};      // in the bar's client area
        bool bRowSeparator = false;  // a separator lying across, between rows
    };
    std::vector<Item> m_items;
    fw::UniqueGdiObject m_bitmap;  // the images, in the system's button colours
    fw::UniqueGdiObject m_mask;    // 0 where an image draws, for the disabled look
    SIZE m_sizeImage{0, 0};
    SIZE m_sizeButton{0, 0};
    int m_nImages = 0;
    int m_nHot = -1;
    int m_nPressed = -1;
    bool m_bPressedInside = false;
    bool m_bTrackingLeave = false;
    // Owned by no window: under Wine a frame that owns the tooltip control
    // cannot enter the topmost band, and the frame must (Keep on Top).
    fw::UniqueWindow m_toolTips;

    // Lays the items out from (0,0), wrapping rows at nWrapWidth; returns the
    // size they take. pItems receives the positions when given.
    SIZE Arrange(int nWrapWidth, std::vector<Item>* pItems) const;
    // The bar's size around its content, with the insets of dwStyle.
    SIZE InsetSize(SIZE content, DWORD dwStyle) const;
    int HitTest(POINT pt) const;
    void SetHot(int nIndex);
    void InvalidateItem(int nIndex);
    void Draw(HDC hDC) const;
    void DrawItem(HDC hDC, HDC hImageDC, HDC hMaskDC, int nIndex) const;
    void UpdateToolTips();
};

// The status bar: a message pane that takes what the others leave, and
// indicator panes as wide as their texts. It is the system's status control.
class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar() = default;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id: ID_SEPARATOR for the message pane, else an indicator
    // whose text is the string of its id. FALSE when a string is missing.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nID) const;
    // What the pane shows now (an indicator that is off shows nothing).
    std::string GetPaneText(int nIndex) const;
    BOOL SetPaneText(int nIndex, const char* lpszNewText);
    void GetItemRect(int nIndex, LPRECT lpRect) const;

    SIZE CalcFixedLayout(BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;

    // Set by the update handlers: an indicator that is off shows no text.
    void SetPaneEnabled(int nIndex, BOOL bEnabled);

protected:
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        UINT nID = 0;
        std::string text;
        int cx = 0;  // an indicator's width; the message pane stretches
        bool bEnabled = true;
    };
    std::vector<Pane> m_panes;

    int TextWidth(const std::string& text) const;
    void UpdateParts();
    void ShowPane(int nIndex);
};
