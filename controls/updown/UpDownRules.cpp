#include "controls/updown/UpDownRules.h"

namespace corvane {

namespace {
constexpr qint64 kHuge = 1'000'000'000'000;  // beyond every 32-bit bound
}

std::optional<qint64> UpDownRules::parseNumber(QStringView text) {
    const bool negative = text.startsWith(u'-');
    QStringView digits = negative ? text.mid(1) : text;
    if (digits.isEmpty()) {
        return std::nullopt;
    }
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
    }
    while (digits.size() > 1 && digits.front() == u'0') {
        digits = digits.mid(1);
    }
    qint64 n = kHuge;
    if (digits.size() < 13) {
        n = 0;
        for (const QChar c : digits) {
            n = n * 10 + (c.unicode() - u'0');
        }
    }
    return negative ? -n : n;
}

bool UpDownRules::applyText(QStringView text) {
    const qint32 old = m_value;
    const std::optional<qint64> n = parseNumber(text);
    if (!n) {
        m_value = 0;
    } else if (*n >= m_min && *n <= m_max) {
        m_value = static_cast<qint32>(*n);
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

QString UpDownRules::textForValue(qint32 v) const {
    // The lower bound first, then the upper: with Min > Max the upper bound wins.
    if (v < m_min) {
        v = m_min;
    }
    if (v > m_max) {
        v = m_max;
    }
    return QString::number(v);
}

}  // namespace corvane
