#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Text the user gave (a value, a command, a path) in double quotes, for a message that must
// stay on one line and must not drive the terminal: control characters (C0, DEL and C1) and
// bytes that are not UTF-8 are shown as \xNN, one escape a byte. Everything else is kept.
std::string Quote(std::string_view text);

}  // namespace corvane
