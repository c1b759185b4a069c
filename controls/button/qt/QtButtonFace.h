#pragma once

#include <QImage>
#include <QRegion>

#include <vector>

#include "controls/button/ButtonPaintState.h"
#include "controls/button/ButtonPainter.h"
#include "controls/draw/Rect.h"
#include "controls/host/Picture.h"

namespace corvane {

// The Qt side of the button's face: the QImage it is painted on, the pictures it reads and the
// window shape, in Qt's types.

// Rebuilds the face into `surface`, which is reallocated (RGB32) when its size in device
// pixels or its device-pixel ratio differs from the snapshot's; otherwise its pixels are
// painted in place, and the text renderer draws on the same QImage.
RefreshResult RefreshFace(QImage& surface, const ButtonPaintState& s);

// A view of `image` with straight alpha, as the engine reads pictures: the image's own pixels
// when it is RGB32 or ARGB32, else a converted copy kept in `keep`.
ConstImageView StraightView(const QImage& image, QImage& keep);

// A shape given as rectangles, as a QRegion.
QRegion RegionOf(const std::vector<Rect>& rects);

}  // namespace corvane
