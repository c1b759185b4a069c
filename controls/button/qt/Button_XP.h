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
#include "controls/draw/Rect.h"
#include "controls/draw/TextRenderer.h"
#include "controls/host/qt/StdFont.h"
#include "controls/host/Picture.h"
#include "controls/host/SystemColours.h"
#include "controls/host/UserControl.h"

class QTimer;

namespace corvane {

// The owner-drawn push button: five styles (0 raised, 1 flat until hovered, 2 highlight on
// hover, 3 the XP look, 4 no border), a picture beside the caption, a stored property set.
// Every change repaints the whole face into a persistent image; paintEvent only copies it.
//
// Properties have a getter named as the property and a setter set<Property>(New_<Property>)
// that stores, tells the host (ControlSite::PropertyChanged) and repaints where the look
// depends on it. Input goes to a ButtonInput machine, which owns the state flags; the widget
// only feeds it Qt's events (Button_XPInput.cpp) and carries out what it asks.
class Button_XP : public UserControl, private ButtonInputHost {
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
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
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

    qint32 MousePointer() const { return m_mousePointer; }
    // The value must fit in 16 bits: otherwise returns false with an overflow message in
    // `error` and nothing changes.
    bool setMousePointer(qint32 New_MousePointer, QString* error = nullptr);
    ::corvane::Picture MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const ::corvane::Picture& New_MouseIcon);

    bool ShowFocusRect() const { return g_ShowFocusRect; }
    void setShowFocusRect(bool New_ShowFocusRect);
    QString URL() const { return g_URL; }
    void setURL(const QString& New_URL);
    QString Caption() const { return g_Caption; }
    void setCaption(const QString& New_Caption);
    qint32 ButtonStyle() const { return g_ButtonStyle; }
    void setButtonStyle(qint32 New_ButtonStyle);
    qint32 PicturePosition() const { return g_PicturePosition; }
    void setPicturePosition(qint32 New_PicturePosition);
    // The picture painted now: the hover picture while hovering, else the normal one.
    ::corvane::Picture Picture() const { return g_CurrentPicture; }
    void setPicture(const ::corvane::Picture& New_Picture);
    qint32 PictureWidth() const { return g_PictureWidth; }
    void setPictureWidth(qint32 New_PictureWidth);
    qint32 PictureHeight() const { return g_PictureHeight; }
    void setPictureHeight(qint32 New_PictureHeight);
    qint32 PictureSize() const { return g_PictureSize; }
    void setPictureSize(qint32 New_PictureSize);
    ::corvane::Picture PictureHover() const { return g_PictureHover; }
    void setPictureHover(const ::corvane::Picture& New_PictureHover);
    quint32 XPColor_Pressed() const { return g_XPColor_Pressed; }
    void setXPColor_Pressed(quint32 New_XPColor_Pressed);
    quint32 XPColor_Hover() const { return g_XPColor_Hover; }
    void setXPColor_Hover(quint32 New_XPColor_Hover);
    bool XPDefaultColors() const { return g_XPDefaultColors; }
    void setXPDefaultColors(bool New_XPDefaultColors);
    quint32 BackColor() const { return g_BackColor; }
    void setBackColor(quint32 New_BackColor);
    quint32 ForeColor() const { return g_ForeColor; }
    void setForeColor(quint32 New_ForeColor);
    QVariant SoundOver() const { return g_SoundOver; }
    void setSoundOver(const QVariant& New_SoundOver);
    QString SoundClick() const { return g_SoundClick; }
    void setSoundClick(const QString& New_SoundClick);
    QString version() const { return QStringLiteral("030102-15"); }
    void setVersion(const QString&) {}  // read only in effect: writes are discarded
    bool DefCurHand() const { return g_DefCurHand; }
    void setDefCurHand(bool New_DefCurHand);
    bool XPShowBorderAlways() const { return g_XPShowBorderAlways; }
    void setXPShowBorderAlways(bool New_XPShowBorderAlways);
    quint32 MaskColor() const { return g_MaskColor; }
    void setMaskColor(quint32 New_MaskColor);
    bool TransparentBG() const { return g_TransparentBG; }
    void setTransparentBG(bool New_TransparentBG);
    qint16 BEVEL() const { return g_BEVEL; }
    void setBEVEL(qint16 New_BEVEL);
    qint16 BEVELDEPTH() const { return g_BEVELDEPTH; }
    void setBEVELDEPTH(qint16 New_BEVELDEPTH);

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
    void ResizeHandler();

private:
    struct Properties;  // the stored properties' table (Button_XPPersistence.cpp)
    // Tests, the gallery and the benchmark look inside and set the input state through it
    // (tests/support/Button_XPTestAccess.h).
    friend class Button_XPTestAccess;

