#pragma once

#include <string>
#include <string_view>

namespace corvane {

// UTF-16 <-> UTF-8 for the text form. A lone surrogate or an ill-formed byte becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace corvane
