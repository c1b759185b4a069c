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

std::u16string UpDownRules::pastable(std::u16string_view text) {
    // Unicode's white space, as a copied number may bring it along (a line break, a no-break
    // space).
    const auto blank = [](char16_t c) {
        return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
               (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
               c == 0x205F || c == 0x3000;
    };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    for (const char16_t c : text) {
        if (!isTypeable(c)) {
            return {};
        }
    }
    return std::u16string(text);
}

std::u16string UpDownRules::text(std::int32_t v) {
    const std::string s = std::to_string(v);
    return {s.begin(), s.end()};
}

}  // namespace corvane
