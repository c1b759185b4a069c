#pragma once

#include <QColor>
#include <QPushButton>

#include "controls/host/SystemColours.h"

namespace corvane {

// Black or white, whichever contrasts more with `face`: the contrast ratio of two colours is
// (L1 + 0.05) / (L2 + 0.05) of their relative luminances L (sRGB, as WCAG 2 defines them), so
// black wins from a luminance of about 0.179 up (the grey 0x767676), white below; black on
// a tie.
QColor ContrastingCaptionColour(const QColor& face);

// A standard push button in the graphical style: its face is filled with its background
// colour, which the colour slots use to show the colour they hold. Native push buttons ignore
// a face colour on some platforms, so the button draws its own classic face, and its caption
// in black or white so that it shows on any colour.
class ColourButton : public QPushButton {
    Q_OBJECT
public:
    explicit ColourButton(QWidget* parent = nullptr);

    // A colour value: 0x00BBGGRR, or a system colour (top bit set). Starts as the button face.
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 New_BackColor);
    void setCaption(const QString& New_Caption) { setText(New_Caption); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    quint32 m_backColor = SysColour::ButtonFace;
};

}  // namespace corvane
