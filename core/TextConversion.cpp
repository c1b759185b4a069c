#include "core/TextConversion.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/Error.h"
#include "core/Quote.h"

namespace corvane {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Far outside every field's range; larger magnitudes saturate here so that a long run of
// digits cannot overflow.
constexpr std::int64_t kSaturated = 1'000'000;

// The text as a whole number, rounded half to even, or nothing when it is not a number.
// Works on the decimal digits themselves, so 0.5, 100.5 and 2.5000001 round exactly.
std::optional<std::int64_t> RoundedNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
    if (whole.empty() && fraction.empty()) {
        return std::nullopt;  // "", "+", "." and "-." hold no digit
    }
    std::int64_t magnitude = 0;
    for (char c : whole) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        magnitude = std::min(magnitude * 10 + (c - '0'), kSaturated);
    }
    bool beyondHalf = false;  // a non-zero digit after the first fraction digit
    for (std::size_t i = 0; i < fraction.size(); ++i) {
        if (!IsDigit(fraction[i])) {
            return std::nullopt;  // also a second "."
        }
        beyondHalf = beyondHalf || (i > 0 && fraction[i] != '0');
    }
    if (!fraction.empty()) {
        const char first = fraction.front();
        const bool roundUp = first > '5' || (first == '5' && (beyondHalf || magnitude % 2 == 1));
        magnitude += roundUp ? 1 : 0;
    }
    return negative ? -magnitude : magnitude;
}

std::int64_t Convert(std::string_view text, std::string_view field, std::int64_t low,
                     std::int64_t high) {
    const std::optional<std::int64_t> value = RoundedNumber(text);
    if (!value || *value < low || *value > high) {
        throw Error(std::string(field) + ": " + Quote(text) + " is not a whole number from " +
                    std::to_string(low) + " to " + std::to_string(high));
    }
    return *value;
}

}  // namespace

std::int16_t TextToTeamId(std::string_view text, std::string_view field) {
    return static_cast<std::int16_t>(Convert(text, field, -32768, 32767));
}

std::uint8_t TextToComponent(std::string_view text, std::string_view field) {
    return static_cast<std::uint8_t>(Convert(text, field, 0, 255));
}

}  // namespace corvane
