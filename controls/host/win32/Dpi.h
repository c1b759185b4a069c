#pragma once

// Dots per inch and twips: the window's layout is given in twips (1/1440 inch), converted at
// the DPI of the monitor the window is on.

#include <windows.h>

namespace corvane::win32 {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultDpi = USER_DEFAULT_SCREEN_DPI;

// The DPI the window is drawn at (its monitor's, for a per-monitor aware program).
int DpiOf(HWND hwnd);

// Rounded to the nearest pixel, as 7455 twips make 497 pixels at 96 DPI.
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>((scaled + kTwipsPerInch / 2) / kTwipsPerInch);
}

}  // namespace corvane::win32
