#pragma once

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>
#include <QVariant>

#include "controls/button/ButtonInput.h"
#include "controls/button/ButtonInputEvents.h"
#include "controls/button/ButtonLayout.h"
#include "controls/button/ButtonPainter.h"
#include "controls/button/ButtonValues.h"
#include "controls/button/ButtonXPCore.h"
#include "controls/draw/Rect.h"
#include "controls/draw/TextRenderer.h"
#include "controls/draw/qt/QtText.h"
#include "controls/host/Picture.h"
#include "controls/host/SystemColours.h"
#include "controls/host/qt/StdFont.h"
#include "controls/host/qt/UserControl.h"

class QTimer;

namespace corvane {

// The owner-drawn push button: five styles (0 raised, 1 flat until hovered, 2 highlight on
// hover, 3 the XP look, 4 no border), a picture beside the caption, a stored property set.
// Every change repaints the whole face into a persistent image; paintEvent only copies it.
//
// Properties have a getter named as the property and a setter set<Property>(New_<Property>)
// that stores, tells the host (ControlSite::PropertyChanged) and repaints where the look
// depends on it. The fields, their setters and the stored set are the engine's ButtonXPCore;
// the widget holds what is Qt's (the Font object, Enabled, the access key, the cursor) and
// answers the core as its ButtonXPShell. Input goes to a ButtonInput machine, which owns the
// state flags; the widget only feeds it Qt's events (Button_XPInput.cpp) and carries out
// what it asks.
class Button_XP : public UserControl, private ButtonInputHost, private ButtonXPShell {
    Q_OBJECT
public:
    explicit Button_XP(ControlSite* site, QWidget* parent = nullptr);
    ~Button_XP() override;

    // Life cycle.
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // --- Properties, in their declared order ---
    // The button's own setting: a disabled container greys it without changing this.
    // QWidget::setEnabled, called through a QWidget pointer, sets the same property: the
    // change is reported and repainted the same way (see changeEvent).
    bool Enabled() const override { return !testAttribute(Qt::WA_ForceDisabled); }
    void setEnabled(bool New_Enabled);

    // g_Font itself: changing one of its attributes updates the surface's font and repaints
    // (without a notification). The object lives as long as the control.
    StdFont* Font() const { return g_Font; }
    // Copies name, size, bold, italic, underline and strikethrough (not weight or charset).
    // A null font is refused: returns false with a message in `error`, nothing changes.
    bool setFont(const StdFont* New_Font, QString* error = nullptr);
    void setFont(const FontValue& New_Font);
    // QWidget's own: a font set on the widget becomes the Font property, as setFont(FontValue).
    using QWidget::setFont;

    qint32 MousePointer() const { return m_core.MousePointer(); }
    // The value must fit in 16 bits: otherwise returns false with an overflow message in
    // `error` and nothing changes.
    bool setMousePointer(qint32 New_MousePointer, QString* error = nullptr);
    ::corvane::Picture MouseIcon() const { return m_core.MouseIcon(); }
    void setMouseIcon(const ::corvane::Picture& v) { m_core.setMouseIcon(v); }

