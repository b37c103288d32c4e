// The settings store: where the main window keeps its rectangle, its two
// flags and the pane font under the application's registry key, with the
// names, types and defaults it uses. Values are read and written through the
// application's profile functions at fixed moments only.
#pragma once

#include <windows.h>

namespace settings {

constexpr char kSection[] = "Settings";
constexpr char kTopMost[] = "TopMost";
constexpr char kInterleaveOutput[] = "InterleaveOutput";

constexpr char kWinPosSection[] = "Settings\\WinPos";
constexpr char kX[] = "x";
constexpr char kY[] = "y";
constexpr char kCx[] = "cx";
constexpr char kCy[] = "cy";

constexpr char kFontSection[] = "Settings\\Font";
constexpr char kHeight[] = "Height";
constexpr char kWeight[] = "Weight";
constexpr char kItalic[] = "Italic";
constexpr char kUnderline[] = "Underline";
constexpr char kPitchAndFamily[] = "PitchAndFamily";
constexpr char kCharSet[] = "CharSet";
constexpr char kFaceName[] = "FaceName";
constexpr BYTE kDefaultCharSet = DEFAULT_CHARSET;
constexpr char kDefaultFaceName[] = "System";

// The main window's rectangle; each missing value is CW_USEDEFAULT.
void LoadWindowRect(CREATESTRUCT& cs);
void SaveWindowRect(const RECT& rect);

struct Flags {
    DWORD topMost;     // any value but 0 is on; kept as stored until toggled
    DWORD interleave;
};
Flags LoadFlags();
void SaveFlags(const Flags& flags);

// The font record (seven fields of a LOGFONT) is read and written by the
// main frame's LoadFontSettings and SaveFontSettings, defined with these.

}  // namespace settings
