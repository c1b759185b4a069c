#pragma once

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace corvane {

class ButtonInput;

// Feeds Qt's input events to the button's input machine, so that the widget's handlers are
// one line each. Positions are the event's local (widget) coordinates; Shift comes from the
// event's modifiers.

void FeedMousePress(ButtonInput& input, const QMouseEvent& event);
// Qt reports a quick second press as a double-click event in place of the press (press,
// release, double click, release), as the host platform of the original did.
void FeedMouseDoubleClick(ButtonInput& input);
// The Button argument of a move is the set of buttons held.
void FeedMouseMove(ButtonInput& input, const QMouseEvent& event);
void FeedMouseRelease(ButtonInput& input, const QMouseEvent& event);
// KeyDown, then KeyPress for the character the key produced (if any). X11's auto-repeat
// presses raise both but never press the button.
void FeedKeyPress(ButtonInput& input, const QKeyEvent& event);
// KeyUp. X11's auto-repeat releases are dropped: the key is still down.
void FeedKeyRelease(ButtonInput& input, const QKeyEvent& event);

// The hover timer's test: the widget under the pointer is `control` itself (a window or a
// sibling lying over it, or the masked-off corners of its shape, count as elsewhere).
bool PointerIsOver(const QWidget* control);

}  // namespace corvane
