// The profile functions of CWinApp over the current user's registry.
#include "framework/app.h"

#include "framework/handles.h"

#include <vector>

void CWinApp::SetRegistryKey(const char* lpszRegistryKey) { m_strRegistryKey = lpszRegistryKey ? lpszRegistryKey : ""; }

HKEY CWinApp::OpenSectionKey(const char* lpszSection) {
    if (m_strRegistryKey.empty() || !lpszSection) return nullptr;
    const std::string path = "Software\\" + m_strRegistryKey + "\\" + m_strAppName + "\\" + lpszSection;
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return hKey;
}

UINT CWinApp::GetProfileInt(const char* lpszSection, const char* lpszEntry, int nDefault) {
    fw::UniqueRegKey key(OpenSectionKey(lpszSection));
    if (!key) return static_cast<UINT>(nDefault);
    // At most four bytes are taken, whatever the value's type; shorter data is
    // zero-extended. Longer data, or none, gives the default.
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegQueryValueExA(key.get(), lpszEntry, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS) {
        return static_cast<UINT>(nDefault);
    }
    return value;
}

std::string CWinApp::GetProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszDefault) {
    const std::string fallback = lpszDefault ? lpszDefault : "";
    fw::UniqueRegKey key(OpenSectionKey(lpszSection));
    if (!key) return fallback;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.get(), lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return fallback;
    }
    std::vector<char> data(size + 1, '\0');  // one more NUL: stored strings need not end with one
    if (::RegQueryValueExA(key.get(), lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS) {
        return fallback;
    }
    return std::string(data.data());
}

BOOL CWinApp::WriteProfileInt(const char* lpszSection, const char* lpszEntry, int nValue) {
    fw::UniqueRegKey key(OpenSectionKey(lpszSection));
    if (!key) return FALSE;
    const DWORD value = static_cast<DWORD>(nValue);
    return ::RegSetValueExA(key.get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof value) == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszValue) {
    fw::UniqueRegKey key(OpenSectionKey(lpszSection));
    if (!key) return FALSE;
    if (!lpszValue) return ::RegDeleteValueA(key.get(), lpszEntry) == ERROR_SUCCESS;
    return ::RegSetValueExA(key.get(), lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                            static_cast<DWORD>(strlen(lpszValue) + 1)) == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT) {
    // No list of recent files is kept, whatever the count asked for.
    m_nNumPreviewPages = GetProfileInt("Settings", "PreviewPages", 0);
}

int CWinApp::ExitInstance() {
    if (m_nNumPreviewPages != 0) WriteProfileInt("Settings", "PreviewPages", static_cast<int>(m_nNumPreviewPages));
    return CWinThread::ExitInstance();
}
