#include "controls/updown/win32/UpDownBox.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "controls/draw/Draw.h"
#include "controls/host/win32/Accessible.h"
#include "controls/host/win32/Dpi.h"
#include "controls/host/win32/GdiFont.h"
#include "controls/host/win32/Palette.h"
#include "controls/host/win32/WideText.h"
#include "controls/host/win32/Win32Clipboard.h"
#include "controls/updown/UpDownLayout.h"
#include "controls/updown/win32/UpDownField.h"
#include "controls/updown/win32/UpDownWindow.h"

namespace corvane::win32 {

namespace {

constexpr int kFieldId = 1;
constexpr int kBarId = 2;

DWORD AlignmentStyle(int alignment) {
    switch (static_cast<BoxAlignment>(alignment)) {
        case BoxAlignment::Right:
            return ES_RIGHT;
        case BoxAlignment::Centre:
            return ES_CENTER;
        default:
            return ES_LEFT;
    }
}

void Place(HWND part, const Rect& r) {
    MoveWindow(part, r.left, r.top, r.width(), r.height(), TRUE);
}

}  // namespace

UpDownWindow::UpDownWindow(HWND box, const FontValue& ambientFont, std::wstring name)
    : m_box(box), m_ambientFont(ambientFont), m_name(std::move(name)) {}

UpDownWindow::~UpDownWindow() {
    if (m_font) {
        DeleteObject(m_font);
    }
    if (m_backBrush) {
        DeleteObject(m_backBrush);
    }
}

UpDownWindow* UpDownWindow::Of(HWND box) {
    wchar_t cls[16] = {};
    if (!box || !GetClassNameW(box, cls, 16) || std::wstring_view(cls) != kUpDownClassName) {
        return nullptr;
    }
    return reinterpret_cast<UpDownWindow*>(GetWindowLongPtrW(box, GWLP_USERDATA));
}

bool UpDownWindow::Create(const PropertyBag& bag) {
    m_dpi = DpiOf(m_box);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    // The arrows never take the focus: clicking them keeps the caret in the field.
    m_bar = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 0, 0,
                            m_box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBarId)), instance,
                            nullptr);
    resetBar();
    createField(u"0");
    m_model.font = m_ambientFont;
    applyColours();  // a Change handler may show the field before the load is over
    // The stored set applies its font, colours and layout row by row; while it loads, the box
    // is hidden from them and takes each once, at the end, as loaded.
    m_loading = true;
    // The value's row, the last one, runs the text rule, which may raise Change.
    if (!m_guard.survives([&] { m_model.Read(bag); })) {
        return false;
    }
    m_loading = false;
    applyFont();
    applyColours();
    relayout();
    return true;
}

bool UpDownWindow::SetValue(int value) {
    // The text rule that this write runs sets Value and raises Change.
    return showText(m_model.rules.textForValue(value));
}

void UpDownWindow::createField(std::u16string_view text) {
    DWORD style =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | AlignmentStyle(m_model.alignment);
    if (!IsWindowEnabled(m_box)) {
        style |= WS_DISABLED;
    }
    m_settingText = true;
    m_field = CreateWindowExW(0, L"EDIT", Wide(text).c_str(), style, 0, 0, 0, 0, m_box,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFieldId)),
                              GetModuleHandleW(nullptr), nullptr);
    m_settingText = false;
    InstallUpDownField(m_field, m_box);
    if (m_font) {
        SendMessageW(m_field, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    }
}

void UpDownWindow::resetBar() {
    // Only a pair of arrows: three positions, resting in the middle.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = -1;
    info.nMax = 1;
    info.nPage = 1;
    info.nPos = 0;
    SetScrollInfo(m_bar, SB_CTL, &info, TRUE);
}

void UpDownWindow::applyColours() {
    if (m_loading) {
        return;
    }
    const SystemPalette palette = WindowsSystemPalette();
    m_back = TranslateColor(m_model.backColor, palette);
    m_fore = TranslateColor(m_model.foreColor, palette);
    if (m_backBrush) {
        DeleteObject(m_backBrush);
    }
    m_backBrush = CreateSolidBrush(m_back);
    InvalidateRect(m_box, nullptr, TRUE);
    if (m_field) {
        InvalidateRect(m_field, nullptr, TRUE);
    }
}

