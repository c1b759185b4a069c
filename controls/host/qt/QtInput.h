#pragma once

#include <qnamespace.h>

#include "controls/host/InputEvents.h"

class QKeyEvent;
class QMouseEvent;

namespace corvane {

// Qt's input events as the engine's (InputEvents.h).

// Positions are the event's local (widget) coordinates; `button` is the one that changed and
// `buttons` those held; the time is the event's timestamp.
MouseEvent MouseEventOf(const QMouseEvent& event);
// The key by its virtual-key number (keypad keys by theirs), the character it typed, the
// auto-repeat flag and the editing shortcuts it matches on this platform.
KeyEvent KeyEventOf(const QKeyEvent& event);

// The parts, for callers that have no event.
KeyCode KeyOfQt(int qtKey, Qt::KeyboardModifiers modifiers);
unsigned ModifiersOfQt(Qt::KeyboardModifiers modifiers);
MouseButton MouseButtonOfQt(Qt::MouseButton button);
MouseButtons MouseButtonsOfQt(Qt::MouseButtons buttons);

}  // namespace corvane
