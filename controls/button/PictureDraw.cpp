#include "controls/button/PictureDraw.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "controls/draw/Draw.h"
#include "controls/draw/qt/QtText.h"
#include "controls/host/qt/QtPicture.h"
#include "controls/host/qt/QtSystemColours.h"

namespace corvane {

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

QRgb opaqueFromOle(quint32 ole) {
    return 0xFF000000u | (ole & 0xFFu) << 16 | (ole & 0xFF00u) | (ole >> 16 & 0xFFu);
}

bool sameColour(QRgb a, QRgb b) {
    return (a & 0xFFFFFFu) == (b & 0xFFFFFFu);
}

// A scratch image compatible with the face, black as a fresh GDI bitmap.
QImage scratch(int w, int h) {
    if (w <= 0 || h <= 0) {
        return {};
    }
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kBlack);
    return img;
}

// Copies src into dest from the top-left corners, clipped to both.
void copyTopLeft(QImage& dest, const QImage& src) {
    const QImage s = src.convertToFormat(QImage::Format_RGB32);
    const int w = qMin(dest.width(), s.width());
    const int h = qMin(dest.height(), s.height());
    for (int y = 0; y < h; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(s.constScanLine(y));
        QRgb* out = reinterpret_cast<QRgb*>(dest.scanLine(y));
        for (int x = 0; x < w; ++x) {
            out[x] = in[x] | 0xFF000000u;
        }
    }
}

// `src` (non-premultiplied) over an opaque `dst`.
QRgb blend(QRgb src, QRgb dst) {
    const int a = qAlpha(src);
    if (a == 255) {
        return src;
    }
    const auto mix = [a](int s, int d) { return (s * a + d * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(src), qRed(dst)), mix(qGreen(src), qGreen(dst)),
                mix(qBlue(src), qBlue(dst)));
}

void ensureWritable(QImage& surface) {
    switch (surface.format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
            return;
        default:
            surface.convertTo(QImage::Format_RGB32);
    }
}

// The pixels the state drawing treats as ink: everything but white, a transparent pixel
// counting as white.
bool isInk(QRgb px) {
    if (qAlpha(px) == 255) {
        return (px & 0xFFFFFFu) != 0xFFFFFFu;
    }
    return !sameColour(blend(px, kWhite), kWhite);
}

// Draws the ink of `img` at `at`: as one colour (silhouette), or embossed: a highlight copy
// one pixel down and right under a shadow copy.
void drawState(QImage& dest, const QImage& img, QPoint at, bool mono, const QPalette& palette) {
    const QRgb grey = opaqueFromOle(kSilhouetteGrey);
    const QRgb light = OleToQt(TranslateColor(SysColour::ButtonHighlight, palette)).rgb();
    const QRgb dark = OleToQt(TranslateColor(SysColour::ButtonShadow, palette)).rgb();
    const QImage src =
        img.format() == QImage::Format_RGB32 ? img : img.convertToFormat(QImage::Format_ARGB32);
    const int passes = mono ? 1 : 2;
    for (int pass = 0; pass < passes; ++pass) {
        const int shift = (!mono && pass == 0) ? 1 : 0;
        const QRgb ink = mono ? grey : (pass == 0 ? light : dark);
        const int left = at.x() + shift;
        const int top = at.y() + shift;
        const int x0 = qMax(0, -left);
        const int x1 = qMin(src.width(), dest.width() - left);
        for (int y = qMax(0, -top); y < qMin(src.height(), dest.height() - top); ++y) {
            const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
            QRgb* out = reinterpret_cast<QRgb*>(dest.scanLine(top + y));
            for (int x = x0; x < x1; ++x) {
                if (isInk(in[x])) {
                    out[left + x] = ink | 0xFF000000u;
                }
            }
        }
    }
}

// One drawing of the bitmap picture at pictureWidth x pictureHeight from rect's top-left
// (rect's right and bottom are not used). normal: the picture with its mask colour left out.
// Otherwise the mask colour becomes white, and the picture is drawn embossed in the system
// highlight and shadow colours (disabled) or, with `shadow`, as a grey silhouette; white is
// background in both.
void drawBitmapPicture(QImage& surface, const ButtonPaintState& state, bool normal,
                       const Rect& rect, bool shadow) {
    ensureWritable(surface);
    const QImage bitmap = QImageOf(state.currentPicture);
    const int nw = state.originalPicWidth;
    const int nh = state.originalPicHeight;
    const int pw = state.pictureWidth;
    const int ph = state.pictureHeight;
    QImage a = scratch(nw, nh);
    QImage b = scratch(pw, ph);
    if (a.isNull() || b.isNull() || bitmap.isNull()) {
        return;
    }
    // A system colour as the mask resolves like every other colour of the button.
    const quint32 key = TranslateColor(state.maskColor, state.palette);
    if (normal) {
        copyTopLeft(a, bitmap);
        StretchInto(ViewOf(b), {0, 0, pw, ph}, ViewOf(std::as_const(a)));
        BlitTransparent(ViewOf(surface), ViewOf(std::as_const(b)), {0, 0, pw, ph},
                        {rect.left, rect.top}, key);
        return;
    }
    a.fill(kWhite);
    const QImage bits = bitmap.convertToFormat(QImage::Format_RGB32);
    BlitTransparent(ViewOf(a), ViewOf(bits), {0, 0, nw, nh}, {0, 0}, key);
    StretchInto(ViewOf(b), {0, 0, pw, ph}, ViewOf(std::as_const(a)));
    drawState(surface, b, {rect.left, rect.top}, shadow, state.palette);
}

