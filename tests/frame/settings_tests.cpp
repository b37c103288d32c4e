// The settings store against the test prefix's registry: the window
// rectangle, the two flags and the font record, with their defaults and the
// stored values that are odd but must be read as the store defines them.
#include "frame/main_frame.h"
#include "frame/settings.h"
#include "framework/handles.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr char kCompany[] = "KestrumSettingsTests";

class Settings : public testing::Test {
protected:
    void SetUp() override {
        DeleteKey();
        fwtest::App().SetRegistryKey(kCompany);
    }
    void TearDown() override {
        fwtest::App().SetRegistryKey(nullptr);
        DeleteKey();
    }
    static void DeleteKey() { ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kCompany).c_str()); }
    static std::string Path(const char* section) {
        return std::string("Software\\") + kCompany + "\\KestrumTest\\" + section;
    }
    static bool KeyExists(const char* section) {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, Path(section).c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) return false;
        ::RegCloseKey(hKey);
        return true;
    }
    static DWORD ValueCount(const char* section) {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, Path(section).c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) return 0;
        fw::UniqueRegKey key(hKey);
        DWORD values = 0;
        ::RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                           nullptr, nullptr);
        return values;
    }
    static void PutInt(const char* section, const char* name, DWORD value) {
        fwtest::App().WriteProfileInt(section, name, static_cast<int>(value));
    }
    static void PutString(const char* section, const char* name, const char* value) {
        fwtest::App().WriteProfileString(section, name, value);
    }
    // A LOGFONT whose every byte is 0x5A, to see which fields a load touched.
    static LOGFONT Marked() {
        LOGFONT lf;
        std::memset(&lf, 0x5A, sizeof lf);
        return lf;
    }
};

TEST_F(Settings, FirstRunGivesTheDefaultsAndCreatesTheKeys) {
    CREATESTRUCT cs{};
    settings::LoadWindowRect(cs);
    EXPECT_EQ(cs.x, CW_USEDEFAULT);
    EXPECT_EQ(cs.y, CW_USEDEFAULT);
    EXPECT_EQ(cs.cx, CW_USEDEFAULT);
    EXPECT_EQ(cs.cy, CW_USEDEFAULT);
    const settings::Flags flags = settings::LoadFlags();
    EXPECT_EQ(flags.topMost, 0u);
    EXPECT_EQ(flags.interleave, 0u);
    LOGFONT lf{};
    CMainFrame::LoadFontSettings(settings::kFontSection, &lf);
    EXPECT_EQ(lf.lfHeight, 0);
    for (const char* section : {"Settings", "Settings\\WinPos", "Settings\\Font"}) {
        EXPECT_TRUE(KeyExists(section)) << section;
        EXPECT_EQ(ValueCount(section), 0u) << section;  // reading writes nothing
    }
}

TEST_F(Settings, AHeightOfZeroMeansNoFontAndNothingElseIsRead) {
    PutInt("Settings\\Font", "Height", 0);
    PutInt("Settings\\Font", "Weight", 700);
    PutString("Settings\\Font", "FaceName", "Courier");
    LOGFONT lf = Marked();
    CMainFrame::LoadFontSettings(settings::kFontSection, &lf);
    LOGFONT expected = Marked();
    expected.lfHeight = 0;
    EXPECT_EQ(std::memcmp(&lf, &expected, sizeof lf), 0);
}

