#include "editor/CaptionContrast.h"

#include <cmath>

namespace corvane {

namespace {

double LinearChannel(std::uint32_t value) {
    const double c = static_cast<double>(value & 0xFFu) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

std::uint32_t ContrastingCaption(std::uint32_t face) {
    const double luminance = 0.2126 * LinearChannel(face) + 0.7152 * LinearChannel(face >> 8) +
                             0.0722 * LinearChannel(face >> 16);
    const double againstBlack = (luminance + 0.05) / 0.05;
    const double againstWhite = 1.05 / (luminance + 0.05);
    return againstBlack >= againstWhite ? 0x000000u : 0xFFFFFFu;
}

}  // namespace corvane
