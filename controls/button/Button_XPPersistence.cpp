// The life cycle of a Button_XP: a new instance's defaults, loading and saving its stored
// property set, all from one table of its properties.
#include <QSignalBlocker>
#include <QtDebug>

#include <algorithm>
#include <array>
#include <limits>

#include "controls/button/AccessKey.h"
#include "controls/button/Button_XP.h"
#include "controls/host/PropertyTable.h"

namespace corvane {

namespace {

using PictureValue = ::corvane::Picture;
using Row = PropertyRow<Button_XP>;

const QString kSoundOver = QStringLiteral(".\\resources\\over.wav");
const QString kSoundClick = QStringLiteral(".\\resources\\click.wav");

template <auto Value>
QVariant constant(const Button_XP&) {
    return QVariant::fromValue(Value);
}
template <quint32 Colour>
QVariant colour(const Button_XP&) {
    return QVariant::fromValue(OleColour{Colour});
}
QVariant noPicture(const Button_XP&) {
    return QVariant::fromValue(PictureValue::none());
}
QVariant emptyPicture(const Button_XP&) {
    return QVariant::fromValue(PictureValue::empty());
}
QVariant noText(const Button_XP&) {
    return QString();
}

// A key as a template argument, for the rows whose functions name it.
template <std::size_t N>
struct Key {
    constexpr Key(const char (&key)[N]) { std::copy_n(key, N, text); }  // NOLINT: implicit
    char text[N];
};

// A stored 16-bit value that does not fit is refused with a warning; the absent value
// stands in for it.
qint16 fit16(const char* key, const QVariant& v, qint16 absent) {
    const int n = v.toInt();
    if (n < std::numeric_limits<qint16>::min() || n > std::numeric_limits<qint16>::max()) {
        qWarning("Button_XP: stored %s %d does not fit in 16 bits; using %d", key, n, absent);
        return absent;
    }
    return static_cast<qint16>(n);
}

}  // namespace

// The table and its three orders. A friend of the control, so the rows reach its fields.
struct Button_XP::Properties {
    // One row per field a property is stored in, in the order ReadProperties reads them.
    // "BackColor" and "Font" are each read into the property and then into the surface, and
    // "Picture" into the current picture and then the normal one.
    enum Index : int {
        BackColor,
        SurfaceBackColor,
        ForeColor,
        ShowFocusRect,
        Caption,
        PicturePosition,
        ButtonStyle,
        CurrentPicture,
        PictureWidth,
        PictureHeight,
        PictureSize,
        OriginalPicSizeW,
        OriginalPicSizeH,
        SurfaceFont,
        Font,
        PictureHover,
        Picture,
        MouseIcon,
        Enabled,
        MousePointer,
        URL,
        XPColor_Pressed,
        XPColor_Hover,
        XPDefaultColors,
        SoundOver,
        SoundClick,
        DefCurHand,
        XPShowBorderAlways,
        MaskColor,
        TransparentBG,
        BEVEL,
        BEVELDEPTH,
        Count
    };

    // A plain field, stored and saved as it is.
    template <auto Member, QVariant (*Fresh)(const Button_XP&),
              QVariant (*Absent)(const Button_XP&)>
    static constexpr Row field(const char* key) {
        using T = std::remove_cvref_t<decltype(std::declval<Button_XP&>().*Member)>;
        return {key, Fresh, Absent,
                [](const Button_XP& b) { return QVariant::fromValue(b.*Member); },
                [](Button_XP& b, const QVariant& v) { b.*Member = v.value<T>(); }};
    }
    // A colour field: saved tagged as a colour.
    template <quint32 Button_XP::*Member, quint32 Default>
    static constexpr Row colourField(const char* key) {
        return {key, colour<Default>, colour<Default>,
                [](const Button_XP& b) { return QVariant::fromValue(OleColour{b.*Member}); },
                [](Button_XP& b, const QVariant& v) { b.*Member = v.value<OleColour>().value; }};
    }
    // A 16-bit field: saved as a whole number, refused on loading when it does not fit.
    template <Key K, qint16 Button_XP::*Member, qint16 Default>
    static constexpr Row field16() {
        return {K.text, constant<qint32{Default}>, constant<qint32{Default}>,
                [](const Button_XP& b) { return QVariant(static_cast<qint32>(b.*Member)); },
                [](Button_XP& b, const QVariant& v) { b.*Member = fit16(K.text, v, Default); }};
    }

