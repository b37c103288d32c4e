// Resources of the bar tests besides the program's own: broken toolbars.
#pragma once
#define IDR_BAD_VERSION 300
#define IDR_BAD_SHORT_IDS 301
#define IDR_BAD_SHORT_HEADER 302
#define IDR_BAD_NO_BITMAP 303
#define IDR_BAD_NARROW_BITMAP 304
#define IDR_BAD_CUT_BITMAP 305
#define IDR_BAD_ZERO_SIZE 306
#define IDR_BAD_DEEP_BITMAP 307
