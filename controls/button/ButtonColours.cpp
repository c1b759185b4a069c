#include "controls/button/ButtonColours.h"

#include <algorithm>
#include <cmath>

namespace corvane {

SplitRgb SplitColor(std::uint32_t colour) {
    const long long c = colour;
    const long long blue = c / 65536;
    const long long green = (c - blue * 65536) / 256;
    const long long red = c - blue * 65536 - green * 256;
    return {static_cast<double>(red), static_cast<double>(green), static_cast<double>(blue)};
}

std::uint32_t JoinRgb(long long red, long long green, long long blue) {
    const auto limit = [](long long v) {
        return static_cast<std::uint32_t>(std::clamp(v, 0LL, 255LL));
    };
    return limit(red) | (limit(green) << 8) | (limit(blue) << 16);
}

std::uint32_t ShiftColor(std::uint32_t colour, std::int32_t amount) {
    const long long a = amount;
    const long long red = static_cast<long long>(colour & 0xFFu) + a;
    const long long green = static_cast<long long>((colour >> 8) & 0xFFu) + a;
    const long long blue0 = (colour >> 16) & 0xFFu;
    const long long blue = blue0 + (blue0 * a) / 192;  // C++ division truncates toward zero
    return JoinRgb(red, green, blue);
}

std::uint32_t LightenColor(std::uint32_t colour, std::int32_t amount) {
    const SplitRgb s = SplitColor(colour);
    const auto add = [amount](double v) { return std::llround(v) + amount; };
    return JoinRgb(add(s.red), add(s.green), add(s.blue));
}

}  // namespace corvane
