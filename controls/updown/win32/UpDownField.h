#pragma once

#include <windows.h>

namespace corvane::win32 {

// Makes the EDIT `field` the field of the up-down box `box`. Only what can make a number gets
// in, by any road: every key press passes the engine's key filter (Up and Down step the box,
// Enter and Escape are left to its container, clipboard shortcuts are swallowed), the context
// menu's Paste inserts the clipboard's text only when it is a number's characters, and an input
// method's result only when it is. The whole text is selected whenever the field gets the focus,
// a click included. A screen reader hears the box's name with the edit role.
void InstallUpDownField(HWND field, HWND box);
// Cuts the field off from its box (before the box goes while the field is still in use).
void RemoveUpDownField(HWND field);

}  // namespace corvane::win32
