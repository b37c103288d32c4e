#include "frame/settings.h"

#include "frame/main_frame.h"

#include "framework/app.h"

#include <string>

namespace settings {

namespace {
CWinApp& App() { return *AfxGetApp(); }
int ReadInt(const char* section, const char* name, int nDefault) {
    return static_cast<int>(App().GetProfileInt(section, name, nDefault));
}
}  // namespace

void LoadWindowRect(CREATESTRUCT& cs) {
    cs.x = ReadInt(kWinPosSection, kX, CW_USEDEFAULT);
    cs.y = ReadInt(kWinPosSection, kY, CW_USEDEFAULT);
    cs.cx = ReadInt(kWinPosSection, kCx, CW_USEDEFAULT);
    cs.cy = ReadInt(kWinPosSection, kCy, CW_USEDEFAULT);
}

void SaveWindowRect(const RECT& rect) {
    App().WriteProfileInt(kWinPosSection, kX, rect.left);
    App().WriteProfileInt(kWinPosSection, kY, rect.top);
    App().WriteProfileInt(kWinPosSection, kCx, rect.right - rect.left);
    App().WriteProfileInt(kWinPosSection, kCy, rect.bottom - rect.top);
}

Flags LoadFlags() {
    Flags flags;
    flags.topMost = App().GetProfileInt(kSection, kTopMost, 0);
    flags.interleave = App().GetProfileInt(kSection, kInterleaveOutput, 0);
    return flags;
}

void SaveFlags(const Flags& flags) {
    App().WriteProfileInt(kSection, kTopMost, static_cast<int>(flags.topMost));
    App().WriteProfileInt(kSection, kInterleaveOutput, static_cast<int>(flags.interleave));
}

}  // namespace settings

using namespace settings;

// A Height of 0 means that no font is stored: the other values are then
// neither read nor written.
void CMainFrame::LoadFontSettings(const char* section, LOGFONT* font) {
    font->lfHeight = ReadInt(section, kHeight, 0);
    if (font->lfHeight == 0) return;
    font->lfWeight = ReadInt(section, kWeight, 0);
    font->lfItalic = static_cast<BYTE>(App().GetProfileInt(section, kItalic, 0));
    font->lfUnderline = static_cast<BYTE>(App().GetProfileInt(section, kUnderline, 0));
    font->lfPitchAndFamily = static_cast<BYTE>(App().GetProfileInt(section, kPitchAndFamily, 0));
    font->lfCharSet = static_cast<BYTE>(App().GetProfileInt(section, kCharSet, kDefaultCharSet));
    const std::string face = App().GetProfileString(section, kFaceName, kDefaultFaceName);
    const size_t n = face.copy(font->lfFaceName, LF_FACESIZE - 1);
    font->lfFaceName[n] = '\0';
}

void CMainFrame::SaveFontSettings(const char* section, const LOGFONT* font) {
    App().WriteProfileInt(section, kHeight, font->lfHeight);
    if (font->lfHeight == 0) return;
    App().WriteProfileInt(section, kWeight, font->lfWeight);
    App().WriteProfileInt(section, kItalic, font->lfItalic);
    App().WriteProfileInt(section, kUnderline, font->lfUnderline);
    App().WriteProfileInt(section, kPitchAndFamily, font->lfPitchAndFamily);
    App().WriteProfileInt(section, kCharSet, font->lfCharSet);
    // The face name up to its NUL, never past the field.
    const std::string face(font->lfFaceName, strnlen(font->lfFaceName, LF_FACESIZE));
    App().WriteProfileString(section, kFaceName, face.c_str());
}
