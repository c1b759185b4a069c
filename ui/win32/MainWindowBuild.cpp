// Builds frmMain on Windows in its designed state: the frame, the menu, the two pages and
// every control of the layout table at its place, converted at the window's DPI.

#include "ui/win32/MainWindow.h"

#include <commctrl.h>
#include <ole2.h>
#include <oleacc.h>
#include <olectl.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "controls/button/win32/ButtonXPWindow.h"
#include "controls/host/PropertyBag.h"
#include "controls/host/win32/Accessible.h"
#include "controls/host/win32/Dpi.h"
#include "controls/host/win32/Palette.h"
#include "controls/host/win32/WideText.h"
#include "controls/updown/win32/UpDownWindow.h"
#include "core/TeamCatalogue.h"
#include "editor/CaptionContrast.h"
#include "ui/win32/Resources.h"

namespace corvane::win32 {

using layout::Ctl;
using layout::Kind;

namespace {

constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

std::wstring WideOf(std::string_view utf8) {
    return WideFromUtf8(utf8);
}

// The text a screen reader announces for a control of the table: its own name, else its
// caption.
std::wstring AccessibleNameOf(const layout::Control& c) {
    return WideOf(c.accessibleName.empty() ? c.caption : c.accessibleName);
}

// The role a screen reader announces for a system control: the one its class has, said
// outright where a system's standard object may not know the class (0: the standard one).
long RoleOf(Kind kind) {
    switch (kind) {
        case Kind::Combo:
            return ROLE_SYSTEM_COMBOBOX;
        case Kind::ColourButton:
            return ROLE_SYSTEM_PUSHBUTTON;
        case Kind::Picture:
            return ROLE_SYSTEM_GRAPHIC;
        case Kind::GroupBox:
            return ROLE_SYSTEM_GROUPING;
        default:
            return 0;
    }
}

// The system's controls answer a screen reader with the table's names; a wheel turned over a
// club list without the focus leaves its choice alone.
LRESULT CALLBACK NamedControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
    const auto& c = *reinterpret_cast<const layout::Control*>(data);
    switch (message) {
        case WM_GETOBJECT:
            if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
                return AnswerGetObject(hwnd, wParam, lParam, AccessibleNameOf(c), RoleOf(c.kind));
            }
            break;
        case WM_MOUSEWHEEL:
            if (c.kind == Kind::Combo && !IsChild(hwnd, GetFocus()) && GetFocus() != hwnd) {
                return SendMessageW(GetParent(hwnd), message, wParam, lParam);
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, NamedControlProc, 0);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// A stored property set compiled into the program. A broken one is a fault of the build.
PropertyBag StoredProperties(std::string_view name) {
    PropertyBag bag;
    std::string error;
    if (!bag.fromText(ResourceText(name), &error)) {
        throw std::runtime_error("the stored properties of " + std::string(name) +
                                 " are unreadable: " + error);
    }
    return bag;
}

// The platform's default dialog font at `dpi`: the message font of the system's metrics.
LOGFONTW DialogFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                    static_cast<UINT>(dpi))) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTW), &metrics.lfMessageFont);
    }
    return metrics.lfMessageFont;
}

// The dialog font as a stored font, for the custom controls' ambient font.
FontValue FontValueOf(const LOGFONTW& lf, int dpi) {
    FontValue f;
    f.name = U16(lf.lfFaceName);
    f.size = lf.lfHeight < 0 ? -lf.lfHeight * 72.0 / dpi : 8.25;
    f.weight = static_cast<int>(lf.lfWeight);
    f.bold = lf.lfWeight >= FW_BOLD;
    f.italic = lf.lfItalic != 0;
    f.charset = lf.lfCharSet;
    return f;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : m_instance(instance) {
    m_buttonColours.fill(SysColour::ButtonFace);
    // The class, with the icon's two sizes, once for the process.
    static const bool registered = [instance] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &MainWindow::Proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kMainClass;
        const auto icon = [instance](int w, int h) {
            return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                                 GetSystemMetrics(w), GetSystemMetrics(h),
                                                 LR_DEFAULTCOLOR));
        };
        wc.hIcon = icon(SM_CXICON, SM_CYICON);
        wc.hIconSm = icon(SM_CXSMICON, SM_CYSMICON);
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered) {
        throw std::runtime_error("the main window's class could not be registered");
    }

    m_menu = CreateMenu();
    HMENU popup = CreatePopupMenu();
    // No access keys and no shortcuts: the captions carry no "&".
    AppendMenuW(popup, MF_STRING, kMenuOpen, L"Open");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup, MF_STRING | MF_GRAYED, kMenuSave, L"Save");
    AppendMenuW(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"Menu");

    m_hwnd = CreateWindowExW(0, kMainClass, kAppTitle, kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, m_menu, instance, this);
    if (!m_hwnd) {
        throw std::runtime_error("the main window could not be created");
    }
    DragAcceptFiles(m_hwnd, TRUE);
    m_dpi = DpiOf(m_hwnd);
    m_dialogFont = DialogFont(m_dpi);
    m_font = CreateFontIndirectW(&m_dialogFont);
    MeasureClubList();
    SizeFrame();
    Build();
    Centre();
}

