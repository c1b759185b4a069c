// Button_XP's input on Windows: the window's messages, translated into the engine's events, go
// to the input machine, and the machine's requests come back here as WM_COMMAND, repaints, the
// hover timer, the click sound and the link. The steps follow the Qt widget's
// (controls/button/qt/Button_XPInput.cpp).
#include <windows.h>
// After windows.h, whose types they use.
#include <shellapi.h>
#include <windowsx.h>

#include "controls/button/ButtonLink.h"
#include "controls/button/ButtonValues.h"
#include "controls/button/win32/ButtonXPWindow.h"
#include "controls/draw/win32/DibSurface.h"
#include "controls/host/win32/SoundPlayer.h"
#include "controls/host/win32/WideText.h"

namespace corvane::win32 {

namespace {

// MouseIcon's image as a pointer whose hot spot is its centre (as Qt's pixmap cursors), its
// alpha kept; null when Windows cannot make one.
HCURSOR CursorOf(const Image& image) {
    const int w = image.width();
    const int h = image.height();
    const BITMAPINFO info = TopDownInfo(w, h);
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    HCURSOR cursor = nullptr;
    if (colour && bits && mask) {
        auto* out = static_cast<Pixel*>(bits);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                out[y * w + x] = image.pixel(x, y);
            }
        }
        ICONINFO ii{};
        ii.fIcon = FALSE;
        ii.xHotspot = static_cast<DWORD>(w / 2);
        ii.yHotspot = static_cast<DWORD>(h / 2);
        ii.hbmMask = mask;
        ii.hbmColor = colour;
        cursor = CreateIconIndirect(&ii);
    }
    if (colour) {
        DeleteObject(colour);
    }
    if (mask) {
        DeleteObject(mask);
    }
    return cursor;
}

unsigned ModifiersOf(WPARAM keys) {
    unsigned m = Modifier::None;
    if (keys & MK_SHIFT) {
        m |= Modifier::Shift;
    }
    if (keys & MK_CONTROL) {
        m |= Modifier::Ctrl;
    }
    if (GetKeyState(VK_MENU) < 0) {
        m |= Modifier::Alt;
    }
    return m;
}

MouseButtons ButtonsOf(WPARAM keys) {
    MouseButtons b = 0;
    if (keys & MK_LBUTTON) {
        b |= static_cast<MouseButtons>(MouseButton::Left);
    }
    if (keys & MK_RBUTTON) {
        b |= static_cast<MouseButtons>(MouseButton::Right);
    }
    if (keys & MK_MBUTTON) {
        b |= static_cast<MouseButtons>(MouseButton::Middle);
    }
    return b;
}

MouseEvent MouseEventOf(MouseButton button, WPARAM wParam, LPARAM lParam) {
    MouseEvent e;
    e.button = button;
    e.buttons = ButtonsOf(wParam);
    e.modifiers = ModifiersOf(wParam);
    e.x = GET_X_LPARAM(lParam);
    e.y = GET_Y_LPARAM(lParam);
    e.time = static_cast<std::uint64_t>(static_cast<DWORD>(GetMessageTime()));
    return e;
}

// The Shift argument of a key message, from the keys held now.
std::int16_t KeyShift() {
    std::int16_t s = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        s |= static_cast<std::int16_t>(Modifier::Shift);
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        s |= static_cast<std::int16_t>(Modifier::Ctrl);
    }
    if (GetKeyState(VK_MENU) < 0) {
        s |= static_cast<std::int16_t>(Modifier::Alt);
    }
    return s;
}

// The window still exists and is still this object's (a handler run meanwhile may have
// destroyed it).
bool StillOurs(HWND hwnd, const ButtonXPWindow* self) {
    return IsWindow(hwnd) && ButtonXPWindow::Of(hwnd) == self;
}

}  // namespace

// --- The window's messages ---

bool ButtonXPWindow::mouseDown(MouseButton button, WPARAM wParam, LPARAM lParam, bool doubleClick) {
    // As a Qt widget with a strong focus policy, a press takes the focus first; the control
    // losing it may run code that destroys this one.
    const HWND hwnd = m_hwnd;
    if (GetFocus() != hwnd) {
        SetFocus(hwnd);
        if (!StillOurs(hwnd, this)) {
            return false;
        }
    }
    // Windows grabs nothing by itself: the release must reach the button wherever it happens,
    // as Qt's implicit grab sends it.
    SetCapture(hwnd);
    const MouseEvent e = MouseEventOf(button, wParam, lParam);
    if (doubleClick) {
        // Windows pairs the press with the previous one in this window only, but the pairing
        // still decides whether the first press was ours within the interval.
        return FeedMouseDoubleClick(m_input, m_doubleClick, e, GetDoubleClickTime());
    }
    m_doubleClick.NotePress(e);
    return FeedMousePress(m_input, e);
}

bool ButtonXPWindow::mouseUp(MouseButton button, WPARAM wParam, LPARAM lParam) {
    const MouseEvent e = MouseEventOf(button, wParam, lParam);
    // The grab ends with the last button, before the click runs the container's code (which
    // may open a modal window).
    if (e.buttons == 0 && GetCapture() == m_hwnd) {
        ReleaseCapture();
    }
    return FeedMouseRelease(m_input, e);
}

bool ButtonXPWindow::mouseMove(WPARAM wParam, LPARAM lParam) {
    return FeedMouseMove(m_input, MouseEventOf(MouseButton::None, wParam, lParam));
}

