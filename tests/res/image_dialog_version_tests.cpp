// The toolbar, its bitmap, the icons, the About box's template, the version
// record and the manifest, read back from the test program that links them.
#include "framework/afxres.h"
#include "framework/handles.h"
#include "res/resource.h"
#include "tests/res/raw_resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <cstring>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using restest::ByteReader;
using restest::FindRaw;
using restest::RawResource;

HINSTANCE Self() { return restest::Program(); }

TEST(Toolbar, ResourceWords) {
    const WORD expected[] = {
        1, 16, 15, 19,
        ID_FILE_SAVE, ID_FILE_PRINT, ID_FILE_CLOSE_ALL, 0,
        ID_VIEW_KEEP_ON_TOP, ID_VIEW_FONT, 0,
        ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_FIND, 0,
        ID_EDIT_CLEAR_ALL, ID_VIEW_SNAPSHOT, 0,
        ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT, ID_WINDOW_CLEAR_ALL,
    };
    const RawResource raw = FindRaw(MAKEINTRESOURCEA(RT_TOOLBAR), IDR_MAINFRAME);
    ASSERT_NE(raw.data, nullptr);
    ASSERT_EQ(raw.size, sizeof(expected));
    ByteReader words(raw);
    for (size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(words.Word(), expected[i]) << "word " << i;
}

// The toolbar strip: 15 images of 16 x 15 side by side, one per button.
TEST(Toolbar, BitmapIsAStripOfFifteenDistinctImages) {
    constexpr int kImages = 15, kW = 16, kH = 15;
    const RawResource raw = FindRaw(RT_BITMAP, IDR_MAINFRAME);
    ASSERT_NE(raw.data, nullptr);
    ByteReader header(raw);
    EXPECT_EQ(header.Dword(), sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(header.Dword(), static_cast<DWORD>(kImages * kW));
    EXPECT_EQ(header.Dword(), static_cast<DWORD>(kH));  // positive: bottom-up
    EXPECT_EQ(header.Word(), 1);                        // planes
    EXPECT_EQ(header.Word(), 4);                        // bits per pixel
    EXPECT_EQ(header.Dword(), static_cast<DWORD>(BI_RGB));
    for (int i = 0; i < 3; ++i) header.Dword();  // image size, resolution
    const DWORD coloursUsed = header.Dword();
    header.Dword();  // important colours
    const DWORD colours = coloursUsed ? coloursUsed : 16;
    ASSERT_LE(colours, 16u);

    // Silver is the face that the toolbar shows through; every image must draw
    // something on it, and no two images may be the same.
    int face = -1;
    for (DWORD c = 0; c < colours; ++c) {
        const BYTE b = header.Byte(), g = header.Byte(), r = header.Byte();
        header.Byte();
        if (r == 0xC0 && g == 0xC0 && b == 0xC0) face = static_cast<int>(c);
    }
    ASSERT_GE(face, 0) << "no silver button face in the palette";
    const size_t pixels = header.offset();
    const size_t stride = (kImages * kW * 4 + 31) / 32 * 4;
    ASSERT_TRUE(header.ok());
    ASSERT_GE(raw.size, pixels + stride * kH);
    auto pixel = [&](int x, int y) {
        const size_t row = pixels + stride * static_cast<size_t>(kH - 1 - y);  // bottom-up
        const BYTE pair = raw.data[row + static_cast<size_t>(x / 2)];
        return (x % 2) ? (pair & 0x0F) : (pair >> 4);
    };
    std::set<std::vector<int>> seen;
    for (int image = 0; image < kImages; ++image) {
        std::vector<int> cells;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) cells.push_back(pixel(image * kW + x, y));
        bool drawn = false;
        for (int cell : cells) drawn = drawn || cell != face;
        EXPECT_TRUE(drawn) << "image " << image << " is empty";
        EXPECT_TRUE(seen.insert(cells).second) << "image " << image << " repeats an earlier one";
    }

    // The loader keeps it a 16-colour bitmap of that size.
    fw::UniqueGdiObject bitmap(::LoadImageA(Self(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_BITMAP, 0, 0,
                                            LR_CREATEDIBSECTION));
    ASSERT_TRUE(bitmap);
    DIBSECTION dib{};
    ASSERT_EQ(::GetObjectA(bitmap.get(), sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    EXPECT_EQ(dib.dsBm.bmWidth, kImages * kW);
    EXPECT_EQ(dib.dsBm.bmHeight, kH);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 4);
}

struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DestroyIcon(h); }
};
using UniqueIcon = fw::UniqueHandle<IconTraits>;

TEST(Icons, EachHas32And16PixelSixteenColourImages) {
    for (WORD iconId : {WORD{IDR_MAINFRAME}, WORD{IDR_KESTRUMTYPE}}) {
        SCOPED_TRACE(testing::Message() << "icon " << iconId);
        ByteReader group(FindRaw(RT_GROUP_ICON, iconId));
        EXPECT_EQ(group.Word(), 0);  // reserved
        EXPECT_EQ(group.Word(), 1);  // icons, not cursors
        const WORD count = group.Word();
        ASSERT_TRUE(group.ok());
        EXPECT_EQ(count, 2);
        std::multiset<int> sizes;
        for (WORD i = 0; i < count; ++i) {
            const BYTE width = group.Byte(), height = group.Byte(), colourCount = group.Byte();
            group.Byte();
            const WORD planes = group.Word(), bitCount = group.Word();
            const DWORD bytes = group.Dword();
            const WORD imageId = group.Word();
            ASSERT_TRUE(group.ok());
            SCOPED_TRACE(testing::Message() << "image of " << int{width} << " pixels");
            sizes.insert(width);
            EXPECT_EQ(height, width);
            EXPECT_EQ(colourCount, 16);
            EXPECT_EQ(planes, 1);
            EXPECT_EQ(bitCount, 4);

            const RawResource image = FindRaw(RT_ICON, imageId);
            ASSERT_NE(image.data, nullptr);
            EXPECT_EQ(image.size, bytes);
            ByteReader info(image);
            EXPECT_EQ(info.Dword(), sizeof(BITMAPINFOHEADER));
            EXPECT_EQ(info.Dword(), DWORD{width});
            EXPECT_EQ(info.Dword(), 2u * width);  // colour bits and mask
            EXPECT_EQ(info.Word(), 1);
            EXPECT_EQ(info.Word(), 4);

            UniqueIcon icon(static_cast<HICON>(
                ::LoadImageA(Self(), MAKEINTRESOURCEA(iconId), IMAGE_ICON, width, width, 0)));
            ASSERT_TRUE(icon);
            ICONINFO parts{};
            ASSERT_TRUE(::GetIconInfo(icon.get(), &parts));
            fw::UniqueGdiObject colour(parts.hbmColor), mask(parts.hbmMask);
            BITMAP bm{};
            ASSERT_TRUE(::GetObjectA(colour.get(), sizeof(bm), &bm));
            EXPECT_EQ(bm.bmWidth, width);
            EXPECT_EQ(bm.bmHeight, width);
        }
        EXPECT_EQ(sizes, (std::multiset<int>{16, 32}));
    }
}

// One control of the About box as its template gives it.
struct DialogItem {
    WORD classOrdinal;
    const wchar_t* className;  // the same class by name, as some compilers write it
    WORD textOrdinal;  // 0 when the text is a string
    const wchar_t* text;
    WORD id;
    DWORD style;
    short x, y, cx, cy;
};

TEST(AboutBox, Template) {
    const DialogItem expected[] = {
        {0x0082, L"STATIC", IDR_MAINFRAME, L"", static_cast<WORD>(IDC_STATIC),
         WS_CHILD | WS_VISIBLE | SS_ICON, 11, 17, 18, 20},
        {0x0082, L"STATIC", 0, L"Kestrum Version 1.2", static_cast<WORD>(IDC_STATIC),
         WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_NOPREFIX, 40, 10, 119, 8},
        {0x0080, L"BUTTON", 0, L"OK", IDOK,
         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 178, 7, 32, 14},
    };
    ByteReader t(FindRaw(RT_DIALOG, IDD_ABOUTBOX));
    EXPECT_EQ(t.Dword(), static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(t.Dword(), 0u);  // extended style
    const WORD count = t.Word();
    EXPECT_EQ(t.Short(), 0);  // x
    EXPECT_EQ(t.Short(), 0);  // y
    EXPECT_GT(t.Short(), 178 + 32);  // wide enough for the OK button
    EXPECT_GT(t.Short(), 17 + 20);   // tall enough for the icon
    const ByteReader::NameOrOrdinal menu = t.NameOrOrdinalField(), windowClass = t.NameOrOrdinalField();
    EXPECT_FALSE(menu.isOrdinal || !menu.text.empty()) << "the About box has no menu";
    EXPECT_FALSE(windowClass.isOrdinal || !windowClass.text.empty()) << "the About box is a plain dialog";
    EXPECT_EQ(t.WideString(), L"About Kestrum");
    EXPECT_EQ(t.Word(), 8);  // points
    EXPECT_EQ(t.WideString(), L"MS Sans Serif");
    ASSERT_TRUE(t.ok());
    ASSERT_EQ(count, std::size(expected));

    for (const DialogItem& want : expected) {
        SCOPED_TRACE(testing::Message() << "control " << want.id << " at " << want.x << ", " << want.y);
        t.AlignDword();
        EXPECT_EQ(t.Dword(), want.style);
        EXPECT_EQ(t.Dword(), 0u);
        EXPECT_EQ(t.Short(), want.x);
        EXPECT_EQ(t.Short(), want.y);
        EXPECT_EQ(t.Short(), want.cx);
        EXPECT_EQ(t.Short(), want.cy);
        EXPECT_EQ(t.Word(), want.id);
        const ByteReader::NameOrOrdinal cls = t.NameOrOrdinalField(), text = t.NameOrOrdinalField();
        if (cls.isOrdinal) {
            EXPECT_EQ(cls.ordinal, want.classOrdinal);
        } else {
            EXPECT_EQ(::lstrcmpiW(cls.text.c_str(), want.className), 0) << "class name";
        }
        EXPECT_EQ(text.isOrdinal, want.textOrdinal != 0);
        EXPECT_EQ(text.ordinal, want.textOrdinal);
        EXPECT_EQ(text.text, want.text);
        const WORD extra = t.Word();
        for (WORD i = 0; i < extra; ++i) t.Byte();
        ASSERT_TRUE(t.ok());
    }
}

INT_PTR CALLBACK NoHandler(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

BOOL CALLBACK CollectChild(HWND child, LPARAM children) {
    reinterpret_cast<std::vector<HWND>*>(children)->push_back(child);
    return TRUE;
}

TEST(AboutBox, CreatesWithTheProgramIconVersionLineAndOk) {
    HWND box = ::CreateDialogParamA(Self(), MAKEINTRESOURCEA(IDD_ABOUTBOX), nullptr, NoHandler, 0);
    ASSERT_NE(box, nullptr);
    char caption[64] = {};
    ::GetWindowTextA(box, caption, sizeof(caption));
    EXPECT_STREQ(caption, "About Kestrum");
    std::vector<HWND> children;
    ::EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&children));
    bool iconShown = false, versionLine = false;
    for (HWND child : children) {
        char text[64] = {}, windowClass[16] = {};
        ::GetWindowTextA(child, text, sizeof(text));
        ::GetClassNameA(child, windowClass, sizeof(windowClass));
        if (::lstrcmpiA(windowClass, "Static") != 0) continue;
        versionLine = versionLine || std::string(text) == "Kestrum Version 1.2";
        if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            iconShown = ::SendMessageA(child, STM_GETICON, 0, 0) != 0;
    }
    EXPECT_TRUE(iconShown) << "no static shows the program's icon";
    EXPECT_TRUE(versionLine);
    EXPECT_NE(::GetDlgItem(box, IDOK), nullptr);
    EXPECT_TRUE(::DestroyWindow(box));
}

std::vector<BYTE> ProgramVersionInfo() {
    const std::string path = restest::ProgramPath();
    DWORD unused = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &unused);
    std::vector<BYTE> block(size);
    if (size == 0 || !::GetFileVersionInfoA(path.c_str(), 0, size, block.data())) block.clear();
    return block;
}

