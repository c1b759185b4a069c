// The life cycle of a Button_XP: a new instance's defaults, loading and saving its stored
// property set.
#include <QSignalBlocker>
#include <QtDebug>

#include <limits>

#include "controls/button/AccessKey.h"
#include "controls/button/Button_XP.h"

namespace corvane {

namespace {

const QString kSoundOver = QStringLiteral(".\\resources\\over.wav");
const QString kSoundClick = QStringLiteral(".\\resources\\click.wav");

QVariant colourVar(quint32 c) {
    return QVariant::fromValue(OleColour{c});
}
QVariant pictureVar(const Picture& p) {
    return QVariant::fromValue(p);
}
QVariant fontVar(const FontValue& f) {
    return QVariant::fromValue(f);
}

quint32 readColour(const PropertyBag& bag, const char* key, quint32 absent) {
    return bag.readAs<OleColour>(QLatin1String(key), OleColour{absent}).value;
}

// A stored 16-bit value that does not fit is refused with a warning; the absent value
// stands in for it.
qint16 read16(const PropertyBag& bag, const char* key, qint16 absent) {
    const qint32 v = bag.readAs<qint32>(QLatin1String(key), absent);
    if (v < std::numeric_limits<qint16>::min() || v > std::numeric_limits<qint16>::max()) {
        qWarning("Button_XP: stored %s %d does not fit in 16 bits; using %d", key, v, absent);
        return absent;
    }
    return static_cast<qint16>(v);
}

using PictureValue = ::corvane::Picture;

}  // namespace

// g_Font follows a new value without reporting it: a new instance and a load repaint once at
// their end, not per attribute.
void Button_XP::readFontSilently(const FontValue& f) {
    const QSignalBlocker block(g_Font);
    g_Font->assign(f);
}

void Button_XP::InitProperties() {
    g_BackColor = SysColour::ButtonFace;
    g_ForeColor = SysColour::ButtonText;
    g_ShowFocusRect = true;
    setSurfaceFont(Site()->AmbientFont());
    readFontSilently(Site()->AmbientFont());
    g_Caption = Site()->DisplayName();
    g_PicturePosition = 1;
    g_ButtonStyle = 2;
    g_PictureWidth = 32;
    g_PictureHeight = 32;
    g_PictureSize = 1;
    g_PictureHover = PictureValue::empty();
    g_Picture = PictureValue::empty();
    g_URL.clear();
    g_XPColor_Pressed = SysColour::ButtonHighlight;
    g_XPColor_Hover = SysColour::Light3D;
    g_XPDefaultColors = true;
    g_SoundOver = kSoundOver;
    g_SoundClick = kSoundClick;
    g_DefCurHand = false;
    g_XPShowBorderAlways = false;
    g_TransparentBG = false;
    g_MaskColor = 0;
    g_BEVEL = 1;
    g_BEVELDEPTH = 8;
    // g_CurrentPicture and the natural picture size stay unassigned, and nothing repaints.
}

void Button_XP::ReadProperties(const PropertyBag& bag) {
    const FontValue ambient = Site()->AmbientFont();
    g_BackColor = readColour(bag, "BackColor", SysColour::ButtonFace);
    setSurfaceBackColor(g_BackColor);
    g_ForeColor = readColour(bag, "ForeColor", SysColour::ButtonText);
    g_ShowFocusRect = bag.readAs<bool>(QStringLiteral("ShowFocusRect"), true);
    g_Caption = bag.readAs<QString>(QStringLiteral("Caption"), Site()->DisplayName());
    g_PicturePosition = bag.readAs<qint32>(QStringLiteral("PicturePosition"), 1);
    g_ButtonStyle = bag.readAs<qint32>(QStringLiteral("ButtonStyle"), 2);
    g_CurrentPicture = bag.readAs<PictureValue>(QStringLiteral("Picture"), PictureValue::none());
    g_PictureWidth = bag.readAs<qint32>(QStringLiteral("PictureWidth"), 32);
    g_PictureHeight = bag.readAs<qint32>(QStringLiteral("PictureHeight"), 32);
    g_PictureSize = bag.readAs<qint32>(QStringLiteral("PictureSize"), 1);
    g_OriginalPicSizeW = bag.readAs<qint32>(QStringLiteral("OriginalPicSizeW"), 32);
    g_OriginalPicSizeH = bag.readAs<qint32>(QStringLiteral("OriginalPicSizeH"), 32);
    setSurfaceFont(bag.readAs<FontValue>(QStringLiteral("Font"), ambient));
    readFontSilently(bag.readAs<FontValue>(QStringLiteral("Font"), ambient));
    g_PictureHover = bag.readAs<PictureValue>(QStringLiteral("PictureHover"), PictureValue::none());
    g_Picture = bag.readAs<PictureValue>(QStringLiteral("Picture"), PictureValue::none());
    setMouseIcon(bag.readAs<PictureValue>(QStringLiteral("MouseIcon"), PictureValue::none()));
    m_settingEnabled = true;
    QWidget::setEnabled(bag.readAs<bool>(QStringLiteral("Enabled"), true));
    m_settingEnabled = false;
    m_mousePointer = read16(bag, "MousePointer", 0);
    applyCursor();
    g_URL = bag.readAs<QString>(QStringLiteral("URL"), QString());
    g_XPColor_Pressed = readColour(bag, "XPColor_Pressed", SysColour::ButtonHighlight);
    g_XPColor_Hover = readColour(bag, "XPColor_Hover", SysColour::Light3D);
    g_XPDefaultColors = bag.readAs<bool>(QStringLiteral("XPDefaultColors"), true);
    // SoundOver is a dynamically typed value: whatever is stored, its text form.
    g_SoundOver = bag.read(QStringLiteral("SoundOver"), kSoundOver).toString();
    g_SoundClick = bag.readAs<QString>(QStringLiteral("SoundClick"), kSoundClick);
    g_DefCurHand = bag.readAs<bool>(QStringLiteral("DefCurHand"), false);
    g_XPShowBorderAlways = bag.readAs<bool>(QStringLiteral("XPShowBorderAlways"), false);
    g_MaskColor = readColour(bag, "MaskColor", 0);
    g_TransparentBG = bag.readAs<bool>(QStringLiteral("TransparentBG"), false);
    g_BEVEL = read16(bag, "BEVEL", 1);
    g_BEVELDEPTH = read16(bag, "BEVELDEPTH", 8);
    SetAccessKey();
    ResizeHandler();
}

void Button_XP::WriteProperties(PropertyBag& bag) const {
    const FontValue ambient = Site()->AmbientFont();
    bag.write(QStringLiteral("Caption"), g_Caption, Site()->DisplayName());
    bag.write(QStringLiteral("PicturePosition"), g_PicturePosition, 1);
    bag.write(QStringLiteral("ButtonStyle"), g_ButtonStyle, 2);
    bag.write(QStringLiteral("Picture"), pictureVar(g_CurrentPicture),
              pictureVar(PictureValue::none()));
    bag.write(QStringLiteral("PictureWidth"), g_PictureWidth, 32);
    bag.write(QStringLiteral("PictureHeight"), g_PictureHeight, 32);
    bag.write(QStringLiteral("PictureSize"), g_PictureSize, 1);
    bag.write(QStringLiteral("OriginalPicSizeW"), g_OriginalPicSizeW, 32);
    bag.write(QStringLiteral("OriginalPicSizeH"), g_OriginalPicSizeH, 32);
    bag.write(QStringLiteral("PictureHover"), pictureVar(g_PictureHover),
              pictureVar(PictureValue::none()));
    bag.write(QStringLiteral("Enabled"), Enabled(), true);
    bag.write(QStringLiteral("Font"), fontVar(m_surfaceFont), fontVar(ambient));
    bag.write(QStringLiteral("MouseIcon"), pictureVar(m_mouseIcon),
              pictureVar(PictureValue::none()));
    bag.write(QStringLiteral("MousePointer"), static_cast<qint32>(m_mousePointer), 0);
    bag.write(QStringLiteral("ShowFocusRect"), g_ShowFocusRect, true);
    bag.write(QStringLiteral("URL"), g_URL, QString());
    bag.write(QStringLiteral("XPColor_Pressed"), colourVar(g_XPColor_Pressed),
              colourVar(SysColour::ButtonHighlight));
    bag.write(QStringLiteral("XPColor_Hover"), colourVar(g_XPColor_Hover),
              colourVar(SysColour::Light3D));
    bag.write(QStringLiteral("XPDefaultColors"), g_XPDefaultColors, true);
    bag.write(QStringLiteral("BackColor"), colourVar(g_BackColor),
              colourVar(SysColour::ButtonFace));
    bag.write(QStringLiteral("ForeColor"), colourVar(g_ForeColor),
              colourVar(SysColour::ButtonText));
    bag.write(QStringLiteral("SoundOver"), g_SoundOver, kSoundOver);
    bag.write(QStringLiteral("SoundClick"), g_SoundClick, kSoundClick);
    bag.write(QStringLiteral("DefCurHand"), g_DefCurHand, false);
    bag.write(QStringLiteral("XPShowBorderAlways"), g_XPShowBorderAlways, false);
    bag.write(QStringLiteral("MaskColor"), colourVar(g_MaskColor), colourVar(0));
    bag.write(QStringLiteral("TransparentBG"), g_TransparentBG, false);
    bag.write(QStringLiteral("BEVEL"), static_cast<qint32>(g_BEVEL), 1);
    bag.write(QStringLiteral("BEVELDEPTH"), static_cast<qint32>(g_BEVELDEPTH), 8);
}

}  // namespace corvane
