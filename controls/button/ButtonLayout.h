#pragma once

#include "controls/draw/Rect.h"

namespace corvane {

// Where a button repaint puts its picture and its caption. Pure arithmetic on whole pixels;
// every "/ 2" truncates toward zero, so content larger than its area overhangs it on both
// sides.
struct ButtonLayout {
    Rect full;     // (0, 0, W-1, H-1)
    Rect inner;    // (4, 4, W-4, H-4): the content area
    Rect picture;  // g_PictureRect
    Rect text;     // g_TextRect
};

struct ButtonPaintState;

// The content area of a W x H button.
Rect InnerRect(int width, int height);

// Centres a measured caption (its rectangle as the measuring text call returned it) in the
// content area.
Rect CalcTextRect(const Rect& inner, const Rect& measured);

// The whole layout of the snapshot's size, picture, caption and picture position. `measured`
// is the caption measured into the content area (only its width and height count); the
// snapshot's previous layout supplies the rectangles a step leaves as they were (the caption
// of a picture-only button, the picture of an unknown position).
ButtonLayout CalcLayout(const ButtonPaintState& s, const Rect& measured);

}  // namespace corvane
