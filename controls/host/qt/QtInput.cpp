#include "controls/host/qt/QtInput.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>

namespace corvane {

namespace {

struct KeyPair {
    int qt;
    KeyCode key;
};

// Keys whose number is not their own Latin-1 value. Shifted punctuation reports the key it
// sits on (US layout), as virtual-key numbers name keys, not characters.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, KeyCode::Backspace},
    {Qt::Key_Tab, KeyCode::Tab},
    {Qt::Key_Backtab, KeyCode::Tab},
    {Qt::Key_Return, KeyCode::Return},
    {Qt::Key_Enter, KeyCode::Return},
    {Qt::Key_Shift, KeyCode::Shift},
    {Qt::Key_Control, KeyCode::Control},
    {Qt::Key_Alt, KeyCode::Alt},
    {Qt::Key_Pause, KeyCode::Pause},
    {Qt::Key_CapsLock, KeyCode::CapsLock},
    {Qt::Key_Escape, KeyCode::Escape},
    {Qt::Key_PageUp, KeyCode::PageUp},
    {Qt::Key_PageDown, KeyCode::PageDown},
    {Qt::Key_End, KeyCode::End},
    {Qt::Key_Home, KeyCode::Home},
    {Qt::Key_Left, KeyCode::Left},
    {Qt::Key_Up, KeyCode::Up},
    {Qt::Key_Right, KeyCode::Right},
    {Qt::Key_Down, KeyCode::Down},
    {Qt::Key_Print, KeyCode::Print},
    {Qt::Key_Insert, KeyCode::Insert},
    {Qt::Key_Delete, KeyCode::Delete},
    {Qt::Key_Meta, KeyCode::Meta},
    {Qt::Key_Menu, KeyCode::Menu},
    {Qt::Key_NumLock, KeyCode::NumLock},
    {Qt::Key_ScrollLock, KeyCode::ScrollLock},
    {Qt::Key_ParenRight, KeyCode{'0'}},
    {Qt::Key_Exclam, KeyCode{'1'}},
    {Qt::Key_At, KeyCode{'2'}},
    {Qt::Key_NumberSign, KeyCode{'3'}},
    {Qt::Key_Dollar, KeyCode{'4'}},
    {Qt::Key_Percent, KeyCode{'5'}},
    {Qt::Key_AsciiCircum, KeyCode{'6'}},
    {Qt::Key_Ampersand, KeyCode{'7'}},
    {Qt::Key_Asterisk, KeyCode{'8'}},
    {Qt::Key_ParenLeft, KeyCode{'9'}},
    {Qt::Key_Semicolon, KeyCode::Semicolon},
    {Qt::Key_Colon, KeyCode::Semicolon},
    {Qt::Key_Equal, KeyCode::Equal},
    {Qt::Key_Plus, KeyCode::Equal},
    {Qt::Key_Comma, KeyCode::Comma},
    {Qt::Key_Less, KeyCode::Comma},
    {Qt::Key_Minus, KeyCode::Minus},
    {Qt::Key_Underscore, KeyCode::Minus},
    {Qt::Key_Period, KeyCode::Period},
    {Qt::Key_Greater, KeyCode::Period},
    {Qt::Key_Slash, KeyCode::Slash},
    {Qt::Key_Question, KeyCode::Slash},
    {Qt::Key_QuoteLeft, KeyCode::Grave},
    {Qt::Key_AsciiTilde, KeyCode::Grave},
    {Qt::Key_BracketLeft, KeyCode::BracketLeft},
    {Qt::Key_BraceLeft, KeyCode::BracketLeft},
    {Qt::Key_Backslash, KeyCode::Backslash},
    {Qt::Key_Bar, KeyCode::Backslash},
    {Qt::Key_BracketRight, KeyCode::BracketRight},
    {Qt::Key_BraceRight, KeyCode::BracketRight},
    {Qt::Key_Apostrophe, KeyCode::Apostrophe},
    {Qt::Key_QuoteDbl, KeyCode::Apostrophe},
};

KeyCode keypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<KeyCode>(static_cast<int>(KeyCode::Numpad0) + (qtKey - Qt::Key_0));
    }
    switch (qtKey) {
        case Qt::Key_Asterisk:
            return KeyCode::Multiply;
        case Qt::Key_Plus:
            return KeyCode::Add;
        case Qt::Key_Minus:
            return KeyCode::Subtract;
        case Qt::Key_Period:
            return KeyCode::Decimal;
        case Qt::Key_Slash:
            return KeyCode::Divide;
        default:
            return KeyCode::None;
    }
}

}  // namespace

KeyCode KeyOfQt(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        const KeyCode k = keypadKey(qtKey);
        if (k != KeyCode::None) {
            return k;
        }
    }
    if (qtKey == Qt::Key_Space || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) ||
        (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return static_cast<KeyCode>(qtKey);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<KeyCode>(static_cast<int>(KeyCode::F1) + (qtKey - Qt::Key_F1));
    }
    for (const KeyPair& p : kKeys) {
        if (p.qt == qtKey) {
            return p.key;
        }
    }
    return KeyCode::None;
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
