#include "controls/draw/Draw.h"

#include <algorithm>
#include <cstdlib>

namespace corvane {

namespace {

// Paints the clipped horizontal run [x0, x1) of row y.
void span(const ImageView& image, int x0, int x1, int y, Pixel rgb) {
    if (y < 0 || y >= image.height) {
        return;
    }
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image.width);
    if (x0 >= x1) {
        return;
    }
    // Eight pixels a step: g++ -O2 leaves a plain fill loop one store per pixel, but turns a
    // fixed eight into two vector stores. A button face is mostly such runs.
    Pixel* p = image.row(y) + x0;
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
}

// Paints the clipped vertical run [y0, y1) of column x.
void column(const ImageView& image, int x, int y0, int y1, Pixel rgb) {
    if (x < 0 || x >= image.width) {
        return;
    }
    y0 = std::max(y0, 0);
    y1 = std::min(y1, image.height);
    if (y0 >= y1) {
        return;
    }
    Pixel* p = image.row(y0) + x;
    for (int y = y0; y < y1; ++y, p += image.stride) {
        *p = rgb;
    }
}

inline void put(const ImageView& image, int x, int y, Pixel rgb) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) {
        return;
    }
    image.row(y)[x] = rgb;
}

// Inverts the pixels of the clipped block whose x + y is even.
void invertChecker(const ImageView& image, const Rect& r) {
    const Rect c = r.intersected(ImageRect(image));
    for (int y = c.top; y < c.bottom; ++y) {
        Pixel* p = image.row(y);
        for (int x = c.left + ((c.left + y) & 1); x < c.right; x += 2) {
            p[x] ^= 0x00FFFFFFu;
        }
    }
}

}  // namespace

void FillRect(ImageView image, const Rect& rect, ColourRef colour) {
    const Rect c = rect.intersected(ImageRect(image));
    const Pixel rgb = PixelOf(colour);
    for (int y = c.top; y < c.bottom; ++y) {
        span(image, c.left, c.right, y, rgb);
    }
}

void FrameRect(ImageView image, const Rect& rect, ColourRef colour) {
    if (rect.isEmpty()) {
        return;
    }
    const Pixel rgb = PixelOf(colour);
    span(image, rect.left, rect.right, rect.top, rgb);
    if (rect.bottom - 1 != rect.top) {
        span(image, rect.left, rect.right, rect.bottom - 1, rgb);
    }
    column(image, rect.left, rect.top + 1, rect.bottom - 1, rgb);
    if (rect.right - 1 != rect.left) {
        column(image, rect.right - 1, rect.top + 1, rect.bottom - 1, rgb);
    }
}

void DrawLine(ImageView image, int x1, int y1, int x2, int y2, ColourRef colour) {
    const Pixel rgb = PixelOf(colour);
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
    const long long limit = xMajor ? image.width : image.height;
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
        if (b < 0 || b >= (xMajor ? image.height : image.width)) {
            continue;
        }
        if (xMajor) {
            put(image, static_cast<int>(a), static_cast<int>(b), rgb);
        } else {
            put(image, static_cast<int>(b), static_cast<int>(a), rgb);
        }
    }
}

void SetPixel(ImageView image, int x, int y, ColourRef colour) {
    put(image, x, y, PixelOf(colour));
}

void DrawFocusRect(ImageView image, const Rect& r) {
    if (r.isEmpty()) {
        return;
    }
    invertChecker(image, {r.left, r.top, r.right, r.top + 1});
    invertChecker(image, {r.left, r.bottom - 1, r.right, r.bottom});
    invertChecker(image, {r.left, r.top + 1, r.left + 1, r.bottom - 1});
    invertChecker(image, {r.right - 1, r.top + 1, r.right, r.bottom - 1});
}

void StretchInto(ImageView dest, const Rect& to, ConstImageView src) {
    const int dw = to.width();
    const int dh = to.height();
    const int sw = src.width;
    const int sh = src.height;
    if (dw <= 0 || dh <= 0 || src.isNull() || dest.isNull()) {
        return;
    }
    const int x0 = std::max(0, -to.left);
    const int x1 = std::min(dw, dest.width - to.left);
    const int y1 = std::min(dh, dest.height - to.top);
    for (int y = std::max(0, -to.top); y < y1; ++y) {
        const int sy = static_cast<int>((2LL * y + 1) * sh / (2LL * dh));
        const Pixel* in = src.row(sy);
        Pixel* out = dest.row(to.top + y);
        for (int x = x0; x < x1; ++x) {
            out[to.left + x] = in[(2LL * x + 1) * sw / (2LL * dw)] | 0xFF000000u;
        }
    }
}

void BlitTransparent(ImageView dest, ConstImageView src, const Rect& source, Point at,
                     ColourRef key) {
    const int w = static_cast<std::int16_t>(source.right - source.left);
    const int h = static_cast<std::int16_t>(source.bottom - source.top);
    if (w <= 0 || h <= 0 || src.isNull() || dest.isNull()) {
        return;
    }
    const Pixel keyRgb = PixelOf(key) & 0xFFFFFFu;
    // The block, clipped to the source and to the destination.
    const int x0 = std::max({0, -source.left, -at.x});
    const int x1 = std::min({w, src.width - source.left, dest.width - at.x});
    const int y0 = std::max({0, -source.top, -at.y});
    const int y1 = std::min({h, src.height - source.top, dest.height - at.y});
    for (int y = y0; y < y1; ++y) {
        const Pixel* in = src.row(source.top + y);
        Pixel* out = dest.row(at.y + y);
        for (int x = x0; x < x1; ++x) {
            const Pixel px = in[source.left + x];
            if ((px & 0xFFFFFFu) != keyRgb) {
                out[at.x + x] = px | 0xFF000000u;
            }
        }
    }
}

}  // namespace corvane