MainWindow::~MainWindow() {
    if (m_hwnd) {
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
    if (m_font) {
        DeleteObject(m_font);
    }
}

void MainWindow::Build() {
    // The pages are child dialogs that pass their controls' notifications on to the window.
    // They paint behind their controls (no WS_CLIPCHILDREN): a group box draws only its
    // frame and caption, and its inside is the page's.
    struct {
        DLGTEMPLATE t;
        WORD menu, cls, title;
    } page{};
    page.t.style = WS_CHILD | DS_CONTROL;
    page.t.dwExtendedStyle = WS_EX_CONTROLPARENT;
    for (int i = 0; i < 2; ++i) {
        m_pages[static_cast<std::size_t>(i)] = CreateDialogIndirectParamW(
            m_instance, &page.t, m_hwnd, &MainWindow::PageProc, reinterpret_cast<LPARAM>(this));
        SetWindowLongPtrW(m_pages[static_cast<std::size_t>(i)], GWLP_ID, kPageId[i]);
    }
    PlacePages();
    // A child window made later lies below the ones made before it, so the order of making
    // is the order of lying: the pages on the tab control (made before it), the hex fields in
    // front of their buttons, and the group boxes behind what they hold, an outer one behind
    // the inner ones (the table lists a container before what it holds).
    const auto build = [this](auto first, auto last, auto wanted) {
        for (auto c = first; c != last; ++c) {
            if (wanted(*c)) {
                BuildControl(*c);
            }
        }
    };
    const auto is = [](Kind kind) {
        return [kind](const layout::Control& c) { return c.kind == kind; };
    };
    build(layout::kControls.begin(), layout::kControls.end(), is(Kind::ReadOnlyEdit));
    build(layout::kControls.begin(), layout::kControls.end(), [](const layout::Control& c) {
        return c.kind != Kind::ReadOnlyEdit && c.kind != Kind::GroupBox;
    });
    build(layout::kControls.rbegin(), layout::kControls.rend(), is(Kind::GroupBox));
    ShowPage(0);
    // Nothing but Open works until a file is open.
    EnableWindow(Ctrl(Ctl::TabControl1), FALSE);
    for (HWND p : m_pages) {
        EnableWindow(p, FALSE);
    }
}

void MainWindow::BuildControl(const layout::Control& c) {
    const int id = ControlId(c.id);
    HWND parent = c.page == layout::kNoPage ? m_hwnd : m_pages[static_cast<std::size_t>(c.page)];
    const auto menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    const std::wstring caption = WideOf(c.caption);
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    // Each control is made at its place, so that nothing is laid out twice.
    const RECT r = PlaceOf(c);
    const auto make = [&](const wchar_t* cls, DWORD style, DWORD exStyle = 0) {
        HWND made = CreateWindowExW(exStyle, cls, caption.c_str(), child | style, r.left, r.top,
                                    r.right - r.left, r.bottom - r.top, parent, menuId, m_instance,
                                    nullptr);
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        return made;
    };
    HWND hwnd = nullptr;
    switch (c.kind) {
        case Kind::TabControl:
            hwnd = make(WC_TABCONTROLW, WS_TABSTOP);
            for (std::size_t i = 0; i < layout::kPageCaptions.size(); ++i) {
                std::wstring text = WideOf(layout::kPageCaptions[i]);
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = text.data();
                SendMessageW(hwnd, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
            }
            break;
        case Kind::GroupBox:
            hwnd = make(L"BUTTON", BS_GROUPBOX);
            break;
        case Kind::Picture:
            hwnd = make(L"STATIC", SS_OWNERDRAW);
            break;
        case Kind::Edit:
            hwnd = make(L"EDIT", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL);
            break;
        case Kind::ReadOnlyEdit:
            // It shows the colour and nothing reads it back, so it takes no typing; its text can
            // still be selected and copied.
            hwnd = make(L"EDIT", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY);
            break;
        case Kind::Combo:
            hwnd = make(L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL |
                                         CBS_NOINTEGRALHEIGHT);
            break;
        case Kind::ColourButton:
            hwnd = make(L"BUTTON", WS_TABSTOP | BS_OWNERDRAW);
            break;
        case Kind::UpDown:
            hwnd = CreateUpDownBox(parent, id, r, StoredProperties(c.name),
                                   FontValueOf(m_dialogFont, m_dpi), AccessibleNameOf(c));
            break;
        case Kind::ButtonXP:
            hwnd = CreateButtonXP(parent, id, r, StoredProperties(c.name),
                                  FontValueOf(m_dialogFont, m_dpi), AccessibleNameOf(c));
            break;
    }
    if (!hwnd) {
        throw std::runtime_error("the control " + std::string(c.name) + " could not be created");
    }
    if (c.kind == Kind::Combo) {
        FitComboHeight(hwnd, r);
    }
    if (c.kind != Kind::UpDown && c.kind != Kind::ButtonXP) {
        SetWindowSubclass(hwnd, NamedControlProc, 0, reinterpret_cast<DWORD_PTR>(&c));
    }
    m_controls[static_cast<std::size_t>(c.id)] = hwnd;
}

RECT MainWindow::PlaceOf(const layout::Control& c) const {
    const auto px = [this](int twips) { return TwipsToPixels(twips, m_dpi); };
    const layout::Twips t = layout::OnClient(c.id);
    const POINT origin = c.page == layout::kNoPage ? POINT{0, 0} : PageOrigin();
    RECT r{px(t.left) - origin.x, px(t.top) - origin.y, 0, 0};
    r.right = r.left + px(t.width);
    // A combo box's window holds its dropped list too, as high as its entries: made so, the
    // list is not trimmed again and again. FitComboHeight sets the closed height.
    r.bottom = r.top + px(t.height) + (c.kind == Kind::Combo ? m_clubListHeight : 0);
    return r;
}

POINT MainWindow::PageOrigin() const {
    // The pages cover the tab control below its strip; their controls are placed on them.
    const layout::Twips tab = layout::OnClient(Ctl::TabControl1);
    return {TwipsToPixels(tab.left, m_dpi), TwipsToPixels(tab.top + layout::kTabStripTwips, m_dpi)};
}

void MainWindow::MeasureClubList() {
    // Every club on view, each a line of the dialog font, inside the list's border, with room
    // for the closed box being made a few pixels higher than the layout's before it is fitted.
    TEXTMETRICW metrics{};
    if (HDC dc = GetDC(m_hwnd)) {
        const HGDIOBJ old = SelectObject(dc, m_font);
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(m_hwnd, dc);
    }
    m_clubListHeight = static_cast<int>(kTeamCatalogue.size()) * metrics.tmHeight + 8;
}

void MainWindow::FitComboHeight(HWND combo, const RECT& place) const {
    // The closed box is made as high as the layout gives by its selection field's height.
    const int wanted = place.bottom - place.top - m_clubListHeight;
    RECT shown{};
    GetWindowRect(combo, &shown);
    const LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    const LRESULT fitted = field + (wanted - (shown.bottom - shown.top));
    if (field > 0 && fitted > 0 && fitted != field) {
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), fitted);
    }
}

