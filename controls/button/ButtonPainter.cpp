#include "controls/button/ButtonPainter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "controls/button/ButtonColours.h"
#include "controls/button/PictureDraw.h"
#include "controls/button/XPLook.h"
#include "controls/draw/Draw.h"

namespace corvane {

namespace {

// One repaint: the snapshot, the surface and the background colour the repaint changes.
class Painter {
public:
    Painter(ImageView view, TextRenderer& text, const ButtonPaintState& s)
        : m_view(view),
          m_text(text),
          m_s(s),
          m_w(s.width),
          m_h(s.height),
          m_back(s.surfaceBackColor) {}

    // The whole face; without the caption when `caption` is false (drawCaption adds it later).
    RefreshResult run(bool caption = true);
    void drawCaption(ImageView target) const;

private:
    std::uint32_t T(std::uint32_t c) const { return TranslateColor(c, m_s.palette); }
    void drawRect(const Rect& r, std::uint32_t colour, bool filled) {
        filled ? FillRect(m_view, r, T(colour)) : FrameRect(m_view, r, T(colour));
    }
    // Setting the surface's background colour repaints all of it in that colour.
    void setSurfaceBack(std::uint32_t colour) {
        m_back = colour;
        FillRect(m_view, ImageRect(m_view), T(colour));
    }
    void copyParentBackground() {
        CopyParentBackground(m_view, m_s.containerPicture, m_s.position, m_s.containerOpaque);
    }

    void paintBackground();
    void drawBorder();
    void thinBorder(bool raised);
    void drawBevel(std::uint32_t c0, int n, int d, bool raised);
    void drawDefaultBorder();
    void defaultCheck();

