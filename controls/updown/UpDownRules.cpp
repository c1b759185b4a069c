#include "controls/updown/UpDownRules.h"

namespace corvane {

namespace {
constexpr std::int64_t kHuge = 1'000'000'000'000;  // beyond every 32-bit bound
}

std::optional<std::int64_t> UpDownRules::parseNumber(std::u16string_view text) {
    const bool negative = text.starts_with(u'-');
    std::u16string_view digits = negative ? text.substr(1) : text;
    if (digits.empty()) {
        return std::nullopt;
    }
    for (const char16_t c : digits) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
    }
    while (digits.size() > 1 && digits.front() == u'0') {
        digits.remove_prefix(1);
    }
    std::int64_t n = kHuge;
    if (digits.size() < 13) {
        n = 0;
        for (const char16_t c : digits) {
            n = n * 10 + (c - u'0');
        }
    }
    return negative ? -n : n;
}

bool UpDownRules::applyText(std::u16string_view text) {
    const std::int32_t old = m_value;
    const std::optional<std::int64_t> n = parseNumber(text);
    if (!n) {
        m_value = 0;
    } else if (*n >= m_min && *n <= m_max) {
        m_value = static_cast<std::int32_t>(*n);
    }
    // Also when a text that is no number took Value to 0: whoever listens to Change
    // should see every change of Value that typing causes.
    return m_value != old;
}

bool UpDownRules::spin(int p) {
    if (p == 0) {
        return false;
    }
    if (p > 0 && m_value < m_max) {
        ++m_value;
    } else if (p < 0 && m_value > m_min) {
        --m_value;
    }
    return true;
}

std::u16string UpDownRules::textForValue(std::int32_t v) const {
    // The lower bound first, then the upper: with Min > Max the upper bound wins.
    if (v < m_min) {
        v = m_min;
    }
    if (v > m_max) {
        v = m_max;
    }
    return text(v);
}

std::u16string UpDownRules::text(std::int32_t v) {
    const std::string s = std::to_string(v);
    return {s.begin(), s.end()};
}

}  // namespace corvane
