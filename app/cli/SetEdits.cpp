#include "SetEdits.h"

#include <QStringList>

#include "Error.h"
#include "TeamCatalogue.h"
#include "TextConversion.h"

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

std::int16_t TeamFromText(const QString& text, int slot) {
    const std::string utf8 = text.toStdString();
    if (const auto id = TeamIdForName(utf8)) {
        return *id;
    }
    const std::string field = "team " + std::to_string(slot);
    try {
        return TextToTeamId(utf8, field);
    } catch (const Error& e) {
        // The core's wording, widened by the one thing the command line also accepts.
        throw Error(std::string(e.what()) + " or a club name of the catalogue");
    }
}

ColourSlot ColourFromText(const QString& text, const QString& slot) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4) {
        throw Error(slot.toStdString() + ": \"" + text.toStdString() +
                    "\" is not four components R,G,B,A separated by commas");
    }
    const std::string prefix = slot.toStdString() + " ";
    ColourSlot colour;
    colour.red = TextToComponent(parts[0].toStdString(), prefix + "red");
    colour.green = TextToComponent(parts[1].toStdString(), prefix + "green");
    colour.blue = TextToComponent(parts[2].toStdString(), prefix + "blue");
    colour.transparency = TextToComponent(parts[3].toStdString(), prefix + "transparency");
    return colour;
}

}  // namespace corvane::cli