bool ButtonXPWindow::keyDown(WPARAM wParam) {
    // A held key's repeats come as more WM_KEYDOWNs; they go to the machine as Qt's
    // auto-repeat presses do, which raises KeyDown but never presses the button again.
    return m_input.OnKeyDown(static_cast<std::int16_t>(wParam & 0xFFFF), KeyShift());
}

bool ButtonXPWindow::keyUp(WPARAM wParam) {
    return m_input.OnKeyUp(static_cast<std::int16_t>(wParam & 0xFFFF), KeyShift());
}

bool ButtonXPWindow::character(WPARAM wParam) {
    return m_input.OnKeyPress(static_cast<std::int16_t>(wParam & 0xFFFF));
}

bool ButtonXPWindow::accessKey() {
    return m_input.OnAccessKeyPress(
        m_accessKey.empty() ? std::int16_t{0} : static_cast<std::int16_t>(m_accessKey.front()));
}

LRESULT ButtonXPWindow::dialogCode() const {
    // Characters (Space among them) come to the button as they come to the Qt widget; the
    // access key still reaches it through IsDialogMessage's Alt+key, as BM_CLICK.
    return DLGC_BUTTON | DLGC_WANTCHARS | (m_isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

// --- What the input machine asks of the window ---

void ButtonXPWindow::RaiseClick() {
    // The parent may destroy the button in its handler: nothing here touches it afterwards.
    const HWND hwnd = m_hwnd;
    const auto id = static_cast<WORD>(GetDlgCtrlID(hwnd));
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
}

// KeyDown, KeyPress, KeyUp, MouseDown, MouseMove, MouseUp, MouseIn and MouseOut have no
// consumer among the Windows shell's containers: they are raised into nothing (the header's
// empty overrides).

void ButtonXPWindow::PlayClickSound() {
    PlayWave(m_core.SoundClick());  // whether a sound started is of no interest to the click
}

void ButtonXPWindow::GoToURL() {
    const std::u16string& url = m_core.URL();
    if (ClassifyLink(url) == LinkKind::None) {
        return;
    }
    // To the system's handler for it, never as a command line.
    const std::wstring target = Wide(url);
    ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ButtonXPWindow::SetHoverTimer(bool on) {
    if (on) {
        SetTimer(m_hwnd, kHoverTimerId, 10, nullptr);
    } else {
        KillTimer(m_hwnd, kHoverTimerId);
    }
}

void ButtonXPWindow::ProcessPendingEvents() {
    // What is queued now, dispatched as the main loop would (the top window's dialog keys
    // first). A handler run in here may destroy this window: nothing here touches it after
    // the first dispatch, and the machine checks that it still exists before its next step.
    const HWND top = GetAncestor(m_hwnd, GA_ROOT);
    const DWORD start = GetTickCount();
    MSG msg;
    for (int n = 0; n < 1000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop to see
            return;
        }
        if (!(top && IsWindow(top) && IsDialogMessageW(top, &msg))) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (static_cast<LONG>(msg.time - start) > 0) {
            return;  // posted after this began: the next turn of the loop has it
        }
    }
}

void ButtonXPWindow::CaptureMouse() {
    SetCapture(m_hwnd);
}

bool ButtonXPWindow::IsEnabled() const {
    return IsWindowEnabled(m_hwnd) != FALSE;
}

int ButtonXPWindow::Width() const {
    RECT r{};
    GetClientRect(m_hwnd, &r);
    return r.right;
}

int ButtonXPWindow::Height() const {
    RECT r{};
    GetClientRect(m_hwnd, &r);
    return r.bottom;
}

bool ButtonXPWindow::PointerIsOverSurface() const {
    // By window, not by rectangle: a window over the button, or the cut-off corners of its
    // shape, count as elsewhere.
    POINT p{};
    return GetCursorPos(&p) && WindowFromPoint(p) == m_hwnd;
}

// --- The pointer ---

bool ButtonXPWindow::setCursor() {
    if (!m_cursor) {
        return false;
    }
    SetCursor(m_cursor);
    return true;
}

void ButtonXPWindow::makeCursor() {
    // The classic pointer numbers, as the Qt widget maps them; 99 shows MouseIcon when there is
    // one. DefCurHand is only stored: it changes no pointer.
    static const LPCWSTR kShapes[] = {IDC_ARROW,    IDC_ARROW,       IDC_CROSS,    IDC_IBEAM,
                                      IDC_ARROW,    IDC_SIZEALL,     IDC_SIZENESW, IDC_SIZENS,
                                      IDC_SIZENWSE, IDC_SIZEWE,      IDC_UPARROW,  IDC_WAIT,
                                      IDC_NO,       IDC_APPSTARTING, IDC_HELP,     IDC_SIZEALL};
    if (m_ownCursor) {
        DestroyCursor(m_ownCursor);
        m_ownCursor = nullptr;
    }
    const std::int16_t pointer = m_core.MousePointer();
    const Picture& icon = m_core.MouseIcon();
    if (pointer == static_cast<std::int16_t>(PointerShape::Custom) && !icon.isNone() &&
        icon.image().width() > 0 && icon.image().height() > 0) {
        m_ownCursor = CursorOf(icon.image());
    }
    if (m_ownCursor) {
        m_cursor = m_ownCursor;
    } else if (pointer > 0 && pointer < 16) {
        m_cursor = LoadCursorW(nullptr, kShapes[pointer]);
    } else {
        m_cursor = LoadCursorW(nullptr, IDC_ARROW);
    }
    POINT p{};
    if (GetCursorPos(&p) && WindowFromPoint(p) == m_hwnd) {
        SetCursor(m_cursor);
    }
}

}  // namespace corvane::win32
