#include "controls/button/ButtonPainter.h"

#include <QtMath>

#include <algorithm>
#include <cstring>
#include <vector>

#include "controls/button/ButtonColours.h"
#include "controls/button/PictureDraw.h"
#include "controls/button/XPLook.h"
#include "controls/draw/Draw.h"
#include "controls/draw/qt/QtText.h"
#include "controls/host/qt/QtSystemColours.h"

namespace corvane {

namespace {

// One repaint: the snapshot, the surface and the background colour the repaint changes.
class Painter {
public:
    Painter(QImage& img, const ButtonPaintState& s)
        : m_img(img),
          m_view(ViewOf(img)),
          m_s(s),
          m_font(FontOf(s.font)),
          m_w(s.width),
          m_h(s.height),
          m_back(s.surfaceBackColor) {}

    // The whole face; without the caption when `caption` is false (drawCaption adds it later).
    RefreshResult run(bool caption = true);
    void drawCaption(QImage& target) const;

private:
    quint32 T(quint32 c) const { return TranslateColor(c, m_s.palette); }
    void drawRect(const Rect& r, quint32 colour, bool filled) {
        filled ? FillRect(m_view, r, T(colour)) : FrameRect(m_view, r, T(colour));
    }
    // Setting the surface's background colour repaints all of it in that colour.
    void setSurfaceBack(quint32 colour) {
        m_back = colour;
        FillRect(m_view, ImageRect(m_view), T(colour));
    }
    void copyParentBackground() { CopyParentBackground(m_img, m_s.containerPicture, m_s.position); }

    void paintBackground();
    void drawBorder();
    void thinBorder(bool raised);
    void drawBevel(quint32 c0, int n, int d, bool raised);
    void drawDefaultBorder();
    void defaultCheck();

    QImage& m_img;
    const ImageView m_view;  // m_img's pixels
    const ButtonPaintState& m_s;
    const Font m_font;
    const int m_w;
    const int m_h;
    quint32 m_back;
    ButtonLayout m_layout;
    TextLayoutPtr m_text;  // the caption as measured, drawn as it was measured
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
    const bool hasPicture = !m_s.currentPicture.isNone();
    if (!hasPicture || !m_s.caption.isEmpty()) {
        m_text = LayoutText(QtText(), TextOf(m_s.caption), inner.width(),
                            dt::WordBreak | dt::Center | dt::VCenter, m_font, &kCaptionTextParams);
        if (!m_text->lines.empty()) {
            measured.right =
                measured.left + m_text->widest + m_text->leftMargin + m_text->rightMargin;
            measured.bottom = measured.top + m_text->height();
        }
    }
    m_layout = CalcLayout(m_s, measured);
    DrawPicture(m_img, m_s, m_layout.picture);

    if (m_s.flags.HasFocus && m_s.showFocusRect && m_s.buttonStyle != FaceStyle::XP) {
        DrawFocusRect(m_view, m_s.focusRect);
    }
    if (caption) {
        drawCaption(m_img);
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

void Painter::drawBevel(quint32 c0, int n, int d, bool raised) {
    quint32 c = c0;
    for (int k = n; k >= 0; --k) {
        c = raised ? ShiftColor(c, -d) : LightenColor(c, d);
        drawRect({k, k, m_w - k, m_h - k}, c, false);
    }
    quint32 p = c0;
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
            DrawXPBorder(m_img, m_s, XPState::Normal, false);
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
                DrawXPBorder(m_img, m_s, XPState::Pressed, false);
            } else {
                DrawXPBorder(m_img, m_s, XPState::Normal, m_s.flags.MouseOver);
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

void Painter::drawCaption(QImage& target) const {
    if (m_s.caption.isEmpty() || !m_text) {
        return;
    }
    const unsigned flags = dt::WordBreak | dt::Center | dt::VCenter;
    Rect text = m_layout.text;  // g_TextRect is restored afterwards: work on a copy
    if (m_s.flags.Pressed && m_s.buttonStyle != FaceStyle::Highlight) {
        text = text.offset(1);
    }
    // The caption rectangle is the measured one (its widest line plus the margins), so
    // breaking the caption again for it would give the same lines: draw the measured layout.
    const ImageView view = ViewOf(target);
    if (m_s.enabled) {
        DrawTextLayout(view, QtText(), *m_text, text, flags, m_font, T(m_s.foreColor));
        return;
    }
    // Engraved: a highlight copy one pixel down and right under a shadow copy.
    DrawTextLayout(view, QtText(), *m_text, text.offset(1), flags, m_font,
                   T(SysColour::ButtonHighlight));
    DrawTextLayout(view, QtText(), *m_text, text, flags, m_font, T(SysColour::ButtonShadow));
}

}  // namespace

QImage EnlargeNearest(const QImage& logical, QSize device) {
    QImage out(device, QImage::Format_RGB32);
    const int w = logical.width();
    const int h = logical.height();
    const int dw = device.width();
    const int dh = device.height();
    if (out.isNull() || w <= 0 || h <= 0) {
        return out;
    }
    const QImage src = logical.convertToFormat(QImage::Format_RGB32);
    if (dw % w == 0 && dh % h == 0 && dw / w == dh / h) {
        // A whole ratio k: each logical row becomes one device row of k-pixel runs, copied k times.
        const int k = dw / w;
        const auto bytes = static_cast<std::size_t>(dw) * sizeof(QRgb);
        for (int y = 0; y < h; ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
            auto* first = reinterpret_cast<QRgb*>(out.scanLine(y * k));
            for (int x = 0; x < w; ++x) {
                std::fill_n(first + static_cast<std::ptrdiff_t>(x) * k, k, in[x]);
            }
            for (int j = 1; j < k; ++j) {
                std::memcpy(out.scanLine(y * k + j), first, bytes);
            }
        }
        return out;
    }
    std::vector<int> column(static_cast<std::size_t>(dw));
    for (int x = 0; x < dw; ++x) {
        column[static_cast<std::size_t>(x)] = static_cast<int>(static_cast<long long>(x) * w / dw);
    }
    for (int y = 0; y < dh; ++y) {
        const int sy = static_cast<int>(static_cast<long long>(y) * h / dh);
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < dw; ++x) {
            row[x] = in[column[static_cast<std::size_t>(x)]];
        }
    }
    return out;
}

RefreshResult RefreshFace(QImage& surface, const ButtonPaintState& s) {
    const int w = std::max(s.width, 0);
    const int h = std::max(s.height, 0);
    const qreal ratio = s.devicePixelRatio > 1.0 ? s.devicePixelRatio : 1.0;
    if (ratio == 1.0) {
        if (surface.width() != w || surface.height() != h ||
            surface.format() != QImage::Format_RGB32 || surface.devicePixelRatio() != 1.0) {
            surface = QImage(w, h, QImage::Format_RGB32);
        }
        return Painter(surface, s).run();
    }
    // The geometry at logical resolution, enlarged block by block; the caption at device
    // resolution on top, where QPainter maps its logical coordinates through the ratio.
    QImage logical(w, h, QImage::Format_RGB32);
    Painter painter(logical, s);
    const RefreshResult r = painter.run(false);
    surface = EnlargeNearest(logical, QSize(qCeil(w * ratio), qCeil(h * ratio)));
    surface.setDevicePixelRatio(ratio);
    painter.drawCaption(surface);
    return r;
}

}  // namespace corvane
