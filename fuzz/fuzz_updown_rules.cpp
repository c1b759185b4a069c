// The up-down box's rules driven by arbitrary sequences of bound writes, typed texts, arrow
// steps and Value writes: never crash, never overflow, and every call keeps its contract.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "controls/updown/UpDownRules.h"
#include "core/Utf.h"

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

// What parseNumber should give, worked out another way: from the UTF-16 text through
// std::stoll on at most 12 significant digits.
std::optional<std::int64_t> Expected(const std::u16string& text) {
    const std::size_t i = text.starts_with(u'-') ? 1 : 0;
    if (i == text.size()) {
        return std::nullopt;
    }
    std::string digits;
    for (std::size_t k = i; k < text.size(); ++k) {
        const char16_t c = text[k];
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        if (!(digits.empty() && c == u'0')) {
            digits += static_cast<char>(c);
        }
    }
    const std::int64_t magnitude = digits.empty()       ? 0
                                   : digits.size() > 12 ? 1'000'000'000'000
                                                        : std::stoll(digits);
    return i == 1 ? -magnitude : magnitude;
}

std::u16string TextFrom(FuzzedDataProvider& in) {
    const std::string bytes = in.ConsumeRandomLengthString(64);
    if (in.ConsumeBool()) {
        return corvane::FromUtf8(bytes);
    }
    // Any UTF-16 code units, lone surrogates included.
    std::u16string units(bytes.size() / 2, u'\0');
    std::memcpy(units.data(), bytes.data(), units.size() * sizeof(char16_t));
    return units;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    corvane::UpDownRules rules;
    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        const std::int32_t old = rules.Value();
        switch (in.ConsumeIntegralInRange<int>(0, 4)) {
            case 0:
                rules.setMin(in.ConsumeIntegral<std::int32_t>());
                Check(rules.Value() == old);
                break;
            case 1:
                rules.setMax(in.ConsumeIntegral<std::int32_t>());
                Check(rules.Value() == old);
                break;
            case 2: {
                const std::u16string text = TextFrom(in);
                const std::optional<std::int64_t> n = corvane::UpDownRules::parseNumber(text);
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
                std::int64_t want = old;
                if (p > 0 && old < rules.Max()) {
                    want = std::int64_t{old} + 1;
                } else if (p < 0 && old > rules.Min()) {
                    want = std::int64_t{old} - 1;
                }
                Check(rules.Value() == want);
                break;
            }
            default: {
                const std::int32_t v = in.ConsumeIntegral<std::int32_t>();
                const std::u16string text = rules.textForValue(v);
                std::int64_t want = v < rules.Min() ? rules.Min() : v;
                want = want > rules.Max() ? rules.Max() : want;
                const std::string digits = std::to_string(want);
                Check(text == std::u16string(digits.begin(), digits.end()));
                // What a write shows, typed back, is the same number.
                Check(corvane::UpDownRules::parseNumber(text) == want);
                Check(rules.Value() == old);
            }
        }
    }
    return 0;
}