    static QVariant ambientFont(const Button_XP& b) {
        return QVariant::fromValue(b.Site()->AmbientFont());
    }
    static QVariant displayName(const Button_XP& b) { return b.Site()->DisplayName(); }

    static const std::array<Row, Count>& table() {
        using B = Button_XP;
        static const std::array<Row, Count> rows = {{
            colourField<&B::g_BackColor, SysColour::ButtonFace>("BackColor"),
            {"BackColor", nullptr, colour<SysColour::ButtonFace>, nullptr,
             [](B& b, const QVariant& v) { b.setSurfaceBackColor(v.value<OleColour>().value); }},
            colourField<&B::g_ForeColor, SysColour::ButtonText>("ForeColor"),
            field<&B::g_ShowFocusRect, constant<true>, constant<true>>("ShowFocusRect"),
            field<&B::g_Caption, displayName, displayName>("Caption"),
            field<&B::g_PicturePosition, constant<qint32(PictureSide::Left)>,
                  constant<qint32(PictureSide::Left)>>("PicturePosition"),
            field<&B::g_ButtonStyle, constant<qint32(FaceStyle::Highlight)>,
                  constant<qint32(FaceStyle::Highlight)>>("ButtonStyle"),
            field<&B::g_CurrentPicture, nullptr, noPicture>("Picture"),
            field<&B::g_PictureWidth, constant<qint32{32}>, constant<qint32{32}>>("PictureWidth"),
            field<&B::g_PictureHeight, constant<qint32{32}>, constant<qint32{32}>>("PictureHeight"),
            field<&B::g_PictureSize, constant<qint32(PictureSizing::Large)>,
                  constant<qint32(PictureSizing::Large)>>("PictureSize"),
            field<&B::g_OriginalPicSizeW, nullptr, constant<qint32{32}>>("OriginalPicSizeW"),
            field<&B::g_OriginalPicSizeH, nullptr, constant<qint32{32}>>("OriginalPicSizeH"),
            {"Font", ambientFont, ambientFont,
             [](const B& b) { return QVariant::fromValue(b.m_surfaceFont); },
             [](B& b, const QVariant& v) { b.setSurfaceFont(v.value<FontValue>()); }},
            {"Font", ambientFont, ambientFont, nullptr,
             [](B& b, const QVariant& v) { b.readFontSilently(v.value<FontValue>()); }},
            field<&B::g_PictureHover, emptyPicture, noPicture>("PictureHover"),
            {"Picture", emptyPicture, noPicture, nullptr,
             [](B& b, const QVariant& v) { b.g_Picture = v.value<PictureValue>(); }},
            {"MouseIcon", nullptr, noPicture,
             [](const B& b) { return QVariant::fromValue(b.m_mouseIcon); },
             [](B& b, const QVariant& v) { b.setMouseIcon(v.value<PictureValue>()); }},
            {"Enabled", nullptr, constant<true>, [](const B& b) { return QVariant(b.Enabled()); },
             [](B& b, const QVariant& v) {
                 b.m_settingEnabled = true;
                 b.QWidget::setEnabled(v.toBool());
                 b.m_settingEnabled = false;
                 b.m_knownEnabled = b.Enabled();
             }},
            {"MousePointer", nullptr, constant<qint32(PointerShape::Default)>,
             [](const B& b) { return QVariant(static_cast<qint32>(b.m_mousePointer)); },
             [](B& b, const QVariant& v) {
                 b.m_mousePointer =
                     fit16("MousePointer", v, static_cast<qint16>(PointerShape::Default));
                 b.applyCursor();
             }},
            field<&B::g_URL, noText, noText>("URL"),
            colourField<&B::g_XPColor_Pressed, SysColour::ButtonHighlight>("XPColor_Pressed"),
            colourField<&B::g_XPColor_Hover, SysColour::Light3D>("XPColor_Hover"),
            field<&B::g_XPDefaultColors, constant<true>, constant<true>>("XPDefaultColors"),
            // SoundOver is a dynamically typed value: whatever is stored, its text form.
            field<&B::g_SoundOver, soundOver, soundOver>("SoundOver"),
            field<&B::g_SoundClick, soundClick, soundClick>("SoundClick"),
            field<&B::g_DefCurHand, constant<false>, constant<false>>("DefCurHand"),
            field<&B::g_XPShowBorderAlways, constant<false>, constant<false>>("XPShowBorderAlways"),
            colourField<&B::g_MaskColor, 0>("MaskColor"),
            field<&B::g_TransparentBG, constant<false>, constant<false>>("TransparentBG"),
            field16<"BEVEL", &B::g_BEVEL, 1>(),
            field16<"BEVELDEPTH", &B::g_BEVELDEPTH, 8>(),
        }};
        return rows;
    }
    static QVariant soundOver(const Button_XP&) { return kSoundOver; }
    static QVariant soundClick(const Button_XP&) { return kSoundClick; }

