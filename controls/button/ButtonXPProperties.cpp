// The life cycle of a Button_XP: a new instance's defaults, loading and saving its stored
// property set, all from one table of its properties.
#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "controls/button/ButtonXPCore.h"
#include "controls/host/PropertyTable.h"
#include "controls/host/Warnings.h"

namespace corvane {

namespace {

using PictureValue = ::corvane::Picture;
using Row = PropertyRow<ButtonXPCore>;

constexpr std::u16string_view kSoundOver = u".\\resources\\over.wav";
constexpr std::u16string_view kSoundClick = u".\\resources\\click.wav";

template <auto Value>
PropertyValue constant(const ButtonXPCore&) {
    return Value;
}
template <std::uint32_t Colour>
PropertyValue colour(const ButtonXPCore&) {
    return OleColour{Colour};
}
PropertyValue noPicture(const ButtonXPCore&) {
    return PictureValue::none();
}
PropertyValue emptyPicture(const ButtonXPCore&) {
    return PictureValue::empty();
}
PropertyValue noText(const ButtonXPCore&) {
    return std::u16string();
}

// A field's value as stored, and back. A value read is of its row's absent type, which is the
// field's.
template <typename T>
PropertyValue Stored(const T& v) {
    return v;
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
std::int16_t fit16(const char* key, const PropertyValue& v, std::int16_t absent) {
    const int n = std::get<std::int32_t>(v);
    if (n < std::numeric_limits<std::int16_t>::min() ||
        n > std::numeric_limits<std::int16_t>::max()) {
        Warn("Button_XP: stored " + std::string(key) + " " + std::to_string(n) +
             " does not fit in 16 bits; using " + std::to_string(absent));
        return absent;
    }
    return static_cast<std::int16_t>(n);
}

}  // namespace

// The table. A friend of the control, so the rows reach its fields.
struct ButtonXPCore::Properties {
    // A plain field, stored and saved as it is.
    template <auto Member, PropertyValue (*Fresh)(const ButtonXPCore&),
              PropertyValue (*Absent)(const ButtonXPCore&)>
    static constexpr Row field(const char* key, int initAt, int writeAt) {
        return {key,
                Fresh,
                Absent,
                [](const ButtonXPCore& b) { return Stored(b.*Member); },
                [](ButtonXPCore& b, const PropertyValue& v) { Load(b.*Member, v); },
                initAt,
                writeAt};
    }
    // A colour field: saved tagged as a colour.
    template <std::uint32_t ButtonXPCore::*Member, std::uint32_t Default>
    static constexpr Row colourField(const char* key, int initAt, int writeAt) {
        return {key,
                colour<Default>,
                colour<Default>,
                [](const ButtonXPCore& b) { return PropertyValue(OleColour{b.*Member}); },
                [](ButtonXPCore& b, const PropertyValue& v) {
                    b.*Member = std::get<OleColour>(v).value;
                },
                initAt,
                writeAt};
    }
    // A 16-bit field: saved as a whole number, refused on loading when it does not fit.
    template <Key K, std::int16_t ButtonXPCore::*Member, std::int16_t Default>
    static constexpr Row field16(int initAt, int writeAt) {
        return {
            K.text,
            constant<std::int32_t{Default}>,
            constant<std::int32_t{Default}>,
            [](const ButtonXPCore& b) {
                return PropertyValue(static_cast<std::int32_t>(b.*Member));
            },
            [](ButtonXPCore& b, const PropertyValue& v) { b.*Member = fit16(K.text, v, Default); },
            initAt,
            writeAt};
    }

    static PropertyValue ambientFont(const ButtonXPCore& b) { return b.m_shell.AmbientFont(); }
    static PropertyValue displayName(const ButtonXPCore& b) { return b.m_shell.DisplayName(); }
    static PropertyValue soundOver(const ButtonXPCore&) { return std::u16string(kSoundOver); }
    static PropertyValue soundClick(const ButtonXPCore&) { return std::u16string(kSoundClick); }

