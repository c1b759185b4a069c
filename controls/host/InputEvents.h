#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// Input as the engine's controls receive it, in types of their own: each shell translates its
// platform's events (Qt's QMouseEvent and QKeyEvent, Windows' WM_ messages) into these, so the
// controls' rules hold the same on both.

// A mouse button, numbered as the controls' events report it (1 left, 2 right, 4 middle); a set
// of held buttons is their sum.
enum class MouseButton : std::uint8_t { None = 0, Left = 1, Right = 2, Middle = 4 };
using MouseButtons = unsigned;

constexpr MouseButtons operator|(MouseButton a, MouseButton b) {
    return static_cast<MouseButtons>(a) | static_cast<MouseButtons>(b);
}

// The modifier keys held, numbered as the events' Shift argument (1 Shift, 2 Ctrl, 4 Alt), and
// whether the key is on the numeric keypad.
namespace Modifier {
inline constexpr unsigned None = 0;
inline constexpr unsigned Shift = 1;
inline constexpr unsigned Ctrl = 2;
inline constexpr unsigned Alt = 4;
inline constexpr unsigned Keypad = 8;
}  // namespace Modifier

// A key by the Windows virtual-key number the controls' KeyDown and KeyUp report, which is
// also what a Win32 shell receives. Only the keys the controls name are listed; any other
// number is a key of its own (0: a key without a code). The digits and letters are their
// characters ('0'..'9', 'A'..'Z'). Return and the keypad's Enter share one number; the keypad
// one comes with Modifier::Keypad.
enum class KeyCode : std::uint16_t {
    None = 0,
    Backspace = 8,
    Tab = 9,
    Return = 13,
    Shift = 16,
    Control = 17,
    Alt = 18,
    Pause = 19,
    CapsLock = 20,
    Escape = 27,
    Space = 32,
    PageUp = 33,
    PageDown = 34,
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Print = 44,
    Insert = 45,
    Delete = 46,
    Digit0 = '0',
    Digit9 = '9',
    A = 'A',
    Z = 'Z',
    Meta = 91,
    Menu = 93,
    Numpad0 = 96,
    Numpad9 = 105,
    Multiply = 106,
    Add = 107,
    Subtract = 109,
    Decimal = 110,
    Divide = 111,
    F1 = 112,
    F24 = 135,
    NumLock = 144,
    ScrollLock = 145,
    // The punctuation keys of a US layout, by the key they sit on.
    Semicolon = 186,
    Equal = 187,
    Comma = 188,
    Minus = 189,
    Period = 190,
    Slash = 191,
    Grave = 192,
    BracketLeft = 219,
    Backslash = 220,
    BracketRight = 221,
    Apostrophe = 222,
};

constexpr std::int16_t KeyCodeArg(KeyCode k) {
    return static_cast<std::int16_t>(k);
}

// The shell's well-known editing shortcuts a key press matches (the platform decides which
// keys they are: Ctrl+V and Shift+Insert both paste).
namespace EditShortcut {
inline constexpr unsigned None = 0;
inline constexpr unsigned Paste = 1;
inline constexpr unsigned Cut = 2;
inline constexpr unsigned Copy = 4;
inline constexpr unsigned Undo = 8;
inline constexpr unsigned Redo = 16;
inline constexpr unsigned SelectAll = 32;
}  // namespace EditShortcut

// A press, release, move or double click of the mouse. `button` is the one that changed (None
// for a move), `buttons` those held after the event; x and y are in the control's pixels;
// `time` is the event's time in milliseconds, for pairing a double click with its press.
struct MouseEvent {
    MouseButton button = MouseButton::None;
    MouseButtons buttons = 0;
    unsigned modifiers = Modifier::None;
    double x = 0;
    double y = 0;
    std::uint64_t time = 0;
};

// A key press or release. `text` is the character(s) the press produced (empty for keys that
// type nothing); `autoRepeat` marks the presses (and, on X11, the releases) a held key repeats.
struct KeyEvent {
    KeyCode key = KeyCode::None;
    unsigned modifiers = Modifier::None;
    std::u16string text;
    bool autoRepeat = false;
    unsigned shortcuts = EditShortcut::None;
};

}  // namespace corvane
