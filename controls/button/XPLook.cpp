#include "controls/button/XPLook.h"

#include <cmath>

#include "controls/button/ButtonColours.h"
#include "controls/draw/Draw.h"
#include "controls/draw/qt/QtText.h"
#include "controls/host/qt/QtSystemColours.h"

namespace corvane {

namespace {

quint32 S(quint32 c, int a) {
    return ShiftColor(c, a);
}

void cornerPixels(ImageView img, int w, int h, quint32 c) {
    SetPixel(img, 1, 1, c);
    SetPixel(img, 1, h - 2, c);
    SetPixel(img, w - 2, 1, c);
    SetPixel(img, w - 2, h - 2, c);
}

// The focus and the hover ring share their shape; only the shades differ.
void ring(ImageView img, int w, int h, quint32 frameColour, quint32 base, int bottom, int top,
          int second, int sides) {
    FrameRect(img, {1, 2, w - 1, h - 2}, frameColour);
    DrawLine(img, 2, h - 2, w - 2, h - 2, S(base, bottom));
    DrawLine(img, 2, 1, w - 2, 1, S(base, top));
    DrawLine(img, 1, 2, w - 1, 2, S(base, second));
    DrawLine(img, 2, 3, 2, h - 3, S(base, sides));
    DrawLine(img, w - 3, 3, w - 3, h - 3, S(base, sides));
}

}  // namespace

int XPShade(float step, int i) {
    return static_cast<int>(std::nearbyint(-static_cast<double>(step) * i));
}

void DrawXPBorder(QImage& surface, const ButtonPaintState& s, XPState state, bool hover) {
    const ImageView img = ViewOf(surface);
    const int w = s.width;
    const int h = s.height;
    const auto T = [&s](quint32 c) { return TranslateColor(c, s.palette); };
    const quint32 back = T(s.backColor);
    // The base fill shows only where nothing follows it: the gradients cover rows 1..H and
    // the frame row 0, and a disabled face fills everything again.
    if (s.enabled && state != XPState::Normal && state != XPState::Pressed) {
        FillRect(img, {0, 0, w, h}, back);
    }

    if (!s.enabled) {
        const quint32 base = S(back, 48);
        FillRect(img, {0, 0, w, h}, S(base, -24));
        FrameRect(img, {0, 0, w, h}, S(base, -84));
        cornerPixels(img, w, h, S(base, -72));
        return;
    }

    const quint32 dark = T(SysColour::DarkShadow3D);
    if (state == XPState::Normal) {
        const float step = 25.0f / static_cast<float>(h);
        const quint32 base = S(back, 48);
        for (int i = 1; i <= h; ++i) {
            DrawLine(img, 0, i, w, i, S(base, XPShade(step, i)));
        }
        FrameRect(img, {0, 0, w, h}, dark);
        cornerPixels(img, w, h, dark);
        if (s.flags.HasFocus) {
            const quint32 ringColour = s.xpDefaultColors ? kXPFocusRing : s.xpColorPressed;
            ring(img, w, h, T(ringColour), T(ringColour), -33, 65, 50, 31);
        } else {
            DrawLine(img, 2, h - 2, w - 2, h - 2, S(base, -48));
            DrawLine(img, 1, h - 3, w - 2, h - 3, S(base, -32));
            DrawLine(img, w - 2, 2, w - 2, h - 2, S(base, -36));
            DrawLine(img, w - 3, 3, w - 3, h - 3, S(base, -24));
            DrawLine(img, 2, 1, w - 2, 1, S(base, 16));
            DrawLine(img, 1, 2, w - 2, 2, S(base, 10));
            DrawLine(img, 1, 2, 1, h - 2, S(base, -5));
            DrawLine(img, 2, 3, 2, h - 3, S(base, -10));
        }
        if (hover) {
            const quint32 ringColour = s.xpDefaultColors ? kXPHoverRing : s.xpColorHover;
            ring(img, w, h, T(ringColour), T(ringColour), -40, 90, 35, 20);
        }
    } else if (state == XPState::Pressed) {
        const float step = 15.0f / static_cast<float>(h);
        const quint32 base = S(S(back, 48), -32);
        for (int i = 1; i <= h; ++i) {
            DrawLine(img, 0, h - i, w, h - i, S(base, XPShade(step, i)));
        }
        FrameRect(img, {0, 0, w, h}, dark);
        cornerPixels(img, w, h, dark);
        DrawLine(img, 2, h - 2, w - 2, h - 2, S(base, 16));
        DrawLine(img, 1, h - 3, w - 2, h - 3, S(base, 10));
        DrawLine(img, w - 2, 2, w - 2, h - 2, S(base, 5));
        DrawLine(img, w - 3, 3, w - 3, h - 3, base);
        DrawLine(img, 2, 1, w - 2, 1, S(base, -32));
        DrawLine(img, 1, 2, w - 2, 2, S(base, -24));
        DrawLine(img, 1, 2, 1, h - 2, S(base, -32));
        DrawLine(img, 2, 2, 2, h - 2, S(base, -22));
    }
}

QRegion XPRegion(int w, int h) {
    QRegion r(0, 0, w, h);
    // Half-open (l, t, r, b) rectangles, each one pixel high or wide.
    const int cuts[8][4] = {
        {0, 0, 2, 1}, {0, h - 1, 2, h},     {w - 2, 0, w, 1}, {w - 2, h - 1, w, h},
        {0, 1, 1, 2}, {0, h - 2, 1, h - 1}, {w - 1, 1, w, 2}, {w - 1, h - 2, w, h - 1}};
    for (const auto& c : cuts) {
        r -= QRegion(c[0], c[1], c[2] - c[0], c[3] - c[1]);
    }
    return r;
}

}  // namespace corvane
