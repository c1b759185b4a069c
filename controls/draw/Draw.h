#pragma once

#include <cstdint>

#include "controls/draw/Image.h"
#include "controls/draw/Rect.h"

namespace corvane {

// The drawing layer: free functions over a 32-bit image (Image.h) that follow the pixel rules of
// the classic Windows GDI calls the controls were designed for.
//
//  - Coordinates are pixels of the image, origin top-left. Rectangles are half-open (see
//    Rect): right and bottom are exclusive.
//  - Colours are COLORREF-style values 0x00BBGGRR, already resolved (no system colours; the
//    top byte is ignored). Pixels are written opaque.
//  - FillRect paints every pixel of the rectangle.
//  - FrameRect paints the one-pixel inside border: columns left and right-1, rows top and
//    bottom-1. An empty rectangle paints nothing.
//  - DrawLine paints from (x1, y1) towards (x2, y2) and leaves the end point out, so a line
//    of length zero paints nothing and two joined lines never paint their joint twice.
//    Slanted lines are Bresenham lines stepped along the major axis from the start point;
//    the minor coordinate of each pixel is the exact line's value rounded to nearest, with
//    an exact half going back toward the start point's side. A line and its reverse may
//    therefore differ where the exact line passes through a half.
//  - DrawFocusRect inverts (XOR 0xFFFFFF) every other pixel of the inside border: the
//    pixels whose x + y is even, a checkerboard fixed to the image's origin. The top and
//    bottom rows span the full width and the side columns the rows between, as four
//    separate inversions, so drawing the same rectangle twice restores the image.
//  - StretchInto is StretchBlt's COLORONCOLOR: nearest-neighbour, no blending. Destination
//    pixel x of dw takes source pixel ((2x + 1) * sw) / (2 * dw), the source pixel under its
//    centre; shrinking 32 to 16 therefore keeps the odd rows and columns.
//  - BlitTransparent leaves out exactly the pixels equal to its key colour (red, green and
//    blue compared, alpha ignored); the destination keeps its own pixels there.
//  - Everything clips to the image: pixels outside it are skipped, nothing else changes.
//  - The blits read their source's red, green and blue and write them opaque (alpha 0xFF).
//
// Coordinates are those of the image's pixels; its device-pixel ratio is for text only.
using ColourRef = std::uint32_t;

void FillRect(ImageView image, const Rect& rect, ColourRef colour);
void FrameRect(ImageView image, const Rect& rect, ColourRef colour);
void DrawLine(ImageView image, int x1, int y1, int x2, int y2, ColourRef colour);
void SetPixel(ImageView image, int x, int y, ColourRef colour);
void DrawFocusRect(ImageView image, const Rect& rect);

// Stretches all of src onto the area `to` of dest.
void StretchInto(ImageView dest, const Rect& to, ConstImageView src);
// Copies the block `source` of src to dest at `at`, leaving out the pixels whose colour is
// `key`. The block's width and height are 16-bit signed, as the platform's were.
void BlitTransparent(ImageView dest, ConstImageView src, const Rect& source, Point at,
                     ColourRef key);

// The image's own rectangle (0, 0, width, height).
inline Rect ImageRect(ConstImageView image) {
    return {0, 0, image.width, image.height};
}

// The pixel a colour is written as: 0xFFRRGGBB.
constexpr Pixel PixelOf(ColourRef c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
// The colour of a pixel, 0x00BBGGRR; alpha is dropped.
constexpr ColourRef ColourOf(Pixel p) {
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

}  // namespace corvane
