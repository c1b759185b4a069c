#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/PatchValues.h"

namespace corvane::cli {

// The values a `set` command replaces; the others keep what the file holds.
struct SetEdits {
    std::array<std::optional<std::int16_t>, 4> teams;
    std::optional<ColourSlot> exhibition;
    std::optional<ColourSlot> font;

    void ApplyTo(PatchValues& values) const;
};

// A team slot's text: an exact club name of the catalogue, or a number under the save
// command's rules. `slot` is 1 to 4. Throws corvane::Error naming "team N" and the text.
std::int16_t TeamFromText(std::string_view text, int slot);

// "R,G,B,A": four texts separated by commas, each a component under the save command's rules.
// `slot` is "exhibition" or "font"; errors name e.g. "font green" and the text.
ColourSlot ColourFromText(std::string_view text, std::string_view slot);

}  // namespace corvane::cli
