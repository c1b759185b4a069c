#pragma once

#include <cstdint>
#include <string_view>

#include "controls/host/InputEvents.h"

namespace corvane {

// How the engine's input events become the button's event arguments.

// Which key events reach the input machine. X11 reports a held key as release/press pairs
// flagged auto-repeat: the releases are dropped (the key is still down), the presses still
// raise KeyDown but never press the button.
enum class KeyRoute { Press, RepeatPress, Release, Drop };
KeyRoute RouteKeyEvent(bool isRelease, bool isAutoRepeat);

// Modifier state -> Shift argument: 1 Shift, 2 Ctrl, 4 Alt (the keypad flag is not one).
constexpr std::int16_t ShiftArg(unsigned modifiers) {
    return static_cast<std::int16_t>(modifiers &
                                     (Modifier::Shift | Modifier::Ctrl | Modifier::Alt));
}
// The buttons of an event -> Button argument: 1 left, 2 right, 4 middle, summed.
constexpr std::int16_t ButtonArg(MouseButtons buttons) {
    return static_cast<std::int16_t>(buttons & 7u);
}
constexpr std::int16_t ButtonArg(MouseButton button) {
    return ButtonArg(static_cast<MouseButtons>(button));
}
// The character a key typed -> KeyAscii, or 0 when it typed none.
constexpr std::int16_t KeyAsciiOf(std::u16string_view text) {
    return text.empty() ? std::int16_t{0} : static_cast<std::int16_t>(text.front());
}

}  // namespace corvane
