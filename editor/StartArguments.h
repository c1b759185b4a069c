#pragma once

// The window program's command line: `corvane [--] [FILE]`, `corvane --help`,
// `corvane --version`, and Qt's own options (-platform, -style, ...), which QApplication
// takes out before the rest is read.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// One argument and its place in main()'s argv (-1 when unknown), so that on Windows the
// file's name can be taken from the same argument of the wide command line.
struct StartArgument {
    int index;
    std::string_view text;
};

struct StartCommand {
    enum class Action { OpenWindow, PrintHelp, PrintVersion, Refuse };
    Action action = Action::OpenWindow;
    std::optional<StartArgument> file;
    std::string problem;  // why the command line was refused
};

// Whether Qt's own options are still among the arguments. main() reads the command line once
// before QApplication exists, so that a refusal needs no display, and once after Qt has taken
// its options out, which is the reading that counts.
enum class QtOptions { TakenOut, StillIn };

// Reads the arguments after the program's name. --help and --version win over anything
// else before "--", so that they work whatever else is given, before any display is needed.
// With QtOptions::StillIn, Qt's options before "--" and their values are passed over.
StartCommand ParseStartArguments(const std::vector<StartArgument>& arguments,
                                 QtOptions qtOptions = QtOptions::TakenOut);

// The arguments after the program's name, in order. `first` counts from argv[0].
std::vector<StartArgument> StartArguments(int argc, char* const* argv, int first = 1);

// The name of a file given on the command line exactly as the system gave it: the bytes of
// the argument, or on Windows the wide characters of the same argument.
std::filesystem::path StartFilePath(const StartArgument& argument);

// What `corvane --help` prints; with QtOptions::StillIn, it mentions Qt's options (the Qt
// program takes them, the Windows one has none).
std::string StartUsage(QtOptions qtOptions = QtOptions::StillIn);

// Exit status of a refused command line, as corvane-cli's.
inline constexpr int kStartRefused = 2;

}  // namespace corvane
