#pragma once

#include <cstdint>

#include "controls/host/InputEvents.h"

namespace corvane {

class ButtonInput;

// Feeds the engine's input events to the button's input machine, so that a shell's handlers
// are one line each. Positions are the control's pixels; Shift comes from the modifiers. Like
// the machine's entry points, each returns whether the control still exists (a handler of a
// raised event may have deleted it).

bool FeedMousePress(ButtonInput& input, const MouseEvent& event);
// The Button argument of a move is the set of buttons held.
bool FeedMouseMove(ButtonInput& input, const MouseEvent& event);
bool FeedMouseRelease(ButtonInput& input, const MouseEvent& event);
// KeyDown, then KeyPress for the character the key produced (if any). X11's auto-repeat
// presses raise both but never press the button.
bool FeedKeyPress(ButtonInput& input, const KeyEvent& event);
// KeyUp. X11's auto-repeat releases are dropped: the key is still down.
bool FeedKeyRelease(ButtonInput& input, const KeyEvent& event);

// A platform reports a quick second press as a double click in place of the press (press,
// release, double click, release). But Qt pairs it with the previous press in the window
// wherever that landed: after a click on a neighbouring widget, the button's only press can
// arrive flagged as a double click. The shell notes each plain press here; a double click
// continues one only with the same mouse button within the double-click interval, and anything
// else is a plain press with its own arguments.
class DoubleClickPairing {
public:
    void NotePress(const MouseEvent& press);
    // Whether `doubleClick` continues the press noted last, `intervalMs` being the platform's
    // double-click time. Forgets that press either way: a double click never pairs with the
    // next press.
    bool Continues(const MouseEvent& doubleClick, std::uint64_t intervalMs);

private:
    bool m_noted = false;
    MouseButton m_button = MouseButton::None;
    std::uint64_t m_time = 0;
};

bool FeedMouseDoubleClick(ButtonInput& input, DoubleClickPairing& pairing, const MouseEvent& event,
                          std::uint64_t intervalMs);

}  // namespace corvane
