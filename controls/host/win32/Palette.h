#pragma once

#include "controls/host/SystemColours.h"

namespace corvane::win32 {

// The system colours of the running Windows session (GetSysColor), read anew on each call so
// that a change of scheme (WM_SYSCOLORCHANGE) shows on the next repaint.
SystemPalette WindowsSystemPalette();

}  // namespace corvane::win32
