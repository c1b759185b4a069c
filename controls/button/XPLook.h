#pragma once

#include <QImage>
#include <QPalette>
#include <QRegion>

#include "controls/host/SystemColours.h"

namespace corvane {

// What the XP face (ButtonStyle 3) reads of the button.
struct XPLookState {
    int width = 0;  // g_ClientW, g_ClientH
    int height = 0;
    quint32 backColor = SysColour::ButtonFace;
    bool xpDefaultColors = true;
    quint32 xpColorPressed =
        SysColour::ButtonHighlight;  // the focus ring when the default colours are off
    quint32 xpColorHover = SysColour::Light3D;
    bool hasFocus = false;
    bool enabled = true;
    QPalette palette;
};

inline constexpr quint32 kXPFocusRing = 0x00E6AA8C;  // RGB(140, 170, 230)
inline constexpr quint32 kXPHoverRing = 0x004799E1;  // RGB(225, 153, 71)

// The gradient's shade for row step i: -step * i to the nearest whole number, halves to
// even. `step` is single precision (25 / H normal, 15 / H pressed); the product is taken in
// double precision, as the original arithmetic promoted it.
int XPShade(float step, int i);

// The face DrawXPBorder paints. Its numbers are the ones the look was written with; any other
// value paints only the base fill.
enum class XPState { Normal = 0, Pressed = 2 };

// Paints the whole XP face; `hover` adds the hover ring (normal state only). A disabled face
// ignores both.
void DrawXPBorder(QImage& surface, const XPLookState& s, XPState state, bool hover);

// The XP window shape: the W x H rectangle less three pixels at each corner.
QRegion XPRegion(int width, int height);

}  // namespace corvane
