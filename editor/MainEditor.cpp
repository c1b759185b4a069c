// The Open and Save commands and the handlers of the team and colour fields.

#include "editor/MainEditor.h"

#include <exception>
#include <string>
#include <vector>

#include "core/Colour.h"
#include "core/DemoFile.h"
#include "core/Error.h"
#include "core/TeamCatalogue.h"
#include "core/TextConversion.h"

namespace corvane {

namespace {

std::string TeamField(TeamSlot team) {
    return "team " + std::to_string(team + 1);
}

std::uint8_t TransparencyOf(int value, std::string_view caption) {
    if (value < 0 || value > 255) {
        throw Error(std::string(caption) + " transparency: " + std::to_string(value) +
                    " is not a whole number from 0 to 255");
    }
    return static_cast<std::uint8_t>(value);
}

}  // namespace

void MainEditor::Open() {
    if (const auto named =
            m_view.AskFile(std::string(kOpenTitle), std::string(kOpenFilter), m_path)) {
        OpenNamed(*named);
    }
}

void MainEditor::OpenNamed(const NamedFile& named) {
    if (named.path) {
        OpenFile(*named.path);
    } else {
        ReportNotOpened(named.problem);
    }
}

void MainEditor::ReportNotOpened(const std::string& reason) {
    m_view.ShowMessage("The file was not opened; nothing has changed.\n\n" + reason,
                       MessageKind::Warning);
}

bool MainEditor::OpenFile(const std::filesystem::path& path) {
    // Every field is read before anything on the window changes, so a file that cannot be
    // read leaves the window, and the file a save would write to, as they were.
    PatchValues values;
    try {
        values = ReadPatch(path, m_files);
    } catch (const std::exception& e) {  // corvane::Error, or bad_alloc: never past an event
        ReportNotOpened(e.what());
        return false;
    }
    m_path = path;
    for (TeamSlot team = 0; team < kTeamSlots; ++team) {
        m_view.SetTeamIdText(team, std::to_string(values.teams[static_cast<std::size_t>(team)]));
    }
    Id_Team();
    Combo();
    for (const ColourSlotFields& fields : kColourSlots) {  // OpenExhibition, then OpenFontGame
        LoadColourSlot(fields, values.*fields.values);
    }
    m_view.Enable(Command::Pages);
    m_view.Enable(Command::SaveMenu);
    m_view.Enable(Command::SaveButton);
    return true;
}

PatchValues MainEditor::ValuesOfFields() const {
    PatchValues values;
    for (TeamSlot team = 0; team < kTeamSlots; ++team) {
        values.teams[static_cast<std::size_t>(team)] =
            TextToTeamId(m_view.TeamIdText(team), TeamField(team));
    }
    for (const ColourSlotFields& fields : kColourSlots) {
        ColourSlot& slot = values.*fields.values;
        for (const Component component : kComponents) {
            slot.*kComponentBytes[ComponentIndex(component)] =
                TextToComponent(m_view.ComponentText(fields.id, component),
                                fields.components[ComponentIndex(component)]);
        }
        slot.transparency = TransparencyOf(m_view.Transparency(fields.id), fields.caption);
    }
    return values;
}

void MainEditor::Save() {
    if (m_path.empty()) {
        return;  // nothing opened yet; the commands are disabled until then
    }
    // Every field is converted before the file is opened, so a bad field writes nothing.
    PatchValues values;
    try {
        values = ValuesOfFields();
    } catch (const std::exception& e) {
        m_view.ShowMessage(std::string("Nothing was saved.\n\n") + e.what(), MessageKind::Warning);
        return;
    }
    try {
        WritePatch(m_path, values, m_files);
    } catch (const std::exception& e) {
        m_view.ShowMessage(std::string("The save failed.\n\n") + e.what(), MessageKind::Warning);
        return;
    }
    m_view.ShowMessage("Ready!!!", MessageKind::Plain);
}

void MainEditor::Id_Team() {
    for (TeamSlot team = 0; team < kTeamSlots; ++team) {
        const auto name = TeamNameForId(m_view.TeamIdText(team));
        // An ID the catalogue does not know clears the name, so that the name of a club
        // from an earlier file is not shown beside it.
        m_view.SetClubText(team, name ? std::string(*name) : std::string());
    }
}

void MainEditor::Combo() {
    if (m_clubsListed) {
        return;
    }
    std::vector<std::string_view> names;
    for (const Team& club : kTeamCatalogue) {
        names.push_back(club.name);
    }
    for (TeamSlot team = 0; team < kTeamSlots; ++team) {
        m_view.AddClubs(team, names);
    }
    m_clubsListed = true;
}

void MainEditor::Combo_Change(TeamSlot team) {
    if (const auto id = TeamIdForName(m_view.ClubText(team))) {
        m_view.SetTeamIdText(team, std::to_string(*id));
    }
}

void MainEditor::LoadColourSlot(const ColourSlotFields& fields, const ColourSlot& values) {
    for (const Component component : kComponents) {
        m_view.SetComponentText(fields.id, component,
                                std::to_string(values.*kComponentBytes[ComponentIndex(component)]));
    }
    m_view.SetTransparency(fields.id, values.transparency);
    ShowColour(fields.id, MakeColour(values.red, values.green, values.blue));
}

void MainEditor::ChooseColour(ColourSlotId slot) {
    // A cancelled dialog gives back the button's colour, and the fields are shown from it.
    const std::uint32_t chosen = m_view.AskColour(m_view.ButtonColour(slot));
    m_view.SetComponentText(slot, Component::Red, std::to_string(RedOf(chosen)));
    m_view.SetComponentText(slot, Component::Green, std::to_string(GreenOf(chosen)));
    m_view.SetComponentText(slot, Component::Blue, std::to_string(BlueOf(chosen)));
    ShowColour(slot, chosen);
}

void MainEditor::ShowColour(ColourSlotId slot, std::uint32_t colour) {
    const std::string hex = ColourHexText(colour);
    m_view.SetButtonColour(slot, colour);
    m_view.SetHexText(slot, hex);
    m_view.SetButtonCaption(slot, hex);
}

}  // namespace corvane
