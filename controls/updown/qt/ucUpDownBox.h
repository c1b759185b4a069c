#pragma once

#include "controls/host/FontValue.h"
#include "controls/host/ReentryGuard.h"
#include "controls/host/SystemColours.h"
#include "controls/host/qt/UserControl.h"
#include "controls/updown/UpDownModel.h"
#include "controls/updown/UpDownRules.h"
#include "controls/updown/UpDownValues.h"
#include "controls/updown/qt/UpDownField.h"

class QScrollBar;

namespace corvane {

// A numeric spin box: a text field holding a whole number between Min and Max, with a pair
// of arrows at its right edge. Its host talks to it only through the properties below, the
// life-cycle calls of UserControl and the Change signal.
class ucUpDownBox : public UserControl, private UpDownView {
    Q_OBJECT
public:
    explicit ucUpDownBox(ControlSite* site, QWidget* parent = nullptr);
    ~ucUpDownBox() override;

    // A BoxAlignment (0 left, 1 right, 2 centred); other values are ignored.
    int Alignment() const { return m_model.alignment; }
    void setAlignment(int New_Alignment);
    // Colour values: 0x00BBGGRR, or 0x800000nn for system colour nn.
    quint32 BackColor() const { return m_model.backColor; }
    void setBackColor(quint32 New_BackColor);
    // A BoxBorder (0 none, 1 a one-pixel single-line frame); other values are ignored.
    int BorderStyle() const { return m_model.borderStyle; }
    void setBorderStyle(int New_BorderStyle);
    // The box's own setting. QWidget::setEnabled and QWidget::setFont, called through a
    // QWidget pointer, set the same properties, reported the same way (see changeEvent).
    bool Enabled() const { return m_model.enabled; }
    void setEnabled(bool New_Enabled);
    FontValue Font() const { return m_model.font; }
    void setFont(const FontValue& New_Font);
    using QWidget::setFont;
    quint32 ForeColor() const { return m_model.foreColor; }
    void setForeColor(quint32 New_ForeColor);
    int Max() const { return m_model.rules.Max(); }
    void setMax(int New_Max);
    int Min() const { return m_model.rules.Min(); }
    void setMin(int New_Min);
    // The last accepted number; the field may show a rejected one until it loses the focus.
    int Value() const { return m_model.rules.Value(); }
    void setValue(int New_Value);

    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // For hosts that place it with a layout: the height is fixed by the font, the width
    // at least two arrows wide.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The two parts, for tests and accessibility.
    UpDownField* txtValue() const { return m_txtValue; }
    QScrollBar* ucBar() const { return m_ucBar; }

signals:
    // Value changed, or an arrow stepped. Its handler may delete the box.
    void Change();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // UpDownView, for the model's life cycle.
    FontValue AmbientFont() const override;
    void applyColours() override;
    void applyFont() override;
    void applyAlignment() override;
    void applyEnabled() override;
    void applyLayout() override;
    void PropertyChanged(std::string_view name) override;
    bool showText(std::u16string_view text) override;

    void relayout();
    void onTextChanged(const QString& text);
    void onBarMoved(int position);
    void mendText();
    // Writes the field's text; the text rule runs, and may raise Change. This one and
    // raiseChange return whether the box still exists.
    bool showText(const QString& text);
    bool raiseChange();
    int border() const { return m_model.border(); }

    UpDownModel m_model{*this};
    QWidget* m_inner;  // the client area: clips the field's bottom row
    UpDownField* m_txtValue;
    QScrollBar* m_ucBar;
    int m_barWidth;
    bool m_settingEnabled = false;  // our own QWidget::setEnabled call is running
    bool m_settingFont = false;     // our own QWidget::setFont call is running
    ReentryGuard m_guard;           // around every call that can raise Change
};

}  // namespace corvane
