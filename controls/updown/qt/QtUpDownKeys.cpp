#include "controls/updown/qt/QtUpDownKeys.h"

#include <QKeyEvent>

namespace corvane {

namespace {

UpDownKeyCode CodeOf(int key) {
    switch (key) {
        case Qt::Key_Backspace:
            return UpDownKeyCode::Backspace;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return UpDownKeyCode::Return;
        case Qt::Key_Escape:
            return UpDownKeyCode::Escape;
        case Qt::Key_Up:
            return UpDownKeyCode::Up;
        case Qt::Key_Down:
            return UpDownKeyCode::Down;
        case Qt::Key_Delete:
            return UpDownKeyCode::Delete;
        default:
            return UpDownKeyCode::Other;
    }
}

}  // namespace

UpDownKeyPress UpDownKeyOf(const QKeyEvent& e) {
    UpDownKeyPress p;
    p.key = CodeOf(e.key());
    p.ctrl = e.modifiers() & Qt::ControlModifier;
    p.alt = e.modifiers() & Qt::AltModifier;
    // Clipboard and undo shortcuts in every binding of the platform (Ctrl+V, Shift+Insert,
    // Shift+Delete, Ctrl+Insert, ...).
    for (const auto seq : {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Copy,
                           QKeySequence::Undo, QKeySequence::Redo, QKeySequence::SelectAll}) {
        p.editShortcut = p.editShortcut || e.matches(seq);
    }
    p.controlCharacterKey = e.key() >= Qt::Key_At && e.key() <= Qt::Key_Underscore;
    p.text = e.text().toStdU16String();
    return p;
}

}  // namespace corvane
