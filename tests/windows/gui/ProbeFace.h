#pragma once

#include <windows.h>

namespace corvane::probe {

// Grabs the Save button `button` from the screen and compares it, pixel by pixel, with the
// face the engine paints for its stored set in the same state (enabled, not hovered, not
// pressed, without the focus). The caption's rectangle is left aside, and so are the pixels
// outside the button's window shape. Prints what differs; 0 when nothing does.
int CompareSaveFace(HWND button);

}  // namespace corvane::probe
