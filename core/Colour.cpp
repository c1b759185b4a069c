#include "core/Colour.h"

namespace corvane {

std::string ColourHexText(std::uint32_t colour) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[colour & 0xFu]);
        colour >>= 4;
    } while (colour != 0);
    return text;
}

}  // namespace corvane
