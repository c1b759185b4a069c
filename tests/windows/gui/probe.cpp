// corvane-probe.exe: looks at the running corvane.exe from another Windows process, as a
// test under Wine needs to, while the pointer and the keys come from the X server.
//   probe wait              waits for the window; prints its DPI
//   probe layout            every control of the layout table at its place, and the frame
//   probe where NAME        the screen point at the middle of a control ("strip": the first tab)
//   probe item NAME N       the middle of entry N of a club list that is dropped down
//   probe text NAME         a control's text (an up-down box's: its field's)
//   probe name NAME         what a screen reader is told of it: "name|role"
//   probe enabled NAME      1 or 0: whether it can be used (its containers enabled too)
//   probe arrow NAME up|down the middle of an up-down box's arrow
//   probe dialog            the title and text of the window's open dialog, "title|text"
//   probe face [hover]      the Save button's face on the screen against the engine's image,
//                           with the pointer away from it or over it
// Exit status 0 when it found what it was asked for and it was right, 1 otherwise.

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "controls/host/win32/WideText.h"
#include "editor/MainLayout.h"
#include "tests/windows/gui/ProbeFace.h"
#include "ui/win32/MainWindow.h"

namespace {

using namespace corvane;
using corvane::win32::Utf8FromWide;

HWND MainWindowHandle() {
    return FindWindowW(corvane::win32::kMainClass, nullptr);
}

struct Found {
    int id;
    HWND hwnd = nullptr;
};

BOOL CALLBACK FindById(HWND hwnd, LPARAM data) {
    auto* found = reinterpret_cast<Found*>(data);
    if (GetDlgCtrlID(hwnd) == found->id && !found->hwnd) {
        found->hwnd = hwnd;
    }
    return TRUE;
}

const layout::Control* ControlNamed(std::string_view name) {
    for (const layout::Control& c : layout::kControls) {
        if (c.name == name) {
            return &c;
        }
    }
    return nullptr;
}

HWND ControlWindow(HWND main, layout::Ctl id) {
    Found found{corvane::win32::ControlId(id)};
    EnumChildWindows(main, FindById, reinterpret_cast<LPARAM>(&found));
    return found.hwnd;
}

std::string TextOf(HWND hwnd) {
    wchar_t text[1024] = {};
    SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return Utf8FromWide(text);
}

RECT OnClientOf(HWND main, HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void PrintMiddle(const RECT& screen) {
    std::printf("%ld %ld\n", (screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2);
}

int Layout(HWND main) {
    int wrong = 0;
    const auto check = [&wrong](bool ok, const std::string& what) {
        if (!ok) {
            std::printf("wrong: %s\n", what.c_str());
            ++wrong;
        }
    };
    const int dpi = static_cast<int>(GetDpiForWindow(main));
    const auto px = [dpi](int twips) { return layout::ToPixels(twips, dpi); };
    const LONG style = GetWindowLongW(main, GWL_STYLE);
    check(TextOf(main) == "Corvane", "title " + TextOf(main));
    check((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU), "caption and close box");
    check(!(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)), "fixed, close box only");
    RECT client{};
    GetClientRect(main, &client);
    check(client.right == px(layout::kClient.width) && client.bottom == px(layout::kClient.height),
          "client " + std::to_string(client.right) + "x" + std::to_string(client.bottom));
    // Centred with its frame on the work area.
    RECT frame{};
    GetWindowRect(main, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(main, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    check(std::abs((frame.left - area.left) - (area.right - frame.right)) <= 1 &&
              std::abs((frame.top - area.top) - (area.bottom - frame.bottom)) <= 1,
          "centred");

    for (const layout::Control& c : layout::kControls) {
        HWND hwnd = ControlWindow(main, c.id);
        if (!hwnd) {
            check(false, std::string(c.name) + " missing");
            continue;
        }
        const layout::Twips t = layout::OnClient(c.id);
        const RECT r = OnClientOf(main, hwnd);
        const bool heightFromFont = c.kind == layout::Kind::UpDown;
        const bool ok = r.left == px(t.left) && r.top == px(t.top) &&
                        r.right - r.left == px(t.width) &&
                        (heightFromFont || r.bottom - r.top == px(t.height));
        std::printf("%-12s %4ld %4ld %4ld %4ld%s\n", std::string(c.name).c_str(), r.left, r.top,
                    r.right - r.left, r.bottom - r.top, ok ? "" : "  <- wrong");
        wrong += ok ? 0 : 1;
    }
    std::printf("%s\n", wrong ? "layout differs" : "layout ok");
    return wrong ? 1 : 0;
}

// A visible top-level window of the program's process, of class `cls`.
struct DialogSearch {
    DWORD process;
    std::wstring_view cls = L"#32770";
    HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<DialogSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (process == search->process && IsWindowVisible(hwnd) && cls == search->cls) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    const std::string command = argc > 1 ? Utf8FromWide(argv[1]) : "";
    const std::string name = argc > 2 ? Utf8FromWide(argv[2]) : "";
    HWND main = MainWindowHandle();
    if (command == "wait") {
        for (int i = 0; i < 300 && !(main && IsWindowVisible(main)); ++i) {
            Sleep(100);
            main = MainWindowHandle();
        }
        if (!main) {
            std::puts("no window");
            return 1;
        }
        std::printf("%u\n", GetDpiForWindow(main));
        return 0;
    }
    if (!main) {
        std::puts("no window");
        return 1;
    }
    if (command == "layout") {
        return Layout(main);
    }
    if (command == "dialog") {
        DialogSearch search{0};
        GetWindowThreadProcessId(main, &search.process);
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.found) {
            std::puts("no dialog");
            return 1;
        }
        std::printf("%s|%s\n", TextOf(search.found).c_str(),
                    TextOf(GetDlgItem(search.found, 0xFFFF)).c_str());
        return 0;
    }
    if (command == "face") {
        return corvane::probe::CompareSaveFace(ControlWindow(main, layout::Ctl::cmd_Save),
                                               name == "hover");
    }
    if (command == "where" && name == "strip") {
        // The first tab, near the tab control's top-left corner (a tab's own rectangle comes
        // back through a pointer, which Wine does not carry across processes).
        RECT r{};
        GetWindowRect(ControlWindow(main, layout::Ctl::TabControl1), &r);
        std::printf("%ld %ld\n", r.left + 20, r.top + 10);
        return 0;
    }
    const layout::Control* control = ControlNamed(name);
    HWND hwnd = control ? ControlWindow(main, control->id) : nullptr;
    if (!hwnd) {
        std::printf("no control %s\n", name.c_str());
        return 1;
    }
    if (command == "where") {
        RECT r{};
        GetWindowRect(hwnd, &r);
        PrintMiddle(r);
        return 0;
    }
    if (command == "item" && argc > 3) {
        // The dropped list is a top-level window of its own; Wine answers no message that
        // carries a pointer across processes, so its entries are found by their height.
        DialogSearch search{0, L"ComboLBox"};
        GetWindowThreadProcessId(main, &search.process);
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.found) {
            std::puts("the list is not dropped down");
            return 1;
        }
        RECT r{};
        GetWindowRect(search.found, &r);
        const LRESULT height = SendMessageW(search.found, LB_GETITEMHEIGHT, 0, 0);
        const long top = r.top + 1 + static_cast<long>(height) * _wtoi(argv[3]);
        std::printf("%ld %ld\n", (r.left + r.right) / 2, top + static_cast<long>(height) / 2);
        return 0;
    }
    if (command == "text") {
        HWND field = control->kind == layout::Kind::UpDown
                         ? FindWindowExW(hwnd, nullptr, L"EDIT", nullptr)
                         : hwnd;
        std::printf("%s\n", TextOf(field ? field : hwnd).c_str());
        return 0;
    }
    if (command == "name") {
        // What a screen reader is told: the accessible object's name and role.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IAccessible* object = nullptr;
        if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT),
                                              __uuidof(IAccessible),
                                              reinterpret_cast<void**>(&object))) ||
            !object) {
            std::puts("no accessible object");
            return 1;
        }
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR accessibleName = nullptr;
        VARIANT role{};
        object->get_accName(self, &accessibleName);
        object->get_accRole(self, &role);
        std::printf("%s|%ld\n", accessibleName ? Utf8FromWide(accessibleName).c_str() : "",
                    role.vt == VT_I4 ? role.lVal : -1L);
        SysFreeString(accessibleName);
        object->Release();
        return 0;
    }
    if (command == "enabled") {
        // Usable: enabled with every window it lies on, the main window included (which a
        // modal dialog disables).
        bool enabled = IsWindowEnabled(main) != FALSE;
        for (HWND w = hwnd; w && w != main; w = GetParent(w)) {
            enabled = enabled && IsWindowEnabled(w);
        }
        std::printf("%d\n", enabled ? 1 : 0);
        return 0;
    }
    if (command == "arrow" && argc > 3) {
        // An up-down box's arrows: the top or the bottom end of its scroll bar.
        HWND bar = FindWindowExW(hwnd, nullptr, L"SCROLLBAR", nullptr);
        RECT r{};
        GetWindowRect(bar ? bar : hwnd, &r);
        // A bar shorter than two arrows' height is all arrows, each half of it.
        const long arrow =
            std::min<long>(GetSystemMetrics(SM_CYVSCROLL), (r.bottom - r.top) / 2) / 2;
        const bool up = std::wstring(argv[3]) == L"up";
        std::printf("%ld %ld\n", (r.left + r.right) / 2, up ? r.top + arrow : r.bottom - 1 - arrow);
        return 0;
    }
    std::puts("usage: corvane-probe wait|layout|where|item|text|enabled|dialog|face [NAME [N]]");
    return 2;
}
