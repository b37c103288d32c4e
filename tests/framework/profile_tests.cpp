// The profile functions against the test prefix's real registry.
#include "framework/app.h"
#include "framework/handles.h"
#include "tests/support/test_app.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char kCompany[] = "KestrumProfileTests";

class Profile : public testing::Test {
protected:
    void SetUp() override {
        DeleteCompanyKey();
        fwtest::App().SetRegistryKey(kCompany);
    }
    void TearDown() override {
        fwtest::App().SetRegistryKey(nullptr);
        DeleteCompanyKey();
    }
    static void DeleteCompanyKey() { ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kCompany).c_str()); }

    static std::string SectionPath(const char* section) {
        return std::string("Software\\") + kCompany + "\\KestrumTest\\" + section;
    }
    static bool KeyExists(const char* section) {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
            return false;
        }
        ::RegCloseKey(hKey);
        return true;
    }
    static void SetRaw(const char* section, const char* name, DWORD type, const void* data, DWORD size) {
        HKEY hKey = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0, KEY_WRITE,
                                    nullptr, &hKey, nullptr),
                  ERROR_SUCCESS);
        fw::UniqueRegKey key(hKey);
        ASSERT_EQ(::RegSetValueExA(hKey, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
    static DWORD TypeOf(const char* section, const char* name) {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
            return REG_NONE;
        }
        fw::UniqueRegKey key(hKey);
        DWORD type = REG_NONE;
        return ::RegQueryValueExA(hKey, name, nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS ? type : REG_NONE;
    }
};

TEST_F(Profile, ReadingAMissingValueGivesTheDefaultAndCreatesTheKeys) {
    EXPECT_FALSE(KeyExists("Settings"));
    EXPECT_EQ(fwtest::App().GetProfileInt("Settings\\WinPos", "x", static_cast<int>(CW_USEDEFAULT)),
              static_cast<UINT>(CW_USEDEFAULT));
    EXPECT_EQ(fwtest::App().GetProfileString("Settings\\Font", "FaceName", "System"), "System");
    EXPECT_EQ(fwtest::App().GetProfileString("Settings\\Font", "FaceName"), "");
    EXPECT_TRUE(KeyExists("Settings"));
    EXPECT_TRUE(KeyExists("Settings\\WinPos"));
    EXPECT_TRUE(KeyExists("Settings\\Font"));
}

TEST_F(Profile, WrittenValuesReadBackWithTheirTypesInNestedSections) {
    EXPECT_TRUE(fwtest::App().WriteProfileInt("Settings\\WinPos", "x", -1234));
    EXPECT_TRUE(fwtest::App().WriteProfileInt("Settings", "TopMost", 5));
    EXPECT_TRUE(fwtest::App().WriteProfileString("Settings\\Font", "FaceName", "Courier New"));
    EXPECT_EQ(static_cast<int>(fwtest::App().GetProfileInt("Settings\\WinPos", "x", 0)), -1234);
    EXPECT_EQ(fwtest::App().GetProfileInt("Settings", "TopMost", 0), 5u);
    EXPECT_EQ(fwtest::App().GetProfileString("Settings\\Font", "FaceName", "System"), "Courier New");
    EXPECT_EQ(TypeOf("Settings\\WinPos", "x"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(TypeOf("Settings\\Font", "FaceName"), static_cast<DWORD>(REG_SZ));
    // A second write replaces the first.
    fwtest::App().WriteProfileInt("Settings", "TopMost", 1);
    EXPECT_EQ(fwtest::App().GetProfileInt("Settings", "TopMost", 0), 1u);
}

TEST_F(Profile, IntegersOfOtherTypesAndSizes) {
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;
        UINT expected;
    };
    const Case cases[] = {
        {"dword", REG_DWORD, std::string("\x01\x01\x00\x00", 4), 0x101u},
        {"eight bytes", REG_QWORD, std::string("\x01\x00\x00\x00\x00\x00\x00\x00", 8), 77u},  // too long: default
        {"five byte binary", REG_BINARY, std::string("\x01\x02\x03\x04\x05", 5), 77u},
        {"two byte binary", REG_BINARY, std::string("\x34\x12", 2), 0x1234u},  // zero-extended
        {"short string", REG_SZ, std::string("7\0", 2), 0x37u},                  // bytes, whatever the type
        {"empty", REG_BINARY, std::string(), 0u},
    };
    for (const Case& c : cases) {
        SetRaw("Settings", c.name, c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size()));
        EXPECT_EQ(fwtest::App().GetProfileInt("Settings", c.name, 77), c.expected) << c.name;
    }
}

TEST_F(Profile, StringsOfOtherTypesGiveTheDefault) {
    const DWORD number = 5;
    SetRaw("Settings\\Font", "FaceName", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(fwtest::App().GetProfileString("Settings\\Font", "FaceName", "System"), "System");
    // A stored string without its NUL is still read whole.
    SetRaw("Settings\\Font", "FaceName", REG_SZ, "Fixedsys", 8);
    EXPECT_EQ(fwtest::App().GetProfileString("Settings\\Font", "FaceName", "System"), "Fixedsys");
}

TEST_F(Profile, WithoutACompanyKeyNothingIsStored) {
    fwtest::App().SetRegistryKey(nullptr);
    EXPECT_FALSE(fwtest::App().WriteProfileInt("Settings", "TopMost", 1));
    EXPECT_EQ(fwtest::App().GetProfileInt("Settings", "TopMost", 9), 9u);
    fwtest::App().SetRegistryKey(kCompany);
    EXPECT_FALSE(KeyExists("Settings"));
}

TEST_F(Profile, PreviewPagesIsReadAtStartAndWrittenAtExitOnlyWhenNotZero) {
    fwtest::App().LoadStdProfileSettings(0);
    EXPECT_EQ(fwtest::App().m_nNumPreviewPages, 0u);
    fwtest::App().ExitInstance();
    EXPECT_EQ(TypeOf("Settings", "PreviewPages"), static_cast<DWORD>(REG_NONE));

    fwtest::App().m_nNumPreviewPages = 2;
    fwtest::App().ExitInstance();
    fwtest::App().m_nNumPreviewPages = 0;
    fwtest::App().LoadStdProfileSettings(0);
    EXPECT_EQ(fwtest::App().m_nNumPreviewPages, 2u);
    fwtest::App().m_nNumPreviewPages = 0;
}

}  // namespace
