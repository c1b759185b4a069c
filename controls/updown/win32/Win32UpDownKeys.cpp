#include "controls/updown/win32/Win32UpDownKeys.h"

namespace corvane::win32 {

namespace {

UpDownKeyCode CodeOfVirtualKey(WPARAM vk) {
    switch (vk) {
        case VK_BACK:
            return UpDownKeyCode::Backspace;
        case VK_RETURN:
            return UpDownKeyCode::Return;
        case VK_ESCAPE:
            return UpDownKeyCode::Escape;
        case VK_UP:
            return UpDownKeyCode::Up;
        case VK_DOWN:
            return UpDownKeyCode::Down;
        case VK_DELETE:
            return UpDownKeyCode::Delete;
        default:
            return UpDownKeyCode::Other;
    }
}

// Windows' clipboard, undo and select-all keys: Ctrl+V, C, X, Z, Y, A, Shift+Insert (paste),
// Shift+Delete (cut), Ctrl+Insert (copy).
bool IsEditShortcut(WPARAM vk, KeyModifiers m) {
    if (m.ctrl && !m.alt) {
        switch (vk) {
            case 'V':
            case 'C':
            case 'X':
            case 'Z':
            case 'Y':
            case 'A':
            case VK_INSERT:
                return true;
            default:
                break;
        }
    }
    return m.shift && !m.ctrl && !m.alt && (vk == VK_INSERT || vk == VK_DELETE);
}

}  // namespace

KeyModifiers CurrentKeyModifiers() {
    KeyModifiers m;
    m.ctrl = GetKeyState(VK_CONTROL) < 0;
    m.alt = GetKeyState(VK_MENU) < 0;
    m.shift = GetKeyState(VK_SHIFT) < 0;
    return m;
}

UpDownKeyPress UpDownKeyOfKeyDown(WPARAM vk, KeyModifiers mods) {
    UpDownKeyPress p;
    p.key = CodeOfVirtualKey(vk);
    p.ctrl = mods.ctrl;
    p.alt = mods.alt;
    p.editShortcut = IsEditShortcut(vk, mods);
    // The letters' virtual keys are their capitals on every layout; @[\]^_ lie on keys that
    // differ between layouts, and their WM_CHAR says so below.
    p.controlCharacterKey = vk >= 'A' && vk <= 'Z';
    return p;
}

UpDownKeyPress UpDownKeyOfChar(wchar_t unit, KeyModifiers mods) {
    UpDownKeyPress p;
    p.ctrl = mods.ctrl;
    p.alt = mods.alt;
    switch (unit) {
        case L'\b':
        case 0x7F:  // Ctrl+Backspace
            p.key = UpDownKeyCode::Backspace;
            break;
        case L'\r':
            p.key = UpDownKeyCode::Return;
            break;
        case 0x1B:
            p.key = UpDownKeyCode::Escape;
            break;
        default:
            p.controlCharacterKey = unit < 0x20;
            break;
    }
    if (p.key == UpDownKeyCode::Other) {
        p.text.assign(1, static_cast<char16_t>(unit));
    }
    return p;
}

}  // namespace corvane::win32
