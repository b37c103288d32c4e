// CToolBar: buttons from a toolbar resource and its bitmap strip, drawn flat,
// named by tooltips, enabled and checked at idle time by the frame's update
// handlers, and sending their commands to the frame.
#include "framework/bars.h"

#include "framework/app.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kSeparator = 8;     // the gap a separator leaves
constexpr SIZE kButtonMargin{7, 7};  // a button around its image

// A memory device context, deleted with the object.
class MemoryDC {
public:
    explicit MemoryDC(HDC hdcRef) : m_hdc(::CreateCompatibleDC(hdcRef)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() {
        if (m_hdc) ::DeleteDC(m_hdc);
    }
    HDC get() const { return m_hdc; }

private:
    HDC m_hdc;
};

struct RawResource {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

RawResource FindRawResource(HINSTANCE hInst, UINT nID, LPCSTR lpType) {
    HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA(nID), lpType);
    HGLOBAL hData = hRes ? ::LoadResource(hInst, hRes) : nullptr;
    const void* p = hData ? ::LockResource(hData) : nullptr;
    if (!p) return {};
    return {static_cast<const BYTE*>(p), ::SizeofResource(hInst, hRes)};
}

RGBQUAD ToQuad(COLORREF c) { return {GetBValue(c), GetGValue(c), GetRValue(c), 0}; }

// The strip's four standard colours become the system's button colours.
void MapButtonColours(RGBQUAD* pColours, size_t nColours) {
    struct Map {
        COLORREF from;
        int nSysColor;
    };
    static const Map kMap[] = {
        {RGB(0, 0, 0), COLOR_BTNTEXT},
        {RGB(128, 128, 128), COLOR_BTNSHADOW},
        {RGB(192, 192, 192), COLOR_BTNFACE},
        {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT},
    };
    for (size_t i = 0; i < nColours; ++i) {
        const COLORREF c = RGB(pColours[i].rgbRed, pColours[i].rgbGreen, pColours[i].rgbBlue);
        for (const Map& m : kMap) {
            if (c == m.from) pColours[i] = ToQuad(::GetSysColor(m.nSysColor));
        }
    }
}

// The bitmap resource (a header, a colour table, the pixels) as a bitmap in
// the system's button colours; NULL unless it is a whole, uncompressed
// palette bitmap.
fw::UniqueGdiObject LoadMappedBitmap(HINSTANCE hInst, UINT nID) {
    const RawResource raw = FindRawResource(hInst, nID, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    BITMAPINFOHEADER bih;
    if (raw.size < sizeof bih) return {};
    std::memcpy(&bih, raw.data, sizeof bih);
    const WORD bits = bih.biBitCount;
    if (bih.biSize < sizeof bih || bih.biSize > raw.size || bih.biWidth <= 0 || bih.biHeight == 0 ||
        bih.biPlanes != 1 || bih.biCompression != BI_RGB || (bits != 1 && bits != 4 && bits != 8)) {
        return {};
    }
    const size_t nMaxColours = size_t{1} << bits;
    const size_t nColours = bih.biClrUsed ? bih.biClrUsed : nMaxColours;
    if (nColours > nMaxColours) return {};
    const unsigned long long height = bih.biHeight < 0 ? -static_cast<long long>(bih.biHeight) : bih.biHeight;
    const unsigned long long stride = (static_cast<unsigned long long>(bih.biWidth) * bits + 31) / 32 * 4;
    const size_t colourBytes = nColours * sizeof(RGBQUAD);
    if (bih.biSize + colourBytes + stride * height > raw.size) return {};

    // A copy of the header and colour table, mapped; the pixels stay where they are.
    const BYTE* pColours = raw.data + bih.biSize;
    const BYTE* pBits = pColours + colourBytes;
    bih.biSize = sizeof bih;
    bih.biClrUsed = static_cast<DWORD>(nColours);
    std::vector<BYTE> info(sizeof bih + colourBytes);
    std::memcpy(info.data(), &bih, sizeof bih);
    std::memcpy(info.data() + sizeof bih, pColours, colourBytes);
    MapButtonColours(reinterpret_cast<RGBQUAD*>(info.data() + sizeof bih), nColours);
    fw::WindowDC screen(nullptr);
    return fw::UniqueGdiObject(::CreateDIBitmap(screen.get(), &bih, CBM_INIT, pBits,
                                                reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS));
}

// A monochrome copy of the images: 1 where the button's face or highlight
// shows, 0 where an image draws. A disabled image is drawn from it embossed.
fw::UniqueGdiObject MakeImageMask(HBITMAP hBitmap, SIZE size) {
    fw::UniqueGdiObject mask(::CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
    if (!mask) return mask;
    MemoryDC src(nullptr);
    MemoryDC dst(nullptr);
    fw::ScopedSelectObject selSrc(src.get(), hBitmap);
    fw::ScopedSelectObject selDst(dst.get(), mask.get());
    ::SetBkColor(src.get(), ::GetSysColor(COLOR_BTNFACE));
    ::BitBlt(dst.get(), 0, 0, size.cx, size.cy, src.get(), 0, 0, SRCCOPY);
    ::SetBkColor(src.get(), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    ::BitBlt(dst.get(), 0, 0, size.cx, size.cy, src.get(), 0, 0, SRCPAINT);
    return mask;
}

// The text after the newline of a command's string.
std::string ToolTipText(UINT nID) {
    const std::string text = AfxLoadString(nID);
    const size_t newline = text.find('\n');
    return newline == std::string::npos ? std::string() : text.substr(newline + 1);
}

class CToolCmdUI : public CCmdUI {
public:
    explicit CToolCmdUI(CToolBar* pBar) : m_pBar(pBar) { m_pOther = pBar; }
    void Enable(BOOL bOn) override {
        m_pBar->SetButtonEnabled(static_cast<int>(m_nIndex), bOn);
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { m_pBar->SetButtonChecked(static_cast<int>(m_nIndex), nCheck != 0); }
    void SetText(const char*) override {}

private:
    CToolBar* m_pBar;
};

}  // namespace

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    fw::Message<&CToolBar::OnPaint>(WM_PAINT),
    fw::Message<&CToolBar::OnPrintClient>(WM_PRINTCLIENT),
    fw::WmSize<&CToolBar::OnSize>(),
    fw::Message<&CToolBar::OnMouseMove>(WM_MOUSEMOVE),
    fw::Message<&CToolBar::OnMouseLeave>(WM_MOUSELEAVE),
    fw::Message<&CToolBar::OnLButtonDown>(WM_LBUTTONDOWN),
    fw::Message<&CToolBar::OnLButtonDown>(WM_LBUTTONDBLCLK),
    fw::Message<&CToolBar::OnLButtonUp>(WM_LBUTTONUP),
    fw::Message<&CToolBar::OnCaptureChanged>(WM_CAPTURECHANGED),
    fw::Message<&CToolBar::OnDestroy>(WM_DESTROY),
END_MESSAGE_MAP()

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    const char* lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CreateBar(lpszClass, dwStyle, WS_CLIPSIBLINGS, pParentWnd, nID)) return FALSE;
    // Without its tooltips the bar still works.
    m_toolTips.reset(::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                       WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                                       nullptr));
    OnBarStyleChange(0, m_dwStyle);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) {
    HINSTANCE hInst = ::GetModuleHandleA(nullptr);
    const RawResource raw = FindRawResource(hInst, nIDResource, MAKEINTRESOURCEA(RT_TOOLBAR));
    WORD header[4];  // version, button width, button height, item count
    if (!m_hWnd || raw.size < sizeof header) return FALSE;
    std::memcpy(header, raw.data, sizeof header);
    const SIZE sizeImage{header[1], header[2]};
    const size_t nCount = header[3];
    if (header[0] != 1 || sizeImage.cx == 0 || sizeImage.cy == 0 || raw.size < sizeof header + nCount * sizeof(WORD)) {
        return FALSE;
    }
    std::vector<Item> items(nCount);
    int nImages = 0;
    for (size_t i = 0; i < nCount; ++i) {
        WORD nID;
        std::memcpy(&nID, raw.data + sizeof header + i * sizeof(WORD), sizeof nID);
        items[i].nID = nID;
        items[i].iImage = nID == ID_SEPARATOR ? -1 : nImages++;
    }
    fw::UniqueGdiObject bitmap = LoadMappedBitmap(hInst, nIDResource);
    BITMAP bm{};
    if (!bitmap || !::GetObjectA(bitmap.get(), sizeof bm, &bm) ||
        bm.bmWidth < static_cast<long long>(nImages) * sizeImage.cx || bm.bmHeight < sizeImage.cy) {
        return FALSE;
    }
    fw::UniqueGdiObject mask = MakeImageMask(static_cast<HBITMAP>(bitmap.get()), {bm.bmWidth, bm.bmHeight});
    if (!mask) return FALSE;

    m_items = std::move(items);
    m_bitmap = std::move(bitmap);
    m_mask = std::move(mask);
    m_sizeImage = sizeImage;
    m_sizeButton = {sizeImage.cx + kButtonMargin.cx, sizeImage.cy + kButtonMargin.cy};
    m_nImages = nImages;
    m_nHot = m_nPressed = -1;
    RECT client;
    GetClientRect(&client);
    OnSize(SIZE_RESTORED, client.right, client.bottom);
    if (m_pDockSite) m_pDockSite->RecalcLayout();
    return TRUE;
}

UINT CToolBar::GetItemID(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_items[static_cast<size_t>(nIndex)].nID : ID_SEPARATOR;
}

int CToolBar::CommandToIndex(UINT nID) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (m_items[static_cast<size_t>(i)].nID == nID) return i;
    }
    return -1;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    *lpRect = nIndex >= 0 && nIndex < GetCount() ? m_items[static_cast<size_t>(nIndex)].rect : RECT{0, 0, 0, 0};
}