    bool ShowFocusRect() const { return m_core.ShowFocusRect(); }
    void setShowFocusRect(bool v) { m_core.setShowFocusRect(v); }
    QString URL() const { return QStringOf(m_core.URL()); }
    void setURL(const QString& v) { m_core.setURL(v.toStdU16String()); }
    QString Caption() const { return QStringOf(m_core.Caption()); }
    void setCaption(const QString& v) { m_core.setCaption(v.toStdU16String()); }
    qint32 ButtonStyle() const { return m_core.ButtonStyle(); }
    void setButtonStyle(qint32 v) { m_core.setButtonStyle(v); }
    qint32 PicturePosition() const { return m_core.PicturePosition(); }
    void setPicturePosition(qint32 v) { m_core.setPicturePosition(v); }
    // The picture painted now: the hover picture while hovering, else the normal one.
    ::corvane::Picture Picture() const { return m_core.CurrentPicture(); }
    void setPicture(const ::corvane::Picture& v) { m_core.setPicture(v); }
    qint32 PictureWidth() const { return m_core.PictureWidth(); }
    void setPictureWidth(qint32 v) { m_core.setPictureWidth(v); }
    qint32 PictureHeight() const { return m_core.PictureHeight(); }
    void setPictureHeight(qint32 v) { m_core.setPictureHeight(v); }
    qint32 PictureSize() const { return m_core.PictureSize(); }
    void setPictureSize(qint32 v) { m_core.setPictureSize(v); }
    ::corvane::Picture PictureHover() const { return m_core.PictureHover(); }
    void setPictureHover(const ::corvane::Picture& v) { m_core.setPictureHover(v); }
    quint32 XPColor_Pressed() const { return m_core.XPColor_Pressed(); }
    void setXPColor_Pressed(quint32 v) { m_core.setXPColor_Pressed(v); }
    quint32 XPColor_Hover() const { return m_core.XPColor_Hover(); }
    void setXPColor_Hover(quint32 v) { m_core.setXPColor_Hover(v); }
    bool XPDefaultColors() const { return m_core.XPDefaultColors(); }
    void setXPDefaultColors(bool v) { m_core.setXPDefaultColors(v); }
    quint32 BackColor() const { return m_core.BackColor(); }
    void setBackColor(quint32 v) { m_core.setBackColor(v); }
    quint32 ForeColor() const { return m_core.ForeColor(); }
    void setForeColor(quint32 v) { m_core.setForeColor(v); }
    // A dynamically typed value: whatever is given, its text form.
    QVariant SoundOver() const { return QStringOf(m_core.SoundOver()); }
    void setSoundOver(const QVariant& v) { m_core.setSoundOver(v.toString().toStdU16String()); }
    QString SoundClick() const { return QStringOf(m_core.SoundClick()); }
    void setSoundClick(const QString& v) { m_core.setSoundClick(v.toStdU16String()); }
    QString version() const { return QStringLiteral("030102-15"); }
    void setVersion(const QString&) {}  // read only in effect: writes are discarded
    bool DefCurHand() const { return m_core.DefCurHand(); }
    void setDefCurHand(bool v) { m_core.setDefCurHand(v); }
    bool XPShowBorderAlways() const { return m_core.XPShowBorderAlways(); }
    void setXPShowBorderAlways(bool v) { m_core.setXPShowBorderAlways(v); }
    quint32 MaskColor() const { return m_core.MaskColor(); }
    void setMaskColor(quint32 v) { m_core.setMaskColor(v); }
    bool TransparentBG() const { return m_core.TransparentBG(); }
    void setTransparentBG(bool v) { m_core.setTransparentBG(v); }
    qint16 BEVEL() const { return m_core.BEVEL(); }
    void setBEVEL(qint16 v) { m_core.setBEVEL(v); }
    qint16 BEVELDEPTH() const { return m_core.BEVELDEPTH(); }
    void setBEVELDEPTH(qint16 v) { m_core.setBEVELDEPTH(v); }

    // Opens URL as a click does: a "mailto:" link with the mail handler, any other non-empty
    // text with the system's default handler.
    void GoToURL() override;
    // The access key's action (Click, then the link; no sound, no pressed look; nothing while
    // disabled). The access-key shortcuts run it; accessibility's "press" does too.
    void AccessKeyPress();

    // The input machine's state (focus, pressed, hovered, key held).
    ButtonInputFlags flags() const { return m_input.Flags(); }
    // The lower-case access key the caption marks, or the empty text.
    QString AccessKey() const { return m_accessKey; }

    // Rebuilds the whole face into the persistent image and schedules it for the screen.
    void Refresh() override;

signals:
    // Raised to the host. Arguments go by value: the control never reads one back, and by
    // value they also survive queued connections and QSignalSpy.
    void Click();
    void KeyDown(qint16 KeyCode, qint16 Shift);
    void KeyPress(qint16 KeyAscii);
    void KeyUp(qint16 KeyCode, qint16 Shift);
    void MouseDown(qint16 Button, qint16 Shift, float X, float Y);
    void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
    void MouseUp(qint16 Button, qint16 Shift, float X, float Y);
    void MouseIn(qint16 Shift);
    void MouseOut(qint16 Shift);

protected:
    // The host's notice, as UserControl gives it (the core's goes through ButtonXPShell).
    using UserControl::PropertyChanged;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Input (Button_XPInput.cpp): each handler hands its event to the input machine.
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // The resize handler: minimum size, client size, focus rectangle, window shape, repaint.
    void ResizeHandler() override;

private:
    // Tests, the gallery and the benchmark look inside and set the input state through it
    // (tests/support/Button_XPTestAccess.h).
    friend class Button_XPTestAccess;

