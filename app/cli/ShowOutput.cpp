#include "app/cli/ShowOutput.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <utility>

#include "core/Colour.h"
#include "core/TeamCatalogue.h"

namespace corvane::cli {
namespace {

std::string HexText(const ColourSlot& slot) {
    return ColourHexText(MakeColour(slot.red, slot.green, slot.blue));
}

std::string Components(const ColourSlot& slot) {
    return std::to_string(slot.red) + ',' + std::to_string(slot.green) + ',' +
           std::to_string(slot.blue) + ',' + std::to_string(slot.transparency);
}

nlohmann::json ColourObject(const ColourSlot& slot) {
    return {{"red", slot.red},
            {"green", slot.green},
            {"blue", slot.blue},
            {"transparency", slot.transparency},
            {"hex", HexText(slot)}};
}

}  // namespace

std::string ShowTable(const PatchValues& values) {
    std::string table;
    auto row = [&table](std::string field, std::string value, const std::string& meaning) {
        field.resize(std::max<std::size_t>(field.size(), 10), ' ');
        value.resize(std::max<std::size_t>(value.size(), 13), ' ');
        std::string line = field + "  " + value + "  " + meaning;
        line.erase(line.find_last_not_of(' ') + 1);
        table += line + '\n';
    };
    row("Field", "Value", "Meaning");
    for (std::size_t i = 0; i < values.teams.size(); ++i) {
        const auto name = TeamNameForId(std::to_string(values.teams[i]));
        row("team " + std::to_string(i + 1), std::to_string(values.teams[i]),
            name ? std::string(*name) : "(not in the catalogue)");
    }
    for (const auto& [field, slot] :
         {std::pair{"exhibition", values.exhibition}, std::pair{"font", values.font}}) {
        row(field, Components(slot),
            "colour " + HexText(slot) + ", transparency " + std::to_string(slot.transparency));
    }
    return table;
}

std::string ShowJson(const PatchValues& values) {
    nlohmann::json teams = nlohmann::json::array();
    for (std::size_t i = 0; i < values.teams.size(); ++i) {
        const auto name = TeamNameForId(std::to_string(values.teams[i]));
        teams.push_back({{"slot", i + 1},
                         {"id", values.teams[i]},
                         {"name", name ? nlohmann::json(std::string(*name)) : nullptr}});
    }
    const nlohmann::json object{{"teams", teams},
                                {"exhibition", ColourObject(values.exhibition)},
                                {"font", ColourObject(values.font)}};
    return object.dump();
}

}  // namespace corvane::cli
