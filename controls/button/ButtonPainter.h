#pragma once

#include <cstdint>

#include "controls/button/ButtonLayout.h"
#include "controls/button/ButtonPaintState.h"
#include "controls/draw/DrawText.h"
#include "controls/draw/Image.h"
#include "controls/draw/TextRenderer.h"
#include "controls/host/SystemColours.h"

namespace corvane {

struct RefreshResult {
    ButtonLayout layout;
    std::uint32_t surfaceBackColor = SysColour::ButtonFace;
};

// The caption's text-drawing parameters: one average character of margin on each side.
inline constexpr DrawTextParams kCaptionTextParams{1, 1, 1};

// The size in device pixels of the surface a snapshot is painted on: W x H at a device-pixel
// ratio of 1, ceil(W * ratio) x ceil(H * ratio) above it.
struct SurfaceSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const SurfaceSize&, const SurfaceSize&) = default;
};
SurfaceSize FaceSurfaceSize(const ButtonPaintState& s);

// Rebuilds the whole face into `surface`, which the caller sized by FaceSurfaceSize and gave
// the snapshot's device-pixel ratio: clear, background, border, layout, picture, focus
// rectangle, caption (through `text`). The surface stays the caller's: a shell's own image
// (a QImage, a DIB section) seen without a copy.
//
// At a device-pixel ratio of 1 the surface is W x H. Above it everything but the caption is
// drawn at logical resolution and each logical pixel becomes a block of device pixels
// (nearest neighbour, so a one-pixel line or bevel stays one logical pixel and crisp); the
// caption is then drawn over it at device resolution, so its glyphs are sharp.
RefreshResult RefreshFace(ImageView surface, TextRenderer& text, const ButtonPaintState& s);

// Nearest-neighbour enlargement of all of `logical` (w x h) onto all of `device` (dw x dh):
// pixel (x, y) of the result takes the colour of pixel (x * w / dw, y * h / dh), truncated.
// At a whole ratio every pixel becomes an exact ratio x ratio block.
void EnlargeNearest(ConstImageView logical, ImageView device);

}  // namespace corvane
