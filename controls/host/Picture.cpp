#include "controls/host/Picture.h"

#include <cmath>

namespace corvane {

Picture Picture::empty() {
    return Picture(std::make_shared<PictureData>());
}

Picture Picture::fromImage(PictureKind kind, Image image, double dpiX, double dpiY) {
    auto d = std::make_shared<PictureData>();
    d->kind = kind;
    d->himetricWidth = pixelsToHimetric(image.width(), dpiX);
    d->himetricHeight = pixelsToHimetric(image.height(), dpiY);
    d->image = std::move(image);
    return Picture(std::move(d));
}

Picture Picture::bitmap(const Image& image, double dpiX, double dpiY) {
    Image opaque = image;
    const ImageView v = opaque.view();
    for (int y = 0; y < v.height; ++y) {
        Pixel* row = v.row(y);
        for (int x = 0; x < v.width; ++x) {
            row[x] |= 0xFF000000u;
        }
    }
    return fromImage(PictureKind::Bitmap, std::move(opaque), dpiX, dpiY);
}

Picture Picture::icon(const Image& image, double dpiX, double dpiY) {
    return fromImage(PictureKind::Icon, image, dpiX, dpiY);
}

Picture Picture::metafile(int himetricWidth, int himetricHeight) {
    auto d = std::make_shared<PictureData>();
    d->kind = PictureKind::Metafile;
    d->himetricWidth = himetricWidth;
    d->himetricHeight = himetricHeight;
    return Picture(std::move(d));
}

const Image& Picture::image() const {
    static const Image kNull;
    return m_data ? m_data->image : kNull;
}

int Picture::pixelsToHimetric(int pixels, double dpi) {
    return static_cast<int>(std::lround(pixels * 2540.0 / dpi));
}

int Picture::himetricToPixels(int himetric, double twipsPerPixel) {
    // 2540 HIMETRIC = 1440 twips; std::nearbyint rounds half to even in the default mode.
    const double twips = static_cast<double>(himetric) * 1440.0 / 2540.0;
    return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

}  // namespace corvane
