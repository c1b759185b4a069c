// The up-down box's rules driven by arbitrary sequences of bound writes, typed texts, arrow
// steps and Value writes: never crash, never overflow, and every call keeps its contract.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include <QString>

#include "controls/updown/UpDownRules.h"

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

// What parseNumber should give, worked out another way: from the UTF-16 text through
// std::stoll on at most 12 significant digits.
std::optional<qint64> Expected(const QString& text) {
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    if (i == text.size()) {
        return std::nullopt;
    }
    std::string digits;
    for (qsizetype k = i; k < text.size(); ++k) {
        const char16_t c = text[k].unicode();
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        if (!(digits.empty() && c == u'0')) {
            digits += static_cast<char>(c);
        }
    }
    const qint64 magnitude = digits.empty()       ? 0
                             : digits.size() > 12 ? 1'000'000'000'000
                                                  : std::stoll(digits);
    return i == 1 ? -magnitude : magnitude;
}

QString TextFrom(FuzzedDataProvider& in) {
    const std::string bytes = in.ConsumeRandomLengthString(64);
    if (in.ConsumeBool()) {
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    // Any UTF-16 code units, lone surrogates included.
    return QString(reinterpret_cast<const QChar*>(bytes.data()),
                   static_cast<qsizetype>(bytes.size() / 2));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    corvane::UpDownRules rules;
    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        const qint32 old = rules.Value();
        switch (in.ConsumeIntegralInRange<int>(0, 4)) {
            case 0:
                rules.setMin(in.ConsumeIntegral<qint32>());
                Check(rules.Value() == old);
                break;
            case 1:
                rules.setMax(in.ConsumeIntegral<qint32>());
                Check(rules.Value() == old);
                break;
            case 2: {
                const QString text = TextFrom(in);
                const std::optional<qint64> n = corvane::UpDownRules::parseNumber(text);
                Check(n == Expected(text));
                const bool changed = rules.applyText(text);
                Check(changed == (rules.Value() != old));
                if (!n) {
                    Check(rules.Value() == 0);
                } else if (*n >= rules.Min() && *n <= rules.Max()) {
                    Check(rules.Value() == *n);
                } else {
                    Check(rules.Value() == old);
                }
                break;
            }
            case 3: {
                const int p = in.ConsumeIntegral<int>();
                const bool ran = rules.spin(p);
                Check(ran == (p != 0));
                qint64 want = old;
                if (p > 0 && old < rules.Max()) {
                    want = qint64{old} + 1;
                } else if (p < 0 && old > rules.Min()) {
                    want = qint64{old} - 1;
                }
                Check(rules.Value() == want);
                break;
            }
            default: {
                const qint32 v = in.ConsumeIntegral<qint32>();
                const QString text = rules.textForValue(v);
                qint64 want = v < rules.Min() ? rules.Min() : v;
                want = want > rules.Max() ? rules.Max() : want;
                Check(text == QString::number(want));
                // What a write shows, typed back, is the same number.
                Check(corvane::UpDownRules::parseNumber(text) == want);
                Check(rules.Value() == old);
            }
        }
    }
    return 0;
}
