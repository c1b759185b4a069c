#include "controls/button/qt/QtButtonFace.h"

#include "controls/draw/qt/QtText.h"

namespace corvane {

RefreshResult RefreshFace(QImage& surface, const ButtonPaintState& s) {
    const SurfaceSize size = FaceSurfaceSize(s);
    const qreal ratio = s.devicePixelRatio > 1.0 ? s.devicePixelRatio : 1.0;
    if (surface.width() != size.width || surface.height() != size.height ||
        surface.format() != QImage::Format_RGB32 || surface.devicePixelRatio() != ratio) {
        surface = QImage(size.width, size.height, QImage::Format_RGB32);
        surface.setDevicePixelRatio(ratio);
    }
    return RefreshFace(ViewOf(surface), QtText(), s);
}

ConstImageView StraightView(const QImage& image, QImage& keep) {
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32) {
        return ViewOf(image);
    }
    if (image.isNull()) {
        return {};
    }
    keep = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                         : QImage::Format_RGB32);
    return ViewOf(std::as_const(keep));
}

QRegion RegionOf(const std::vector<Rect>& rects) {
    QRegion r;
    for (const Rect& rect : rects) {
        r += QRegion(rect.left, rect.top, rect.width(), rect.height());
    }
    return r;
}

}  // namespace corvane
