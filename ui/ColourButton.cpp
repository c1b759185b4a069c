#include "ui/ColourButton.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <cstdint>

#include "controls/host/qt/QtSystemColours.h"
#include "editor/CaptionContrast.h"

namespace corvane {

QColor ContrastingCaptionColour(const QColor& face) {
    const QColor rgb = face.toRgb();
    const std::uint32_t bgr = static_cast<std::uint32_t>(rgb.red()) |
                              static_cast<std::uint32_t>(rgb.green()) << 8 |
                              static_cast<std::uint32_t>(rgb.blue()) << 16;
    return ContrastingCaption(bgr) == 0 ? QColor(Qt::black) : QColor(Qt::white);
}

ColourButton::ColourButton(QWidget* parent) : QPushButton(parent) {}

void ColourButton::setBackColor(quint32 New_BackColor) {
    m_backColor = New_BackColor;
    update();
}

void ColourButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor face = OleToQt(TranslateColor(m_backColor, palette()));
    const bool sunken = isDown() || isChecked();
    const QBrush fill(face);
    qDrawWinButton(&p, rect(), palette(), sunken, &fill);

    // The caption stands near the top: the colour's hex field lies over the button's middle.
    const QRect inner = rect().adjusted(3, 6, -3, -3).translated(sunken ? 1 : 0, sunken ? 1 : 0);
    p.setPen(isEnabled() ? ContrastingCaptionColour(face)
                         : palette().color(QPalette::Disabled, QPalette::ButtonText));
    p.drawText(inner, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        focus.backgroundColor = face;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

}  // namespace corvane
