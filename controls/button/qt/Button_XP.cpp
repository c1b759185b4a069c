#include "controls/button/qt/Button_XP.h"

#include <QCursor>
#include <QEvent>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>

#include <limits>

#include "controls/button/AccessKey.h"
#include "controls/button/XPLook.h"
#include "controls/button/qt/Button_XPAccessible.h"
#include "controls/button/qt/QtButtonFace.h"
#include "controls/draw/qt/QtText.h"
#include "controls/host/qt/BackgroundPicture.h"
#include "controls/host/qt/QtPicture.h"
#include "controls/host/qt/QtSystemColours.h"

namespace corvane {

Button_XP::Button_XP(ControlSite* site, QWidget* parent) : UserControl(site, parent) {
    g_Font = new StdFont(this);
    connect(g_Font, &StdFont::FontChanged, this, &Button_XP::g_Font_FontChanged);
    m_surfaceQFont = QFontOf(m_core.surfaceFont());
    m_faceFont = FontOf(m_surfaceQFont);
    connect(Site(), &ControlSite::ambientChanged, this, [this](const QString&) { Refresh(); });
    applyCursor();
    SetUpInput();
    InstallButton_XPAccessibility();
}

Button_XP::~Button_XP() = default;

void Button_XP::InitProperties() {
    m_core.InitProperties();
}

void Button_XP::ReadProperties(const PropertyBag& bag) {
    m_core.ReadProperties(bag);
}

void Button_XP::WriteProperties(PropertyBag& bag) const {
    m_core.WriteProperties(bag);
}

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
    return m_core.setMousePointer(New_MousePointer);
}

// --- State flags ---

void Button_XP::setFlags(const ButtonInputFlags& New_Flags, bool repaint) {
    m_input.SetFlags(New_Flags);
    if (repaint) {
        Refresh();
    }
}

// --- Surface ---

void Button_XP::g_Font_FontChanged(const QString& PropertyName) {
    Q_UNUSED(PropertyName);
    m_core.setSurfaceFont(g_Font->value());
    Refresh();
}

void Button_XP::SurfaceFontChanged() {
    m_surfaceQFont = QFontOf(m_core.surfaceFont());
    m_faceFont = FontOf(m_surfaceQFont);
    m_settingSurfaceFont = true;
    QWidget::setFont(m_surfaceQFont);
    m_settingSurfaceFont = false;
}

// g_Font follows a new value without reporting it: a new instance and a load repaint once at
// their end, not per attribute.
void Button_XP::LoadFontObject(const FontValue& f) {
    const QSignalBlocker block(g_Font);
    g_Font->assign(f);
}

void Button_XP::LoadEnabled(bool enabled) {
    m_settingEnabled = true;
    QWidget::setEnabled(enabled);
    m_settingEnabled = false;
    m_knownEnabled = Enabled();
}

void Button_XP::PropertyChanged(std::string_view name) {
    UserControl::PropertyChanged(
        QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

void Button_XP::SetAccessKey() {
    // Lower case by Qt's rules, for all of Unicode.
    m_accessKey = QStringOf(ParseAccessKey(m_core.Caption())).toLower();
    GrabAccessKeys();
}

void Button_XP::applyCursor() {
    // The classic pointer numbers, mapped onto Qt's shapes; PointerShape::Custom shows MouseIcon.
    static const Qt::CursorShape kShapes[] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
    const qint16 pointer = m_core.MousePointer();
    if (pointer == static_cast<qint16>(PointerShape::Custom) &&
        !QImageOf(m_core.MouseIcon()).isNull()) {
        setCursor(QCursor(QPixmap::fromImage(QImageOf(m_core.MouseIcon()))));
    } else if (pointer > 0 && pointer < 16) {
        setCursor(kShapes[pointer]);
    } else {
        unsetCursor();
    }
}

// --- Painting ---

ButtonPaintState Button_XP::paintState() const {
    ButtonShellFacts f;
    // The machine's flags as they are now: it changes some without asking for a repaint.
    f.flags = m_input.Flags();
    f.enabled = isEnabled();
    f.userMode = Site()->UserMode();
    f.isDefault = Site()->Default();
    f.font = m_faceFont;
    if (m_core.TransparentBG()) {
        if (const QImage* picture = ContainerBackgroundPicture(parentWidget())) {
            f.containerPicture = StraightView(*picture, m_containerCopy);
            f.containerOpaque = !picture->hasAlphaChannel();
        }
        f.position = {x(), y()};
    }
    f.palette = PaletteOf(palette());
    f.devicePixelRatio = devicePixelRatioF();
    return m_core.paintState(f);
}

void Button_XP::Refresh() {
    m_core.painted(RefreshFace(m_image, paintState()));
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
    m_core.setClientSize(w, h);
    g_Region = QRegion();
    if (AsFaceStyle(m_core.ButtonStyle()) == FaceStyle::XP) {
        SetXPRegion(w, h);
    } else {
        // The shape belongs to the XP look alone: any other style gets its full rectangle
        // back (a stale shape would also clip the button to its old size).
        clearMask();
    }
    Refresh();
}

void Button_XP::SetXPRegion(int w, int h) {
    g_Region = RegionOf(XPRegion(w, h));
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
