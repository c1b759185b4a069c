#include "controls/button/ButtonInputEvents.h"

#include "controls/button/ButtonInput.h"
#include "controls/button/ButtonInputKeys.h"

namespace corvane {

namespace {

float coord(double v) {
    return static_cast<float>(v);
}

}  // namespace

bool FeedMousePress(ButtonInput& input, const MouseEvent& e) {
    return input.OnMouseDown(ButtonArg(e.button), ShiftArg(e.modifiers), coord(e.x), coord(e.y));
}

bool FeedMouseMove(ButtonInput& input, const MouseEvent& e) {
    return input.OnMouseMove(ButtonArg(e.buttons), ShiftArg(e.modifiers), coord(e.x), coord(e.y));
}

bool FeedMouseRelease(ButtonInput& input, const MouseEvent& e) {
    return input.OnMouseUp(ButtonArg(e.button), ShiftArg(e.modifiers), coord(e.x), coord(e.y));
}

bool FeedKeyPress(ButtonInput& input, const KeyEvent& e) {
    // Delete carries DEL as text on X11; the original platform gave it no character.
    const std::int16_t ascii = e.key == KeyCode::Delete ? std::int16_t{0} : KeyAsciiOf(e.text);
    if (!input.OnKeyDown(KeyCodeArg(e.key), ShiftArg(e.modifiers))) {
        return false;
    }
    return ascii == 0 || input.OnKeyPress(ascii);
}

bool FeedKeyRelease(ButtonInput& input, const KeyEvent& e) {
    if (RouteKeyEvent(true, e.autoRepeat) == KeyRoute::Drop) {
        return true;
    }
    return input.OnKeyUp(KeyCodeArg(e.key), ShiftArg(e.modifiers));
}

void DoubleClickPairing::NotePress(const MouseEvent& press) {
    m_noted = true;
    m_button = press.button;
    m_time = press.time;
}

bool DoubleClickPairing::Continues(const MouseEvent& doubleClick, std::uint64_t intervalMs) {
    const bool noted = m_noted;
    m_noted = false;
    return noted && m_button == doubleClick.button && doubleClick.time >= m_time &&
           doubleClick.time - m_time < intervalMs;
}

bool FeedMouseDoubleClick(ButtonInput& input, DoubleClickPairing& pairing, const MouseEvent& e,
                          std::uint64_t intervalMs) {
    return pairing.Continues(e, intervalMs) ? input.OnDblClick() : FeedMousePress(input, e);
}

}  // namespace corvane