BOOL CToolBar::IsButtonEnabled(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() && m_items[static_cast<size_t>(nIndex)].iImage >= 0 &&
           m_items[static_cast<size_t>(nIndex)].bEnabled;
}

BOOL CToolBar::IsButtonChecked(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() && m_items[static_cast<size_t>(nIndex)].bChecked;
}

void CToolBar::SetButtonEnabled(int nIndex, BOOL bEnabled) {
    if (nIndex < 0 || nIndex >= GetCount()) return;
    Item& item = m_items[static_cast<size_t>(nIndex)];
    if (item.bEnabled == (bEnabled != FALSE)) return;
    item.bEnabled = bEnabled != FALSE;
    InvalidateItem(nIndex);
}

void CToolBar::SetButtonChecked(int nIndex, BOOL bChecked) {
    if (nIndex < 0 || nIndex >= GetCount()) return;
    Item& item = m_items[static_cast<size_t>(nIndex)];
    if (item.bChecked == (bChecked != FALSE)) return;
    item.bChecked = bChecked != FALSE;
    InvalidateItem(nIndex);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) {
    CToolCmdUI state(this);
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); ++i) {
        const Item& item = m_items[static_cast<size_t>(i)];
        if (item.iImage < 0) continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = item.nID;
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

void CToolBar::OnBarStyleChange(DWORD, DWORD dwNewStyle) {
    if (m_toolTips) ::SendMessageA(m_toolTips.get(), TTM_ACTIVATE, (dwNewStyle & CBRS_TOOLTIPS) != 0, 0);
}

// ---------------------------------------------------------------------------
// Layout

SIZE CToolBar::Arrange(int nWrapWidth, std::vector<Item>* pItems) const {
    // Buttons run left to right and wrap into a new row where the next one
    // does not fit; a separator is a gap in its row, or a line across between
    // rows where its row ends.
    const int bw = m_sizeButton.cx;
    const int bh = m_sizeButton.cy;
    int x = 0;
    int y = 0;
    SIZE extent{0, 0};
    std::vector<RECT> rects(m_items.size());
    std::vector<bool> across(m_items.size(), false);
    for (size_t i = 0; i < m_items.size(); ++i) {
        RECT& r = rects[i];
        if (m_items[i].iImage >= 0) {
            if (x > 0 && x + bw > nWrapWidth) {
                x = 0;
                y += bh;
            }
            r = {x, y, x + bw, y + bh};
            x += bw;
        } else if (x > 0 && x + kSeparator + bw <= nWrapWidth) {
            r = {x, y, x + kSeparator, y + bh};
            x += kSeparator;
        } else {
            if (x > 0) y += bh;
            x = 0;
            r = {0, y, 0, y + kSeparator};
            y += kSeparator;
            across[i] = true;
        }
        extent.cx = std::max(extent.cx, r.right);
        extent.cy = std::max(extent.cy, r.bottom);
    }
    if (pItems) {
        for (size_t i = 0; i < m_items.size(); ++i) {
            if (across[i]) rects[i].right = extent.cx;
            (*pItems)[i].rect = rects[i];
            (*pItems)[i].bRowSeparator = across[i];
        }
    }
    return extent;
}

SIZE CToolBar::InsetSize(SIZE content, DWORD dwStyle) const {
    const RECT insets = InsetsFor(dwStyle);
    return {content.cx + insets.left + insets.right, content.cy + insets.top + insets.bottom};
}

SIZE CToolBar::CalcFixedLayout(BOOL bHorz) {
    return InsetSize(Arrange(bHorz ? kNoWrap : m_sizeButton.cx, nullptr), StyleForSide(bHorz));
}

SIZE CToolBar::CalcDynamicLayout(int nWidth) {
    const DWORD dwStyle = (m_dwStyle & ~CBRS_BORDER_ANY) | CBRS_FLOATING;
    const RECT insets = InsetsFor(dwStyle);
    const int nWrap = std::max<int>(m_sizeButton.cx, nWidth - insets.left - insets.right);
    return InsetSize(Arrange(nWrap, nullptr), dwStyle);
}

void CToolBar::OnSize(UINT, int cx, int) {
    // Docked, the bar keeps one row (one column at the left and right);
    // floating, it wraps at its width.
    const RECT insets = GetInsets();
    const int nWrap = IsFloating() ? std::max<int>(m_sizeButton.cx, cx - insets.left - insets.right)
                      : IsHorz()   ? kNoWrap
                                   : m_sizeButton.cx;
    Arrange(nWrap, &m_items);
    for (Item& item : m_items) ::OffsetRect(&item.rect, insets.left, insets.top);
    UpdateToolTips();
    Invalidate();
}

void CToolBar::UpdateToolTips() {
    HWND hToolTips = m_toolTips.get();
    if (!hToolTips) return;
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    const LRESULT nTools = ::SendMessageA(hToolTips, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT n = 0; n < nTools; ++n) {
        if (!::SendMessageA(hToolTips, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&info))) break;
        ::SendMessageA(hToolTips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].iImage < 0) continue;
        std::string text = ToolTipText(m_items[i].nID);
        if (text.empty()) continue;
        info = TOOLINFOA{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.uFlags = TTF_SUBCLASS;
        info.hwnd = m_hWnd;
        info.uId = i;
        info.rect = m_items[i].rect;
        info.lpszText = text.data();
        ::SendMessageA(hToolTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

// ---------------------------------------------------------------------------
// Painting

LRESULT CToolBar::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    Draw(::BeginPaint(m_hWnd, &ps));
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT CToolBar::OnPrintClient(WPARAM wParam, LPARAM) {
    RECT client;
    GetClientRect(&client);
    HDC hDC = reinterpret_cast<HDC>(wParam);
    ::FillRect(hDC, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    Draw(hDC);
    return 0;
}

void CToolBar::Draw(HDC hDC) const {
    DrawBorders(hDC);
    MemoryDC imageDC(hDC);
    MemoryDC maskDC(hDC);
    fw::ScopedSelectObject selImage(imageDC.get(), m_bitmap.get());
    fw::ScopedSelectObject selMask(maskDC.get(), m_mask.get());
    for (int i = 0; i < GetCount(); ++i) DrawItem(hDC, imageDC.get(), maskDC.get(), i);
}

void CToolBar::DrawItem(HDC hDC, HDC hImageDC, HDC hMaskDC, int nIndex) const {
    const Item& item = m_items[static_cast<size_t>(nIndex)];
    RECT r = item.rect;
    if (item.iImage < 0) {
        if (item.bRowSeparator) {
            r.top = (r.top + r.bottom) / 2 - 1;
            ::DrawEdge(hDC, &r, EDGE_ETCHED, BF_TOP);
        } else {
            r.left = (r.left + r.right) / 2 - 1;
            ::DrawEdge(hDC, &r, EDGE_ETCHED, BF_LEFT);
        }
        return;
    }
    const bool bPressed = nIndex == m_nPressed && m_bPressedInside;
    const bool bHot = nIndex == m_nHot && item.bEnabled;
    if (item.bChecked && !bPressed && !bHot) {
        // A checked button's face is dithered with the highlight colour.
        static const WORD kDither[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        fw::UniqueGdiObject pattern(::CreateBitmap(8, 8, 1, 1, kDither));
        fw::UniqueGdiObject brush(::CreatePatternBrush(static_cast<HBITMAP>(pattern.get())));
        const COLORREF oldText = ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNFACE));
        const COLORREF oldBk = ::SetBkColor(hDC, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::FillRect(hDC, &r, static_cast<HBRUSH>(brush.get()));
        ::SetTextColor(hDC, oldText);
        ::SetBkColor(hDC, oldBk);
    }
    if (bPressed || item.bChecked) {
        ::DrawEdge(hDC, &r, BDR_SUNKENOUTER, BF_RECT);
    } else if (bHot) {
        ::DrawEdge(hDC, &r, BDR_RAISEDINNER, BF_RECT);
    }
    const int nShift = (bPressed || item.bChecked) ? 1 : 0;
    const int x = r.left + (m_sizeButton.cx - m_sizeImage.cx) / 2 + nShift;
    const int y = r.top + (m_sizeButton.cy - m_sizeImage.cy) / 2 + nShift;
    const int xImage = item.iImage * m_sizeImage.cx;
    if (item.bEnabled) {
        ::BitBlt(hDC, x, y, m_sizeImage.cx, m_sizeImage.cy, hImageDC, xImage, 0, SRCCOPY);
        return;
    }
    // Disabled: the image's shape in the highlight colour, and over it, one
    // pixel up and left, in the shadow colour. Where the mask is 0 the brush
    // paints (the raster operation keeps the rest).
    constexpr DWORD kPaintWhereMaskIsZero = 0x00B8074A;
    const COLORREF oldText = ::SetTextColor(hDC, RGB(0, 0, 0));
    const COLORREF oldBk = ::SetBkColor(hDC, RGB(255, 255, 255));
    {
        fw::ScopedSelectObject brush(hDC, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        ::BitBlt(hDC, x + 1, y + 1, m_sizeImage.cx, m_sizeImage.cy, hMaskDC, xImage, 0, kPaintWhereMaskIsZero);
    }
    {
        fw::ScopedSelectObject brush(hDC, ::GetSysColorBrush(COLOR_BTNSHADOW));
        ::BitBlt(hDC, x, y, m_sizeImage.cx, m_sizeImage.cy, hMaskDC, xImage, 0, kPaintWhereMaskIsZero);
    }
    ::SetTextColor(hDC, oldText);
    ::SetBkColor(hDC, oldBk);
}

void CToolBar::InvalidateItem(int nIndex) {
    if (!m_hWnd || nIndex < 0 || nIndex >= GetCount()) return;
    ::InvalidateRect(m_hWnd, &m_items[static_cast<size_t>(nIndex)].rect, TRUE);
}

// ---------------------------------------------------------------------------
// The mouse

int CToolBar::HitTest(POINT pt) const {
    for (int i = 0; i < GetCount(); ++i) {
        const Item& item = m_items[static_cast<size_t>(i)];
        if (item.iImage >= 0 && ::PtInRect(&item.rect, pt)) return i;
    }
    return -1;
}

void CToolBar::SetHot(int nIndex) {
    if (nIndex == m_nHot) return;
    InvalidateItem(m_nHot);
    m_nHot = nIndex;
    InvalidateItem(m_nHot);
    // Fly-by: the status bar tells what the button under the mouse does.
    if ((m_dwStyle & CBRS_FLYBY) && m_pDockSite) {
        m_pDockSite->SetMessageText(nIndex >= 0 ? m_items[static_cast<size_t>(nIndex)].nID : AFX_IDS_IDLEMESSAGE);
    }
}

LRESULT CToolBar::OnMouseMove(WPARAM, LPARAM lParam) {
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (m_nPressed >= 0) {
        const bool bInside = HitTest(pt) == m_nPressed;
        if (bInside != m_bPressedInside) {
            m_bPressedInside = bInside;
            InvalidateItem(m_nPressed);
        }
        return 0;
    }
    SetHot(HitTest(pt));
    if (!m_bTrackingLeave) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, m_hWnd, 0};
        m_bTrackingLeave = ::TrackMouseEvent(&tme) != FALSE;
    }
    return 0;
}

LRESULT CToolBar::OnMouseLeave(WPARAM, LPARAM) {
    m_bTrackingLeave = false;
    if (m_nPressed < 0) SetHot(-1);
    return 0;
}

LRESULT CToolBar::OnLButtonDown(WPARAM, LPARAM lParam) {
    const int nHit = HitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (nHit < 0 || !m_items[static_cast<size_t>(nHit)].bEnabled) return 0;
    m_nPressed = nHit;
    m_bPressedInside = true;
    ::SetCapture(m_hWnd);
    InvalidateItem(nHit);
    return 0;
}

LRESULT CToolBar::OnLButtonUp(WPARAM, LPARAM lParam) {
    if (m_nPressed < 0) return 0;
    const int nIndex = m_nPressed;
    const bool bClicked = HitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) == nIndex;
    m_nPressed = -1;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    InvalidateItem(nIndex);
    const Item& item = m_items[static_cast<size_t>(nIndex)];
    if (!bClicked || !item.bEnabled || !m_pDockSite) return 0;
    // As a button control tells its parent; the frame routes the command
    // and refuses it when its update handler disables it.
    m_pDockSite->SendMessage(WM_COMMAND, MAKEWPARAM(item.nID, BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
    return 0;
}

LRESULT CToolBar::OnCaptureChanged(WPARAM, LPARAM lParam) {
    if (m_nPressed >= 0 && reinterpret_cast<HWND>(lParam) != m_hWnd) {
        InvalidateItem(m_nPressed);
        m_nPressed = -1;
    }
    return 0;
}

void CToolBar::OnDestroy() {
    m_toolTips.reset();
    CControlBar::OnDestroy();
}
