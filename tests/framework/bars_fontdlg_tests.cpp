// The font dialog under Wine, answered from a timer while it runs: it starts
// at the caller's font and lists what the flags ask for; OK writes the chosen
// font back to the caller, Cancel leaves the caller's font alone.
#include "framework/fontdlg.h"
#include "tests/framework/bars_fixture.h"

#include <dlgs.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace barstest {
namespace {

// What the dialog showed when the timer found it.
struct Seen {
    bool found = false;
    HWND hOwner = nullptr;
    std::string face;
    std::vector<std::string> faces;
    bool bEffects = false;
    int nPickedSize = 0;  // in points
};

std::function<void(HWND)>* s_pAnswer = nullptr;

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam) {
    char name[16] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    if (std::strcmp(name, "#32770") != 0 || !::IsWindowVisible(hWnd)) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR nIDEvent, DWORD) {
    HWND hDialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&hDialog));
    if (!hDialog || !s_pAnswer) return;  // not up yet
    ::KillTimer(nullptr, nIDEvent);
    (*s_pAnswer)(hDialog);
}

// Runs the dialog; once it is up, notes what it shows, picks the last size
// of its list when asked (bPickSize) and presses nButton.
INT_PTR RunDialog(CFontDialog& dialog, bool bPickSize, int nButton, Seen* pSeen) {
    std::function<void(HWND)> answer = [&](HWND hDialog) {
        pSeen->found = true;
        pSeen->hOwner = ::GetWindow(hDialog, GW_OWNER);
        char text[LF_FACESIZE] = {};
        ::GetDlgItemTextA(hDialog, cmb1, text, sizeof text);
        pSeen->face = text;
        const LRESULT nFaces = ::SendDlgItemMessageA(hDialog, cmb1, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < nFaces; ++i) {
            ::SendDlgItemMessageA(hDialog, cmb1, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            pSeen->faces.emplace_back(text);
        }
        pSeen->bEffects = ::IsWindowVisible(::GetDlgItem(hDialog, chx2)) != FALSE;  // Underline
        if (bPickSize) {
            const LRESULT nSizes = ::SendDlgItemMessageA(hDialog, cmb3, CB_GETCOUNT, 0, 0);
            ::SendDlgItemMessageA(hDialog, cmb3, CB_SETCURSEL, static_cast<WPARAM>(nSizes - 1), 0);
            ::SendDlgItemMessageA(hDialog, cmb3, CB_GETLBTEXT, static_cast<WPARAM>(nSizes - 1),
                                  reinterpret_cast<LPARAM>(text));
            pSeen->nPickedSize = std::atoi(text);
            ::SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(cmb3, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(::GetDlgItem(hDialog, cmb3)));
        }
        ::PostMessageA(hDialog, WM_COMMAND, static_cast<WPARAM>(nButton),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hDialog, nButton)));
    };
    s_pAnswer = &answer;
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, OnTimer);
    const INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, nTimer);
    s_pAnswer = nullptr;
    return result;
}

constexpr DWORD kPaneFontFlags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FIXEDPITCHONLY;

LOGFONTA Courier(int nHeight) {
    LOGFONTA lf{};
    lf.lfHeight = nHeight;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::strcpy(lf.lfFaceName, "Courier");
    return lf;
}

bool Contains(const std::vector<std::string>& list, const char* item) {
    for (const std::string& s : list) {
        if (s == item) return true;
    }
    return false;
}

TEST_F(BarsTest, TheFontDialogStartsAtTheCallersFontAndOkWritesTheChosenFontBack) {
    LOGFONTA lf = Courier(-40);  // a size the dialog does not list
    CFontDialog dialog(&lf, kPaneFontFlags);
    Seen seen;
    EXPECT_EQ(RunDialog(dialog, true, IDOK, &seen), IDOK);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.hOwner, frame->m_hWnd);  // no parent given: the main window
    EXPECT_EQ(seen.face, "Courier");
    // Fixed-pitch screen fonts only, and no effects without CF_EFFECTS.
    EXPECT_TRUE(Contains(seen.faces, "Courier"));
    EXPECT_FALSE(Contains(seen.faces, "Tahoma"));
    EXPECT_FALSE(Contains(seen.faces, "MS Sans Serif"));
    EXPECT_FALSE(seen.bEffects);

    HDC hDC = ::GetDC(nullptr);
    const int nPixelsPerInch = ::GetDeviceCaps(hDC, LOGPIXELSY);
    ::ReleaseDC(nullptr, hDC);
    ASSERT_GT(seen.nPickedSize, 0);
    EXPECT_EQ(lf.lfHeight, -::MulDiv(seen.nPickedSize, nPixelsPerInch, 72));
    EXPECT_NE(lf.lfHeight, -40);
    EXPECT_STREQ(lf.lfFaceName, "Courier");
    EXPECT_EQ(std::memcmp(&lf, &dialog.m_lf, sizeof lf), 0);
}

TEST_F(BarsTest, CancellingTheFontDialogLeavesTheCallersFontAlone) {
    LOGFONTA lf = Courier(-13);
    const LOGFONTA before = lf;
    CFontDialog dialog(&lf, kPaneFontFlags);
    Seen seen;
    EXPECT_EQ(RunDialog(dialog, true, IDCANCEL, &seen), IDCANCEL);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(std::memcmp(&lf, &before, sizeof lf), 0);
}

TEST_F(BarsTest, TheFontDialogsDefaultsOfferEffectsAndNeedNoFontFromTheCaller) {
    CFontDialog dialog;
    Seen seen;
    EXPECT_EQ(RunDialog(dialog, false, IDOK, &seen), IDOK);
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.bEffects);
    EXPECT_TRUE(Contains(seen.faces, "Tahoma"));
    EXPECT_STREQ(dialog.m_lf.lfFaceName, seen.face.c_str());
}

}  // namespace
}  // namespace barstest
