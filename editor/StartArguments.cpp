#include "editor/StartArguments.h"

#include "core/FileOps.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>  // after windows.h, which it needs
#endif

namespace corvane {

namespace {

StartCommand Refuse(std::string problem) {
    StartCommand command;
    command.action = StartCommand::Action::Refuse;
    command.problem = std::move(problem) + "; see corvane --help";
    return command;
}

// Control characters in a quoted argument are shown as \xNN, so the message stays one line.
std::string Quoted(std::string_view text) {
    return PathText(std::filesystem::path(std::string(text)));
}

// The options QApplication, QGuiApplication and the X11 platform take out of the command line,
// with the number of values that follow each. Qt reads "--name" as "-name", and the two style
// options also as "-style=NAME".
struct QtOption {
    std::string_view name;
    int values;
};
constexpr QtOption kQtOptions[] = {
    {"-platform", 1},
    {"-platformpluginpath", 1},
    {"-platformtheme", 1},
    {"-plugin", 1},
    {"-qwindowgeometry", 1},
    {"-qwindowtitle", 1},
    {"-qwindowicon", 1},
    {"-geometry", 1},
    {"-title", 1},
    {"-icon", 1},
    {"-display", 1},
    {"-name", 1},
    {"-visual", 1},
    {"-session", 1},
    {"-style", 1},
    {"-stylesheet", 1},
    {"-qmljsdebugger", 1},
    {"-reverse", 0},
    {"-widgetcount", 0},
    {"-testability", 0},
    {"-nograb", 0},
    {"-dograb", 0},
    {"-sync", 0},
};

// How many arguments a Qt option takes up with its values, or 0 when `text` is none of Qt's.
int QtOptionLength(std::string_view text) {
    if (text.starts_with("--")) {
        text.remove_prefix(1);
    }
    const std::size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    for (const QtOption& option : kQtOptions) {
        if (option.name == name) {
            return equals == std::string_view::npos ? 1 + option.values : 1;
        }
    }
    return 0;
}

}  // namespace

StartCommand ParseStartArguments(const std::vector<StartArgument>& arguments, QtOptions qtOptions) {
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    std::vector<StartArgument> files;
    std::string unknown;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const StartArgument& argument = arguments[i];
        const std::string_view text = argument.text;
        if (!optionsEnded && text.size() > 1 && text.front() == '-') {
            if (const int length = QtOptionLength(text);
                length > 0 && qtOptions == QtOptions::StillIn) {
                i += static_cast<std::size_t>(length - 1);
            } else if (text == "--") {
                optionsEnded = true;
            } else if (text == "-h" || text == "--help") {
                help = true;
            } else if (text == "-v" || text == "--version") {
                version = true;
            } else if (unknown.empty()) {
                unknown = Quoted(text);
            }
            continue;
        }
        files.push_back(argument);
    }
    if (help || version) {
        StartCommand command;
        command.action =
            help ? StartCommand::Action::PrintHelp : StartCommand::Action::PrintVersion;
        return command;
    }
    if (!unknown.empty()) {
        return Refuse("unknown option " + unknown);
    }
    if (files.size() > 1) {
        return Refuse("only one FILE can be opened, and " + std::to_string(files.size()) +
                      " were given");
    }
    StartCommand command;
    if (!files.empty()) {
        if (files.front().text.empty()) {
            return Refuse("the FILE given is empty");
        }
        command.file = files.front();
    }
    return command;
}

std::vector<StartArgument> StartArguments(int argc, char* const* argv, int first) {
    std::vector<StartArgument> arguments;
    for (int i = first; i < argc; ++i) {
        arguments.push_back({i, argv[i]});
    }
    return arguments;
}

std::filesystem::path StartFilePath(const StartArgument& argument) {
#ifdef _WIN32
    // argv holds the arguments in the ANSI code page, which cannot spell every name; the
    // wide command line splits into the same arguments.
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        std::filesystem::path path;
        if (argument.index >= 0 && argument.index < count) {
            path = std::filesystem::path(wide[argument.index]);
        }
        LocalFree(wide);
        if (!path.empty()) {
            return path;
        }
    }
#endif
    return std::filesystem::path(std::string(argument.text));
}

std::string StartUsage(QtOptions qtOptions) {
    std::string usage =
        "Usage: corvane [--] [FILE]\n"
        "       corvane --help | --version\n"
        "\n"
        "Opens the window that edits the four teams and the two colours stored in a\n"
        "football game's demo executable (pes2012.exe). With FILE, opens that file at\n"
        "start, as Menu > Open does once it is chosen.\n"
        "\n"
        "Options:\n"
        "  -h, --help     print this help and exit\n"
        "  -v, --version  print the version and exit\n"
        "  --             the next argument is FILE, even if it starts with \"-\"\n"
        "\n";
    if (qtOptions == QtOptions::StillIn) {
        usage +=
            "Qt's own options, such as -platform NAME or -style NAME, may come before \"--\".\n"
            "\n";
    }
    return usage +
           "Exit status: 0 when the window is closed (or after --help and --version), 2\n"
           "when the command line is refused. corvane-cli does the same work from a shell.\n";
}

}  // namespace corvane
