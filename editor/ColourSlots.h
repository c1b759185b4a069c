#pragma once

// The two colour slots of the window, described once: Open loads them, Save converts them and
// a colour pick fills them by walking this table, in its order.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/PatchValues.h"

namespace corvane {

// One of a colour slot's three component fields, and the byte it holds.
enum class Component { Red, Green, Blue };
inline constexpr Component kComponents[] = {Component::Red, Component::Green, Component::Blue};
inline constexpr std::array<std::uint8_t ColourSlot::*, 3> kComponentBytes{
    &ColourSlot::red, &ColourSlot::green, &ColourSlot::blue};
constexpr std::size_t ComponentIndex(Component component) {
    return static_cast<std::size_t>(component);
}

struct ColourSlotFields {
    ColourSlotId id;
    ColourSlot PatchValues::*values;  // where its four bytes are kept
    // The names a failed conversion reports: the slot's caption on the window, and that
    // caption followed by each component's name.
    std::string_view caption;
    std::array<std::string_view, 3> components;  // red, green, blue
};

inline constexpr std::array<ColourSlotFields, 2> kColourSlots{{
    {ColourSlotId::Exhibition,
     &PatchValues::exhibition,
     "Loading Icon (Exhibition)",
     {"Loading Icon (Exhibition) red", "Loading Icon (Exhibition) green",
      "Loading Icon (Exhibition) blue"}},
    {ColourSlotId::Font,
     &PatchValues::font,
     "Pes Fonts Color",
     {"Pes Fonts Color red", "Pes Fonts Color green", "Pes Fonts Color blue"}},
}};

// Open loads and Save converts the Exhibition slot first, so that a save names the first bad
// field in the order of the window.
static_assert(kColourSlots[0].id == ColourSlotId::Exhibition &&
              kColourSlots[1].id == ColourSlotId::Font);

}  // namespace corvane