void UpDownWindow::applyFont() {
    if (m_loading) {
        return;
    }
    HFONT font = CreateGdiFont(m_model.font, m_dpi);
    if (HDC dc = GetDC(m_box)) {
        const HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        m_lineHeight = metrics.tmHeight;
        SelectObject(dc, old);
        ReleaseDC(m_box, dc);
    }
    SendMessageW(m_field, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (m_font) {
        DeleteObject(m_font);
    }
    m_font = font;
}

void UpDownWindow::applyAlignment() {
    const DWORD wanted = AlignmentStyle(m_model.alignment);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(m_field, GWL_STYLE));
    if ((style & (ES_LEFT | ES_CENTER | ES_RIGHT)) == wanted) {
        return;
    }
    // An EDIT takes its alignment only when it is made: the field is made anew in its place,
    // with its text, selection and focus, and its tab position.
    const HWND old = m_field;
    const std::u16string text = fieldText();
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(old, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    RECT place{};
    GetWindowRect(old, &place);
    MapWindowPoints(nullptr, m_box, reinterpret_cast<POINT*>(&place), 2);
    const bool focused = GetFocus() == old;
    m_replacingField = true;
    createField(text);
    SetWindowPos(m_field, old, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOACTIVATE);
    if (focused) {
        SetFocus(m_field);
    }
    RemoveUpDownField(old);
    DestroyWindow(old);
    m_replacingField = false;
    SendMessageW(m_field, EM_SETSEL, start, static_cast<LPARAM>(end));
}

void UpDownWindow::applyEnabled() {
    m_settingEnabled = true;
    EnableWindow(m_box, m_model.enabled);
    m_settingEnabled = false;
}

void UpDownWindow::applyLayout() {
    if (m_loading) {
        return;
    }
    relayout();
    InvalidateRect(m_box, nullptr, TRUE);
}

void UpDownWindow::relayout() {
    RECT client{};
    GetClientRect(m_box, &client);
    const int width = client.right;
    const int height = client.bottom;
    const int b = m_model.border();
    const double tpp = static_cast<double>(kTwipsPerInch) / m_dpi;
    UpDownLayoutInput in;
    in.outerWidthTwips = static_cast<int>(std::lround(width * tpp));
    in.outerHeightTwips = static_cast<int>(std::lround(height * tpp));
    in.innerWidth = width - 2 * b;
    in.innerHeight = height - 2 * b;
    in.barWidth = GetSystemMetricsForDpi(SM_CXVSCROLL, static_cast<UINT>(m_dpi));
    in.lineHeight = m_lineHeight;
    in.twipsPerPixelX = tpp;
    in.twipsPerPixelY = tpp;
    const UpDownLayout out = layoutUpDown(in);

    // The client area clips the field's bottom row, as a window of its own would.
    const Rect inner{0, 0, out.innerWidth, out.innerHeight};
    Place(m_field, out.field.intersected(inner).offset(b));
    Place(m_bar, out.bar.offset(b));
    const int outerWidth = static_cast<int>(std::lround(out.outerWidthTwips / tpp));
    const int outerHeight = static_cast<int>(std::lround(out.outerHeightTwips / tpp));
    if (outerWidth != width || outerHeight != height) {
        // Its WM_SIZE runs this again, which then changes nothing.
        SetWindowPos(m_box, nullptr, 0, 0, outerWidth, outerHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void UpDownWindow::paint() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(m_box, &ps);
    RECT client{};
    GetClientRect(m_box, &client);
    const int width = client.right;
    const int height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as the engine's image
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP dib = width > 0 && height > 0
                            ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0)
                            : nullptr;
    if (dib && bits) {
        // The box's own pixels: the client area's background, and the frame around it.
        const ImageView image{static_cast<Pixel*>(bits), width, height, width};
        const int b = m_model.border();
        FillRect(image, {b, b, width - b, height - b}, m_back);
        if (b) {
            PaintUpDownFrame(image, TranslateColor(SysColour::WindowFrame, WindowsSystemPalette()));
        }
        if (const HDC memory = CreateCompatibleDC(dc)) {
            const HGDIOBJ old = SelectObject(memory, dib);
            BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
        }
    }
    if (dib) {
        DeleteObject(dib);
    }
    EndPaint(m_box, &ps);
}

std::u16string UpDownWindow::fieldText() const {
    const int length = GetWindowTextLengthW(m_field);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(m_field, text.data(), length + 1)));
    return U16(text);
}

