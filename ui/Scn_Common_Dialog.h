#pragma once

#include <QList>
#include <QString>

#include "ui/Dialogs.h"

class QWidget;

namespace corvane {

inline const QString kDefaultDialogFilter = QStringLiteral("Wszystkie Pliki (*.*)|*.*");

// A filter text of description/pattern pairs separated by "|" as a type list. An empty piece
// ends the list, and a description without its pattern is dropped. Patterns within a piece
// are separated by ";"; "*.*" means every file, as it does on Windows.
QList<FileFilter> SplitDialogFilter(const QString& filter);

// The last component of a path; both "\" and "/" separate folders.
QString TitleNameOf(const QString& path);

// The file-open dialog of the Open command: made for one command, asked once, dropped.
class Scn_Common_Dialog {
public:
    explicit Scn_Common_Dialog(FileDialogService& dialog) : m_dialog(dialog) {}

    // The chosen path, or "-1" when the user cancelled. DirPath is accepted and not
    // consulted: the dialog opens where the platform opens it.
    QString OpenFileName(QWidget* FrmName, const QString& DialogTitle, const QString& DirPath,
                         const QString& Filter = kDefaultDialogFilter);
    // The file name of the last chosen path, without its folders.
    QString TitleName() const { return TitleNameOf(m_selectedPath); }
    QString SelectedPath() const { return m_selectedPath; }

private:
    FileDialogService& m_dialog;
    QString m_selectedPath;
};

}  // namespace corvane
