#include "controls/host/qt/QtServices.h"

#include <QClipboard>
#include <QGuiApplication>

#include "controls/draw/qt/QtText.h"

namespace corvane {

std::u16string QtClipboard::text() const {
    const QClipboard* c = QGuiApplication::clipboard();
    return c ? c->text().toStdU16String() : std::u16string();
}

void QtClipboard::setText(std::u16string_view text) {
    if (QClipboard* c = QGuiApplication::clipboard()) {
        c->setText(QStringOf(text));
    }
}

Clipboard& ProcessClipboard() {
    static QtClipboard clipboard;
    return clipboard;
}

}  // namespace corvane
