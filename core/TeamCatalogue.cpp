#include "core/TeamCatalogue.h"

#include <charconv>

namespace corvane {

std::optional<std::string_view> TeamNameForId(std::string_view text) {
    for (const Team& team : kTeamCatalogue) {
        // to_chars writes the canonical form (no sign for these IDs, no leading zeros), so an
        // exact comparison rejects "0100", "+100" and " 100".
        char digits[8];
        const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, team.id);
        if (ec == std::errc{} && std::string_view(digits, end - digits) == text) {
            return team.name;
        }
    }
    return std::nullopt;
}

std::optional<std::int16_t> TeamIdForName(std::string_view name) {
    for (const Team& team : kTeamCatalogue) {
        if (team.name == name) {
            return team.id;
        }
    }
    return std::nullopt;
}

}  // namespace corvane
