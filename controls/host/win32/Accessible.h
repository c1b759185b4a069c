#pragma once

// What a screen reader is told of a window: the standard accessible object Windows makes for
// it, with the name (and, for our own window classes, the role) the window should announce.
// The window's procedure answers WM_GETOBJECT through this.

#include <windows.h>

#include <string>

namespace corvane::win32 {

// Answers WM_GETOBJECT for the client object of `hwnd` with its standard accessible object,
// named `name`, and with `role` (a ROLE_SYSTEM_* value) when it is not 0. Any other object id
// goes to DefWindowProcW.
LRESULT AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, std::wstring name, long role);

}  // namespace corvane::win32
