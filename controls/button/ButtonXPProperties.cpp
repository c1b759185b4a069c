// The life cycle of a Button_XP: a new instance's defaults, loading and saving its stored
// property set, all from one table of its properties.
#include <QSignalBlocker>
#include <QtDebug>

#include <algorithm>
#include <array>
#include <limits>

#include "controls/button/qt/Button_XP.h"
#include "controls/host/PropertyTable.h"

namespace corvane {

namespace {

using PictureValue = ::corvane::Picture;
using Row = PropertyRow<Button_XP>;

constexpr std::u16string_view kSoundOver = u".\\resources\\over.wav";
constexpr std::u16string_view kSoundClick = u".\\resources\\click.wav";

template <auto Value>
PropertyValue constant(const Button_XP&) {
    return Value;
}
template <quint32 Colour>
PropertyValue colour(const Button_XP&) {
    return OleColour{Colour};
}
PropertyValue noPicture(const Button_XP&) {
    return PictureValue::none();
}
PropertyValue emptyPicture(const Button_XP&) {
    return PictureValue::empty();
}
PropertyValue noText(const Button_XP&) {
    return std::u16string();
}

// A field's value as stored, and back: texts are QStrings in the control, UTF-16 in the set.
// A value read is of its row's absent type, which is the field's.
PropertyValue Stored(const QString& s) {
    return s.toStdU16String();
}
template <typename T>
PropertyValue Stored(const T& v) {
    return v;
}
void Load(QString& field, const PropertyValue& v) {
    field = QString::fromStdU16String(std::get<std::u16string>(v));
}
template <typename T>
void Load(T& field, const PropertyValue& v) {
    field = std::get<T>(v);
}

// A key as a template argument, for the rows whose functions name it.
template <std::size_t N>
struct Key {
    constexpr Key(const char (&key)[N]) { std::copy_n(key, N, text); }  // NOLINT: implicit
    char text[N];
};

// A stored 16-bit value that does not fit is refused with a warning; the absent value
// stands in for it.
qint16 fit16(const char* key, const PropertyValue& v, qint16 absent) {
    const int n = std::get<std::int32_t>(v);
    if (n < std::numeric_limits<qint16>::min() || n > std::numeric_limits<qint16>::max()) {
        qWarning("Button_XP: stored %s %d does not fit in 16 bits; using %d", key, n, absent);
        return absent;
    }
    return static_cast<qint16>(n);
}

}  // namespace

// The table. A friend of the control, so the rows reach its fields.
struct Button_XP::Properties {
    // A plain field, stored and saved as it is.
    template <auto Member, PropertyValue (*Fresh)(const Button_XP&),
              PropertyValue (*Absent)(const Button_XP&)>
    static constexpr Row field(const char* key, int initAt, int writeAt) {
        return {key,
                Fresh,
                Absent,
                [](const Button_XP& b) { return Stored(b.*Member); },
                [](Button_XP& b, const PropertyValue& v) { Load(b.*Member, v); },
                initAt,
                writeAt};
    }
    // A colour field: saved tagged as a colour.
    template <quint32 Button_XP::*Member, quint32 Default>
    static constexpr Row colourField(const char* key, int initAt, int writeAt) {
        return {
            key,
            colour<Default>,
            colour<Default>,
            [](const Button_XP& b) { return PropertyValue(OleColour{b.*Member}); },
            [](Button_XP& b, const PropertyValue& v) { b.*Member = std::get<OleColour>(v).value; },
            initAt,
            writeAt};
    }
    // A 16-bit field: saved as a whole number, refused on loading when it does not fit.
    template <Key K, qint16 Button_XP::*Member, qint16 Default>
    static constexpr Row field16(int initAt, int writeAt) {
        return {K.text,
                constant<qint32{Default}>,
                constant<qint32{Default}>,
                [](const Button_XP& b) { return PropertyValue(static_cast<qint32>(b.*Member)); },
                [](Button_XP& b, const PropertyValue& v) { b.*Member = fit16(K.text, v, Default); },
                initAt,
                writeAt};
    }

    static PropertyValue ambientFont(const Button_XP& b) { return b.Site()->AmbientFont(); }
    static PropertyValue displayName(const Button_XP& b) {
        return b.Site()->DisplayName().toStdU16String();
    }
    static PropertyValue soundOver(const Button_XP&) { return std::u16string(kSoundOver); }
    static PropertyValue soundClick(const Button_XP&) { return std::u16string(kSoundClick); }