bool UpDownWindow::showText(std::u16string_view text) {
    return m_guard.survives([&] {
        // The rule runs once, whether or not the text changes, and not through EN_CHANGE.
        if (fieldText() != text) {
            m_settingText = true;
            SetWindowTextW(m_field, Wide(text).c_str());
            m_settingText = false;
        }
        onTextChanged(text);
    });
}

void UpDownWindow::onTextChanged(std::u16string_view text) {
    if (m_model.rules.applyText(text)) {
        raiseChange();
    }
}

bool UpDownWindow::onBarMoved(int position) {
    // The vertical bar counts downwards: its upper arrow moves it to -1, which is the step up,
    // as is the Up key.
    if (!m_model.rules.spin(-position)) {
        return true;
    }
    SetScrollPos(m_bar, SB_CTL, 0, TRUE);
    if (!showText(UpDownRules::text(m_model.rules.Value()))) {
        return false;
    }
    SendMessageW(m_field, EM_SETSEL, 0, -1);
    return raiseChange();
}

void UpDownWindow::mendText() {
    // Leaving the field, it shows the number that Value holds and a save will store.
    const std::u16string shown = UpDownRules::text(m_model.rules.Value());
    if (fieldText() != shown) {
        showText(shown);
    }
}

bool UpDownWindow::raiseChange() {
    // A screen reader hears of real changes only, not of a step that stays at a bound.
    if (m_model.rules.Value() != m_announced) {
        m_announced = m_model.rules.Value();
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_box, OBJID_CLIENT, CHILDID_SELF);
    }
    const HWND box = m_box;
    const HWND parent = GetParent(box);
    const int id = GetDlgCtrlID(box);
    return m_guard.survives([&] {
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, kUpDownChange),
                     reinterpret_cast<LPARAM>(box));
    });
}

void UpDownWindow::PasteFiltered() {
    if (GetWindowLongPtrW(m_field, GWL_STYLE) & ES_READONLY) {
        return;
    }
    const std::u16string text = UpDownRules::pastable(Win32Clipboard().text());
    if (!text.empty()) {
        // Its EN_CHANGE runs the rule, which may raise Change.
        m_guard.survives([&] {
            SendMessageW(m_field, EM_REPLACESEL, TRUE,
                         reinterpret_cast<LPARAM>(Wide(text).c_str()));
        });
    }
}

bool UpDownWindow::onWheel(WPARAM w, LPARAM l) {
    // Over the arrows the wheel moves them, as it moves a scroll bar: a notch is its lines,
    // and a move is at most one step. Over the field it goes on to the container.
    POINT at{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
    RECT bar{};
    GetWindowRect(m_bar, &bar);
    if (!PtInRect(&bar, at)) {
        return false;
    }
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == 0) {
        return true;
    }
    m_wheel += GET_WHEEL_DELTA_WPARAM(w) * static_cast<int>(std::min<UINT>(lines, 100));
    const int notches = m_wheel / WHEEL_DELTA;
    m_wheel -= notches * WHEEL_DELTA;
    if (notches != 0) {
        Step(notches > 0 ? 1 : -1);  // the wheel turned away from the user steps up
    }
    return true;
}

LRESULT UpDownWindow::colourField(HDC dc, bool editable) {
    // A disabled field keeps the platform's grey text.
    SetTextColor(dc, editable ? m_fore : GetSysColor(COLOR_GRAYTEXT));
    SetBkColor(dc, m_back);
    return reinterpret_cast<LRESULT>(m_backBrush);
}

void UpDownWindow::detachParts() {
    // Destroyed by a handler of its own Change. The field or the arrows that raised it are
    // still inside their own code (a key press, a paste, an arrow click), which goes on using
    // the window once the notification returns: both outlive the box, hidden and cut off from
    // it, until the message loop closes them.
    RemoveUpDownField(m_field);
    for (const HWND part : {m_field, m_bar}) {
        ShowWindow(part, SW_HIDE);
        SetParent(part, HWND_MESSAGE);
        PostMessageW(part, WM_CLOSE, 0, 0);
    }
    m_field = nullptr;
    m_bar = nullptr;
}

}  // namespace corvane::win32
