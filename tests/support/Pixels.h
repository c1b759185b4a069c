#pragma once

#include <QImage>

#include "controls/draw/Draw.h"

namespace corvane {

// The colour of a pixel as 0x00BBGGRR, the drawing layer's form; 0 outside the image.
inline ColourRef GetPixel(const QImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) {
        return 0;
    }
    const QRgb p = image.pixel(x, y);
    return static_cast<ColourRef>(qRed(p)) | (static_cast<ColourRef>(qGreen(p)) << 8) |
           (static_cast<ColourRef>(qBlue(p)) << 16);
}

}  // namespace corvane
