#include "controls/button/win32/ButtonXPWindow.h"

#include <oleacc.h>

#include <cmath>
#include <utility>

#include "controls/button/AccessKey.h"
#include "controls/button/ButtonPainter.h"
#include "controls/button/ButtonValues.h"
#include "controls/button/XPLook.h"
#include "controls/draw/win32/GdiText.h"
#include "controls/host/win32/Accessible.h"
#include "controls/host/win32/Dpi.h"
#include "controls/host/win32/GdiFont.h"
#include "controls/host/win32/Palette.h"
#include "controls/host/win32/WideText.h"

namespace corvane::win32 {

namespace {

wchar_t Upper(char16_t c) {
    wchar_t one[1] = {static_cast<wchar_t>(c)};
    CharUpperBuffW(one, 1);
    return one[0];
}

// The window text IsDialogMessage reads the mnemonic from: the caption itself when Windows
// finds the same key in it as the engine's parser (its first "&" not doubled); else, without a
// key, the caption with every "&" doubled, and with one, the key alone. So Alt+key reaches the
// button exactly when the engine says the caption marks that key.
std::wstring MnemonicText(const std::u16string& caption, const std::u16string& key) {
    std::size_t at = caption.find(u'&');
    while (at != std::u16string::npos && at + 1 < caption.size() && caption[at + 1] == u'&') {
        at = caption.find(u'&', at + 2);
    }
    const bool found = at != std::u16string::npos && at + 1 < caption.size();
    if (key.empty() ? !found : found && Upper(caption[at + 1]) == Upper(key.front())) {
        return Wide(caption);
    }
    if (!key.empty()) {
        return L"&" + Wide(key);
    }
    std::wstring text;
    for (const char16_t c : caption) {
        text += static_cast<wchar_t>(c);
        if (c == u'&') {
            text += L'&';
        }
    }
    return text;
}

// The window shape of rectangles, as one region (SetWindowRgn takes it over).
HRGN RegionOf(const std::vector<Rect>& rects) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const Rect& r : rects) {
        HRGN part = CreateRectRgn(r.left, r.top, r.right, r.bottom);
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
    }
    return region;
}

ATOM RegisterButtonXP() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ButtonXPProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kButtonXPClass;
    return RegisterClassExW(&wc);
}

}  // namespace

LRESULT CALLBACK ButtonXPProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<ButtonXPWindow*>(cs->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ButtonXPWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete self;  // a machine call under way sees it gone and stops
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->message(msg, wParam, lParam);
}

HWND CreateButtonXP(HWND parent, int id, const RECT& place, const PropertyBag& bag,
                    const FontValue& ambientFont, std::wstring name) {
    static const ATOM registered = RegisterButtonXP();
    if (!registered) {
        return nullptr;
    }
    auto* self = new ButtonXPWindow(nullptr, ambientFont, std::move(name));
    HWND hwnd = CreateWindowExW(
        0, kButtonXPClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, place.left,
        place.top, place.right - place.left, place.bottom - place.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), self);
    if (!hwnd) {
        // Created or not, WM_NCCREATE may have run: the object is the window's only once it
        // exists.
        if (!self->m_hwnd) {
            delete self;
        }
        return nullptr;
    }
    self->SurfaceFontChanged();
    self->m_core.ReadProperties(bag);  // runs the resize handler, which paints
    return hwnd;
}

ButtonXPWindow* ButtonXPWindow::Of(HWND hwnd) {
    wchar_t name[16] = {};
    if (!hwnd || !GetClassNameW(hwnd, name, 16) || lstrcmpW(name, kButtonXPClass) != 0) {
        return nullptr;
    }
    return reinterpret_cast<ButtonXPWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

ButtonXPWindow::ButtonXPWindow(HWND hwnd, FontValue ambientFont, std::wstring name)
    : m_hwnd(hwnd), m_ambientFont(std::move(ambientFont)), m_name(std::move(name)) {
    m_cursor = LoadCursorW(nullptr, IDC_ARROW);
}

ButtonXPWindow::~ButtonXPWindow() {
    if (m_ownCursor) {
        DestroyCursor(m_ownCursor);
    }
}

LRESULT ButtonXPWindow::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the face covers every pixel
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                ResizeHandler();
            }
            return 0;
        case WM_ENABLE:
        case WM_SYSCOLORCHANGE:
            Refresh();
            return 0;
        case WM_DPICHANGED_AFTERPARENT:
            SurfaceFontChanged();
            ResizeHandler();
            return 0;
        case WM_SETFOCUS:
            m_input.OnGotFocus();
            return 0;
        case WM_KILLFOCUS:
            m_input.OnLostFocus();
            return 0;
        case WM_TIMER:
            if (wParam == kHoverTimerId) {
                m_input.OnHoverTick();
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            mouseDown(MouseButton::Left, wParam, lParam, msg == WM_LBUTTONDBLCLK);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            mouseDown(MouseButton::Right, wParam, lParam, msg == WM_RBUTTONDBLCLK);
            return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            mouseDown(MouseButton::Middle, wParam, lParam, msg == WM_MBUTTONDBLCLK);
            return 0;
        case WM_LBUTTONUP:
            mouseUp(MouseButton::Left, wParam, lParam);
            return 0;
        case WM_RBUTTONUP:
            mouseUp(MouseButton::Right, wParam, lParam);
            return 0;
        case WM_MBUTTONUP:
            mouseUp(MouseButton::Middle, wParam, lParam);
            return 0;
        case WM_MOUSEMOVE:
            mouseMove(wParam, lParam);
            return 0;
        case WM_KEYDOWN:
            keyDown(wParam);
            return 0;
        case WM_KEYUP:
            keyUp(wParam);
            return 0;
        case WM_SYSKEYDOWN:
            // Alt+key: the machine sees it, and Windows' menu keys still work.
            if (!keyDown(wParam)) {
                return 0;
            }
            break;
        case WM_SYSKEYUP:
            if (!keyUp(wParam)) {
                return 0;
            }
            break;
        case WM_CHAR:
            character(wParam);
            return 0;
        case WM_GETDLGCODE:
            return dialogCode();
        case BM_SETSTYLE:
            setDefault((wParam & 0x0F) == BS_DEFPUSHBUTTON, lParam != 0);
            return 0;
        case BM_CLICK:
            accessKey();
            return 0;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == m_hwnd && LOWORD(lParam) == HTCLIENT &&
                setCursor()) {
                return TRUE;
            }
            break;
        case WM_GETOBJECT:
            return AnswerGetObject(m_hwnd, wParam, lParam, m_name, ROLE_SYSTEM_PUSHBUTTON);
        default:
            break;
    }
    return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

