#pragma once

// Answers for the window's dialogs and a record of its messages, so that tests drive the
// window without a human.

#include <QApplication>
#include <QFont>
#include <QList>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>

#include <optional>

#include "ui/Dialogs.h"

namespace corvane::test {

class FakeFileDialog : public FileDialogService {
public:
    struct Call {
        QWidget* owner;
        QString title;
        QList<FileFilter> filters;
    };
    // The next answers, first first; nothing means the user cancels.
    QList<std::optional<QString>> answers;
    QList<Call> calls;

    std::optional<QString> GetOpenFileName(QWidget* owner, const QString& title,
                                           const QList<FileFilter>& filters) override {
        calls.append({owner, title, filters});
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }
};

class FakeColourDialog : public ColourDialogService {
public:
    std::optional<QColor> answer;  // nothing: the user cancels
    QList<QColor> initials;

    std::optional<QColor> GetColour(QWidget*, const QColor& initial) override {
        initials.append(initial);
        return answer;
    }
};

class RecordingMessages : public MessageService {
public:
    struct Message {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };
    QList<Message> shown;
    // From 0 up: each message is also shown in a real modal box, as the window's own service
    // shows it, in the screen's top-left corner (away from the window) for this many
    // milliseconds.
    int modalForMs = -1;

    void Show(QWidget* owner, const QString& title, const QString& text,
              QMessageBox::Icon icon) override {
        shown.append({title, text, icon});
        if (modalForMs >= 0) {
            QMessageBox box(icon, title, text, QMessageBox::Ok, owner);
            box.move(0, 0);
            QTimer::singleShot(modalForMs, &box, &QMessageBox::accept);
            box.exec();
        }
    }
};

// The same look on every machine: Fusion with its own palette and a fixed font.
inline void UseFixedLook() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    QApplication::setFont(font);
}

}  // namespace corvane::test
