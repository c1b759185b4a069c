#pragma once

#include <memory>

#include "controls/draw/Image.h"

namespace corvane {

// The kinds a picture object can hold. Only bitmaps and icons are drawn by the controls.
enum class PictureKind { Empty = 0, Bitmap = 1, Metafile = 2, Icon = 3 };

struct PictureData {
    PictureKind kind = PictureKind::Empty;
    // 0xAARRGGBB, not premultiplied: icons keep their own transparency, bitmaps are opaque.
    Image image;
    int himetricWidth = 0;  // hundredths of a millimetre
    int himetricHeight = 0;
};

// A picture value. A null Picture is "no picture at all"; a Picture holding a PictureData of
// kind Empty is an empty picture object. The two are different values: a control can hold an
// empty picture where it holds no picture.
class Picture {
public:
    Picture() = default;  // none
    static Picture none() { return {}; }
    static Picture empty();
    // A bitmap is opaque: its pixels' alpha becomes 0xFF.
    static Picture bitmap(const Image& image, double dpiX = 96.0, double dpiY = 96.0);
    static Picture icon(const Image& image, double dpiX = 96.0, double dpiY = 96.0);
    static Picture metafile(int himetricWidth, int himetricHeight);

    bool isNone() const { return !m_data; }
    PictureKind kind() const { return m_data ? m_data->kind : PictureKind::Empty; }
    const Image& image() const;
    int himetricWidth() const { return m_data ? m_data->himetricWidth : 0; }
    int himetricHeight() const { return m_data ? m_data->himetricHeight : 0; }

    // Identity: two Pictures are equal when they are the same object (or both none), as
    // two object references are.
    friend bool operator==(const Picture& a, const Picture& b) { return a.m_data == b.m_data; }

    // HIMETRIC <-> pixels at a given dots-per-inch (2540 HIMETRIC per inch).
    static int pixelsToHimetric(int pixels, double dpi);
    // The natural size in pixels: HIMETRIC taken as a whole number, the pixel result rounded
    // half to even.
    static int himetricToPixels(int himetric, double twipsPerPixel);

private:
    static Picture fromImage(PictureKind kind, Image image, double dpiX, double dpiY);
    explicit Picture(std::shared_ptr<const PictureData> d) : m_data(std::move(d)) {}
    std::shared_ptr<const PictureData> m_data;
};

}  // namespace corvane