    // Puts the input machine in the given state and, unless told not to, repaints (input
    // reaches the machine through the event handlers).
    void setFlags(const ButtonInputFlags& New_Flags, bool repaint = true);
    // Hover entry (true): the hover picture becomes current when there is one. Leave (false):
    // the normal picture does. Does not repaint.
    void showHoverPicture(bool hovering) { m_core.showHoverPicture(hovering); }
    // The snapshot one repaint reads.
    ButtonPaintState paintState() const;
    // Whether the 10 ms hover timer runs (only between hover entry and leave).
    bool hoverTimerActive() const;

    void g_Font_FontChanged(const QString& PropertyName);
    void SetAccessKey();
    void SetXPRegion(int w, int h);
    void applyCursor();

    // ButtonXPShell: what the core asks of the widget.
    void PropertyChanged(std::string_view name) override;
    void AccessKeyChanged() override { SetAccessKey(); }
    void CursorChanged() override { applyCursor(); }
    void SurfaceFontChanged() override;
    void LoadFontObject(const FontValue& f) override;
    void LoadEnabled(bool enabled) override;
    FontValue AmbientFont() const override { return Site()->AmbientFont(); }
    std::u16string DisplayName() const override { return Site()->DisplayName().toStdU16String(); }
    double TwipsPerPixelX() const override { return ControlSite::TwipsPerPixelX(); }
    double TwipsPerPixelY() const override { return ControlSite::TwipsPerPixelY(); }

    // Input wiring (Button_XPInput.cpp).
    void SetUpInput();
    // Registers the access key (Alt+letter) and, as the form's default or cancel button,
    // Enter or Esc, replacing what was registered before.
    void GrabAccessKeys();
    // ButtonInputHost: what the input machine asks of the control.
    void RaiseClick() override;
    void RaiseKeyDown(qint16 keyCode, qint16 shift) override;
    void RaiseKeyPress(qint16 keyAscii) override;
    void RaiseKeyUp(qint16 keyCode, qint16 shift) override;
    void RaiseMouseDown(qint16 button, qint16 shift, float x, float y) override;
    void RaiseMouseMove(qint16 button, qint16 shift, float x, float y) override;
    void RaiseMouseUp(qint16 button, qint16 shift, float x, float y) override;
    void RaiseMouseIn(qint16 shift) override;
    void RaiseMouseOut(qint16 shift) override;
    void PlayClickSound() override;
    void SetHoverTimer(bool on) override;
    void ProcessPendingEvents() override;
    void CaptureMouse() override;
    bool IsEnabled() const override;
    int Width() const override;
    int Height() const override;
    bool PointerIsOverSurface() const override;
    void ShowHoverPicture() override;
    void ShowNormalPicture() override;

    ButtonXPCore m_core{*this};

    // The surface's font resolved by Qt.
    QFont m_surfaceQFont;
    ::corvane::Font m_faceFont;      // the same for the painter
    QImage m_image;                  // the persistent image
    mutable QImage m_containerCopy;  // the container's picture, converted when it must be
    QString m_accessKey;
    bool m_settingEnabled = false;      // our own QWidget::setEnabled call is running
    bool m_settingSurfaceFont = false;  // our own QWidget::setFont call is running
    bool m_knownEnabled = true;         // Enabled as last reported
    quint64 m_refreshCount = 0;
    StdFont* g_Font = nullptr;

    // Input: the machine holds g_HasFocus, g_Pressed, g_MouseOver, g_KeyHeld and the last
    // mouse press; OverTimer polls for the hover leave.
    ButtonInput m_input{*this};
    DoubleClickPairing m_doubleClick;
    bool m_pointerLeft = false;  // a leave reported since the pointer was last seen here
    QTimer* OverTimer = nullptr;
    QList<int> m_shortcutIds;

    QRegion g_Region;
};

}  // namespace corvane
