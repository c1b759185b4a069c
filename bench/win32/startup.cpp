// corvane-startup.exe MODE N: builds and shows N windows one after another, each until its
// first frame is painted, and prints the time of each in microseconds, one a line. The first
// is the first window of the process; the others are later windows.
//   main  frmMain, as corvane.exe shows it
//   bare  the floor: the same frame and the same system controls at the same places, built
//         plainly, without the custom controls, the picture, the fonts of their own or the
//         editing logic
// bench_wine runs it under Wine; Google Benchmark has no Windows build here.

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <cstdio>
#include <cwchar>
#include <memory>

#include "editor/MainLayout.h"
#include "ui/win32/MainWindow.h"

namespace {

using corvane::layout::Kind;

double Now() {
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart) {
        QueryPerformanceFrequency(&frequency);
    }
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

// Runs the queue until nothing is left to paint or to dispatch.
void Settle() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND BareWindow(HINSTANCE instance) {
    static const bool registered = [instance] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = BareProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"BareWindow";
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    HMENU menu = CreateMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 1, L"Open");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup, MF_STRING | MF_GRAYED, 2, L"Save");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"Menu");
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, 497, 297};
    AdjustWindowRectEx(&frame, style, TRUE, 0);
    HWND hwnd = CreateWindowExW(0, L"BareWindow", L"Corvane", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, menu,
                                instance, nullptr);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    static HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    for (const corvane::layout::Control& c : corvane::layout::kControls) {
        const corvane::layout::Twips t = corvane::layout::OnClient(c.id);
        const auto make = [&](const wchar_t* cls, DWORD extra, int width) {
            HWND child =
                CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | extra, t.left / 15, t.top / 15,
                                width, t.height / 15, hwnd, nullptr, instance, nullptr);
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        };
        switch (c.kind) {
            case Kind::TabControl:
                make(WC_TABCONTROLW, 0, t.width / 15);
                break;
            case Kind::GroupBox:
                make(L"BUTTON", BS_GROUPBOX, t.width / 15);
                break;
            case Kind::Picture:
                make(L"STATIC", 0, t.width / 15);
                break;
            case Kind::Edit:
            case Kind::ReadOnlyEdit:
                make(L"EDIT", WS_BORDER, t.width / 15);
                break;
            case Kind::Combo:
                make(L"COMBOBOX", CBS_DROPDOWN, t.width / 15);
                break;
            case Kind::ColourButton:
            case Kind::ButtonXP:
                make(L"BUTTON", 0, t.width / 15);
                break;
            case Kind::UpDown:
                make(L"EDIT", WS_BORDER, t.width / 15 - 16);
                make(L"SCROLLBAR", SBS_VERT, 16);
                break;
        }
    }
    return hwnd;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    const bool main = argc > 1 && std::wcscmp(argv[1], L"main") == 0;
    const int n = argc > 2 ? _wtoi(argv[2]) : 1;
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (int i = 0; i < n; ++i) {
        const double start = Now();
        std::unique_ptr<corvane::win32::MainWindow> window;
        HWND hwnd = nullptr;
        if (main) {
            window = std::make_unique<corvane::win32::MainWindow>(instance);
            hwnd = window->hwnd();
        } else {
            hwnd = BareWindow(instance);
        }
        ShowWindow(hwnd, SW_SHOWNORMAL);
        UpdateWindow(hwnd);
        Settle();
        const double painted = Now();
        std::printf("%.1f\n", painted - start);
        std::fflush(stdout);
        if (window) {
            window.reset();
        } else {
            DestroyWindow(hwnd);
        }
        Settle();
    }
    return 0;
}
