#pragma once

// What the Windows program carries in its resources (corvane.rc): the icon, the custom
// controls' stored property sets and Image1's picture.

#include <string>
#include <string_view>

namespace corvane::win32 {

inline constexpr int kIconId = 1;

// The bytes of the RCDATA resource named `name` ("cmd_Save", "Up", "pitch_gif", ...); empty
// when there is none.
std::string ResourceText(std::string_view name);

}  // namespace corvane::win32
