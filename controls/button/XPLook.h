#pragma once

#include <QImage>
#include <QRegion>

#include "controls/button/ButtonPaintState.h"

namespace corvane {

inline constexpr quint32 kXPFocusRing = 0x00E6AA8C;  // RGB(140, 170, 230)
inline constexpr quint32 kXPHoverRing = 0x004799E1;  // RGB(225, 153, 71)

// The gradient's shade for row step i: -step * i to the nearest whole number, halves to
// even. `step` is single precision (25 / H normal, 15 / H pressed); the product is taken in
// double precision, as the original arithmetic promoted it.
int XPShade(float step, int i);

// The face DrawXPBorder paints. Its numbers are the ones the look was written with; any other
// value paints only the base fill.
enum class XPState { Normal = 0, Pressed = 2 };

// Paints the whole XP face of the snapshot's size, colours, focus and enabled state; `hover`
// adds the hover ring (normal state only). A disabled face ignores both.
void DrawXPBorder(QImage& surface, const ButtonPaintState& s, XPState state, bool hover);

// The XP window shape: the W x H rectangle less three pixels at each corner.
QRegion XPRegion(int width, int height);

}  // namespace corvane
