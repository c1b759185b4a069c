#pragma once

#include <QImage>
#include <QSize>

#include "controls/button/ButtonLayout.h"
#include "controls/button/ButtonPaintState.h"
#include "controls/draw/DrawText.h"
#include "controls/host/SystemColours.h"

namespace corvane {

struct RefreshResult {
    ButtonLayout layout;
    quint32 surfaceBackColor = SysColour::ButtonFace;
};

// The caption's text-drawing parameters: one average character of margin on each side.
inline constexpr DrawTextParams kCaptionTextParams{1, 1, 1};

// Rebuilds the whole face into `surface` (reallocated as an RGB32 image when its size
// differs): clear, background, border, layout, picture, focus rectangle, caption.
//
// At a device-pixel ratio of 1 the surface is W x H. Above it the surface has W x H logical
// pixels at that ratio (ceil(W * ratio) x ceil(H * ratio) device pixels): everything but the
// caption is drawn at logical resolution and each logical pixel becomes a block of device
// pixels (nearest neighbour, so a one-pixel line or bevel stays one logical pixel and crisp);
// the caption is then drawn over it at device resolution, so its glyphs are sharp.
RefreshResult RefreshFace(QImage& surface, const ButtonPaintState& s);

// Nearest-neighbour enlargement of a w x h image to dw x dh pixels: pixel (x, y) of the result
// takes the colour of pixel (x * w / dw, y * h / dh), truncated. At a whole ratio every pixel
// becomes an exact ratio x ratio block.
QImage EnlargeNearest(const QImage& logical, QSize device);

}  // namespace corvane