void MainWindow::SizeFrame() {
    const auto px = [this](int twips) { return TwipsToPixels(twips, m_dpi); };
    // The frame around a client area of the designed size.
    RECT frame{0, 0, px(layout::kClient.width), px(layout::kClient.height)};
    AdjustWindowRectExForDpi(&frame, kFrameStyle, TRUE, 0, static_cast<UINT>(m_dpi));
    SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that wraps takes client height: make it up.
    RECT client{};
    GetClientRect(m_hwnd, &client);
    if (const int missing = px(layout::kClient.height) - client.bottom; missing != 0) {
        SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left,
                     frame.bottom - frame.top + missing,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MainWindow::PlacePages() {
    const auto px = [this](int twips) { return TwipsToPixels(twips, m_dpi); };
    const layout::Twips tab = layout::OnClient(Ctl::TabControl1);
    const POINT origin = PageOrigin();
    for (HWND p : m_pages) {
        SetWindowPos(p, nullptr, origin.x, origin.y, px(tab.width) - 3,
                     px(tab.height - layout::kTabStripTwips) - 3, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MainWindow::Place() {
    ApplyFonts();
    SizeFrame();
    PlacePages();
    for (const layout::Control& c : layout::kControls) {
        const RECT r = PlaceOf(c);
        SetWindowPos(Ctrl(c.id), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (c.kind == Kind::Combo) {
            FitComboHeight(Ctrl(c.id), r);
        }
    }
}

void MainWindow::ApplyFonts() {
    if (m_font) {
        DeleteObject(m_font);
    }
    m_dialogFont = DialogFont(m_dpi);
    m_font = CreateFontIndirectW(&m_dialogFont);
    MeasureClubList();
    // The custom controls carry fonts of their own.
    for (const layout::Control& c : layout::kControls) {
        if (c.kind != Kind::UpDown && c.kind != Kind::ButtonXP) {
            SendMessageW(Ctrl(c.id), WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        }
    }
}

void MainWindow::ShowPage(int page) {
    SendMessageW(Ctrl(Ctl::TabControl1), TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    for (int i = 0; i < 2; ++i) {
        ShowWindow(m_pages[static_cast<std::size_t>(i)], i == page ? SW_SHOW : SW_HIDE);
    }
}

void MainWindow::Centre() {
    RECT frame{};
    GetWindowRect(m_hwnd, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    const int w = frame.right - frame.left;
    const int h = frame.bottom - frame.top;
    SetWindowPos(m_hwnd, nullptr, area.left + (area.right - area.left - w) / 2,
                 area.top + (area.bottom - area.top - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::DrawColourButton(const DRAWITEMSTRUCT& item) {
    const bool isFont = item.CtlID == static_cast<UINT>(ControlId(Ctl::cmd_Color4));
    const std::uint32_t face =
        TranslateColor(m_buttonColours[isFont ? 1 : 0], WindowsSystemPalette());
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool sunken = (item.itemState & ODS_SELECTED) != 0;
    HBRUSH brush = CreateSolidBrush(face);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    DrawEdge(dc, &r, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    // The caption stands near the top: the colour's hex field lies over the button's middle.
    wchar_t text[64] = {};
    GetWindowTextW(item.hwndItem, text, 64);
    RECT inner{r.left + 3, r.top + 6, r.right - 3, r.bottom - 3};
    if (sunken) {
        OffsetRect(&inner, 1, 1);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT)
                                                     : ContrastingCaption(face));
    DrawTextW(dc, text, -1, &inner, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) {
        RECT focus{r.left + 4, r.top + 4, r.right - 4, r.bottom - 4};
        DrawFocusRect(dc, &focus);
    }
}

void MainWindow::DrawPicture(const DRAWITEMSTRUCT& item) {
    // Decoded once for the process by the system's picture loader, and stretched once to the
    // control's size (it never changes), so that a paint is one copy.
    struct Stretched {
        IPicture* picture = nullptr;
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        SIZE size{};
    };
    static Stretched cache = [] {
        Stretched s;
        const std::string bytes = ResourceText("pitch_gif");
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        if (!memory) {
            return s;
        }
        std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
        GlobalUnlock(memory);
        IStream* stream = nullptr;
        if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
            GlobalFree(memory);
            return s;
        }
        OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                       reinterpret_cast<void**>(&s.picture));
        stream->Release();
        return s;
    }();
    const RECT& r = item.rcItem;
    const SIZE size{r.right - r.left, r.bottom - r.top};
    if (cache.picture && (!cache.dc || cache.size.cx != size.cx || cache.size.cy != size.cy)) {
        if (cache.dc) {
            DeleteDC(cache.dc);
            DeleteObject(cache.bitmap);
        }
        cache.dc = CreateCompatibleDC(item.hDC);
        cache.bitmap = CreateCompatibleBitmap(item.hDC, size.cx, size.cy);
        SelectObject(cache.dc, cache.bitmap);
        cache.size = size;
        RECT all{0, 0, size.cx, size.cy};
        FillRect(cache.dc, &all, GetSysColorBrush(COLOR_BTNFACE));
        // Stretched to fill the control, unevenly, as designed.
        OLE_XSIZE_HIMETRIC w = 0;
        OLE_YSIZE_HIMETRIC h = 0;
        cache.picture->get_Width(&w);
        cache.picture->get_Height(&h);
        cache.picture->Render(cache.dc, 0, 0, size.cx, size.cy, 0, h, w, -h, nullptr);
    }
    if (cache.dc) {
        BitBlt(item.hDC, r.left, r.top, size.cx, size.cy, cache.dc, 0, 0, SRCCOPY);
    } else {
        FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    }
}

}  // namespace corvane::win32