    const ImageView m_view;
    TextRenderer& m_text;
    const ButtonPaintState& m_s;
    const int m_w;
    const int m_h;
    std::uint32_t m_back;
    ButtonLayout m_layout;
    TextLayoutPtr m_caption;  // the caption as measured, drawn as it was measured
};

RefreshResult Painter::run(bool caption) {
    // The XP face fills the whole surface itself, so its clear would only be overwritten.
    if (m_s.buttonStyle != FaceStyle::XP) {
        FillRect(m_view, ImageRect(m_view), T(m_back));
    }
    paintBackground();
    if (m_s.buttonStyle != FaceStyle::NoBorder) {
        drawBorder();
    }

    // Layout: the caption measured into the content area, then placed with the picture.
    const Rect inner = InnerRect(m_w, m_h);
    Rect measured = inner;
    const bool hasPicture = m_s.pictureKind != FacePicture::None;
    if (!hasPicture || !m_s.caption.empty()) {
        m_caption =
            LayoutText(m_text, m_s.caption, inner.width(), dt::WordBreak | dt::Center | dt::VCenter,
                       m_s.font, &kCaptionTextParams);
        if (!m_caption->lines.empty()) {
            measured.right =
                measured.left + m_caption->widest + m_caption->leftMargin + m_caption->rightMargin;
            measured.bottom = measured.top + m_caption->height();
        }
    }
    m_layout = CalcLayout(m_s, measured);
    DrawPicture(m_view, m_s, m_layout.picture);

    if (m_s.flags.HasFocus && m_s.showFocusRect && m_s.buttonStyle != FaceStyle::XP) {
        DrawFocusRect(m_view, m_s.focusRect);
    }
    if (caption) {
        drawCaption(m_view);
    }
    return {m_layout, m_back};
}

void Painter::paintBackground() {
    const FaceStyle style = m_s.buttonStyle;
    if (style == FaceStyle::XP) {
        return;  // the XP border paints the whole face
    }
    if (style == FaceStyle::Highlight) {
        if (!m_s.flags.Pressed && m_s.transparentBG) {
            copyParentBackground();
        } else {
            setSurfaceBack(m_s.backColor);
        }
        const SplitRgb hl = SplitColor(T(SysColour::Highlight));
        const auto r = static_cast<long long>(hl.red);
        const auto g = static_cast<long long>(hl.green);
        const auto b = static_cast<long long>(hl.blue);
        if (m_s.flags.MouseOver && !m_s.flags.Pressed) {
            setSurfaceBack(m_s.xpDefaultColors ? JoinRgb(r + 171, g + 154, b + 108)
                                               : m_s.xpColorHover);
        }
        if (m_s.flags.Pressed) {
            setSurfaceBack(m_s.xpDefaultColors ? JoinRgb(r + 156, g + 139, b + 108)
                                               : m_s.xpColorPressed);
        }
        return;
    }
    if (m_s.transparentBG) {
        copyParentBackground();
    }
}

void Painter::thinBorder(bool raised) {
    if (m_s.bevel >= 2) {
        drawBevel(T(m_back), m_s.bevel, m_s.bevelDepth, raised);
        return;
    }
    // Two frames of the whole surface; the second one's right and bottom fall outside.
    drawRect({0, 0, m_w, m_h}, raised ? SysColour::ButtonShadow : SysColour::ButtonHighlight,
             false);
    drawRect({0, 0, m_w + 1, m_h + 1},
             raised ? SysColour::ButtonHighlight : SysColour::ButtonShadow, false);
}

void Painter::drawBevel(std::uint32_t c0, int n, int d, bool raised) {
    std::uint32_t c = c0;
    for (int k = n; k >= 0; --k) {
        c = raised ? ShiftColor(c, -d) : LightenColor(c, d);
        drawRect({k, k, m_w - k, m_h - k}, c, false);
    }
    std::uint32_t p = c0;
    for (int k = n; k >= 0; --k) {
        p = raised ? LightenColor(p, d) : ShiftColor(p, -d);
        DrawLine(m_view, k, k, m_w - k - 1, k, p);
        DrawLine(m_view, k, k, k, m_h - k - 1, p);
    }
}

void Painter::drawDefaultBorder() {
    if (m_s.bevel >= 2) {
        drawBevel(T(m_back), m_s.bevel, m_s.bevelDepth + 3, true);
        return;
    }
    drawRect({0, 0, m_w - 1, m_h - 1}, SysColour::ButtonShadow, false);
    drawRect({0, 0, m_w + 1, m_h + 1}, SysColour::ButtonHighlight, false);
    // A 3D dark shadow frame of (-1, -1, W+1, H+1) would follow; it lies wholly outside.
}

void Painter::defaultCheck() {
    if (m_s.isDefault ||
        (m_s.flags.HasFocus && m_s.buttonStyle == FaceStyle::Raised && !m_s.flags.Pressed)) {
        drawDefaultBorder();
    }
}

void Painter::drawBorder() {
    const FaceStyle style = m_s.buttonStyle;
    if (!m_s.userMode) {
        if (style == FaceStyle::XP) {
            DrawXPBorder(m_view, m_s, XPState::Normal, false);
        } else if (style != FaceStyle::Highlight) {
            thinBorder(true);
        }
        return;
    }
    switch (style) {
        case FaceStyle::Highlight:
            if (m_s.flags.MouseOver || m_s.xpShowBorderAlways) {
                drawRect({0, 0, m_w, m_h}, m_s.foreColor, false);
            }
            break;
        case FaceStyle::XP:
            if (m_s.flags.Pressed) {
                DrawXPBorder(m_view, m_s, XPState::Pressed, false);
            } else {
                DrawXPBorder(m_view, m_s, XPState::Normal, m_s.flags.MouseOver);
            }
            break;
        case FaceStyle::Raised:
            thinBorder(!m_s.flags.Pressed);
            defaultCheck();
            break;
        default:  // Flat, NoBorder (which never gets here) and unknown styles
            if (m_s.flags.Pressed) {
                thinBorder(false);
            } else if (m_s.flags.MouseOver) {
                thinBorder(true);
            }
            defaultCheck();
            break;
    }
}

void Painter::drawCaption(ImageView target) const {
    if (m_s.caption.empty() || !m_caption) {
        return;
    }
    const unsigned flags = dt::WordBreak | dt::Center | dt::VCenter;
    Rect text = m_layout.text;  // g_TextRect is restored afterwards: work on a copy
    if (m_s.flags.Pressed && m_s.buttonStyle != FaceStyle::Highlight) {
        text = text.offset(1);
    }
    // The caption rectangle is the measured one (its widest line plus the margins), so
    // breaking the caption again for it would give the same lines: draw the measured layout.
    if (m_s.enabled) {
        DrawTextLayout(target, m_text, *m_caption, text, flags, m_s.font, T(m_s.foreColor));
        return;
    }
    // Engraved: a highlight copy one pixel down and right under a shadow copy.
    DrawTextLayout(target, m_text, *m_caption, text.offset(1), flags, m_s.font,
                   T(SysColour::ButtonHighlight));
    DrawTextLayout(target, m_text, *m_caption, text, flags, m_s.font, T(SysColour::ButtonShadow));
}

}  // namespace

void EnlargeNearest(ConstImageView logical, ImageView device) {
    const int w = logical.width;
    const int h = logical.height;
    const int dw = device.width;
    const int dh = device.height;
    if (device.isNull() || logical.isNull()) {
        return;
    }
    if (dw % w == 0 && dh % h == 0 && dw / w == dh / h) {
        // A whole ratio k: each logical row becomes one device row of k-pixel runs, copied k times.
        const int k = dw / w;
        const auto bytes = static_cast<std::size_t>(dw) * sizeof(Pixel);
        for (int y = 0; y < h; ++y) {
            const Pixel* in = logical.row(y);
            Pixel* first = device.row(y * k);
            for (int x = 0; x < w; ++x) {
                std::fill_n(first + static_cast<std::ptrdiff_t>(x) * k, k, in[x]);
            }
            for (int j = 1; j < k; ++j) {
                std::memcpy(device.row(y * k + j), first, bytes);
            }
        }
        return;
    }
    std::vector<int> column(static_cast<std::size_t>(dw));
    for (int x = 0; x < dw; ++x) {
        column[static_cast<std::size_t>(x)] = static_cast<int>(static_cast<long long>(x) * w / dw);
    }
    for (int y = 0; y < dh; ++y) {
        const int sy = static_cast<int>(static_cast<long long>(y) * h / dh);
        const Pixel* in = logical.row(sy);
        Pixel* row = device.row(y);
        for (int x = 0; x < dw; ++x) {
            row[x] = in[column[static_cast<std::size_t>(x)]];
        }
    }
}

SurfaceSize FaceSurfaceSize(const ButtonPaintState& s) {
    const int w = std::max(s.width, 0);
    const int h = std::max(s.height, 0);
    if (!(s.devicePixelRatio > 1.0)) {
        return {w, h};
    }
    return {static_cast<int>(std::ceil(w * s.devicePixelRatio)),
            static_cast<int>(std::ceil(h * s.devicePixelRatio))};
}

RefreshResult RefreshFace(ImageView surface, TextRenderer& text, const ButtonPaintState& s) {
    if (!(s.devicePixelRatio > 1.0)) {
        return Painter(surface, text, s).run();
    }
    // The geometry at logical resolution, enlarged block by block; the caption at device
    // resolution on top, where the text renderer maps its logical coordinates through the
    // ratio.
    Image logical(std::max(s.width, 0), std::max(s.height, 0));
    Painter painter(logical, text, s);
    const RefreshResult r = painter.run(false);
    EnlargeNearest(std::as_const(logical), surface);
    painter.drawCaption(surface);
    return r;
}

}  // namespace corvane