TEST(Version, FixedFieldsAndLanguage) {
    EXPECT_NE(FindRaw(RT_VERSION, 1).data, nullptr) << "the version record is resource 1";
    std::vector<BYTE> block = ProgramVersionInfo();
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileSubtype, 0u);

    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    WORD translation[2];
    std::memcpy(translation, value, sizeof(translation));
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);
}

TEST(Version, StringFields) {
    const std::pair<const char*, const char*> expected[] = {
        {"CompanyName", ""},
        {"FileDescription", "Kestrum Application"},
        {"FileVersion", "1, 0, 0, 1"},
        {"InternalName", "Kestrum"},
        {"OriginalFilename", "Kestrum.EXE"},
        {"ProductName", "Kestrum Application"},
        {"ProductVersion", "1, 0, 0, 1"},
    };
    std::vector<BYTE> block = ProgramVersionInfo();
    ASSERT_FALSE(block.empty());
    for (const auto& [name, text] : expected) {
        const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
        void* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(::VerQueryValueA(block.data(), query.c_str(), &value, &length)) << name;
        const char* chars = static_cast<const char*>(value);
        EXPECT_EQ(std::string(chars, length ? strnlen(chars, length) : 0), text) << name;
    }
}

TEST(Manifest, BringsCommonControlsSixAndLeavesScalingToTheSystem) {
    EXPECT_NE(FindRaw(RT_MANIFEST, 1).data, nullptr);

    // The process's activation context sends comctl32 to the side-by-side
    // version 6 assembly instead of the system directory's copy.
    HMODULE comctl = ::LoadLibraryA("comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(comctl, path, MAX_PATH);
    ::FreeLibrary(comctl);
    std::string lower(path);
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_NE(lower.find("microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::string::npos)
        << "comctl32 loaded from " << path;

    // No dpiAware setting, or a false one: the system scales the windows.
    wchar_t value[32] = {};
    SIZE_T written = 0;
    if (::QueryActCtxSettingsW(0, nullptr, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                               L"dpiAware", value, std::size(value), &written)) {
        EXPECT_STREQ(value, L"false");
    } else {
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SXS_KEY_NOT_FOUND));
    }
}

}  // namespace
