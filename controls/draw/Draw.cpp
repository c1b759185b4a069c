#include "controls/draw/Draw.h"

#include <algorithm>
#include <cstdlib>

namespace corvane {

namespace {

inline QRgb toRgb(ColourRef c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

inline bool fast(const QImage& image) {
    return image.depth() == 32;
}

// Paints the clipped horizontal run [x0, x1) of row y.
void span(QImage& image, int x0, int x1, int y, QRgb rgb) {
    if (y < 0 || y >= image.height()) {
        return;
    }
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image.width());
    if (x0 >= x1) {
        return;
    }
    if (fast(image)) {
        // Eight pixels a step: g++ -O2 leaves a plain fill loop one store per pixel, but
        // turns a fixed eight into two vector stores. A button face is mostly such runs.
        QRgb* p = reinterpret_cast<QRgb*>(image.scanLine(y)) + x0;
        const int n = x1 - x0;
        int i = 0;
        for (; i + 8 <= n; i += 8) {
            for (int k = 0; k < 8; ++k) {
                p[i + k] = rgb;
            }
        }
        for (; i < n; ++i) {
            p[i] = rgb;
        }
    } else {
        for (int x = x0; x < x1; ++x) {
            image.setPixel(x, y, rgb);
        }
    }
}

// Paints the clipped vertical run [y0, y1) of column x.
void column(QImage& image, int x, int y0, int y1, QRgb rgb) {
    if (x < 0 || x >= image.width()) {
        return;
    }
    y0 = std::max(y0, 0);
    y1 = std::min(y1, image.height());
    if (y0 >= y1) {
        return;
    }
    if (fast(image)) {
        const qsizetype stride = image.bytesPerLine() / 4;
        auto* p = reinterpret_cast<QRgb*>(image.scanLine(y0)) + x;
        for (int y = y0; y < y1; ++y, p += stride) {
            *p = rgb;
        }
    } else {
        for (int y = y0; y < y1; ++y) {
            image.setPixel(x, y, rgb);
        }
    }
}

inline void put(QImage& image, int x, int y, QRgb rgb) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) {
        return;
    }
    if (fast(image)) {
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = rgb;
    } else {
        image.setPixel(x, y, rgb);
    }
}

// Inverts the pixels of the clipped block whose x + y is even.
void invertChecker(QImage& image, const Rect& r) {
    const Rect c = r.intersected(ImageRect(image));
    for (int y = c.top; y < c.bottom; ++y) {
        for (int x = c.left + ((c.left + y) & 1); x < c.right; x += 2) {
            if (fast(image)) {
                reinterpret_cast<QRgb*>(image.scanLine(y))[x] ^= 0x00FFFFFFu;
            } else {
                image.setPixel(x, y, image.pixel(x, y) ^ 0x00FFFFFFu);
            }
        }
    }
}

}  // namespace

void FillRect(QImage& image, const Rect& rect, ColourRef colour) {
    const Rect c = rect.intersected(ImageRect(image));
    const QRgb rgb = toRgb(colour);
    for (int y = c.top; y < c.bottom; ++y) {
        span(image, c.left, c.right, y, rgb);
    }
}

void FrameRect(QImage& image, const Rect& rect, ColourRef colour) {
    if (rect.isEmpty()) {
        return;
    }
    const QRgb rgb = toRgb(colour);
    span(image, rect.left, rect.right, rect.top, rgb);
    if (rect.bottom - 1 != rect.top) {
        span(image, rect.left, rect.right, rect.bottom - 1, rgb);
    }
    column(image, rect.left, rect.top + 1, rect.bottom - 1, rgb);
    if (rect.right - 1 != rect.left) {
        column(image, rect.right - 1, rect.top + 1, rect.bottom - 1, rgb);
    }
}

