#pragma once

#include "controls/draw/Draw.h"
#include "controls/draw/Rect.h"

namespace corvane {

// What the host gives the layout: the control's outer size in twips, its inner (client)
// size in pixels, and the sizes of what goes inside.
struct UpDownLayoutInput {
    int outerWidthTwips = 0;
    int outerHeightTwips = 0;
    int innerWidth = 0;   // W, pixels
    int innerHeight = 0;  // H, pixels
    int barWidth = 0;     // B, pixels
    int lineHeight = 0;   // T, the font's height of an empty text, pixels
    double twipsPerPixelX = 15.0;
    double twipsPerPixelY = 15.0;
};

// The outer size the control sets itself to, and where its two parts go inside it.
struct UpDownLayout {
    int outerWidthTwips = 0;
    int outerHeightTwips = 0;
    int innerWidth = 0;
    int innerHeight = 0;
    Rect field;  // txtValue, inner pixels; its bottom row lies outside the inner area
    Rect bar;    // ucBar, inner pixels
};

// The box is never narrower than its two arrows' widths, and its height always fits one
// line of its font plus 4 pixels. The parts are placed for the size the box ends up with,
// so laying out that size again changes nothing.
UpDownLayout layoutUpDown(const UpDownLayoutInput& in);

// The box's own pixels, on an image of its outer size: with a single-line border, a frame of
// `colour` along the image's edge (the rest is left as it is, for the parts to cover).
void PaintUpDownFrame(ImageView image, ColourRef colour);

}  // namespace corvane
