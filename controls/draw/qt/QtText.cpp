#include "controls/draw/qt/QtText.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace corvane {

namespace {

bool is32Bit(const QImage& image) {
    switch (image.format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
            return true;
        default:
            return false;
    }
}

// A Font's QFont and metrics, made once: measuring a wrapped caption asks for many widths.
struct Made {
    Font font;
    QFont qfont;
    QFontMetrics fm;
    QFontMetricsF fmf;
};

const Made& made(const Font& font) {
    constexpr std::size_t kKept = 4;
    thread_local std::vector<Made> kept;  // the most recently used first
    const auto found =
        std::find_if(kept.begin(), kept.end(), [&](const Made& m) { return m.font == font; });
    if (found != kept.end()) {
        std::rotate(kept.begin(), found, found + 1);
        return kept.front();
    }
    if (kept.size() == kKept) {
        kept.pop_back();
    }
    const QFont q = QFontOf(font);
    kept.insert(kept.begin(), Made{font, q, QFontMetrics(q), QFontMetricsF(q)});
    return kept.front();
}

// A QString over the UTF-16 without a copy, for Qt's calls that take only a QString.
QString raw(std::u16string_view s) {
    return QString::fromRawData(reinterpret_cast<const QChar*>(s.data()),
                                static_cast<qsizetype>(s.size()));
}

}  // namespace

ImageView ViewOf(QImage& image) {
    Q_ASSERT_X(image.isNull() || is32Bit(image), "ViewOf", "the image is not 32-bit");
    if (!image.isNull() && !is32Bit(image)) {
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    }
    if (image.isNull()) {
        return {};
    }
    return {reinterpret_cast<Pixel*>(image.bits()),
            image.width(),
            image.height(),
            image.bytesPerLine() / 4,
            image.devicePixelRatio(),
            &image};
}

ConstImageView ViewOf(const QImage& image) {
    Q_ASSERT_X(image.isNull() || is32Bit(image), "ViewOf", "the image is not 32-bit");
    if (image.isNull() || !is32Bit(image)) {
        return {};
    }
    return {reinterpret_cast<const Pixel*>(image.constBits()), image.width(), image.height(),
            image.bytesPerLine() / 4};
}

QImage WrapImage(const ImageView& view) {
    if (view.isNull()) {
        return {};
    }
    QImage img(reinterpret_cast<uchar*>(view.bits), view.width, view.height,
               static_cast<qsizetype>(view.stride) * 4, QImage::Format_RGB32);
    img.setDevicePixelRatio(view.devicePixelRatio);
    return img;
}

Font FontOf(const QFont& font) {
    Font f;
    const QString family = font.family();
    f.family.assign(reinterpret_cast<const char16_t*>(family.utf16()),
                    static_cast<std::size_t>(family.size()));
    f.pointSize = font.pointSizeF();
    f.pixelSize = font.pixelSize() > 0 ? font.pixelSize() : 0;
    f.weight = static_cast<int>(font.weight());
    f.italic = font.italic();
    f.underline = font.underline();
    f.strikeout = font.strikeOut();
    return f;
}

QFont QFontOf(const Font& font) {
    QFont f(QStringOf(font.family));
    if (font.pixelSize > 0) {
        f.setPixelSize(font.pixelSize);
    } else {
        f.setPointSizeF(font.pointSize > 0 ? font.pointSize : 8.25);
    }
    f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeout);
    return f;
}

QImage* QtTextRenderer::target(const ImageView& image) {
    // The QImage the view was made of, if it still shows these pixels: it keeps its paint
    // engine from one repaint to the next.
    auto* own = static_cast<QImage*>(image.surface);
    if (own && !own->isNull() && own->constBits() == reinterpret_cast<const uchar*>(image.bits) &&
        own->width() == image.width && own->height() == image.height &&
        own->bytesPerLine() == image.stride * 4 &&
        own->devicePixelRatio() == image.devicePixelRatio) {
        return own;
    }
    const ImageView& last = m_targetView;
    if (m_target.isNull() || last.bits != image.bits || last.width != image.width ||
        last.height != image.height || last.stride != image.stride ||
        last.devicePixelRatio != image.devicePixelRatio) {
        m_target = WrapImage(image);
        m_targetView = image;
    }
    return &m_target;
}

FontMetrics QtTextRenderer::metrics(const Font& font) {
    const QFontMetrics& fm = made(font).fm;
    return {fm.height(), fm.ascent(), fm.averageCharWidth()};
}

int QtTextRenderer::width(const Font& font, std::u16string_view text) {
    return made(font).fm.horizontalAdvance(raw(text));
}

double QtTextRenderer::preciseWidth(const Font& font, std::u16string_view text) {
    return made(font).fmf.horizontalAdvance(raw(text));
}

void QtTextRenderer::draw(ImageView image, const Font& font, ColourRef colour, const Rect* clip,
                          const TextRun* runs, std::size_t count) {
    if (count == 0 || image.isNull()) {
        return;
    }
    const Made& m = made(font);
    QPainter p(target(image));
    p.setFont(m.qfont);
    const QColor pen(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                     static_cast<int>((colour >> 16) & 0xFF));
    p.setPen(pen);
    if (clip) {
        p.setClipRect(QRect(clip->left, clip->top, clip->width(), clip->height()));
    }
    for (std::size_t i = 0; i < count; ++i) {
        const TextRun& r = runs[i];
        const QString text = raw(r.text);
        p.drawText(r.x, r.baseline, text);
        if (r.underline >= 0) {
            const QFontMetrics& fm = m.fm;
            const int ux = r.x + fm.horizontalAdvance(text.left(r.underline));
            const int uw = fm.horizontalAdvance(text.mid(r.underline, 1));
            const int uy = r.baseline + fm.underlinePos();
            p.fillRect(QRect(ux, uy, uw, std::max(1, fm.lineWidth())), pen);
        }
    }
}

QtTextRenderer& QtText() {
    thread_local QtTextRenderer renderer;
    return renderer;
}

}  // namespace corvane
