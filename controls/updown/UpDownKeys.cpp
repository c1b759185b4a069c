#include "controls/updown/UpDownKeys.h"

#include "controls/updown/UpDownRules.h"

namespace corvane {

UpDownKey classifyUpDownKey(const UpDownKeyPress& e) {
    if (e.key == UpDownKeyCode::Up) {
        return UpDownKey::StepUp;
    }
    if (e.key == UpDownKeyCode::Down) {
        return UpDownKey::StepDown;
    }
    // A paste would bypass the character filter.
    if (e.editShortcut) {
        return UpDownKey::Discard;
    }
    // Ctrl with a letter or one of @[\]^_ types a control character, which is no digit.
    // Ctrl+Alt is AltGr on some keyboards and types ordinary characters.
    if (e.ctrl && !e.alt && (e.controlCharacterKey || e.key == UpDownKeyCode::Backspace)) {
        return UpDownKey::Discard;
    }
    switch (e.key) {
        case UpDownKeyCode::Backspace:
        case UpDownKeyCode::Delete:
            return UpDownKey::Pass;
        case UpDownKeyCode::Return:
        case UpDownKeyCode::Escape:
            return UpDownKey::Propagate;
        default:
            break;
    }
    if (e.text.empty()) {
        return UpDownKey::Pass;  // caret movement, function keys, modifiers alone
    }
    for (const char16_t c : e.text) {
        if (!UpDownRules::isTypeable(c)) {
            return UpDownKey::Discard;
        }
    }
    return UpDownKey::Pass;
}

}  // namespace corvane