    // One row per field a property is stored in, in the order ReadProperties reads them; the
    // last two numbers of a row are its places in InitProperties' and WriteProperties' orders.
    // "BackColor" and "Font" are each read into the property and then into the surface, and
    // "Picture" into the current picture and then the normal one. A new instance leaves the
    // surface's colours, g_CurrentPicture and the natural picture size unassigned.
    static constexpr auto rows() {
        using B = ButtonXPCore;
        constexpr int no = kNoPlace;
        return std::array{
            colourField<&B::g_BackColor, SysColour::ButtonFace>("BackColor", 0, 19),
            Row{"BackColor", nullptr, colour<SysColour::ButtonFace>, nullptr,
                [](B& b, const PropertyValue& v) {
                    b.m_surfaceBackColor = std::get<OleColour>(v).value;
                },
                no, no},
            colourField<&B::g_ForeColor, SysColour::ButtonText>("ForeColor", 1, 20),
            field<&B::g_ShowFocusRect, constant<true>, constant<true>>("ShowFocusRect", 2, 14),
            field<&B::g_Caption, displayName, displayName>("Caption", 5, 0),
            field<&B::g_PicturePosition, constant<std::int32_t(PictureSide::Left)>,
                  constant<std::int32_t(PictureSide::Left)>>("PicturePosition", 6, 1),
            field<&B::g_ButtonStyle, constant<std::int32_t(FaceStyle::Highlight)>,
                  constant<std::int32_t(FaceStyle::Highlight)>>("ButtonStyle", 7, 2),
            field<&B::g_CurrentPicture, nullptr, noPicture>("Picture", no, 3),
            field<&B::g_PictureWidth, constant<std::int32_t{32}>, constant<std::int32_t{32}>>(
                "PictureWidth", 8, 4),
            field<&B::g_PictureHeight, constant<std::int32_t{32}>, constant<std::int32_t{32}>>(
                "PictureHeight", 9, 5),
            field<&B::g_PictureSize, constant<std::int32_t(PictureSizing::Large)>,
                  constant<std::int32_t(PictureSizing::Large)>>("PictureSize", 10, 6),
            field<&B::g_OriginalPicSizeW, nullptr, constant<std::int32_t{32}>>("OriginalPicSizeW",
                                                                               no, 7),
            field<&B::g_OriginalPicSizeH, nullptr, constant<std::int32_t{32}>>("OriginalPicSizeH",
                                                                               no, 8),
            Row{"Font", ambientFont, ambientFont,
                [](const B& b) { return PropertyValue(b.m_surfaceFont); },
                [](B& b, const PropertyValue& v) { b.setSurfaceFont(std::get<FontValue>(v)); }, 3,
                11},
            Row{"Font", ambientFont, ambientFont, nullptr,
                [](B& b, const PropertyValue& v) {
                    b.m_shell.LoadFontObject(std::get<FontValue>(v));
                },
                4, no},
            field<&B::g_PictureHover, emptyPicture, noPicture>("PictureHover", 11, 9),
            Row{"Picture", emptyPicture, noPicture, nullptr,
                [](B& b, const PropertyValue& v) { b.g_Picture = std::get<PictureValue>(v); }, 12,
                no},
            Row{"MouseIcon", nullptr, noPicture,
                [](const B& b) { return PropertyValue(b.m_mouseIcon); },
                [](B& b, const PropertyValue& v) { b.setMouseIcon(std::get<PictureValue>(v)); }, no,
                12},
            Row{"Enabled", nullptr, constant<true>,
                [](const B& b) { return PropertyValue(b.m_shell.Enabled()); },
                [](B& b, const PropertyValue& v) { b.m_shell.LoadEnabled(std::get<bool>(v)); }, no,
                10},
            Row{"MousePointer", nullptr, constant<std::int32_t(PointerShape::Default)>,
                [](const B& b) {
                    return PropertyValue(static_cast<std::int32_t>(b.m_mousePointer));
                },
                [](B& b, const PropertyValue& v) {
                    b.m_mousePointer =
                        fit16("MousePointer", v, static_cast<std::int16_t>(PointerShape::Default));
                    b.m_shell.CursorChanged();
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

void ButtonXPCore::InitProperties() {
    InitRows<ButtonXPCore>(*this, Properties::table(), Properties::initOrder());
    // Nothing repaints here.
}

void ButtonXPCore::ReadProperties(const PropertyBag& bag) {
    ReadRows<ButtonXPCore>(*this, bag, Properties::table());
    m_shell.AccessKeyChanged();
    m_shell.ResizeHandler();
}

void ButtonXPCore::WriteProperties(PropertyBag& bag) const {
    WriteRows<ButtonXPCore>(*this, bag, Properties::table(), Properties::writeOrder());
}

}  // namespace corvane
