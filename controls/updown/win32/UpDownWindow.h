#pragma once

#include <windows.h>

#include <string>

#include "controls/host/FontValue.h"
#include "controls/host/PropertyBag.h"

namespace corvane::win32 {

// Registers the class "ucUpDownBox" once and creates one (an EDIT and a vertical SCROLLBAR
// inside a frame, laid out by the engine's layoutUpDown) as a child of `parent` at `place`
// (client pixels of the parent), loaded from `bag`, with the container's font as ambient font.
// Its Change reaches the parent as WM_COMMAND(MAKEWPARAM(id, kUpDownChange), hwnd); the
// handler may destroy the box. `name` is what a screen reader announces for its field (e.g.
// "Exhibition transparency"). Returns null when the window could not be made, or when a
// Change raised while loading destroyed it.
inline constexpr WORD kUpDownChange = 0x0300;  // = EN_CHANGE
HWND CreateUpDownBox(HWND parent, int id, const RECT& place, const PropertyBag& bag,
                     const FontValue& ambientFont, std::wstring name);

// The last accepted number (0 for a window that is no up-down box).
int UpDownValue(HWND box);
// As the Value property's setter: the field shows `value` clamped to Min, then to Max, and the
// text rule runs, which may raise Change.
void SetUpDownValue(HWND box, int value);

}  // namespace corvane::win32
