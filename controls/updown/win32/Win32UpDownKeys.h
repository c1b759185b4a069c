#pragma once

#include <windows.h>

#include "controls/updown/UpDownKeys.h"

namespace corvane::win32 {

// The modifier keys held when a key message was generated (GetKeyState), apart so that the
// translation below can be driven with any state.
struct KeyModifiers {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
};
KeyModifiers CurrentKeyModifiers();

// A WM_KEYDOWN of virtual key `vk` as the up-down box's key filter sees it: it types nothing
// (the WM_CHAR that follows brings the text), but it may be one of the platform's clipboard,
// undo or select-all shortcuts.
UpDownKeyPress UpDownKeyOfKeyDown(WPARAM vk, KeyModifiers mods);

// A WM_CHAR of `unit`: what the press types. A control character typed with Ctrl down is a
// key that Ctrl turned into one (a letter, or one of @[\]^_).
UpDownKeyPress UpDownKeyOfChar(wchar_t unit, KeyModifiers mods);

}  // namespace corvane::win32
