#include "controls/updown/UpDownModel.h"

#include <array>

#include "controls/host/PropertyTable.h"
#include "controls/host/SetProperty.h"

namespace corvane {

// The stored properties, one row each, in the order Read reads them; the last two numbers of a
// row are its places in InitProperties' and WriteProperties' orders. A friend of the model, so
// the rows reach its view.
struct UpDownModel::Properties {
    using M = UpDownModel;
    using Row = PropertyRow<M>;

    static PropertyValue ambientFont(const M& m) { return m.m_view.AmbientFont(); }
    template <std::uint32_t Colour>
    static PropertyValue colour(const M&) {
        return OleColour{Colour};
    }
    template <std::int32_t Value>
    static PropertyValue number(const M&) {
        return Value;
    }
    static PropertyValue yes(const M&) { return true; }

    static constexpr std::size_t kInitBeforeFont = 2;

    static constexpr auto rows() {
        constexpr int no = kNoPlace;
        return std::array{
            Row{"BackColor", colour<SysColour::WindowBackground>,
                colour<SysColour::WindowBackground>,
                [](const M& m) { return PropertyValue(OleColour{m.backColor}); },
                [](M& m, const PropertyValue& v) {
                    m.backColor = std::get<OleColour>(v).value;
                    m.m_view.applyColours();
                },
                1, 1},
            // Out-of-range values are ignored, as the setter ignores them.
            Row{"BorderStyle", number<int(BoxBorder::FixedSingle)>,
                number<int(BoxBorder::FixedSingle)>,
                [](const M& m) { return PropertyValue(m.borderStyle); },
                [](M& m, const PropertyValue& v) {
                    if (const int n = std::get<std::int32_t>(v); IsBoxBorder(n)) {
                        m.borderStyle = n;
                    }
                },
                0, 2},
            Row{"Enabled", nullptr, yes, [](const M& m) { return PropertyValue(m.enabled); },
                [](M& m, const PropertyValue& v) {
                    m.enabled = std::get<bool>(v);
                    m.m_view.applyEnabled();
                },
                no, 4},
            Row{"Font", ambientFont, ambientFont, [](const M& m) { return PropertyValue(m.font); },
                [](M& m, const PropertyValue& v) {
                    m.font = std::get<FontValue>(v);
                    m.m_view.applyFont();
                },
                no, 5},
            Row{"Alignment", nullptr, number<int(BoxAlignment::Left)>,
                [](const M& m) { return PropertyValue(m.alignment); },
                [](M& m, const PropertyValue& v) {
                    if (const int n = std::get<std::int32_t>(v); IsBoxAlignment(n)) {
                        m.alignment = n;
                    }
                    m.m_view.applyAlignment();
                },
                no, 0},
            Row{"ForeColor", nullptr, colour<SysColour::WindowText>,
                [](const M& m) { return PropertyValue(OleColour{m.foreColor}); },
                [](M& m, const PropertyValue& v) {
                    m.foreColor = std::get<OleColour>(v).value;
                    m.m_view.applyColours();
                },
                no, 3},
            Row{"Min", number<0>, number<0>,
                [](const M& m) { return PropertyValue(m.rules.Min()); },
                [](M& m, const PropertyValue& v) { m.rules.setMin(std::get<std::int32_t>(v)); }, 2,
                6},
            Row{"Max", number<100>, number<100>,
                [](const M& m) { return PropertyValue(m.rules.Max()); },
                [](M& m, const PropertyValue& v) { m.rules.setMax(std::get<std::int32_t>(v)); }, 3,
                7},
            // As text, so that the text rule takes it against the bounds just loaded.
            Row{"Value", number<0>, number<0>,
                [](const M& m) { return PropertyValue(m.rules.Value()); },
                [](M& m, const PropertyValue& v) {
                    m.m_view.showText(UpDownRules::text(std::get<std::int32_t>(v)));
                },
                4, 8},
        };
    }

    static const auto& table() {
        static constexpr auto kRows = rows();
        return kRows;
    }
    static std::span<const std::size_t> initOrder() {
        static constexpr auto kOrder = OrderOf(rows(), &Row::initAt);
        static_assert(kOrder.valid && kOrder.size >= kInitBeforeFont,
                      "each place of the init order held by exactly one row");
        return kOrder.order();
    }
    static std::span<const std::size_t> writeOrder() {
        static constexpr auto kOrder = OrderOf(rows(), &Row::writeAt);
        static_assert(kOrder.valid, "each place of the write order held by exactly one row");
        return kOrder.order();
    }
};

void UpDownModel::InitBeforeFont() {
    InitRows<UpDownModel>(*this, Properties::table(),
                          Properties::initOrder().first(Properties::kInitBeforeFont));
}

void UpDownModel::InitAfterFont() {
    InitRows<UpDownModel>(*this, Properties::table(),
                          Properties::initOrder().subspan(Properties::kInitBeforeFont));
}

void UpDownModel::Read(const PropertyBag& bag) {
    ReadRows<UpDownModel>(*this, bag, Properties::table());
}

void UpDownModel::Write(PropertyBag& bag) const {
    WriteRows<UpDownModel>(*this, bag, Properties::table(), Properties::writeOrder());
}

void UpDownModel::setAlignment(int value) {
    if (IsBoxAlignment(value)) {
        SetAppliedProperty(*this, alignment, value, "Alignment", [&] { m_view.applyAlignment(); });
    }
}

void UpDownModel::setBackColor(std::uint32_t value) {
    SetAppliedProperty(*this, backColor, value, "BackColor", [&] { m_view.applyColours(); });
}

void UpDownModel::setBorderStyle(int value) {
    if (IsBoxBorder(value)) {
        SetAppliedProperty(*this, borderStyle, value, "BorderStyle", [&] { m_view.applyLayout(); });
    }
}

void UpDownModel::setEnabled(bool value) {
    SetAppliedProperty(*this, enabled, value, "Enabled", [&] { m_view.applyEnabled(); });
}

void UpDownModel::setFont(const FontValue& value) {
    SetAppliedProperty(*this, font, value, "Font", [&] {
        m_view.applyFont();
        m_view.applyLayout();
    });
}

void UpDownModel::setForeColor(std::uint32_t value) {
    SetAppliedProperty(*this, foreColor, value, "ForeColor", [&] { m_view.applyColours(); });
}

// The bounds are the rules' own: storing one is the rules' call.
void UpDownModel::setMax(int value) {
    rules.setMax(value);
    PropertyChanged("Max");
}

void UpDownModel::setMin(int value) {
    rules.setMin(value);
    PropertyChanged("Min");
}

}  // namespace corvane