    // One row per field a property is stored in, in the order ReadProperties reads them; the
    // last two numbers of a row are its places in InitProperties' and WriteProperties' orders.
    // "BackColor" and "Font" are each read into the property and then into the surface, and
    // "Picture" into the current picture and then the normal one. A new instance leaves the
    // surface's colours, g_CurrentPicture and the natural picture size unassigned.
    static constexpr auto rows() {
        using B = Button_XP;
        constexpr int no = kNoPlace;
        return std::array{
            colourField<&B::g_BackColor, SysColour::ButtonFace>("BackColor", 0, 19),
            Row{"BackColor", nullptr, colour<SysColour::ButtonFace>, nullptr,
                [](B& b, const PropertyValue& v) {
                    b.setSurfaceBackColor(std::get<OleColour>(v).value);
                },
                no, no},
            colourField<&B::g_ForeColor, SysColour::ButtonText>("ForeColor", 1, 20),
            field<&B::g_ShowFocusRect, constant<true>, constant<true>>("ShowFocusRect", 2, 14),
            field<&B::g_Caption, displayName, displayName>("Caption", 5, 0),
            field<&B::g_PicturePosition, constant<qint32(PictureSide::Left)>,
                  constant<qint32(PictureSide::Left)>>("PicturePosition", 6, 1),
            field<&B::g_ButtonStyle, constant<qint32(FaceStyle::Highlight)>,
                  constant<qint32(FaceStyle::Highlight)>>("ButtonStyle", 7, 2),
            field<&B::g_CurrentPicture, nullptr, noPicture>("Picture", no, 3),
            field<&B::g_PictureWidth, constant<qint32{32}>, constant<qint32{32}>>("PictureWidth", 8,
                                                                                  4),
            field<&B::g_PictureHeight, constant<qint32{32}>, constant<qint32{32}>>("PictureHeight",
                                                                                   9, 5),
            field<&B::g_PictureSize, constant<qint32(PictureSizing::Large)>,
                  constant<qint32(PictureSizing::Large)>>("PictureSize", 10, 6),
            field<&B::g_OriginalPicSizeW, nullptr, constant<qint32{32}>>("OriginalPicSizeW", no, 7),
            field<&B::g_OriginalPicSizeH, nullptr, constant<qint32{32}>>("OriginalPicSizeH", no, 8),
            Row{"Font", ambientFont, ambientFont,
                [](const B& b) { return PropertyValue(b.m_surfaceFont); },
                [](B& b, const PropertyValue& v) { b.setSurfaceFont(std::get<FontValue>(v)); }, 3,
                11},
            Row{"Font", ambientFont, ambientFont, nullptr,
                [](B& b, const PropertyValue& v) { b.readFontSilently(std::get<FontValue>(v)); }, 4,
                no},
            field<&B::g_PictureHover, emptyPicture, noPicture>("PictureHover", 11, 9),
            Row{"Picture", emptyPicture, noPicture, nullptr,
                [](B& b, const PropertyValue& v) { b.g_Picture = std::get<PictureValue>(v); }, 12,
                no},
            Row{"MouseIcon", nullptr, noPicture,
                [](const B& b) { return PropertyValue(b.m_mouseIcon); },
                [](B& b, const PropertyValue& v) { b.setMouseIcon(std::get<PictureValue>(v)); }, no,
                12},
            Row{"Enabled", nullptr, constant<true>,
                [](const B& b) { return PropertyValue(b.Enabled()); },
                [](B& b, const PropertyValue& v) {
                    b.m_settingEnabled = true;
                    b.QWidget::setEnabled(std::get<bool>(v));
                    b.m_settingEnabled = false;
                    b.m_knownEnabled = b.Enabled();
                },
                no, 10},
            Row{"MousePointer", nullptr, constant<qint32(PointerShape::Default)>,
                [](const B& b) { return PropertyValue(static_cast<qint32>(b.m_mousePointer)); },
                [](B& b, const PropertyValue& v) {
                    b.m_mousePointer =
                        fit16("MousePointer", v, static_cast<qint16>(PointerShape::Default));
                    b.applyCursor();
                },
                no, 13},
            field<&B::g_URL, noText, noText>("URL", 13, 15),
            colourField<&B::g_XPColor_Pressed, SysColour::ButtonHighlight>("XPColor_Pressed", 14,
                                                                           16),
            colourField<&B::g_XPColor_Hover, SysColour::Light3D>("XPColor_Hover", 15, 17),
            field<&B::g_XPDefaultColors, constant<true>, constant<true>>("XPDefaultColors", 16, 18),
            // SoundOver is a dynamically typed value: whatever is stored, its text form.
            field<&B::g_SoundOver, soundOver, soundOver>("SoundOver", 17, 21),
            field<&B::g_SoundClick, soundClick, soundClick>("SoundClick", 18, 22),
            field<&B::g_DefCurHand, constant<false>, constant<false>>("DefCurHand", 19, 23),
            field<&B::g_XPShowBorderAlways, constant<false>, constant<false>>("XPShowBorderAlways",
                                                                              20, 24),
            colourField<&B::g_MaskColor, 0>("MaskColor", 22, 25),
            field<&B::g_TransparentBG, constant<false>, constant<false>>("TransparentBG", 21, 26),
            field16<"BEVEL", &B::g_BEVEL, 1>(23, 27),
            field16<"BEVELDEPTH", &B::g_BEVELDEPTH, 8>(24, 28),
        };
    }

    static const auto& table() {
        static constexpr auto kRows = rows();
        return kRows;
    }
    static std::span<const std::size_t> initOrder() {
        static constexpr auto kOrder = OrderOf(rows(), &Row::initAt);
        static_assert(kOrder.valid, "each place of the init order held by exactly one row");
        return kOrder.order();
    }
    static std::span<const std::size_t> writeOrder() {
        static constexpr auto kOrder = OrderOf(rows(), &Row::writeAt);
        static_assert(kOrder.valid, "each place of the write order held by exactly one row");
        return kOrder.order();
    }
};

// g_Font follows a new value without reporting it: a new instance and a load repaint once at
// their end, not per attribute.
void Button_XP::readFontSilently(const FontValue& f) {
    const QSignalBlocker block(g_Font);
    g_Font->assign(f);
}

void Button_XP::InitProperties() {
    InitRows<Button_XP>(*this, Properties::table(), Properties::initOrder());
    // Nothing repaints here.
}

void Button_XP::ReadProperties(const PropertyBag& bag) {
    ReadRows<Button_XP>(*this, bag, Properties::table());
    SetAccessKey();
    ResizeHandler();
}

void Button_XP::WriteProperties(PropertyBag& bag) const {
    WriteRows<Button_XP>(*this, bag, Properties::table(), Properties::writeOrder());
}

}  // namespace corvane
