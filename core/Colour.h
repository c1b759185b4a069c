#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// A colour value is 0x00BBGGRR.
constexpr std::uint32_t MakeColour(std::int16_t red, std::int16_t green, std::int16_t blue) {
    return static_cast<std::uint32_t>(red) + 256u * static_cast<std::uint32_t>(green) +
           65536u * static_cast<std::uint32_t>(blue);
}
constexpr std::int16_t RedOf(std::uint32_t colour) {
    return static_cast<std::int16_t>(colour & 0xFFu);
}
constexpr std::int16_t GreenOf(std::uint32_t colour) {
    return static_cast<std::int16_t>((colour & 0xFF00u) / 256u);
}
constexpr std::int16_t BlueOf(std::uint32_t colour) {
    return static_cast<std::int16_t>((colour & 0xFF0000u) / 65536u);
}

// Capital hex digits, no prefix, no leading zeros: "0", "FF", "80FF", "FF0000".
std::string ColourHexText(std::uint32_t colour);

}  // namespace corvane
