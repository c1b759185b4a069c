#pragma once

#include <cstdint>
#include <vector>

#include "controls/button/ButtonPaintState.h"
#include "controls/draw/Image.h"
#include "controls/draw/Rect.h"

namespace corvane {

inline constexpr std::uint32_t kXPFocusRing = 0x00E6AA8C;  // RGB(140, 170, 230)
inline constexpr std::uint32_t kXPHoverRing = 0x004799E1;  // RGB(225, 153, 71)

// The gradient's shade for row step i: -step * i to the nearest whole number, halves to
// even. `step` is single precision (25 / H normal, 15 / H pressed); the product is taken in
// double precision, as the original arithmetic promoted it.
int XPShade(float step, int i);

// The face DrawXPBorder paints. Its numbers are the ones the look was written with; any other
// value paints only the base fill.
enum class XPState { Normal = 0, Pressed = 2 };

// Paints the whole XP face of the snapshot's size, colours, focus and enabled state; `hover`
// adds the hover ring (normal state only). A disabled face ignores both.
void DrawXPBorder(ImageView surface, const ButtonPaintState& s, XPState state, bool hover);

// The XP window shape: the W x H rectangle less three pixels at each corner, as the rectangles
// of its rows from top to bottom (rows of the same span joined), none of them empty. A shell
// makes its window shape of them (a QRegion, a Windows region for SetWindowRgn).
std::vector<Rect> XPRegion(int width, int height);

}  // namespace corvane
