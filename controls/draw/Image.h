#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvane {

// One pixel, 0xAARRGGBB: in memory B, G, R, A on a little-endian machine, the layout of a
// QImage in Format_RGB32 or ARGB32 and of a top-down 32-bit DIB section, so either can share
// its pixels with the drawing layer without a copy.
using Pixel = std::uint32_t;

// A point in pixels.
struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

// Pixels someone else owns, seen without copying: rows top-down, `stride` pixels from the
// start of one row to the start of the next. The ratio is the device pixels per logical
// pixel of the surface (text is laid out in logical pixels and drawn at device resolution).
// `surface` is the shell's own object for these pixels, if it has one (the QImage on Qt), for
// the shell's text renderer to draw through; the engine only passes it on.
struct ImageView {
    Pixel* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
    double devicePixelRatio = 1.0;
    void* surface = nullptr;

    bool isNull() const { return bits == nullptr || width <= 0 || height <= 0; }
    Pixel* row(int y) const { return bits + y * stride; }
};

// The read-only counterpart, for the source of a blit.
struct ConstImageView {
    const Pixel* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;

    ConstImageView() = default;
    ConstImageView(const Pixel* b, int w, int h, std::ptrdiff_t s)
        : bits(b), width(w), height(h), stride(s) {}
    ConstImageView(const ImageView& v)  // NOLINT: a writable view reads as well
        : bits(v.bits), width(v.width), height(v.height), stride(v.stride) {}

    bool isNull() const { return bits == nullptr || width <= 0 || height <= 0; }
    const Pixel* row(int y) const { return bits + y * stride; }
};

// An image that owns its pixels, rows packed (stride == width).
class Image {
public:
    Image() = default;
    Image(int w, int h, Pixel fill = 0xFF000000u)
        : m_width(w > 0 ? w : 0),
          m_height(h > 0 ? h : 0),
          m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), fill) {}

    int width() const { return m_width; }
    int height() const { return m_height; }
    Pixel pixel(int x, int y) const {
        return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                        static_cast<std::size_t>(x)];
    }
    ImageView view() { return {m_pixels.data(), m_width, m_height, m_width}; }
    ConstImageView view() const { return {m_pixels.data(), m_width, m_height, m_width}; }
    operator ImageView() { return view(); }             // NOLINT: an image is drawn on directly
    operator ConstImageView() const { return view(); }  // NOLINT
    friend bool operator==(const Image&, const Image&) = default;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<Pixel> m_pixels;
};

}  // namespace corvane
