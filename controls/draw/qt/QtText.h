#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include <string_view>

#include "controls/draw/Image.h"
#include "controls/draw/TextRenderer.h"

namespace corvane {

// The Qt side of the drawing layer: a QImage seen as the engine's image, a QFont as its font,
// a QString as its text, and the text renderer built on Qt's fonts.

// The pixels of a 32-bit image (RGB32, ARGB32, ARGB32_Premultiplied), shared, with its
// device-pixel ratio. Any other format is a caller's mistake; it is converted in place to
// RGB32 (ARGB32 with an alpha channel) so that the view still shows the image's pixels.
ImageView ViewOf(QImage& image);
ConstImageView ViewOf(const QImage& image);

// An engine image's pixels as a QImage (Format_RGB32), shared, not copied: it must not
// outlive them.
QImage WrapImage(const ImageView& view);

Font FontOf(const QFont& font);
QFont QFontOf(const Font& font);

// The UTF-16 of a QString, shared: valid while the string lives unchanged.
inline std::u16string_view TextOf(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}
inline QString QStringOf(std::u16string_view s) {
    return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

// Text through QFontMetrics and QPainter. It keeps the QFonts it made for the last few Fonts.
class QtTextRenderer final : public TextRenderer {
public:
    FontMetrics metrics(const Font& font) override;
    int width(const Font& font, std::u16string_view text) override;
    double preciseWidth(const Font& font, std::u16string_view text) override;
    void draw(ImageView image, const Font& font, ColourRef colour, const Rect* clip,
              const TextRun* runs, std::size_t count) override;

private:
    // What to paint on: the view's own QImage (ViewOf's), or else a QImage over its pixels.
    // A QImage keeps its paint engine, which costs as much to make as the text, so the wrapper
    // of the pixels drawn last is kept too.
    QImage* target(const ImageView& image);
    QImage m_target;
    ImageView m_targetView;
};

// The renderer of this thread, for callers that have no other.
QtTextRenderer& QtText();

}  // namespace corvane
