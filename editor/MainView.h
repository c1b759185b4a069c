#pragma once

// What the editing logic needs of a shell's main window: the text of its fields, its two
// colour buttons, which commands work, its messages and its dialogs. Each shell's window
// implements it over its own controls; the logic (MainEditor) never sees a control.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/PatchValues.h"
#include "editor/ColourSlots.h"

namespace corvane {

// A team slot, 0 to 3: the window shows slot N as "N + 1".
using TeamSlot = int;
inline constexpr TeamSlot kTeamSlots = static_cast<TeamSlot>(PatchValues{}.teams.size());

// The controls the open command enables; nothing disables them again.
enum class Command { Pages, SaveMenu, SaveButton };

enum class MessageKind { Warning, Plain };

// A file the user named, or why the name they gave names no file exactly (a text with a
// character that cannot be a file name). Exactly one of the two is set.
struct NamedFile {
    std::optional<std::filesystem::path> path;
    std::string problem;
};

// Texts are UTF-8; numbers are shown as decimal text.
class MainView {
public:
    virtual ~MainView() = default;

    virtual std::string TeamIdText(TeamSlot team) const = 0;
    virtual void SetTeamIdText(TeamSlot team, const std::string& text) = 0;
    // The club list's shown text, which may be any text, also one not in the list.
    virtual std::string ClubText(TeamSlot team) const = 0;
    virtual void SetClubText(TeamSlot team, const std::string& text) = 0;
    // Appends the names to the club list, leaving the shown text alone.
    virtual void AddClubs(TeamSlot team, const std::vector<std::string_view>& names) = 0;

    virtual std::string ComponentText(ColourSlotId slot, Component component) const = 0;
    virtual void SetComponentText(ColourSlotId slot, Component component,
                                  const std::string& text) = 0;
    virtual int Transparency(ColourSlotId slot) const = 0;
    virtual void SetTransparency(ColourSlotId slot, int value) = 0;
    // A colour value: 0x00BBGGRR, or a system colour (top bit set), as a button starts.
    virtual std::uint32_t ButtonColour(ColourSlotId slot) const = 0;
    virtual void SetButtonColour(ColourSlotId slot, std::uint32_t colour) = 0;
    virtual void SetButtonCaption(ColourSlotId slot, const std::string& caption) = 0;
    virtual void SetHexText(ColourSlotId slot, const std::string& text) = 0;

    virtual void Enable(Command command) = 0;

    // A modal message under the program's title, with a single OK button.
    virtual void ShowMessage(const std::string& text, MessageKind kind) = 0;
    // The file-open dialog: `filter` is description/pattern pairs separated by "|"; the first
    // type is selected. Nothing when the user cancels.
    virtual std::optional<NamedFile> AskFile(const std::string& title, const std::string& filter,
                                             const std::filesystem::path& current) = 0;
    // The colour dialog, starting at `initial`: the chosen colour, or `initial` when the user
    // cancels.
    virtual std::uint32_t AskColour(std::uint32_t initial) = 0;
};

}  // namespace corvane
