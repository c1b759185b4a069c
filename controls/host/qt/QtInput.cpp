#include "controls/host/qt/QtInput.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>

namespace corvane {

namespace {

struct KeyPair {
    int qt;
    Key key;
};

// Keys whose number is not their own Latin-1 value. Shifted punctuation reports the key it
// sits on (US layout), as virtual-key numbers name keys, not characters.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, Key::Backspace},
    {Qt::Key_Tab, Key::Tab},
    {Qt::Key_Backtab, Key::Tab},
    {Qt::Key_Return, Key::Return},
    {Qt::Key_Enter, Key::Return},
    {Qt::Key_Shift, Key::Shift},
    {Qt::Key_Control, Key::Control},
    {Qt::Key_Alt, Key::Alt},
    {Qt::Key_Pause, Key::Pause},
    {Qt::Key_CapsLock, Key::CapsLock},
    {Qt::Key_Escape, Key::Escape},
    {Qt::Key_PageUp, Key::PageUp},
    {Qt::Key_PageDown, Key::PageDown},
    {Qt::Key_End, Key::End},
    {Qt::Key_Home, Key::Home},
    {Qt::Key_Left, Key::Left},
    {Qt::Key_Up, Key::Up},
    {Qt::Key_Right, Key::Right},
    {Qt::Key_Down, Key::Down},
    {Qt::Key_Print, Key::Print},
    {Qt::Key_Insert, Key::Insert},
    {Qt::Key_Delete, Key::Delete},
    {Qt::Key_Meta, Key::Meta},
    {Qt::Key_Menu, Key::Menu},
    {Qt::Key_NumLock, Key::NumLock},
    {Qt::Key_ScrollLock, Key::ScrollLock},
    {Qt::Key_ParenRight, Key{'0'}},
    {Qt::Key_Exclam, Key{'1'}},
    {Qt::Key_At, Key{'2'}},
    {Qt::Key_NumberSign, Key{'3'}},
    {Qt::Key_Dollar, Key{'4'}},
    {Qt::Key_Percent, Key{'5'}},
    {Qt::Key_AsciiCircum, Key{'6'}},
    {Qt::Key_Ampersand, Key{'7'}},
    {Qt::Key_Asterisk, Key{'8'}},
    {Qt::Key_ParenLeft, Key{'9'}},
    {Qt::Key_Semicolon, Key::Semicolon},
    {Qt::Key_Colon, Key::Semicolon},
    {Qt::Key_Equal, Key::Equal},
    {Qt::Key_Plus, Key::Equal},
    {Qt::Key_Comma, Key::Comma},
    {Qt::Key_Less, Key::Comma},
    {Qt::Key_Minus, Key::Minus},
    {Qt::Key_Underscore, Key::Minus},
    {Qt::Key_Period, Key::Period},
    {Qt::Key_Greater, Key::Period},
    {Qt::Key_Slash, Key::Slash},
    {Qt::Key_Question, Key::Slash},
    {Qt::Key_QuoteLeft, Key::Grave},
    {Qt::Key_AsciiTilde, Key::Grave},
    {Qt::Key_BracketLeft, Key::BracketLeft},
    {Qt::Key_BraceLeft, Key::BracketLeft},
    {Qt::Key_Backslash, Key::Backslash},
    {Qt::Key_Bar, Key::Backslash},
    {Qt::Key_BracketRight, Key::BracketRight},
    {Qt::Key_BraceRight, Key::BracketRight},
    {Qt::Key_Apostrophe, Key::Apostrophe},
    {Qt::Key_QuoteDbl, Key::Apostrophe},
};

Key keypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<Key>(static_cast<int>(Key::Numpad0) + (qtKey - Qt::Key_0));
    }
    switch (qtKey) {
        case Qt::Key_Asterisk:
            return Key::Multiply;
        case Qt::Key_Plus:
            return Key::Add;
        case Qt::Key_Minus:
            return Key::Subtract;
        case Qt::Key_Period:
            return Key::Decimal;
        case Qt::Key_Slash:
            return Key::Divide;
        default:
            return Key::None;
    }
}

}  // namespace

Key KeyOfQt(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        const Key k = keypadKey(qtKey);
        if (k != Key::None) {
            return k;
        }
    }
    if (qtKey == Qt::Key_Space || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) ||
        (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return static_cast<Key>(qtKey);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<Key>(static_cast<int>(Key::F1) + (qtKey - Qt::Key_F1));
    }
    for (const KeyPair& p : kKeys) {
        if (p.qt == qtKey) {
            return p.key;
        }
    }
    return Key::None;
}

unsigned ModifiersOfQt(Qt::KeyboardModifiers modifiers) {
    unsigned m = Modifier::None;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        m |= Modifier::Shift;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        m |= Modifier::Ctrl;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        m |= Modifier::Alt;
    }
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        m |= Modifier::Keypad;
    }
    return m;
}

MouseButton MouseButtonOfQt(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return MouseButton::None;
    }
}

MouseButtons MouseButtonsOfQt(Qt::MouseButtons buttons) {
    MouseButtons b = 0;
    for (Qt::MouseButton one : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons.testFlag(one)) {
            b |= static_cast<MouseButtons>(MouseButtonOfQt(one));
        }
    }
    return b;
}

MouseEvent MouseEventOf(const QMouseEvent& e) {
    MouseEvent m;
    m.button = MouseButtonOfQt(e.button());
    m.buttons = MouseButtonsOfQt(e.buttons());
    m.modifiers = ModifiersOfQt(e.modifiers());
    m.x = e.position().x();
    m.y = e.position().y();
    m.time = e.timestamp();
    return m;
}

KeyEvent KeyEventOf(const QKeyEvent& e) {
    KeyEvent k;
    k.key = KeyOfQt(e.key(), e.modifiers());
    k.modifiers = ModifiersOfQt(e.modifiers());
    const QString text = e.text();
    k.text.assign(reinterpret_cast<const char16_t*>(text.utf16()),
                  static_cast<std::size_t>(text.size()));
    k.autoRepeat = e.isAutoRepeat();
    const struct {
        QKeySequence::StandardKey key;
        unsigned bit;
    } shortcuts[] = {
        {QKeySequence::Paste, EditShortcut::Paste},
        {QKeySequence::Cut, EditShortcut::Cut},
        {QKeySequence::Copy, EditShortcut::Copy},
        {QKeySequence::Undo, EditShortcut::Undo},
        {QKeySequence::Redo, EditShortcut::Redo},
        {QKeySequence::SelectAll, EditShortcut::SelectAll},
    };
    for (const auto& s : shortcuts) {
        if (e.matches(s.key)) {
            k.shortcuts |= s.bit;
        }
    }
    return k;
}

}  // namespace corvane
