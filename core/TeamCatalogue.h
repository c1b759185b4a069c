#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace corvane {

struct Team {
    std::int16_t id;
    std::string_view name;
};

// The clubs the demo knows, in the order of the combo lists.
inline constexpr std::array<Team, 8> kTeamCatalogue{{
    {100, "MANCHESTER UNITED"},
    {121, "A.C. MILAN"},
    {327, "S.S.C. NAPOLI"},
    {192, "FC PORTO"},
    {1264, "CLUB AMERICA"},
    {1254, "SANTOS"},
    {1252, "INTERNACIONAL"},
    {1263, "PENAROL"},
}};

// The club whose ID, written as plain decimal digits, equals the text exactly
// ("100" matches, "0100", "+100" and " 100" do not).
std::optional<std::string_view> TeamNameForId(std::string_view text);

// The ID of the club whose name equals the text character for character, case included.
std::optional<std::int16_t> TeamIdForName(std::string_view name);

}  // namespace corvane
