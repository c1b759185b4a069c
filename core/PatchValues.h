#pragma once

#include <array>
#include <cstdint>

namespace corvane {

// Four bytes of the demo executable, in file order: red, green, blue, transparency.
struct ColourSlot {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t transparency = 0;

    friend bool operator==(const ColourSlot&, const ColourSlot&) = default;
};

enum class ColourSlotId { Exhibition, Font };

// The twelve values the editor reads and writes.
struct PatchValues {
    std::array<std::int16_t, 4> teams{};  // team slots 1 to 4
    ColourSlot exhibition;                // loading icon in Exhibition mode
    ColourSlot font;                      // the game's fonts

    friend bool operator==(const PatchValues&, const PatchValues&) = default;
};

}  // namespace corvane