TEST_F(Settings, FontRecordFieldsLoadAsStored) {
    struct Case {
        const char* what;
        DWORD height;
        bool writeRest;
        DWORD italic;
        const char* face;  // NULL: not stored
        LONG expectHeight;
        BYTE expectItalic;
        BYTE expectCharSet;
        const char* expectFace;
    };
    const std::string face40(40, 'F');
    const Case cases[] = {
        {"charset and face missing", 12, false, 0, nullptr, 12, 0, DEFAULT_CHARSET, "System"},
        {"negative height", static_cast<DWORD>(-13), true, 0, "Fixedsys", -13, 0, 0, "Fixedsys"},
        {"italic 0x101 keeps its low byte", 14, true, 0x101, "Courier", 14, 1, 0, "Courier"},
        {"a 40-character face is cut to 31", 15, true, 0, face40.c_str(), 15, 0, 0, "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
    };
    for (const Case& c : cases) {
        DeleteKey();
        PutInt("Settings\\Font", "Height", c.height);
        if (c.writeRest) {
            PutInt("Settings\\Font", "Weight", 400);
            PutInt("Settings\\Font", "Italic", c.italic);
            PutInt("Settings\\Font", "Underline", 0);
            PutInt("Settings\\Font", "PitchAndFamily", FIXED_PITCH | FF_MODERN);
            PutInt("Settings\\Font", "CharSet", 0);
        }
        if (c.face) PutString("Settings\\Font", "FaceName", c.face);
        LOGFONT lf{};
        CMainFrame::LoadFontSettings(settings::kFontSection, &lf);
        EXPECT_EQ(lf.lfHeight, c.expectHeight) << c.what;
        EXPECT_EQ(lf.lfItalic, c.expectItalic) << c.what;
        EXPECT_EQ(lf.lfCharSet, c.expectCharSet) << c.what;
        EXPECT_STREQ(lf.lfFaceName, c.expectFace) << c.what;
        EXPECT_EQ(lf.lfPitchAndFamily, c.writeRest ? (FIXED_PITCH | FF_MODERN) : 0) << c.what;
    }
}

TEST_F(Settings, AFaceNameOfAnotherTypeGivesTheDefault) {
    PutInt("Settings\\Font", "Height", 12);
    PutInt("Settings\\Font", "FaceName", 7);
    LOGFONT lf{};
    CMainFrame::LoadFontSettings(settings::kFontSection, &lf);
    EXPECT_STREQ(lf.lfFaceName, "System");
}

TEST_F(Settings, AFontRecordSavesAndLoadsBackItsSevenFields) {
    LOGFONT saved{};
    saved.lfHeight = -16;
    saved.lfWidth = 9;  // not stored
    saved.lfWeight = FW_BOLD;
    saved.lfItalic = 1;
    saved.lfUnderline = 1;
    saved.lfStrikeOut = 1;  // not stored
    saved.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    saved.lfCharSet = ANSI_CHARSET;
    std::strcpy(saved.lfFaceName, "Courier New");
    CMainFrame::SaveFontSettings(settings::kFontSection, &saved);
    EXPECT_EQ(ValueCount("Settings\\Font"), 7u);
    LOGFONT loaded{};
    CMainFrame::LoadFontSettings(settings::kFontSection, &loaded);
    LOGFONT expected = saved;
    expected.lfWidth = 0;
    expected.lfStrikeOut = 0;
    EXPECT_EQ(std::memcmp(&loaded, &expected, sizeof loaded), 0);

    // Saving no font writes the Height alone; the rest stays and is ignored.
    LOGFONT none{};
    CMainFrame::SaveFontSettings(settings::kFontSection, &none);
    EXPECT_EQ(fwtest::App().GetProfileInt("Settings\\Font", "Height", 99), 0u);
    EXPECT_EQ(fwtest::App().GetProfileString("Settings\\Font", "FaceName", ""), "Courier New");
}

TEST_F(Settings, RectangleAndFlagsRoundTripWithOddValuesKept) {
    const RECT rect{-100, -20, 540, 400};  // left of the screen: kept as stored
    settings::SaveWindowRect(rect);
    settings::SaveFlags({5, 1});
    CREATESTRUCT cs{};
    settings::LoadWindowRect(cs);
    EXPECT_EQ(cs.x, -100);
    EXPECT_EQ(cs.y, -20);
    EXPECT_EQ(cs.cx, 640);
    EXPECT_EQ(cs.cy, 420);
    const settings::Flags flags = settings::LoadFlags();
    EXPECT_EQ(flags.topMost, 5u);
    EXPECT_EQ(flags.interleave, 1u);
}

}  // namespace