    // Puts the input machine in the given state and, unless told not to, repaints (input
    // reaches the machine through the event handlers).
    void setFlags(const ButtonInputFlags& New_Flags, bool repaint = true);
    // Hover entry (true): the hover picture becomes current when there is one. Leave (false):
    // the normal picture does. Does not repaint.
    void showHoverPicture(bool hovering);
    // The snapshot one repaint reads.
    ButtonPaintState paintState() const;
    // Whether the 10 ms hover timer runs (only between hover entry and leave).
    bool hoverTimerActive() const;

    void g_Font_FontChanged(const QString& PropertyName);
    void setSurfaceFont(const FontValue& f);
    void setSurfaceBackColor(quint32 colour);
    void SetAccessKey();
    void SetXPRegion();
    void applyCursor();
    void readFontSilently(const FontValue& f);

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

    // Surface settings the control uses directly.
    quint32 m_surfaceBackColor = SysColour::ButtonFace;
    FontValue m_surfaceFont;
    QFont m_surfaceQFont;
    ::corvane::Font m_faceFont;  // the same for the painter
    qint16 m_mousePointer = static_cast<qint16>(PointerShape::Custom);
    ::corvane::Picture m_mouseIcon;
    QImage m_image;                  // the persistent image
    mutable QImage m_containerCopy;  // the container's picture, converted when it must be
    QString m_accessKey;
    bool m_settingEnabled = false;      // our own QWidget::setEnabled call is running
    bool m_settingSurfaceFont = false;  // our own QWidget::setFont call is running
    bool m_knownEnabled = true;         // Enabled as last reported
    quint64 m_refreshCount = 0;

    // Per-instance fields behind the properties. They start zeroed, as a fresh instance's do;
    // their defaults live in one place, the table that InitProperties and ReadProperties walk.
    StdFont* g_Font = nullptr;
    QString g_Caption;
    qint32 g_PicturePosition = 0;
    qint32 g_ButtonStyle = 0;
    ::corvane::Picture g_Picture;
    ::corvane::Picture g_PictureHover;
    ::corvane::Picture g_CurrentPicture;
    qint32 g_PictureWidth = 0;
    qint32 g_PictureHeight = 0;
    qint32 g_PictureSize = 0;
    qint32 g_OriginalPicSizeW = 0;
    qint32 g_OriginalPicSizeH = 0;
    QString g_URL;
    bool g_ShowFocusRect = false;
    bool g_TransparentBG = false;
    bool g_XPShowBorderAlways = false;
    bool g_DefCurHand = false;
    bool g_XPDefaultColors = false;
    qint16 g_BEVEL = 0;
    qint16 g_BEVELDEPTH = 0;
    quint32 g_BackColor = 0;
    quint32 g_ForeColor = 0;
    quint32 g_MaskColor = 0;
    quint32 g_XPColor_Pressed = 0;
    quint32 g_XPColor_Hover = 0;
    QString g_SoundOver;
    QString g_SoundClick;

    // Input: the machine holds g_HasFocus, g_Pressed, g_MouseOver, g_KeyHeld and the last
    // mouse press; OverTimer polls for the hover leave.
    ButtonInput m_input{*this};
    DoubleClickPairing m_doubleClick;
    bool m_pointerLeft = false;  // a leave reported since the pointer was last seen here
    QTimer* OverTimer = nullptr;
    QList<int> m_shortcutIds;

    // Painting state kept between repaints.
    int g_ClientW = 0;
    int g_ClientH = 0;
    Rect g_FocusRect;
    ButtonLayout m_layout;
    QRegion g_Region;
};

}  // namespace corvane
