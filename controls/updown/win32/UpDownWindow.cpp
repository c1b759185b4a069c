#include "controls/updown/win32/UpDownWindow.h"

#include <oleacc.h>

#include <utility>

#include "controls/host/win32/Accessible.h"
#include "controls/host/win32/Dpi.h"
#include "controls/updown/win32/UpDownBox.h"

namespace corvane::win32 {

namespace {

bool RegisterBoxClass() {
    static const bool registered = [] {
        WNDCLASSEXW cls{};
        cls.cbSize = sizeof cls;
        cls.lpfnWndProc = UpDownWindow::BoxProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        cls.lpszClassName = kUpDownClassName;
        return RegisterClassExW(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

// The arrows' position for a scroll request, as the bar would move: -1 is the upper arrow.
bool BarPosition(WPARAM w, int& position) {
    switch (LOWORD(w)) {
        case SB_LINEUP:
        case SB_PAGEUP:
        case SB_TOP:
            position = -1;
            return true;
        case SB_LINEDOWN:
        case SB_PAGEDOWN:
        case SB_BOTTOM:
            position = 1;
            return true;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            position = static_cast<short>(HIWORD(w));
            return true;
        default:
            return false;
    }
}

}  // namespace

LRESULT CALLBACK UpDownWindow::BoxProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<UpDownWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(hwnd, msg, w, l);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete self;
        return DefWindowProcW(hwnd, msg, w, l);
    }
    return self->handle(msg, w, l);
}

LRESULT UpDownWindow::handle(UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(l) == m_field && m_field && !m_destroying) {
                if (HIWORD(w) == EN_CHANGE && !m_settingText) {
                    // The text rule, which may raise Change.
                    m_guard.survives([&] { onTextChanged(fieldText()); });
                } else if (HIWORD(w) == EN_KILLFOCUS && !m_replacingField) {
                    mendText();
                }
            }
            return 0;
        case WM_VSCROLL:
            if (reinterpret_cast<HWND>(l) == m_bar && m_bar && !m_destroying) {
                int position = 0;
                if (BarPosition(w, position)) {
                    onBarMoved(position);
                }
            }
            return 0;
        case WM_MOUSEWHEEL:
            if (m_bar && onWheel(w, l)) {
                return 0;
            }
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(l) == m_field && m_field) {
                return colourField(reinterpret_cast<HDC>(w), IsWindowEnabled(m_field) != FALSE);
            }
            break;
        case WM_SETFOCUS:
            if (m_field) {
                SetFocus(m_field);  // the field is the box's focus
            }
            return 0;
        case WM_ENABLE:
            // EnableWindow on the box sets its Enabled property; the parts follow it.
            if (m_field) {
                EnableWindow(m_field, w != 0);
                EnableWindow(m_bar, w != 0);
            }
            if (!m_settingEnabled && (w != 0) != m_model.enabled) {
                m_model.setEnabled(w != 0);
            }
            return 0;
        case WM_SIZE:
            if (m_field && !m_loading) {
                relayout();
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_PAINT:
            paint();
            return 0;
        case WM_DPICHANGED_AFTERPARENT:
            m_dpi = DpiOf(m_box);
            applyFont();
            applyLayout();
            return 0;
        case WM_SYSCOLORCHANGE:
            applyColours();  // system colours follow the platform's scheme
            break;
        case WM_GETOBJECT:
            return AnswerGetObject(m_box, w, l, m_name, ROLE_SYSTEM_SPINBUTTON);
        case WM_DESTROY:
            m_destroying = true;
            if (m_guard.running()) {
                detachParts();
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(m_box, msg, w, l);
}

HWND CreateUpDownBox(HWND parent, int id, const RECT& place, const PropertyBag& bag,
                     const FontValue& ambientFont, std::wstring name) {
    if (!RegisterBoxClass()) {
        return nullptr;
    }
    const HWND box = CreateWindowExW(
        WS_EX_CONTROLPARENT, kUpDownClassName, name.c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, place.left, place.top,
        place.right - place.left, place.bottom - place.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!box) {
        return nullptr;
    }
    auto* self = new UpDownWindow(box, ambientFont, std::move(name));
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (!self->Create(bag)) {
        return nullptr;  // a Change handler destroyed it while it loaded
    }
    return box;
}

int UpDownValue(HWND box) {
    const UpDownWindow* self = UpDownWindow::Of(box);
    return self ? self->Value() : 0;
}

void SetUpDownValue(HWND box, int value) {
    if (UpDownWindow* self = UpDownWindow::Of(box)) {
        self->SetValue(value);
    }
}

}  // namespace corvane::win32
