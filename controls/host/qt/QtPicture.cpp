#include "controls/host/qt/QtPicture.h"

#include <QBuffer>

#include <cstring>

namespace corvane {

Image ImageOf(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Image out(argb.width(), argb.height());
    const ImageView v = out.view();
    for (int y = 0; y < v.height; ++y) {
        std::memcpy(v.row(y), argb.constScanLine(y),
                    static_cast<std::size_t>(v.width) * sizeof(Pixel));
    }
    return out;
}

QImage QImageOf(const Picture& picture) {
    const Image& img = picture.image();
    if (img.width() <= 0 || img.height() <= 0) {
        return {};
    }
    const ConstImageView v = img.view();
    return QImage(
        reinterpret_cast<const uchar*>(v.bits), v.width, v.height,
        static_cast<qsizetype>(v.stride * static_cast<std::ptrdiff_t>(sizeof(Pixel))),
        picture.kind() == PictureKind::Bitmap ? QImage::Format_RGB32 : QImage::Format_ARGB32);
}

std::string QtPictureCodec::encodePng(const Image& image, bool opaque) const {
    const ConstImageView v = image.view();
    const QImage q(reinterpret_cast<const uchar*>(v.bits), v.width, v.height,
                   static_cast<qsizetype>(v.stride * static_cast<std::ptrdiff_t>(sizeof(Pixel))),
                   opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    q.save(&buf, "PNG");
    return png.toStdString();
}

std::optional<Image> QtPictureCodec::decodePng(std::string_view bytes) const {
    QImage img;
    if (!img.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                          static_cast<int>(bytes.size()), "PNG")) {
        return std::nullopt;
    }
    return ImageOf(img);
}

const PictureCodec& QtPictures() {
    static const QtPictureCodec kCodec;
    return kCodec;
}

}  // namespace corvane
