// The Open and Save commands and the handlers of the team and colour controls.

#include "ui/frmMain.h"

#include <QAction>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>

#include <filesystem>
#include <string>

#include "controls/button/Button_XP.h"
#include "controls/updown/qt/ucUpDownBox.h"
#include "core/Colour.h"
#include "core/DemoFile.h"
#include "core/Error.h"
#include "core/FileOps.h"
#include "core/TeamCatalogue.h"
#include "core/TextConversion.h"
#include "ui/ColourButton.h"
#include "ui/FilePaths.h"
#include "ui/Scn_Common_Dialog.h"

namespace corvane {

namespace {

QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename T>
T& OrDefault(T* given, T& fallback) {
    return given ? *given : fallback;
}

QtFileDialogService& RealFileDialog() {
    static QtFileDialogService service;
    return service;
}
QtColourDialogService& RealColourDialog() {
    static QtColourDialogService service;
    return service;
}
QtMessageService& RealMessages() {
    static QtMessageService service;
    return service;
}

// The names a failed conversion reports: what the user sees on the window.
const char* const kTeamFields[4] = {"team 1", "team 2", "team 3", "team 4"};
const char* const kExhibitionFields[3] = {"Loading Icon (Exhibition) red",
                                          "Loading Icon (Exhibition) green",
                                          "Loading Icon (Exhibition) blue"};
const char* const kFontFields[3] = {"Pes Fonts Color red", "Pes Fonts Color green",
                                    "Pes Fonts Color blue"};

std::uint8_t TransparencyOf(const ucUpDownBox* box, const char* field) {
    const int value = box->Value();
    if (value < 0 || value > 255) {
        throw Error(std::string(field) + " transparency: " + std::to_string(value) +
                    " is not a whole number from 0 to 255");
    }
    return static_cast<std::uint8_t>(value);
}

}  // namespace

frmMain::frmMain(const frmMainServices& services, QWidget* parent)
    : QMainWindow(parent),
      m_fileDialog(OrDefault<FileDialogService>(services.fileDialog, RealFileDialog())),
      m_colourDialog(OrDefault<ColourDialogService>(services.colourDialog, RealColourDialog())),
      m_messages(OrDefault<MessageService>(services.messages, RealMessages())),
      m_files(OrDefault<FileOps>(services.files, SystemFileOps())) {
    BuildControls();
    connect(mnuOpen, &QAction::triggered, this, &frmMain::mnuOpen_Click);
    connect(mnuSave, &QAction::triggered, this, &frmMain::Save);
    connect(cmd_Save, &Button_XP::Click, this, &frmMain::Save);
    setAcceptDrops(true);
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->acceptDrops()) {
            child->installEventFilter(this);
        }
    }
}

frmMain::~frmMain() = default;

void frmMain::ShowMessage(const QString& text, QMessageBox::Icon icon) {
    m_messages.Show(this, kAppTitle, text, icon);
}

void frmMain::mnuOpen_Click() {
    QString chosen;
    {
        Scn_Common_Dialog dialog(m_fileDialog);
        chosen =
            dialog.OpenFileName(this, QStringLiteral("pes2012.exe"), m_fileName,
                                QStringLiteral("pes2012.exe (*.exe)|*.exe| All Files (*.*)|*.*"));
    }
    if (chosen == QStringLiteral("-1")) {
        return;
    }
    OpenNamed(ToFsPath(chosen));
}

void frmMain::OpenNamed(const FsPathResult& named) {
    if (named.path) {
        OpenFile(*named.path);
    } else {
        ReportNotOpened(named.problem);
    }
}

void frmMain::ReportNotOpened(const QString& reason) {
    ShowMessage(QStringLiteral("The file was not opened; nothing has changed.\n\n%1").arg(reason),
                QMessageBox::Warning);
}

bool frmMain::OpenFile(const std::filesystem::path& path) {
    // Every field is read before anything on the window changes, so a file that cannot be
    // read leaves the window, and the file a save would write to, as they were.
    PatchValues values;
    try {
        values = ReadPatch(path, m_files);
    } catch (const std::exception& e) {  // corvane::Error, or bad_alloc: never past a slot
        ReportNotOpened(QString::fromUtf8(e.what()));
        return false;
    }
    m_path = path;
    m_fileName = FromFsPath(path);
    for (int slot = 0; slot < 4; ++slot) {
        txt[slot]->setNumber(values.teams[slot]);
    }
    Id_Team();
    Combo();
    OpenExhibition(values.exhibition);
    OpenFontGame(values.font);
    TabControl1->setEnabled(true);
    mnuSave->setEnabled(true);
    cmd_Save->setEnabled(true);
    return true;
}

DropDecision frmMain::TakeDrag(QDropEvent* event) {
    DropDecision decision = DecideDrop(event->mimeData(), event->possibleActions());
    if (decision.accept) {
        event->setDropAction(decision.action);
        event->accept();
    } else {
        event->ignore();  // the pointer shows that the window takes no such drop
    }
    return decision;
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    TakeDrag(event);
}

