#pragma once

#include <windows.h>

namespace corvane::probe {

// Grabs the Save button `button` from the screen and compares it, pixel by pixel, with the
// face the engine paints for its stored set in the same state (enabled, not pressed, without
// the focus; the pointer over it when `hovered`). The caption's rectangle is left aside, and so are
// the pixels outside the button's window shape. Prints what differs; 0 when nothing does.
int CompareSaveFace(HWND button, bool hovered);

}  // namespace corvane::probe
