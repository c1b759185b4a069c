#pragma once

#include <QColor>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace corvane {

// One entry of a file-open dialog's type list: the text the user sees and the file-name
// patterns it selects ("*.exe"; "*" for every file).
struct FileFilter {
    QString description;
    QStringList patterns;

    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// The dialogs and message boxes the main window asks the user through. Each is a small
// interface so that tests answer it without a human; the Qt implementations below are thin.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen path (the file need not exist), or nothing when the user cancelled. The
    // first filter is selected when the dialog opens.
    virtual std::optional<QString> GetOpenFileName(QWidget* owner, const QString& title,
                                                   const QList<FileFilter>& filters) = 0;
};

class ColourDialogService {
public:
    virtual ~ColourDialogService() = default;
    // The chosen colour, or nothing when the user cancelled.
    virtual std::optional<QColor> GetColour(QWidget* owner, const QColor& initial) = 0;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    // A modal message with a single OK button.
    virtual void Show(QWidget* owner, const QString& title, const QString& text,
                      QMessageBox::Icon icon) = 0;
};

// Qt's own widget-based file dialog in any-file mode, so that it looks and behaves the same
// on every platform and a name that does not exist yet can be typed.
class QtFileDialogService : public FileDialogService {
public:
    std::optional<QString> GetOpenFileName(QWidget* owner, const QString& title,
                                           const QList<FileFilter>& filters) override;
};

class QtColourDialogService : public ColourDialogService {
public:
    std::optional<QColor> GetColour(QWidget* owner, const QColor& initial) override;
};

class QtMessageService : public MessageService {
public:
    void Show(QWidget* owner, const QString& title, const QString& text,
              QMessageBox::Icon icon) override;
};

}  // namespace corvane
