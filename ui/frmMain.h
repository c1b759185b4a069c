#pragma once

#include <QMainWindow>
#include <QString>

#include <array>
#include <filesystem>

#include "core/PatchValues.h"
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
// executable. Its controls are public, as the controls of a designed form are.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(const frmMainServices& services = {}, QWidget* parent = nullptr);
    ~frmMain() override;

    // The path of the demo executable opened last; empty until the first successful Open.
    QString FileName() const { return m_fileName; }

    // Reads the twelve values of `path` into the window, as Open does once a file is chosen:
    // all or nothing, with a message when the file cannot be read. Returns whether it opened.
    // The command line, the file dialog and a drop all end here.
    bool OpenFile(const std::filesystem::path& path);

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

    void mnuOpen_Click();
    void OpenNamed(const FsPathResult& named);
    void ReportNotOpened(const QString& reason);
    DropDecision TakeDrag(QDropEvent* event);
    void Save();
    void Id_Team();
    void Combo();
    void Combo_Change(int slot);
    void OpenExhibition(const ColourSlot& slot);
    void OpenFontGame(const ColourSlot& slot);
    void LoadColourSlot(const ColourSlot& slot, int first, ucUpDownBox* transparency,
                        ColourButton* button, FlatEdit* hex);
    void ChooseColour(int first, ColourButton* button, FlatEdit* hex);
    void ShowMessage(const QString& text, QMessageBox::Icon icon);

    FileDialogService& m_fileDialog;
    ColourDialogService& m_colourDialog;
    MessageService& m_messages;
    FileOps& m_files;
    QString m_fileName;            // FileName as shown
    std::filesystem::path m_path;  // the same file as the system names it; saves go here
};

}  // namespace corvane
