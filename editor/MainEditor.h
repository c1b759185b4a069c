#pragma once

#include <filesystem>
#include <string>

#include "core/FileOps.h"
#include "core/PatchValues.h"
#include "editor/ColourSlots.h"
#include "editor/MainView.h"

namespace corvane {

// The open command's dialog: its title and its two file types.
inline constexpr std::string_view kOpenTitle = "pes2012.exe";
inline constexpr std::string_view kOpenFilter = "pes2012.exe (*.exe)|*.exe| All Files (*.*)|*.*";

// The main window's editing logic: Open and Save move the twelve values between the view's
// fields and the demo executable, and the team and colour handlers keep the fields in step.
// Every failure the user can cause is a message, and leaves the window and the file as they
// were. A shell's window owns one, hands it its events, and implements the view.
class MainEditor {
public:
    explicit MainEditor(MainView& view, FileOps& files = SystemFileOps())
        : m_view(view), m_files(files) {}

    // The file opened last, which a save writes to; empty until the first successful open.
    const std::filesystem::path& FileName() const { return m_path; }

    // The Open command: asks for a file and opens it; a cancel changes nothing.
    void Open();
    // Opens a file named on the command line, in the dialog or by a drop, or reports why the
    // name given names none.
    void OpenNamed(const NamedFile& named);
    // Reads all twelve values of `path` before anything changes, then fills the fields and
    // enables the commands; a file that cannot be read changes nothing but shows why.
    // Returns whether it opened.
    bool OpenFile(const std::filesystem::path& path);
    // The Save command: converts every field first, so that a bad one writes nothing, then
    // writes them all, and says "Ready!!!" only when the write succeeded.
    void Save();

    // The user chose a club in a team slot's list: its ID goes into the slot's field.
    void Combo_Change(TeamSlot team);
    // The user clicked a colour slot's button: a colour chosen in the dialog fills the slot.
    void ChooseColour(ColourSlotId slot);

private:
    void ReportNotOpened(const std::string& reason);
    // Shows the club of each team slot's ID, or none for an ID the catalogue does not know.
    void Id_Team();
    // Fills the club lists with the catalogue, once however many files are opened.
    void Combo();
    void LoadColourSlot(const ColourSlotFields& fields, const ColourSlot& values);
    void ShowColour(ColourSlotId slot, std::uint32_t colour);
    PatchValues ValuesOfFields() const;

    MainView& m_view;
    FileOps& m_files;
    std::filesystem::path m_path;
    bool m_clubsListed = false;
};

}  // namespace corvane
