#include "controls/host/qt/StdFont.h"

#include <algorithm>

#include "controls/draw/qt/QtText.h"

namespace corvane {

QFont QFontOf(const FontValue& value) {
    QFont f(QStringOf(value.name));
    f.setPointSizeF(value.size > 0 ? value.size : 8.25);
    f.setWeight(static_cast<QFont::Weight>(DrawnWeight(value)));
    f.setItalic(value.italic);
    f.setUnderline(value.underline);
    f.setStrikeOut(value.strikethrough);
    return f;
}

FontValue FontValueOf(const QFont& font) {
    FontValue v;
    v.name = font.family().toStdU16String();
    v.size = font.pointSizeF() > 0 ? font.pointSizeF() : 8.25;
    v.weight = static_cast<int>(font.weight());
    v.bold = v.weight >= 700;
    v.italic = font.italic();
    v.underline = font.underline();
    v.strikethrough = font.strikeOut();
    return v;
}

QString StdFont::Name() const {
    return QStringOf(m_value.name);
}

#define CORVANE_FONT_SETTER(Setter, field, Name)         \
    void StdFont::Setter(decltype(FontValue::field) v) { \
        m_value.field = v;                               \
        emit FontChanged(QStringLiteral(Name));          \
    }

void StdFont::setName(const QString& v) {
    m_value.name = v.toStdU16String();
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
