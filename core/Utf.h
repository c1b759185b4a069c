#pragma once

#include <string>
#include <string_view>

namespace corvane {

// UTF-16 <-> UTF-8. A lone surrogate or an ill-formed byte becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// The pieces, for conversions with other rules for what is ill-formed (corvane-cli keeps a
// lone surrogate of a Windows name as its own three bytes).
constexpr bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c < 0xDC00;
}
constexpr bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c < 0xE000;
}
// `c`, any value below 0x110000 (a surrogate included), in UTF-8's encoding.
void AppendUtf8(std::string& out, char32_t c);
// `c` as one UTF-16 unit, or a pair from 0x10000 up.
void AppendUtf16(std::u16string& out, char32_t c);

}  // namespace corvane
