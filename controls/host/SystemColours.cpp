#include "controls/host/SystemColours.h"

namespace corvane {

std::uint32_t TranslateColor(std::uint32_t colour, const SystemPalette& palette) {
    return colour <= 0xFFFFFFu ? colour : palette.colour(colour & 0xFFFFFFu);
}

}  // namespace corvane
