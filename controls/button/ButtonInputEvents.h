#pragma once

#include <qnamespace.h>
#include <QtGlobal>

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace corvane {

class ButtonInput;

// Feeds Qt's input events to the button's input machine, so that the widget's handlers are
// one line each. Positions are the event's local (widget) coordinates; Shift comes from the
// event's modifiers. Like the machine's entry points, each returns whether the control still
// exists (a handler of a raised event may have deleted it).

bool FeedMousePress(ButtonInput& input, const QMouseEvent& event);
// The Button argument of a move is the set of buttons held.
bool FeedMouseMove(ButtonInput& input, const QMouseEvent& event);
bool FeedMouseRelease(ButtonInput& input, const QMouseEvent& event);
// KeyDown, then KeyPress for the character the key produced (if any). X11's auto-repeat
// presses raise both but never press the button.
bool FeedKeyPress(ButtonInput& input, const QKeyEvent& event);
// KeyUp. X11's auto-repeat releases are dropped: the key is still down.
bool FeedKeyRelease(ButtonInput& input, const QKeyEvent& event);

// Qt reports a quick second press as a double-click event in place of the press (press,
// release, double click, release), as the host platform of the original did. But Qt pairs it
// with the previous press in the window wherever that landed: after a click on a neighbouring
// widget, the button's only press can arrive flagged as a double click. The widget notes each
// plain press here; a double click continues one only with the same mouse button within the
// double-click interval, and anything else is a plain press with its own arguments.
class DoubleClickPairing {
public:
    void NotePress(const QMouseEvent& press);
    // Whether `doubleClick` continues the press noted last. Forgets that press either way:
    // Qt never pairs a double click with the next press.
    bool Continues(const QMouseEvent& doubleClick);

private:
    bool m_noted = false;
    Qt::MouseButton m_button = Qt::NoButton;
    quint64 m_time = 0;
};

bool FeedMouseDoubleClick(ButtonInput& input, DoubleClickPairing& pairing,
                          const QMouseEvent& event);

// The hover timer's test: the widget under the pointer is `control` itself (a window or a
// sibling lying over it, or the masked-off corners of its shape, count as elsewhere).
bool PointerIsOver(const QWidget* control);

// Whether a modal window now blocks input to `control`'s window. Qt then sends the control a
// Leave although the pointer has not moved; the hover must not end for that.
bool BlockedByModalWindow(const QWidget* control);

}  // namespace corvane
