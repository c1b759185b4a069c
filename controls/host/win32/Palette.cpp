#include "controls/host/win32/Palette.h"

#include <windows.h>

namespace corvane::win32 {

SystemPalette WindowsSystemPalette() {
    SystemPalette palette;
    for (int i = 0; i < SystemPalette::kCount; ++i) {
        // COLORREF is 0x00BBGGRR, the engine's colour value.
        palette.colours[static_cast<std::size_t>(i)] = GetSysColor(i);
    }
    palette.undefined = GetSysColor(COLOR_BTNFACE);
    return palette;
}

}  // namespace corvane::win32
