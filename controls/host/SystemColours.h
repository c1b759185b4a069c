#pragma once

#include <array>
#include <cstdint>

namespace corvane {

// A colour value with the top bit set names a system colour by the number in its low three
// bytes (0x8000000F: number 15, button face).
inline constexpr std::uint32_t kSystemColourFlag = 0x80000000u;

// The system colours the controls name, as colour values.
namespace SysColour {
inline constexpr std::uint32_t WindowBackground = kSystemColourFlag | 5;
inline constexpr std::uint32_t WindowFrame = kSystemColourFlag | 6;
inline constexpr std::uint32_t WindowText = kSystemColourFlag | 8;
inline constexpr std::uint32_t Highlight = kSystemColourFlag | 13;
inline constexpr std::uint32_t ButtonFace = kSystemColourFlag | 15;
inline constexpr std::uint32_t ButtonShadow = kSystemColourFlag | 16;
inline constexpr std::uint32_t ButtonText = kSystemColourFlag | 18;
inline constexpr std::uint32_t ButtonHighlight = kSystemColourFlag | 20;
inline constexpr std::uint32_t DarkShadow3D = kSystemColourFlag | 21;
inline constexpr std::uint32_t Light3D = kSystemColourFlag | 22;
}  // namespace SysColour

// The platform's system colours, 0x00BBGGRR, by number. Each shell fills it from its own
// scheme (Qt: the control's palette; Windows: GetSysColor), so the engine resolves colours
// without knowing where they come from and a test can pin them.
struct SystemPalette {
    static constexpr int kCount = 31;  // numbers 0 to 30
    std::array<std::uint32_t, kCount> colours{};
    // What a number the platform does not define resolves to: the window's face.
    std::uint32_t undefined = 0;

    std::uint32_t colour(std::uint32_t number) const {
        return number < static_cast<std::uint32_t>(kCount) ? colours[number] : undefined;
    }
};

// A colour value resolved to plain 0x00BBGGRR: plain values (0..0xFFFFFF) pass unchanged,
// anything else is the system colour numbered `colour AND 0xFFFFFF`. The whole low three bytes
// name the colour: 0x80000110 is number 272, which no platform defines, not button shadow (16).
std::uint32_t TranslateColor(std::uint32_t colour, const SystemPalette& palette);

}  // namespace corvane
