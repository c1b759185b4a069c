// The window's glue to its editor: the commands and drops it hands on, and the two dialogs it
// asks the user through.

#include "ui/frmMain.h"

#include <QAction>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>

#include <filesystem>
#include <string>

#include "controls/button/qt/Button_XP.h"
#include "controls/updown/qt/ucUpDownBox.h"
#include "core/FileOps.h"
#include "ui/FilePaths.h"
#include "ui/Scn_Common_Dialog.h"

namespace corvane {

namespace {

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

NamedFile ToNamedFile(const FsPathResult& named) {
    return {named.path, named.problem.toStdString()};
}

}  // namespace

frmMain::frmMain(const frmMainServices& services, QWidget* parent)
    : QMainWindow(parent),
      m_fileDialog(OrDefault<FileDialogService>(services.fileDialog, RealFileDialog())),
      m_colourDialog(OrDefault<ColourDialogService>(services.colourDialog, RealColourDialog())),
      m_messages(OrDefault<MessageService>(services.messages, RealMessages())),
      m_editor(*this, OrDefault<FileOps>(services.files, SystemFileOps())) {
    BuildControls();
    connect(mnuOpen, &QAction::triggered, this, [this] { m_editor.Open(); });
    connect(mnuSave, &QAction::triggered, this, [this] { m_editor.Save(); });
    connect(cmd_Save, &Button_XP::Click, this, [this] { m_editor.Save(); });
    setAcceptDrops(true);
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->acceptDrops()) {
            child->installEventFilter(this);
        }
    }
}

frmMain::~frmMain() = default;

void frmMain::ShowMessage(const std::string& text, MessageKind kind) {
    m_messages.Show(this, kAppTitle, QString::fromStdString(text),
                    kind == MessageKind::Warning ? QMessageBox::Warning : QMessageBox::NoIcon);
}

std::optional<NamedFile> frmMain::AskFile(const std::string& title, const std::string& filter,
                                          const std::filesystem::path& current) {
    QString chosen;
    {
        Scn_Common_Dialog dialog(m_fileDialog);
        chosen = dialog.OpenFileName(this, QString::fromStdString(title), FromFsPath(current),
                                     QString::fromStdString(filter));
    }
    if (chosen == QStringLiteral("-1")) {
        return std::nullopt;
    }
    return ToNamedFile(ToFsPath(chosen));
}

std::uint32_t frmMain::AskColour(std::uint32_t initial) {
    CD->setColor(initial);
    CD->ShowColor();
    return CD->Color();
}

void frmMain::OpenNamed(const FsPathResult& named) {
    m_editor.OpenNamed(ToNamedFile(named));
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

}  // namespace corvane