// The same for an icon. normal: scaled into rect keeping its own alpha. Otherwise rendered at
// its natural size (embossed or silhouette, white and transparent parts as background),
// stretched into rect's size and drawn with black left out.
void drawIconPicture(QImage& surface, const ButtonPaintState& state, bool normal, const Rect& rect,
                     bool shadow) {
    ensureWritable(surface);
    const QImage icon = QImageOf(state.currentPicture).convertToFormat(QImage::Format_ARGB32);
    const int nw = state.originalPicWidth;
    const int nh = state.originalPicHeight;
    if (icon.isNull() || nw <= 0 || nh <= 0) {
        return;
    }
    if (normal) {
        // The natural-size area of the icon scaled into rect, blended by its own alpha.
        const int dw = rect.width();
        const int dh = rect.height();
        const int x0 = qMax(0, -rect.left);
        const int x1 = qMin(dw, surface.width() - rect.left);
        for (int y = qMax(0, -rect.top); y < qMin(dh, surface.height() - rect.top); ++y) {
            const int sy = static_cast<int>((2LL * y + 1) * nh / (2LL * dh));
            if (sy >= icon.height()) {
                continue;
            }
            const QRgb* in = reinterpret_cast<const QRgb*>(icon.constScanLine(sy));
            QRgb* out = reinterpret_cast<QRgb*>(surface.scanLine(rect.top + y));
            for (int x = x0; x < x1; ++x) {
                const int sx = static_cast<int>((2LL * x + 1) * nw / (2LL * dw));
                if (sx < icon.width()) {
                    QRgb& d = out[rect.left + x];
                    d = blend(in[sx], d | 0xFF000000u);
                }
            }
        }
        return;
    }
    QImage a = scratch(nw, nh);
    QImage b = scratch(state.pictureWidth, state.pictureHeight);
    if (b.isNull()) {
        return;
    }
    drawState(a, icon, {0, 0}, shadow, state.palette);
    StretchInto(ViewOf(b), {0, 0, rect.width(), rect.height()}, ViewOf(std::as_const(a)));
    BlitTransparent(ViewOf(surface), ViewOf(std::as_const(b)),
                    {0, 0, state.pictureWidth, state.pictureHeight}, {rect.left, rect.top}, 0);
}

}  // namespace

void DrawPicture(QImage& surface, const ButtonPaintState& state, const Rect& pictureRect) {
    if (state.currentPicture.isNone()) {
        return;
    }
    const PictureKind kind = state.currentPicture.kind();
    if (kind != PictureKind::Bitmap && kind != PictureKind::Icon) {
        return;
    }
    const bool hoverRise =
        state.flags.MouseOver && !state.flags.Pressed && state.buttonStyle == FaceStyle::Highlight;
    int offset = 0;
    if (hoverRise) {
        offset = -3;
    } else if (state.flags.Pressed && state.buttonStyle != FaceStyle::Highlight) {
        offset = 1;
    }
    const Rect saved = pictureRect;
    const Rect rect = saved.offset(offset);
    const auto draw = kind == PictureKind::Bitmap ? drawBitmapPicture : drawIconPicture;
    if (!state.enabled) {
        draw(surface, state, false, rect, false);
        return;
    }
    if (hoverRise) {
        draw(surface, state, false, saved, true);
    }
    draw(surface, state, true, rect, false);
}

void CopyParentBackground(QImage& surface, const QImage* containerPicture, QPoint position) {
    if (!containerPicture || containerPicture->isNull()) {
        return;
    }
    ensureWritable(surface);
    const QImage pic = containerPicture->convertToFormat(
        containerPicture->hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int x0 = qMax(0, -position.x());
    const int x1 = qMin(surface.width(), pic.width() - position.x());
    const int y0 = qMax(0, -position.y());
    const int y1 = qMin(surface.height(), pic.height() - position.y());
    if (x1 <= x0) {
        return;
    }
    for (int y = y0; y < y1; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(pic.constScanLine(position.y() + y));
        QRgb* out = reinterpret_cast<QRgb*>(surface.scanLine(y));
        if (pic.format() == QImage::Format_RGB32) {
            std::copy(in + position.x() + x0, in + position.x() + x1, out + x0);
            continue;
        }
        for (int x = x0; x < x1; ++x) {
            out[x] = blend(in[position.x() + x], out[x] | 0xFF000000u) | 0xFF000000u;
        }
    }
}

}  // namespace corvane
