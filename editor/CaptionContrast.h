#pragma once

#include <cstdint>

namespace corvane {

// The caption colour that reads best on a colour button's face (0x00BBGGRR): black or white,
// whichever contrasts more with the face by the WCAG contrast ratio.
std::uint32_t ContrastingCaption(std::uint32_t face);

}  // namespace corvane
