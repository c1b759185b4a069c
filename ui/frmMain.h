#pragma once

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/PatchValues.h"
#include "editor/MainEditor.h"
#include "editor/MainLayout.h"
#include "editor/MainView.h"
#include "ui/ControlLibrary.h"
#include "ui/Dialogs.h"
#include "ui/FilePaths.h"
#include "ui/ImageBox.h"

class QAction;
class QMenu;

namespace corvane {

class Button_XP;
class ColourButton;
class ControlSite;
class FileOps;
class UserControl;
class ucUpDownBox;

// The program's title, shown on the window and on its messages.
inline const QString kAppTitle = QStringLiteral("Corvane");

// What the window asks the user through and the files it works on. Null members take the
// real ones: Qt's dialogs and message boxes and the operating system's files.
struct frmMainServices {
    FileDialogService* fileDialog = nullptr;
    ColourDialogService* colourDialog = nullptr;
    MessageService* messages = nullptr;
    FileOps* files = nullptr;
};

// The one window: the team slots on the first page, the two colour slots on the second, and
// the Open and Save commands that move the twelve values between the controls and the demo
// executable. Its controls are public, as the controls of a designed form are. The commands'
// logic is the editor's (MainEditor); the window shows it as its view and hands it the
// user's commands.
class frmMain : public QMainWindow, private MainView {
    Q_OBJECT
public:
    explicit frmMain(const frmMainServices& services = {}, QWidget* parent = nullptr);
    ~frmMain() override;

    // The path of the demo executable opened last; empty until the first successful Open.
    QString FileName() const { return FromFsPath(m_editor.FileName()); }

    // Reads the twelve values of `path` into the window, as Open does once a file is chosen:
    // all or nothing, with a message when the file cannot be read. Returns whether it opened.
    // The command line, the file dialog and a drop all end here.
    bool OpenFile(const std::filesystem::path& path) { return m_editor.OpenFile(path); }

    QWidget* client = nullptr;  // the client area below the menu bar
    QMenu* Menu = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* Sep = nullptr;
    QAction* mnuSave = nullptr;

    TabControl* TabControl1 = nullptr;
    Button_XP* cmd_Save = nullptr;
    CommonDialog* CD = nullptr;

    GroupBox* GroupBox5 = nullptr;
    ImageBox* Image1 = nullptr;
    std::array<GroupBox*, 4> TeamGroups{};  // GroupBox1 to GroupBox4, team slots 1 to 4
    std::array<FlatEdit*, 4> txt{};
    std::array<ComboBox*, 4> Combos{};  // Combo1 to Combo4

    GroupBox* GroupBox7 = nullptr;  // Exhibition loading icon colour
    GroupBox* GroupBox8 = nullptr;
    GroupBox* GroupBox9 = nullptr;  // game font colour
    GroupBox* GroupBox10 = nullptr;
    std::array<FlatEdit*, 13> C{};  // only 0, 1, 2 and 10, 11, 12 exist
    ColourButton* cmd_Color = nullptr;
    ColourButton* cmd_Color4 = nullptr;
    FlatEdit* Result = nullptr;
    FlatEdit* Result4 = nullptr;
    ucUpDownBox* Up = nullptr;
    ucUpDownBox* Up4 = nullptr;

    // The control the window's layout table names `id`.
    QWidget* Control(layout::Ctl id) const;

protected:
    // One local file dropped anywhere on the window opens it; see DecideDrop.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The text fields would take a dropped file's name as text; the window takes it first.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenu();
    void BuildControls();
    void BuildTeamPage(QWidget* page);
    void BuildColourPage(QWidget* page);
    void SetTabOrder();
    // Gives a custom control its site and loads its stored property set from the form data.
    ControlSite* MakeSite(const QString& name);
    void LoadStoredProperties(UserControl* control, const QString& name);

    void OpenNamed(const FsPathResult& named);
    DropDecision TakeDrag(QDropEvent* event);

    // The view of the editor, over the controls (frmMainView.cpp).
    std::string TeamIdText(TeamSlot team) const override;
    void SetTeamIdText(TeamSlot team, const std::string& text) override;
    std::string ClubText(TeamSlot team) const override;
    void SetClubText(TeamSlot team, const std::string& text) override;
    void AddClubs(TeamSlot team, const std::vector<std::string_view>& names) override;
    std::string ComponentText(ColourSlotId slot, Component component) const override;
    void SetComponentText(ColourSlotId slot, Component component, const std::string& text) override;
    int Transparency(ColourSlotId slot) const override;
    void SetTransparency(ColourSlotId slot, int value) override;
    std::uint32_t ButtonColour(ColourSlotId slot) const override;
    void SetButtonColour(ColourSlotId slot, std::uint32_t colour) override;
    void SetButtonCaption(ColourSlotId slot, const std::string& caption) override;
    void SetHexText(ColourSlotId slot, const std::string& text) override;
    void Enable(Command command) override;
    void ShowMessage(const std::string& text, MessageKind kind) override;
    std::optional<NamedFile> AskFile(const std::string& title, const std::string& filter,
                                     const std::filesystem::path& current) override;
    std::uint32_t AskColour(std::uint32_t initial) override;

    FlatEdit* ComponentField(ColourSlotId slot, Component component) const;

    FileDialogService& m_fileDialog;
    ColourDialogService& m_colourDialog;
    MessageService& m_messages;
    MainEditor m_editor;
};

// Where a colour slot's controls are on the window, in the order of kColourSlots.
struct ColourSlotControls {
    ColourSlotId id;
    std::size_t firstComponent;  // the index in C of the red field; green and blue follow
    GroupBox* frmMain::*group;
    ColourButton* frmMain::*button;
    FlatEdit* frmMain::*hex;
    GroupBox* frmMain::*transparencyFrame;
    ucUpDownBox* frmMain::*transparency;
};
inline constexpr std::array<ColourSlotControls, 2> kColourSlotControls{{
    {ColourSlotId::Exhibition, 0, &frmMain::GroupBox7, &frmMain::cmd_Color, &frmMain::Result,
     &frmMain::GroupBox8, &frmMain::Up},
    {ColourSlotId::Font, 10, &frmMain::GroupBox9, &frmMain::cmd_Color4, &frmMain::Result4,
     &frmMain::GroupBox10, &frmMain::Up4},
}};
static_assert(kColourSlotControls[0].id == ColourSlotId::Exhibition &&
              kColourSlotControls[1].id == ColourSlotId::Font);
constexpr const ColourSlotControls& ControlsOf(ColourSlotId slot) {
    return kColourSlotControls[slot == ColourSlotId::Exhibition ? 0 : 1];
}

}  // namespace corvane
