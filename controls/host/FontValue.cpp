#include "controls/host/FontValue.h"

#include <cmath>

namespace corvane {

QFont FontValue::toQFont() const {
    QFont f(name);
    f.setPointSizeF(size > 0 ? size : 8.25);
    // Bold is the classic object's view of the weight; the weight wins when both are given.
    int w = weight;
    if (bold && w < 700) {
        w = 700;
    }
    if (!bold && w >= 700) {
        w = 400;
    }
    f.setWeight(static_cast<QFont::Weight>(std::clamp(w, 1, 1000)));
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikethrough);
    return f;
}

FontValue FontValue::fromQFont(const QFont& font) {
    FontValue v;
    v.name = font.family();
    v.size = font.pointSizeF() > 0 ? font.pointSizeF() : 8.25;
    v.weight = static_cast<int>(font.weight());
    v.bold = v.weight >= 700;
    v.italic = font.italic();
    v.underline = font.underline();
    v.strikethrough = font.strikeOut();
    return v;
}

#define CORVANE_FONT_SETTER(Setter, field, Name)         \
    void StdFont::Setter(decltype(FontValue::field) v) { \
        m_value.field = v;                               \
        emit FontChanged(QStringLiteral(Name));          \
    }

void StdFont::setName(const QString& v) {
    m_value.name = v;
    emit FontChanged(QStringLiteral("Name"));
}
CORVANE_FONT_SETTER(setSize, size, "Size")
CORVANE_FONT_SETTER(setBold, bold, "Bold")
CORVANE_FONT_SETTER(setItalic, italic, "Italic")
CORVANE_FONT_SETTER(setUnderline, underline, "Underline")
CORVANE_FONT_SETTER(setStrikethrough, strikethrough, "Strikethrough")
CORVANE_FONT_SETTER(setWeight, weight, "Weight")
CORVANE_FONT_SETTER(setCharset, charset, "Charset")
#undef CORVANE_FONT_SETTER

void StdFont::assign(const FontValue& v) {
    m_value = v;
    emit FontChanged(QString());
}

}  // namespace corvane
