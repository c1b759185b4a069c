#include "controls/button/XPLook.h"

#include <cmath>

#include "controls/button/ButtonColours.h"
#include "controls/draw/Draw.h"
#include "controls/host/SystemColours.h"

namespace corvane {

namespace {

std::uint32_t S(std::uint32_t c, int a) {
    return ShiftColor(c, a);
}

void cornerPixels(ImageView img, int w, int h, std::uint32_t c) {
    SetPixel(img, 1, 1, c);
    SetPixel(img, 1, h - 2, c);
    SetPixel(img, w - 2, 1, c);
    SetPixel(img, w - 2, h - 2, c);
}

// The focus and the hover ring share their shape; only the shades differ.
void ring(ImageView img, int w, int h, std::uint32_t frameColour, std::uint32_t base, int bottom,
          int top, int second, int sides) {
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

void DrawXPBorder(ImageView img, const ButtonPaintState& s, XPState state, bool hover) {
    const int w = s.width;
    const int h = s.height;
    const auto T = [&s](std::uint32_t c) { return TranslateColor(c, s.palette); };
    const std::uint32_t back = T(s.backColor);
    // The base fill shows only where nothing follows it: the gradients cover rows 1..H and
    // the frame row 0, and a disabled face fills everything again.
    if (s.enabled && state != XPState::Normal && state != XPState::Pressed) {
        FillRect(img, {0, 0, w, h}, back);
    }

    if (!s.enabled) {
        const std::uint32_t base = S(back, 48);
        FillRect(img, {0, 0, w, h}, S(base, -24));
        FrameRect(img, {0, 0, w, h}, S(base, -84));
        cornerPixels(img, w, h, S(base, -72));
        return;
    }

    const std::uint32_t dark = T(SysColour::DarkShadow3D);
    if (state == XPState::Normal) {
        const float step = 25.0f / static_cast<float>(h);
        const std::uint32_t base = S(back, 48);
        for (int i = 1; i <= h; ++i) {
            DrawLine(img, 0, i, w, i, S(base, XPShade(step, i)));
        }
        FrameRect(img, {0, 0, w, h}, dark);
        cornerPixels(img, w, h, dark);
        if (s.flags.HasFocus) {
            const std::uint32_t ringColour = s.xpDefaultColors ? kXPFocusRing : s.xpColorPressed;
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
            const std::uint32_t ringColour = s.xpDefaultColors ? kXPHoverRing : s.xpColorHover;
            ring(img, w, h, T(ringColour), T(ringColour), -40, 90, 35, 20);
        }
    } else if (state == XPState::Pressed) {
        const float step = 15.0f / static_cast<float>(h);
        const std::uint32_t base = S(S(back, 48), -32);
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

std::vector<Rect> XPRegion(int w, int h) {
    // Each row loses `cut` pixels at both ends: two on the first and last rows, one on the
    // rows next to them.
    std::vector<Rect> rows;
    for (int y = 0; y < h; ++y) {
        const int cut = (y == 0 || y == h - 1) ? 2 : (y == 1 || y == h - 2) ? 1 : 0;
        const Rect row{cut, y, w - cut, y + 1};
        if (row.isEmpty()) {
            continue;
        }
        if (!rows.empty() && rows.back().bottom == y && rows.back().left == row.left &&
            rows.back().right == row.right) {
            rows.back().bottom = y + 1;
        } else {
            rows.push_back(row);
        }
    }
    return rows;
}

}  // namespace corvane
