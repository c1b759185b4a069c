#include "controls/button/PictureDraw.h"

#include <algorithm>

#include "controls/draw/Draw.h"
#include "controls/host/SystemColours.h"

namespace corvane {

namespace {

constexpr Pixel kBlack = 0xFF000000u;
constexpr Pixel kWhite = 0xFFFFFFFFu;
constexpr Pixel kOpaque = 0xFF000000u;

int alphaOf(Pixel p) {
    return static_cast<int>(p >> 24);
}
int redOf(Pixel p) {
    return static_cast<int>((p >> 16) & 0xFFu);
}
int greenOf(Pixel p) {
    return static_cast<int>((p >> 8) & 0xFFu);
}
int blueOf(Pixel p) {
    return static_cast<int>(p & 0xFFu);
}

bool sameColour(Pixel a, Pixel b) {
    return (a & 0xFFFFFFu) == (b & 0xFFFFFFu);
}

// A scratch image, black as a fresh GDI bitmap (empty when either side is not positive).
Image scratch(int w, int h) {
    return Image(w, h, kBlack);
}

// Copies src into dest from the top-left corners, clipped to both.
void copyTopLeft(ImageView dest, ConstImageView src) {
    const int w = std::min(dest.width, src.width);
    const int h = std::min(dest.height, src.height);
    for (int y = 0; y < h; ++y) {
        const Pixel* in = src.row(y);
        Pixel* out = dest.row(y);
        for (int x = 0; x < w; ++x) {
            out[x] = in[x] | kOpaque;
        }
    }
}

// `src` (straight alpha) over an opaque `dst`.
Pixel blend(Pixel src, Pixel dst) {
    const int a = alphaOf(src);
    if (a == 255) {
        return src;
    }
    const auto mix = [a](int s, int d) {
        return static_cast<Pixel>((s * a + d * (255 - a) + 127) / 255);
    };
    return kOpaque | mix(redOf(src), redOf(dst)) << 16 | mix(greenOf(src), greenOf(dst)) << 8 |
           mix(blueOf(src), blueOf(dst));
}

// The pixels the state drawing treats as ink: everything but white, a transparent pixel
// counting as white.
bool isInk(Pixel px) {
    if (alphaOf(px) == 255) {
        return (px & 0xFFFFFFu) != 0xFFFFFFu;
    }
    return !sameColour(blend(px, kWhite), kWhite);
}

// Draws the ink of `img` at `at`: as one colour (silhouette), or embossed: a highlight copy
// one pixel down and right under a shadow copy.
void drawState(ImageView dest, ConstImageView src, Point at, bool mono,
               const SystemPalette& palette) {
    const Pixel grey = PixelOf(kSilhouetteGrey);
    const Pixel light = PixelOf(TranslateColor(SysColour::ButtonHighlight, palette));
    const Pixel dark = PixelOf(TranslateColor(SysColour::ButtonShadow, palette));
    const int passes = mono ? 1 : 2;
    for (int pass = 0; pass < passes; ++pass) {
        const int shift = (!mono && pass == 0) ? 1 : 0;
        const Pixel ink = mono ? grey : (pass == 0 ? light : dark);
        const int left = at.x + shift;
        const int top = at.y + shift;
        const int x0 = std::max(0, -left);
        const int x1 = std::min(src.width, dest.width - left);
        for (int y = std::max(0, -top); y < std::min(src.height, dest.height - top); ++y) {
            const Pixel* in = src.row(y);
            Pixel* out = dest.row(top + y);
            for (int x = x0; x < x1; ++x) {
                if (isInk(in[x])) {
                    out[left + x] = ink;
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
void drawBitmapPicture(ImageView surface, const ButtonPaintState& state, bool normal,
                       const Rect& rect, bool shadow) {
    const ConstImageView bitmap = state.picture;
    const int nw = state.originalPicWidth;
    const int nh = state.originalPicHeight;
    const int pw = state.pictureWidth;
    const int ph = state.pictureHeight;
    Image a = scratch(nw, nh);
    Image b = scratch(pw, ph);
    if (a.view().isNull() || b.view().isNull() || bitmap.isNull()) {
        return;
    }
    // A system colour as the mask resolves like every other colour of the button.
    const ColourRef key = TranslateColor(state.maskColor, state.palette);
    if (normal) {
        copyTopLeft(a, bitmap);
        StretchInto(b, {0, 0, pw, ph}, std::as_const(a));
        BlitTransparent(surface, std::as_const(b), {0, 0, pw, ph}, {rect.left, rect.top}, key);
        return;
    }
    FillRect(a, ImageRect(std::as_const(a)), 0xFFFFFFu);
    BlitTransparent(a, bitmap, {0, 0, nw, nh}, {0, 0}, key);
    StretchInto(b, {0, 0, pw, ph}, std::as_const(a));
    drawState(surface, std::as_const(b), {rect.left, rect.top}, shadow, state.palette);
}

// The same for an icon. normal: scaled into rect keeping its own alpha. Otherwise rendered at
// its natural size (embossed or silhouette, white and transparent parts as background),
// stretched into rect's size and drawn with black left out.
void drawIconPicture(ImageView surface, const ButtonPaintState& state, bool normal,
                     const Rect& rect, bool shadow) {
    const ConstImageView icon = state.picture;
    const int nw = state.originalPicWidth;
    const int nh = state.originalPicHeight;
    if (icon.isNull() || nw <= 0 || nh <= 0) {
        return;
    }
    if (normal) {
        // The natural-size area of the icon scaled into rect, blended by its own alpha.
        const int dw = rect.width();
        const int dh = rect.height();
        const int x0 = std::max(0, -rect.left);
        const int x1 = std::min(dw, surface.width - rect.left);
        for (int y = std::max(0, -rect.top); y < std::min(dh, surface.height - rect.top); ++y) {
            const int sy = static_cast<int>((2LL * y + 1) * nh / (2LL * dh));
            if (sy >= icon.height) {
                continue;
            }
            const Pixel* in = icon.row(sy);
            Pixel* out = surface.row(rect.top + y);
            for (int x = x0; x < x1; ++x) {
                const int sx = static_cast<int>((2LL * x + 1) * nw / (2LL * dw));
                if (sx < icon.width) {
                    Pixel& d = out[rect.left + x];
                    d = blend(in[sx], d | kOpaque);
                }
            }
        }
        return;
    }
    Image a = scratch(nw, nh);
    Image b = scratch(state.pictureWidth, state.pictureHeight);
    if (b.view().isNull()) {
        return;
    }
    drawState(a, icon, {0, 0}, shadow, state.palette);
    StretchInto(b, {0, 0, rect.width(), rect.height()}, std::as_const(a));
    BlitTransparent(surface, std::as_const(b), {0, 0, state.pictureWidth, state.pictureHeight},
                    {rect.left, rect.top}, 0);
}

}  // namespace

void DrawPicture(ImageView surface, const ButtonPaintState& state, const Rect& pictureRect) {
    const FacePicture kind = state.pictureKind;
    if (kind != FacePicture::Bitmap && kind != FacePicture::Icon) {
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
    const auto draw = kind == FacePicture::Bitmap ? drawBitmapPicture : drawIconPicture;
    if (!state.enabled) {
        draw(surface, state, false, rect, false);
        return;
    }
    if (hoverRise) {
        draw(surface, state, false, saved, true);
    }
    draw(surface, state, true, rect, false);
}

void CopyParentBackground(ImageView surface, ConstImageView pic, Point position, bool opaque) {
    if (pic.isNull() || surface.isNull()) {
        return;
    }
    const int x0 = std::max(0, -position.x);
    const int x1 = std::min(surface.width, pic.width - position.x);
    const int y0 = std::max(0, -position.y);
    const int y1 = std::min(surface.height, pic.height - position.y);
    if (x1 <= x0) {
        return;
    }
    for (int y = y0; y < y1; ++y) {
        const Pixel* in = pic.row(position.y + y) + position.x;
        Pixel* out = surface.row(y);
        if (opaque) {
            std::copy(in + x0, in + x1, out + x0);
            continue;
        }
        for (int x = x0; x < x1; ++x) {
            out[x] = blend(in[x], out[x] | kOpaque) | kOpaque;
        }
    }
}

}  // namespace corvane