void DrawLine(QImage& image, int x1, int y1, int x2, int y2, ColourRef colour) {
    const QRgb rgb = toRgb(colour);
    if (y1 == y2) {
        // Horizontal: the run from x1 toward x2, x2 excluded.
        if (x2 > x1) {
            span(image, x1, x2, y1, rgb);
        } else if (x2 < x1) {
            span(image, x2 + 1, x1 + 1, y1, rgb);
        }
        return;
    }
    if (x1 == x2) {
        if (y2 > y1) {
            column(image, x1, y1, y2, rgb);
        } else {
            column(image, x1, y2 + 1, y1 + 1, rgb);
        }
        return;
    }
    const long long dx = static_cast<long long>(x2) - x1;
    const long long dy = static_cast<long long>(y2) - y1;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const long long minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int sMajor = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int sMinor = (xMajor ? dy : dx) > 0 ? 1 : -1;
    const long long start = xMajor ? x1 : y1;
    const long long limit = xMajor ? image.width() : image.height();
    // Only the steps whose major coordinate lies inside the image can paint anything.
    long long kFirst = 0;
    long long kEnd = major;  // exclusive: the end point is left out
    if (sMajor > 0) {
        kFirst = std::max(kFirst, -start);
        kEnd = std::min(kEnd, limit - start);
    } else {
        kFirst = std::max(kFirst, start - (limit - 1));
        kEnd = std::min(kEnd, start + 1);
    }
    for (long long k = kFirst; k < kEnd; ++k) {
        // Nearest minor offset, an exact half rounding back toward the start.
        const long long off = (2 * k * minor + major - 1) / (2 * major);
        const long long a = start + sMajor * k;
        const long long b = (xMajor ? y1 : x1) + sMinor * off;
        if (b < 0 || b >= (xMajor ? image.height() : image.width())) {
            continue;
        }
        if (xMajor) {
            put(image, static_cast<int>(a), static_cast<int>(b), rgb);
        } else {
            put(image, static_cast<int>(b), static_cast<int>(a), rgb);
        }
    }
}

void SetPixel(QImage& image, int x, int y, ColourRef colour) {
    put(image, x, y, toRgb(colour));
}

void DrawFocusRect(QImage& image, const Rect& r) {
    if (r.isEmpty()) {
        return;
    }
    invertChecker(image, {r.left, r.top, r.right, r.top + 1});
    invertChecker(image, {r.left, r.bottom - 1, r.right, r.bottom});
    invertChecker(image, {r.left, r.top + 1, r.left + 1, r.bottom - 1});
    invertChecker(image, {r.right - 1, r.top + 1, r.right, r.bottom - 1});
}

void StretchInto(QImage& dest, const Rect& to, const QImage& src) {
    const int dw = to.width();
    const int dh = to.height();
    const int sw = src.width();
    const int sh = src.height();
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) {
        return;
    }
    const QImage s = src.convertToFormat(QImage::Format_RGB32);
    const int x0 = qMax(0, -to.left);
    const int x1 = qMin(dw, dest.width() - to.left);
    for (int y = qMax(0, -to.top); y < qMin(dh, dest.height() - to.top); ++y) {
        const int sy = static_cast<int>((2LL * y + 1) * sh / (2LL * dh));
        const QRgb* in = reinterpret_cast<const QRgb*>(s.constScanLine(sy));
        QRgb* out = reinterpret_cast<QRgb*>(dest.scanLine(to.top + y));
        for (int x = x0; x < x1; ++x) {
            out[to.left + x] = in[(2LL * x + 1) * sw / (2LL * dw)] | 0xFF000000u;
        }
    }
}

void BlitTransparent(QImage& dest, const QImage& src, const Rect& source, QPoint at,
                     ColourRef key) {
    const int w = static_cast<qint16>(source.right - source.left);
    const int h = static_cast<qint16>(source.bottom - source.top);
    if (w <= 0 || h <= 0 || src.isNull()) {
        return;
    }
    const QImage s = src.convertToFormat(QImage::Format_RGB32);
    const QRgb keyRgb = toRgb(key) & 0xFFFFFFu;
    // The block, clipped to the source and to the destination.
    const int x0 = std::max({0, -source.left, -at.x()});
    const int x1 = std::min({w, s.width() - source.left, dest.width() - at.x()});
    const int y0 = std::max({0, -source.top, -at.y()});
    const int y1 = std::min({h, s.height() - source.top, dest.height() - at.y()});
    for (int y = y0; y < y1; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(s.constScanLine(source.top + y));
        QRgb* out = reinterpret_cast<QRgb*>(dest.scanLine(at.y() + y));
        for (int x = x0; x < x1; ++x) {
            const QRgb px = in[source.left + x];
            if ((px & 0xFFFFFFu) != keyRgb) {
                out[at.x() + x] = px | 0xFF000000u;
            }
        }
    }
}

}  // namespace corvane
