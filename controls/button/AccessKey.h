#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The access key a caption marks with "&", as the caption writes it (one UTF-16 unit), or the
// empty text. Only the first two ampersand groups count: "&Save" -> "S", "Save && Exit" ->
// none, "&&x&y" -> "y", "a&&b&&c&d" -> none. Keys match without regard to case; a shell lowers
// the key with its platform's case rules.
std::u16string ParseAccessKey(std::u16string_view caption);

}  // namespace corvane