void ButtonXPWindow::setDefault(bool isDefault, bool redraw) {
    m_isDefault = isDefault;
    const LONG_PTR style = GetWindowLongPtrW(m_hwnd, GWL_STYLE);
    SetWindowLongPtrW(m_hwnd, GWL_STYLE,
                      (style & ~LONG_PTR{0x0F}) | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
    if (redraw) {
        Refresh();
    }
}

// --- The face ---

void ButtonXPWindow::Refresh() {
    ButtonShellFacts f;
    f.flags = m_input.Flags();  // as they are now: the machine changes some without a repaint
    f.enabled = IsWindowEnabled(m_hwnd) != FALSE;
    f.userMode = true;
    f.isDefault = m_isDefault;
    f.font = m_faceFont;
    f.palette = WindowsSystemPalette();
    f.devicePixelRatio = 1.0;  // Windows scales by font size: everything is in pixels
    const ButtonPaintState s = m_core.paintState(f);
    const SurfaceSize size = FaceSurfaceSize(s);
    if (!m_face.resize(size.width, size.height)) {
        return;
    }
    GdiTextRenderer& text = GdiText();
    text.setDpi(DpiOf(m_hwnd));
    m_core.painted(RefreshFace(m_face.view(), text, s));
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void ButtonXPWindow::paint() {
    if (!m_face.dc()) {
        Refresh();
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    if (m_face.dc()) {
        GdiFlush();
        BitBlt(dc, 0, 0, m_face.width(), m_face.height(), m_face.dc(), 0, 0, SRCCOPY);
    }
    EndPaint(m_hwnd, &ps);
}

void ButtonXPWindow::ResizeHandler() {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    // Never smaller than 150 twips either way.
    int w = client.right;
    int h = client.bottom;
    if (w < 10) {
        w = static_cast<int>(std::lround(150.0 / TwipsPerPixelX()));
    }
    if (h < 10) {
        h = static_cast<int>(std::lround(150.0 / TwipsPerPixelY()));
    }
    if (w != client.right || h != client.bottom) {
        // Sends WM_SIZE, which runs this again at the new size.
        SetWindowPos(m_hwnd, nullptr, 0, 0, w, h,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
    m_core.setClientSize(w, h);
    if (AsFaceStyle(m_core.ButtonStyle()) == FaceStyle::XP) {
        SetWindowRgn(m_hwnd, RegionOf(XPRegion(w, h)), TRUE);
    } else {
        // The shape belongs to the XP look alone; any other style gets its rectangle back.
        SetWindowRgn(m_hwnd, nullptr, TRUE);
    }
    Refresh();
}

// --- What the core asks of the window ---

void ButtonXPWindow::PropertyChanged(std::string_view) {
    // No stored set is kept for a window on Windows: the main window's buttons are loaded
    // once from their sets and never saved back.
}

void ButtonXPWindow::AccessKeyChanged() {
    m_accessKey = ParseAccessKey(m_core.Caption());
    SetWindowTextW(m_hwnd, MnemonicText(m_core.Caption(), m_accessKey).c_str());
}

void ButtonXPWindow::SurfaceFontChanged() {
    m_faceFont = DrawFontOf(m_core.surfaceFont());
}

bool ButtonXPWindow::Enabled() const {
    return IsWindowEnabled(m_hwnd) != FALSE;
}

void ButtonXPWindow::LoadEnabled(bool enabled) {
    EnableWindow(m_hwnd, enabled ? TRUE : FALSE);
}

std::u16string ButtonXPWindow::DisplayName() const {
    return U16(m_name);
}

double ButtonXPWindow::TwipsPerPixelX() const {
    return static_cast<double>(kTwipsPerInch) / DpiOf(m_hwnd);
}

double ButtonXPWindow::TwipsPerPixelY() const {
    return static_cast<double>(kTwipsPerInch) / DpiOf(m_hwnd);
}

}  // namespace corvane::win32