    // A new instance: the surface's colours, g_CurrentPicture and the natural picture size
    // are left unassigned.
    static constexpr std::array<Index, 25> kInitOrder = {BackColor,
                                                         ForeColor,
                                                         ShowFocusRect,
                                                         SurfaceFont,
                                                         Font,
                                                         Caption,
                                                         PicturePosition,
                                                         ButtonStyle,
                                                         PictureWidth,
                                                         PictureHeight,
                                                         PictureSize,
                                                         PictureHover,
                                                         Picture,
                                                         URL,
                                                         XPColor_Pressed,
                                                         XPColor_Hover,
                                                         XPDefaultColors,
                                                         SoundOver,
                                                         SoundClick,
                                                         DefCurHand,
                                                         XPShowBorderAlways,
                                                         TransparentBG,
                                                         MaskColor,
                                                         BEVEL,
                                                         BEVELDEPTH};

    static constexpr std::array<Index, 29> kWriteOrder = {Caption,
                                                          PicturePosition,
                                                          ButtonStyle,
                                                          CurrentPicture,
                                                          PictureWidth,
                                                          PictureHeight,
                                                          PictureSize,
                                                          OriginalPicSizeW,
                                                          OriginalPicSizeH,
                                                          PictureHover,
                                                          Enabled,
                                                          SurfaceFont,
                                                          MouseIcon,
                                                          MousePointer,
                                                          ShowFocusRect,
                                                          URL,
                                                          XPColor_Pressed,
                                                          XPColor_Hover,
                                                          XPDefaultColors,
                                                          BackColor,
                                                          ForeColor,
                                                          SoundOver,
                                                          SoundClick,
                                                          DefCurHand,
                                                          XPShowBorderAlways,
                                                          MaskColor,
                                                          TransparentBG,
                                                          BEVEL,
                                                          BEVELDEPTH};
};

// g_Font follows a new value without reporting it: a new instance and a load repaint once at
// their end, not per attribute.
void Button_XP::readFontSilently(const FontValue& f) {
    const QSignalBlocker block(g_Font);
    g_Font->assign(f);
}

void Button_XP::InitProperties() {
    InitRows<Button_XP, Properties::Index>(*this, Properties::table(), Properties::kInitOrder);
    // Nothing repaints here.
}

void Button_XP::ReadProperties(const PropertyBag& bag) {
    ReadRows<Button_XP>(*this, bag, Properties::table());
    SetAccessKey();
    ResizeHandler();
}

void Button_XP::WriteProperties(PropertyBag& bag) const {
    WriteRows<Button_XP, Properties::Index>(*this, bag, Properties::table(),
                                            Properties::kWriteOrder);
}

}  // namespace corvane
