#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// A key press as the up-down box's rules see it, numbered by Windows' virtual keys as the
// shared KeyEvent (controls/host/InputEvents.h) is. It is a type of its own because the rule
// needs to know whether Ctrl turns the key into a control character (a letter or one of
// @[\]^_), which depends on the keyboard's layout and which only the shell can tell.
enum class UpDownKeyCode : std::uint16_t {
    Other = 0,
    Backspace = 8,
    Return = 13,
    Escape = 27,
    Up = 38,
    Down = 40,
    Delete = 46,
};

struct UpDownKeyPress {
    UpDownKeyCode key = UpDownKeyCode::Other;
    bool ctrl = false;
    bool alt = false;
    // What only the shell's platform knows: the press is one of its clipboard, undo or
    // select-all shortcuts (Ctrl+V, Shift+Insert, Shift+Delete, ...), or a key that Ctrl turns
    // into a control character (a letter, or one of @[\]^_).
    bool editShortcut = false;
    bool controlCharacterKey = false;
    std::u16string text;  // what the press types
};

// What the up-down box's text field does with a key press.
enum class UpDownKey {
    StepUp,     // Up arrow: consumed, one step up
    StepDown,   // Down arrow: consumed, one step down
    Pass,       // reaches the field: digits, "-", backspace, caret movement, Delete
    Discard,    // swallowed: any other character, clipboard and other control shortcuts
    Propagate,  // not for the field, but left to its window (Enter, Escape)
};

// Only what can make a number is typed; nothing enters by a clipboard shortcut.
UpDownKey classifyUpDownKey(const UpDownKeyPress& e);

}  // namespace corvane