void frmMain::dragMoveEvent(QDragMoveEvent* event) {
    TakeDrag(event);
}

void frmMain::dropEvent(QDropEvent* event) {
    DropDecision decision = TakeDrag(event);
    if (decision.accept) {
        // Opened once the drop is over, so that its source is not kept waiting by a message.
        QTimer::singleShot(0, this, [this, named = std::move(decision.file)] { OpenNamed(named); });
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->mimeData() == nullptr || !drop->mimeData()->hasUrls()) {
                break;  // text for the field
            }
            if (event->type() == QEvent::Drop) {
                dropEvent(drop);
            } else {
                TakeDrag(drop);
            }
            return true;
        }
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::Save() {
    if (m_path.empty()) {
        return;  // nothing opened yet; the commands are disabled until then
    }
    // Every field is converted before the file is opened, so a bad field writes nothing.
    PatchValues values;
    try {
        for (int slot = 0; slot < 4; ++slot) {
            values.teams[slot] = TextToTeamId(txt[slot]->Text().toStdString(), kTeamFields[slot]);
        }
        values.exhibition.red = TextToComponent(C[0]->Text().toStdString(), kExhibitionFields[0]);
        values.exhibition.green = TextToComponent(C[1]->Text().toStdString(), kExhibitionFields[1]);
        values.exhibition.blue = TextToComponent(C[2]->Text().toStdString(), kExhibitionFields[2]);
        values.exhibition.transparency = TransparencyOf(Up, "Loading Icon (Exhibition)");
        values.font.red = TextToComponent(C[10]->Text().toStdString(), kFontFields[0]);
        values.font.green = TextToComponent(C[11]->Text().toStdString(), kFontFields[1]);
        values.font.blue = TextToComponent(C[12]->Text().toStdString(), kFontFields[2]);
        values.font.transparency = TransparencyOf(Up4, "Pes Fonts Color");
    } catch (const std::exception& e) {
        ShowMessage(QStringLiteral("Nothing was saved.\n\n%1").arg(QString::fromUtf8(e.what())),
                    QMessageBox::Warning);
        return;
    }
    try {
        WritePatch(m_path, values, m_files);
    } catch (const std::exception& e) {
        ShowMessage(QStringLiteral("The save failed.\n\n%1").arg(QString::fromUtf8(e.what())),
                    QMessageBox::Warning);
        return;
    }
    ShowMessage(QStringLiteral("Ready!!!"), QMessageBox::NoIcon);
}

void frmMain::Id_Team() {
    for (int slot = 0; slot < 4; ++slot) {
        const auto name = TeamNameForId(txt[slot]->Text().toStdString());
        // An ID the catalogue does not know clears the name, so that the name of a club
        // from an earlier file is not shown beside it.
        Combos[slot]->setText(name ? FromStd(*name) : QString());
    }
}

void frmMain::Combo() {
    // The lists hold the catalogue once, however many files are opened.
    for (ComboBox* combo : Combos) {
        if (combo->count() > 0) {
            continue;
        }
        for (const Team& team : kTeamCatalogue) {
            combo->AddItem(FromStd(team.name));
        }
    }
}

void frmMain::Combo_Change(int slot) {
    if (const auto id = TeamIdForName(Combos[slot]->Text().toStdString())) {
        txt[slot]->setNumber(*id);
    }
}

void frmMain::OpenExhibition(const ColourSlot& slot) {
    LoadColourSlot(slot, 0, Up, cmd_Color, Result);
}

void frmMain::OpenFontGame(const ColourSlot& slot) {
    LoadColourSlot(slot, 10, Up4, cmd_Color4, Result4);
}

void frmMain::LoadColourSlot(const ColourSlot& slot, int first, ucUpDownBox* transparency,
                             ColourButton* button, FlatEdit* hex) {
    C[first]->setNumber(slot.red);
    C[first + 1]->setNumber(slot.green);
    C[first + 2]->setNumber(slot.blue);
    transparency->setValue(slot.transparency);
    button->setBackColor(MakeColour(slot.red, slot.green, slot.blue));
    hex->setText(QString::fromStdString(ColourHexText(button->BackColor())));
    button->setCaption(hex->Text());
}

void frmMain::ChooseColour(int first, ColourButton* button, FlatEdit* hex) {
    CD->setColor(button->BackColor());
    CD->ShowColor();
    const quint32 chosen = CD->Color();
    button->setBackColor(chosen);
    C[first]->setNumber(RedOf(chosen));
    C[first + 1]->setNumber(GreenOf(chosen));
    C[first + 2]->setNumber(BlueOf(chosen));
    hex->setText(QString::fromStdString(ColourHexText(button->BackColor())));
    button->setCaption(hex->Text());
}

}  // namespace corvane
