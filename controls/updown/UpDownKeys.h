#pragma once

class QKeyEvent;

namespace corvane {

// What the up-down box's text field does with a key press.
enum class UpDownKey {
    StepUp,     // Up arrow: consumed, one step up
    StepDown,   // Down arrow: consumed, one step down
    Pass,       // reaches the field: digits, "-", backspace, caret movement, Delete
    Discard,    // swallowed: any other character, clipboard and other control shortcuts
    Propagate,  // not for the field, but left to its window (Enter, Escape)
};

// Only what can make a number is typed; nothing enters by a clipboard shortcut.
UpDownKey classifyUpDownKey(const QKeyEvent& e);

}  // namespace corvane
