#pragma once

#include <cstdint>
#include <string_view>

namespace corvane {

// The save command's text rules. The text must be a number: blanks around it, an optional
// sign, digits with an optional fraction after a "." (or a fraction alone, ".5"). A fraction
// rounds to the nearest whole number, a half to the even neighbour; then the range is checked.
// A rejection throws corvane::Error naming the field and the text, e.g.
//   team 1: "40000" is not a whole number from -32768 to 32767
std::int16_t TextToTeamId(std::string_view text, std::string_view field);
std::uint8_t TextToComponent(std::string_view text, std::string_view field);

}  // namespace corvane
