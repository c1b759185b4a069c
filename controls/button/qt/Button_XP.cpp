#include "controls/button/qt/Button_XP.h"

#include <QCursor>
#include <QEvent>
#include <QPainter>
#include <QPixmap>

#include <limits>

#include "controls/button/AccessKey.h"
#include "controls/button/XPLook.h"
#include "controls/button/qt/Button_XPAccessible.h"
#include "controls/button/qt/QtButtonFace.h"
#include "controls/draw/qt/QtText.h"
#include "controls/host/BackgroundPicture.h"
#include "controls/host/qt/QtPicture.h"
#include "controls/host/qt/QtSystemColours.h"

namespace corvane {

Button_XP::Button_XP(ControlSite* site, QWidget* parent) : UserControl(site, parent) {
    g_Font = new StdFont(this);
    connect(g_Font, &StdFont::FontChanged, this, &Button_XP::g_Font_FontChanged);
    m_surfaceQFont = QFontOf(m_surfaceFont);
    m_faceFont = FontOf(m_surfaceQFont);
    connect(Site(), &ControlSite::ambientChanged, this, [this](const QString&) { Refresh(); });
    applyCursor();
    SetUpInput();
    InstallButton_XPAccessibility();
}

Button_XP::~Button_XP() = default;

// --- Property setters ---

void Button_XP::setEnabled(bool New_Enabled) {
    m_settingEnabled = true;
    QWidget::setEnabled(New_Enabled);
    m_settingEnabled = false;
    m_knownEnabled = Enabled();
    PropertyChanged(QStringLiteral("Enabled"));
    Refresh();
}

bool Button_XP::setFont(const StdFont* New_Font, QString* error) {
    if (!New_Font) {
        if (error) {
            *error = QStringLiteral("Font: no font was given; the font is unchanged");
        }
        return false;
    }
    // Copy the values first: New_Font may be g_Font itself.
    const FontValue v = New_Font->value();
    g_Font->setName(QString::fromStdU16String(v.name));
    g_Font->setSize(v.size);
    g_Font->setBold(v.bold);
    g_Font->setItalic(v.italic);
    g_Font->setUnderline(v.underline);
    g_Font->setStrikethrough(v.strikethrough);
    PropertyChanged(QStringLiteral("Font"));
    return true;
}

void Button_XP::setFont(const FontValue& New_Font) {
    const StdFont tmp(New_Font);
    setFont(&tmp);
}

bool Button_XP::setMousePointer(qint32 New_MousePointer, QString* error) {
    if (New_MousePointer < std::numeric_limits<qint16>::min() ||
        New_MousePointer > std::numeric_limits<qint16>::max()) {
        if (error) {
            *error = QStringLiteral(
                         "MousePointer: %1 overflows the 16-bit range -32768..32767; "
                         "the pointer is unchanged")
                         .arg(New_MousePointer);
        }
        return false;
    }
    m_mousePointer = static_cast<qint16>(New_MousePointer);
    applyCursor();
    PropertyChanged(QStringLiteral("MousePointer"));
    return true;
}

void Button_XP::setMouseIcon(const ::corvane::Picture& New_MouseIcon) {
    m_mouseIcon = New_MouseIcon;
    applyCursor();
    PropertyChanged(QStringLiteral("MouseIcon"));
}

void Button_XP::setShowFocusRect(bool New_ShowFocusRect) {
    g_ShowFocusRect = New_ShowFocusRect;
    PropertyChanged(QStringLiteral("ShowFocusRect"));
    Refresh();
}

void Button_XP::setURL(const QString& New_URL) {
    g_URL = New_URL;
    PropertyChanged(QStringLiteral("URL"));
}

void Button_XP::setCaption(const QString& New_Caption) {
    g_Caption = New_Caption;
    PropertyChanged(QStringLiteral("Caption"));
    SetAccessKey();
    Refresh();
}

void Button_XP::setButtonStyle(qint32 New_ButtonStyle) {
    g_ButtonStyle = New_ButtonStyle;
    PropertyChanged(QStringLiteral("ButtonStyle"));
    if (AsFaceStyle(New_ButtonStyle) == FaceStyle::XP) {
        setTransparentBG(false);
    }
    ResizeHandler();
}

void Button_XP::setPicturePosition(qint32 New_PicturePosition) {
    g_PicturePosition = New_PicturePosition;
    PropertyChanged(QStringLiteral("PicturePosition"));
    Refresh();
}

void Button_XP::setPicture(const ::corvane::Picture& New_Picture) {
    g_CurrentPicture = New_Picture;
    g_Picture = New_Picture;
    if (New_Picture.isNone()) {
        g_OriginalPicSizeW = 32;
        g_OriginalPicSizeH = 32;
    } else {
        g_OriginalPicSizeW = ::corvane::Picture::himetricToPixels(New_Picture.himetricWidth(),
                                                                  ControlSite::TwipsPerPixelX());
        g_OriginalPicSizeH = ::corvane::Picture::himetricToPixels(New_Picture.himetricHeight(),
                                                                  ControlSite::TwipsPerPixelY());
    }
    PropertyChanged(QStringLiteral("Picture"));
    if (AsPictureSizing(g_PictureSize) == PictureSizing::Natural) {
        g_PictureWidth = g_OriginalPicSizeW;
        g_PictureHeight = g_OriginalPicSizeH;
    }
    Refresh();
}

void Button_XP::setPictureWidth(qint32 New_PictureWidth) {
    g_PictureWidth = New_PictureWidth;
    PropertyChanged(QStringLiteral("PictureWidth"));
    Refresh();
}

void Button_XP::setPictureHeight(qint32 New_PictureHeight) {
    g_PictureHeight = New_PictureHeight;
    PropertyChanged(QStringLiteral("PictureHeight"));
    Refresh();
}

void Button_XP::setPictureSize(qint32 New_PictureSize) {
    g_PictureSize = New_PictureSize;
    PropertyChanged(QStringLiteral("PictureSize"));
    switch (AsPictureSizing(New_PictureSize)) {
        case PictureSizing::Small:
            g_PictureWidth = g_PictureHeight = 16;
            break;
        case PictureSizing::Large:
            g_PictureWidth = g_PictureHeight = 32;
            break;
        case PictureSizing::Natural:
            if (g_CurrentPicture.isNone()) {
                g_PictureWidth = g_PictureHeight = 32;
            } else {
                g_PictureWidth = g_OriginalPicSizeW;
                g_PictureHeight = g_OriginalPicSizeH;
            }
            break;
        default:  // keeps the drawn size as it is
            break;
    }
    Refresh();
}

void Button_XP::setPictureHover(const ::corvane::Picture& New_PictureHover) {
    g_PictureHover = New_PictureHover;
    PropertyChanged(QStringLiteral("PictureHover"));
}

void Button_XP::setXPColor_Pressed(quint32 New_XPColor_Pressed) {
    g_XPColor_Pressed = New_XPColor_Pressed;
    PropertyChanged(QStringLiteral("XPColor_Pressed"));
}

void Button_XP::setXPColor_Hover(quint32 New_XPColor_Hover) {
    g_XPColor_Hover = New_XPColor_Hover;
    PropertyChanged(QStringLiteral("XPColor_Hover"));
}

void Button_XP::setXPDefaultColors(bool New_XPDefaultColors) {
    g_XPDefaultColors = New_XPDefaultColors;
    PropertyChanged(QStringLiteral("XPDefaultColors"));
}

void Button_XP::setBackColor(quint32 New_BackColor) {
    g_BackColor = New_BackColor;
    PropertyChanged(QStringLiteral("BackColor"));
    setSurfaceBackColor(New_BackColor);
    Refresh();
}

void Button_XP::setForeColor(quint32 New_ForeColor) {
    g_ForeColor = New_ForeColor;
    PropertyChanged(QStringLiteral("ForeColor"));
    Refresh();
}

void Button_XP::setSoundOver(const QVariant& New_SoundOver) {
    g_SoundOver = New_SoundOver.toString();
    PropertyChanged(QStringLiteral("SoundOver"));
}

void Button_XP::setSoundClick(const QString& New_SoundClick) {
    g_SoundClick = New_SoundClick;
    PropertyChanged(QStringLiteral("SoundClick"));
}

void Button_XP::setDefCurHand(bool New_DefCurHand) {
    g_DefCurHand = New_DefCurHand;
    PropertyChanged(QStringLiteral("DefCurHand"));
}

void Button_XP::setXPShowBorderAlways(bool New_XPShowBorderAlways) {
    g_XPShowBorderAlways = New_XPShowBorderAlways;
    PropertyChanged(QStringLiteral("XPShowBorderAlways"));
}

void Button_XP::setMaskColor(quint32 New_MaskColor) {
    g_MaskColor = New_MaskColor;
    PropertyChanged(QStringLiteral("MaskColor"));
    Refresh();
}

void Button_XP::setTransparentBG(bool New_TransparentBG) {
    g_TransparentBG = New_TransparentBG;
    PropertyChanged(QStringLiteral("TransparentBG"));
    Refresh();
}

void Button_XP::setBEVEL(qint16 New_BEVEL) {
    g_BEVEL = New_BEVEL;
    PropertyChanged(QStringLiteral("BEVEL"));
    Refresh();
}

void Button_XP::setBEVELDEPTH(qint16 New_BEVELDEPTH) {
    g_BEVELDEPTH = New_BEVELDEPTH;
    PropertyChanged(QStringLiteral("BEVELDEPTH"));
    Refresh();
}

// --- State flags ---

void Button_XP::setFlags(const ButtonInputFlags& New_Flags, bool repaint) {
    m_input.SetFlags(New_Flags);
    if (repaint) {
        Refresh();
    }
}

void Button_XP::showHoverPicture(bool hovering) {
    if (!hovering) {
        g_CurrentPicture = g_Picture;
    } else if (!g_PictureHover.isNone()) {
        g_CurrentPicture = g_PictureHover;
    }
}

// --- Surface ---

void Button_XP::g_Font_FontChanged(const QString& PropertyName) {
    Q_UNUSED(PropertyName);
    setSurfaceFont(g_Font->value());
    Refresh();
}

void Button_XP::setSurfaceFont(const FontValue& f) {
    m_surfaceFont = f;
    m_surfaceQFont = QFontOf(f);
    m_faceFont = FontOf(m_surfaceQFont);
    m_settingSurfaceFont = true;
    QWidget::setFont(m_surfaceQFont);
    m_settingSurfaceFont = false;
}

void Button_XP::setSurfaceBackColor(quint32 colour) {
    m_surfaceBackColor = colour;
}

void Button_XP::SetAccessKey() {
    // Lower case by Qt's rules, for all of Unicode.
    m_accessKey = QStringOf(ParseAccessKey(TextOf(g_Caption))).toLower();
    GrabAccessKeys();
}

void Button_XP::applyCursor() {
    // The classic pointer numbers, mapped onto Qt's shapes; PointerShape::Custom shows MouseIcon.
    static const Qt::CursorShape kShapes[] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
    if (m_mousePointer == static_cast<qint16>(PointerShape::Custom) &&
        !QImageOf(m_mouseIcon).isNull()) {
        setCursor(QCursor(QPixmap::fromImage(QImageOf(m_mouseIcon))));
    } else if (m_mousePointer > 0 && m_mousePointer < 16) {
        setCursor(kShapes[m_mousePointer]);
    } else {
        unsetCursor();
    }
}

// --- Painting ---

ButtonPaintState Button_XP::paintState() const {
    ButtonPaintState s;
    s.width = g_ClientW;
    s.height = g_ClientH;
    s.focusRect = g_FocusRect;
    s.buttonStyle = AsFaceStyle(g_ButtonStyle);
    s.transparentBG = g_TransparentBG;
    s.showFocusRect = g_ShowFocusRect;
    s.xpShowBorderAlways = g_XPShowBorderAlways;
    s.xpDefaultColors = g_XPDefaultColors;
    s.backColor = g_BackColor;
    s.foreColor = g_ForeColor;
    s.xpColorPressed = g_XPColor_Pressed;
    s.xpColorHover = g_XPColor_Hover;
    s.bevel = g_BEVEL;
    s.bevelDepth = g_BEVELDEPTH;
    s.surfaceBackColor = m_surfaceBackColor;
    // The machine's flags as they are now: it changes some without asking for a repaint.
    s.flags = m_input.Flags();
    s.enabled = isEnabled();
    s.userMode = Site()->UserMode();
    s.isDefault = Site()->Default();
    s.caption = TextOf(g_Caption);
    s.font = m_faceFont;
    SetFacePicture(s, g_CurrentPicture);
    s.pictureWidth = g_PictureWidth;
    s.pictureHeight = g_PictureHeight;
    s.originalPicWidth = g_OriginalPicSizeW;
    s.originalPicHeight = g_OriginalPicSizeH;
    s.picturePosition = AsPictureSide(g_PicturePosition);
    s.maskColor = g_MaskColor;
    s.previousLayout = m_layout;
    if (g_TransparentBG) {
        if (const QImage* picture = ContainerBackgroundPicture(parentWidget())) {
            s.containerPicture = StraightView(*picture, m_containerCopy);
            s.containerOpaque = !picture->hasAlphaChannel();
        }
        s.position = {x(), y()};
    }
    s.palette = PaletteOf(palette());
    s.devicePixelRatio = devicePixelRatioF();
    return s;
}

void Button_XP::Refresh() {
    const RefreshResult r = RefreshFace(m_image, paintState());
    m_layout = r.layout;
    m_surfaceBackColor = r.surfaceBackColor;
    ++m_refreshCount;
    update();
}

void Button_XP::ResizeHandler() {
    // Never smaller than 150 twips (10 pixels at 15 twips per pixel) either way.
    int w = width();
    int h = height();
    if (w < 10) {
        w = qRound(150.0 / ControlSite::TwipsPerPixelX());
    }
    if (h < 10) {
        h = qRound(150.0 / ControlSite::TwipsPerPixelY());
    }
    if (w != width() || h != height()) {
        resize(w, h);
    }
    g_ClientW = w;
    g_ClientH = h;
    g_FocusRect = {4, 4, w - 4, h - 4};
    g_Region = QRegion();
    if (AsFaceStyle(g_ButtonStyle) == FaceStyle::XP) {
        SetXPRegion();
    } else {
        // The shape belongs to the XP look alone: any other style gets its full rectangle
        // back (a stale shape would also clip the button to its old size).
        clearMask();
    }
    Refresh();
}

void Button_XP::SetXPRegion() {
    g_Region = RegionOf(XPRegion(g_ClientW, g_ClientH));
    setMask(g_Region);
}

void Button_XP::paintEvent(QPaintEvent*) {
    // The face is built for one device-pixel ratio; on a screen with another (the window moved,
    // or the screen's scale changed) it is rebuilt rather than scaled.
    if (m_image.devicePixelRatio() != devicePixelRatioF()) {
        Refresh();
    }
    QPainter p(this);
    p.drawImage(QPoint(0, 0), m_image);
}

void Button_XP::resizeEvent(QResizeEvent*) {
    ResizeHandler();
}

void Button_XP::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !m_settingEnabled) {
        // A container enabling or disabling us changes the caption's look; a QWidget::setEnabled
        // through a QWidget pointer changes the property itself.
        if (Enabled() != m_knownEnabled) {
            m_knownEnabled = Enabled();
            PropertyChanged(QStringLiteral("Enabled"));
        }
        Refresh();
    } else if (event->type() == QEvent::FontChange && !m_settingSurfaceFont) {
        // QWidget::setFont from outside: the font becomes the Font property, unless it only
        // changed what the property does not hold.
        const FontValue f = FontValueOf(font());
        if (!(f == FontValueOf(m_surfaceQFont))) {
            setFont(f);
        }
    } else if (event->type() == QEvent::PaletteChange) {
        Refresh();  // system colours come from the palette
    }
    UserControl::changeEvent(event);
}

}  // namespace corvane
