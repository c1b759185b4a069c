#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The numeric state of the up-down box and the rules that change it: the text rule (run on
// every change of the field's text), the spin step (run on every move of the arrows) and
// what a write of Value shows. The shell's field owns the text; these rules own the numbers,
// so a test can replay any sequence of texts and steps without a widget.
class UpDownRules {
public:
    std::int32_t Min() const { return m_min; }
    std::int32_t Max() const { return m_max; }
    std::int32_t Value() const { return m_value; }

    // Writing a bound re-checks neither Value nor the text.
    void setMin(std::int32_t v) { m_min = v; }
    void setMax(std::int32_t v) { m_max = v; }

    // The text rule. A text that is no number sets Value to 0; a number within the bounds
    // becomes Value; a number outside them leaves Value as it was (the text keeps showing
    // it). Returns true when Value changed, which raises Change.
    bool applyText(std::u16string_view text);

    // The spin step for the arrows' position p: above 0 steps up, below 0 steps down,
    // staying at a bound. Returns false for 0, the arrows being reset, where nothing runs;
    // true otherwise, also at a bound, since Change is raised after every step.
    bool spin(int p);

    // The text a write of Value = v puts into the field: v clamped to Min, then to Max.
    std::u16string textForValue(std::int32_t v) const;
    // A number as the field shows it.
    static std::u16string text(std::int32_t v);

    // A number is an optional "-" followed by at least one digit: what can be typed into
    // the field. Magnitudes beyond any 32-bit bound come back as +/-10^12 so that they
    // still compare as out of range.
    static std::optional<std::int64_t> parseNumber(std::u16string_view text);
    // The characters typing may put into the field (backspace aside).
    static bool isTypeable(char16_t c) { return (c >= u'0' && c <= u'9') || c == u'-'; }

private:
    std::int32_t m_min = 0;
    std::int32_t m_max = 100;
    std::int32_t m_value = 0;
};

}  // namespace corvane
