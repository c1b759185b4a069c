#include "controls/host/win32/Dpi.h"

namespace corvane::win32 {

int DpiOf(HWND hwnd) {
    const UINT dpi = hwnd ? GetDpiForWindow(hwnd) : 0;
    return dpi ? static_cast<int>(dpi) : kDefaultDpi;
}

}  // namespace corvane::win32
