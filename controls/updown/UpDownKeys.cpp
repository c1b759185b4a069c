#include "controls/updown/UpDownKeys.h"

#include <QKeyEvent>

#include "controls/updown/UpDownRules.h"

namespace corvane {

UpDownKey classifyUpDownKey(const QKeyEvent& e) {
    const int key = e.key();
    if (key == Qt::Key_Up) {
        return UpDownKey::StepUp;
    }
    if (key == Qt::Key_Down) {
        return UpDownKey::StepDown;
    }
    // Clipboard and undo shortcuts in every binding of the platform (Ctrl+V, Shift+Insert,
    // Shift+Delete, Ctrl+Insert, ...): a paste would bypass the character filter.
    for (const auto seq : {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Copy,
                           QKeySequence::Undo, QKeySequence::Redo, QKeySequence::SelectAll}) {
        if (e.matches(seq)) {
            return UpDownKey::Discard;
        }
    }
    const Qt::KeyboardModifiers mods = e.modifiers();
    // Ctrl with a letter or one of @[\]^_ types a control character, which is no digit.
    // Ctrl+Alt is AltGr on some keyboards and types ordinary characters.
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) &&
        ((key >= Qt::Key_At && key <= Qt::Key_Underscore) || key == Qt::Key_Backspace)) {
        return UpDownKey::Discard;
    }
    switch (key) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            return UpDownKey::Pass;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            return UpDownKey::Propagate;
        default:
            break;
    }
    const QString text = e.text();
    if (text.isEmpty()) {
        return UpDownKey::Pass;  // caret movement, function keys, modifiers alone
    }
    for (const QChar c : text) {
        if (!UpDownRules::isTypeable(c)) {
            return UpDownKey::Discard;
        }
    }
    return UpDownKey::Pass;
}

}  // namespace corvane
