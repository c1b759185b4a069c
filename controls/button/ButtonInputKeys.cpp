#include "controls/button/ButtonInputKeys.h"

namespace corvane {

KeyRoute RouteKeyEvent(bool isRelease, bool isAutoRepeat) {
    if (isRelease) {
        return isAutoRepeat ? KeyRoute::Drop : KeyRoute::Release;
    }
    return isAutoRepeat ? KeyRoute::RepeatPress : KeyRoute::Press;
}

namespace {

struct KeyPair {
    int qt;
    qint16 code;
};

// Keys whose code is not their own Latin-1 value. Shifted punctuation reports the key it sits
// on (US layout), as the host's key codes name keys, not characters.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, 8},      {Qt::Key_Tab, 9},          {Qt::Key_Backtab, 9},
    {Qt::Key_Return, 13},        {Qt::Key_Enter, 13},       {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},       {Qt::Key_Alt, 18},         {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},      {Qt::Key_Escape, 27},      {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},      {Qt::Key_End, 35},         {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},          {Qt::Key_Up, 38},          {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},          {Qt::Key_Print, 44},       {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},        {Qt::Key_Meta, 91},        {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},      {Qt::Key_ScrollLock, 145}, {Qt::Key_ParenRight, '0'},
    {Qt::Key_Exclam, '1'},       {Qt::Key_At, '2'},         {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},       {Qt::Key_Percent, '5'},    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},    {Qt::Key_Asterisk, '8'},   {Qt::Key_ParenLeft, '9'},
    {Qt::Key_Semicolon, 186},    {Qt::Key_Colon, 186},      {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},         {Qt::Key_Comma, 188},      {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},        {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},      {Qt::Key_Slash, 191},      {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},    {Qt::Key_AsciiTilde, 192}, {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},    {Qt::Key_Backslash, 220},  {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
};

qint16 keypadCode(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<qint16>(96 + (qtKey - Qt::Key_0));
    }
    switch (qtKey) {
        case Qt::Key_Asterisk:
            return 106;
        case Qt::Key_Plus:
            return 107;
        case Qt::Key_Minus:
            return 109;
        case Qt::Key_Period:
            return 110;
        case Qt::Key_Slash:
            return 111;
        default:
            return -1;
    }
}

}  // namespace

qint16 KeyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        const qint16 k = keypadCode(qtKey);
        if (k >= 0) {
            return k;
        }
    }
    if (qtKey == Qt::Key_Space || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) ||
        (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return static_cast<qint16>(qtKey);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<qint16>(112 + (qtKey - Qt::Key_F1));
    }
    for (const KeyPair& p : kKeys) {
        if (p.qt == qtKey) {
            return p.code;
        }
    }
    return 0;
}

qint16 ShiftFromQt(Qt::KeyboardModifiers modifiers) {
    qint16 s = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        s |= 1;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        s |= 2;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        s |= 4;
    }
    return s;
}

qint16 ButtonFromQt(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

qint16 ButtonsFromQt(Qt::MouseButtons buttons) {
    qint16 b = 0;
    for (Qt::MouseButton one : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons.testFlag(one)) {
            b |= ButtonFromQt(one);
        }
    }
    return b;
}

qint16 KeyAsciiFromText(const QString& text) {
    return text.isEmpty() ? qint16{0} : static_cast<qint16>(text.at(0).unicode());
}

}  // namespace corvane
