#include "app/cli/SetEdits.h"

#include <string>

#include "core/Error.h"
#include "core/Quote.h"
#include "core/TeamCatalogue.h"
#include "core/TextConversion.h"

namespace corvane::cli {

void SetEdits::ApplyTo(PatchValues& values) const {
    for (std::size_t i = 0; i < teams.size(); ++i) {
        if (teams[i]) {
            values.teams[i] = *teams[i];
        }
    }
    if (exhibition) {
        values.exhibition = *exhibition;
    }
    if (font) {
        values.font = *font;
    }
}

std::int16_t TeamFromText(std::string_view text, int slot) {
    if (const auto id = TeamIdForName(text)) {
        return *id;
    }
    const std::string field = "team " + std::to_string(slot);
    try {
        return TextToTeamId(text, field);
    } catch (const Error& e) {
        // The core's wording, widened by the one thing the command line also accepts.
        throw Error(std::string(e.what()) + " or a club name of the catalogue");
    }
}

ColourSlot ColourFromText(std::string_view text, std::string_view slot) {
    std::array<std::string_view, 4> parts;
    std::string_view rest = text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t comma = rest.find(',');
        const bool last = i + 1 == parts.size();
        if ((comma == std::string_view::npos) != last) {
            throw Error(std::string(slot) + ": " + Quote(text) +
                        " is not four components R,G,B,A separated by commas");
        }
        parts[i] = rest.substr(0, comma);
        rest = last ? std::string_view{} : rest.substr(comma + 1);
    }
    const std::string prefix = std::string(slot) + " ";
    ColourSlot colour;
    colour.red = TextToComponent(parts[0], prefix + "red");
    colour.green = TextToComponent(parts[1], prefix + "green");
    colour.blue = TextToComponent(parts[2], prefix + "blue");
    colour.transparency = TextToComponent(parts[3], prefix + "transparency");
    return colour;
}

}  // namespace corvane::cli
