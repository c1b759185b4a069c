#pragma once

#include <cstdint>

namespace corvane {

// Colour arithmetic of the button's painting. Colours are 0x00BBGGRR values; system colours
// are resolved with TranslateColor (host/SystemColours.h) before they reach these helpers.

struct SplitRgb {
    double red = 0;
    double green = 0;
    double blue = 0;
};

// The three components of a colour, as reals (blue from the top, truncating division).
SplitRgb SplitColor(std::uint32_t colour);

// Joins components, each limited to 0..255.
std::uint32_t JoinRgb(long long red, long long green, long long blue);

// Red and green move by `amount`; blue moves by its own share, amount * blue / 192,
// truncated toward zero. Each result is limited to 0..255.
std::uint32_t ShiftColor(std::uint32_t colour, std::int32_t amount);

// Adds `amount` to each component, limited to 0..255 (a negative depth can only darken).
std::uint32_t LightenColor(std::uint32_t colour, std::int32_t amount);

}  // namespace corvane
