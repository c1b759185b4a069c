// corvane.exe: the window program on Windows. `corvane.exe [FILE]` opens FILE as Open does.

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "controls/host/win32/WideText.h"
#include "editor/StartArguments.h"
#include "ui/win32/MainWindow.h"

namespace {

using corvane::win32::kAppTitle;
using corvane::win32::Utf8FromWide;
using corvane::win32::WideFromUtf8;

void Tell(const std::string& text, UINT icon) {
    MessageBoxW(nullptr, WideFromUtf8(text).c_str(), kAppTitle, MB_OK | icon);
}

// The command line's arguments after the program's name, as UTF-8 for the reading of the
// options; a file's name is taken again from the wide command line, exactly.
std::vector<std::string> Arguments() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> out;
    for (int i = 1; argv && i < argc; ++i) {
        out.push_back(Utf8FromWide(argv[i]));
    }
    LocalFree(argv);
    return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const std::vector<std::string> texts = Arguments();
    std::vector<corvane::StartArgument> arguments;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        arguments.push_back({static_cast<int>(i) + 1, texts[i]});
    }
    const corvane::StartCommand command = corvane::ParseStartArguments(arguments);
    switch (command.action) {
        case corvane::StartCommand::Action::PrintHelp:
            Tell(corvane::StartUsage(corvane::QtOptions::TakenOut), MB_ICONINFORMATION);
            return 0;
        case corvane::StartCommand::Action::PrintVersion:
            Tell("Corvane " CORVANE_VERSION, MB_ICONINFORMATION);
            return 0;
        case corvane::StartCommand::Action::Refuse:
            Tell(command.problem, MB_ICONWARNING);
            return corvane::kStartRefused;
        case corvane::StartCommand::Action::OpenWindow:
            break;
    }

    // The picture loader and the file dialog use COM.
    const HRESULT com = OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    int status = 0;
    try {
        corvane::win32::MainWindow window(instance);
        ShowWindow(window.hwnd(), show);
        UpdateWindow(window.hwnd());
        if (command.file) {
            window.editor().OpenNamed(
                corvane::NamedFile{corvane::StartFilePath(*command.file), {}});
        }
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (!window.PreTranslate(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        status = static_cast<int>(msg.wParam);
    } catch (const std::exception& e) {
        Tell(std::string("Corvane could not start: ") + e.what(), MB_ICONERROR);
        status = 1;
    }
    if (SUCCEEDED(com)) {
        OleUninitialize();
    }
    return status;
}
