#pragma once

#include <QString>
#include <QtGlobal>

namespace corvane {

// How the widget turns Qt's input values into the button's event arguments. Kept apart from
// the widget so that the rules can be tested without one.

// Which Qt key events reach the input machine. X11 reports a held key as release/press pairs
// flagged auto-repeat: the releases are dropped (the key is still down), the presses still
// raise KeyDown but never press the button.
enum class KeyRoute { Press, RepeatPress, Release, Drop };
KeyRoute RouteKeyEvent(bool isRelease, bool isAutoRepeat);

// Qt key (with its keypad flag) -> the host's key code (the Windows virtual-key numbers that
// KeyDown and KeyUp report: 32 space, 13 Enter, 65 A ...). Keys without one give 0.
qint16 KeyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
// Modifier state -> Shift argument: 1 Shift, 2 Ctrl, 4 Alt.
qint16 ShiftFromQt(Qt::KeyboardModifiers modifiers);
// The button of a press or release -> Button argument: 1 left, 2 right, 4 middle, else 0.
qint16 ButtonFromQt(Qt::MouseButton button);
// The buttons held during a move -> Button argument as a bit set.
qint16 ButtonsFromQt(Qt::MouseButtons buttons);
// The character of a key event -> KeyAscii, or 0 when the event carries no character.
qint16 KeyAsciiFromText(const QString& text);

}  // namespace corvane
