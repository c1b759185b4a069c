#include "ui/ColourButton.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <cmath>

#include "controls/host/qt/QtSystemColours.h"

namespace corvane {

namespace {

double LinearChannel(int value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

QColor ContrastingCaptionColour(const QColor& face) {
    const QColor rgb = face.toRgb();
    const double luminance = 0.2126 * LinearChannel(rgb.red()) +
                             0.7152 * LinearChannel(rgb.green()) +
                             0.0722 * LinearChannel(rgb.blue());
    const double againstBlack = (luminance + 0.05) / 0.05;
    const double againstWhite = 1.05 / (luminance + 0.05);
    return againstBlack >= againstWhite ? QColor(Qt::black) : QColor(Qt::white);
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
