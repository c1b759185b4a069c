#pragma once

#include <QPushButton>

namespace corvane {

// A standard push button in the graphical style: its face is filled with its background
// colour, which the colour slots use to show the colour they hold. Native push buttons ignore
// a face colour on some platforms, so the button draws its own classic face.
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
    quint32 m_backColor = 0x8000000Fu;
};

}  // namespace corvane
