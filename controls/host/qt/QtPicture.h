#pragma once

#include <QImage>

#include "controls/host/PropertyBag.h"

namespace corvane {

// A QImage's pixels copied into an engine image, unpremultiplied 0xAARRGGBB.
Image ImageOf(const QImage& image);
// A picture's pixels as a QImage (RGB32 for a bitmap, ARGB32 otherwise), shared, not copied:
// valid while the picture lives. Null for a picture without pixels.
QImage QImageOf(const Picture& picture);

// PNG through QImage, for the property set's text form.
class QtPictureCodec final : public PictureCodec {
public:
    std::string encodePng(const Image& image, bool opaque) const override;
    std::optional<Image> decodePng(std::string_view bytes) const override;
};

// The codec the Qt shell passes to PropertyBag's text form.
const PictureCodec& QtPictures();

}  // namespace corvane
