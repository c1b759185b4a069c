#pragma once

#include <cstdint>

class QWidget;

namespace corvane {

// What the Qt shell asks Qt when it feeds the button's input machine.

// The hover timer's test: the widget under the pointer is `control` itself (a window or a
// sibling lying over it, or the masked-off corners of its shape, count as elsewhere).
bool PointerIsOver(const QWidget* control);

// Whether a modal window now blocks input to `control`'s window. Qt then sends the control a
// Leave although the pointer has not moved; the hover must not end for that.
bool BlockedByModalWindow(const QWidget* control);

// The platform's double-click time in milliseconds.
std::uint64_t DoubleClickInterval();

}  // namespace corvane
