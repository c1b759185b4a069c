#include "app/cli/Cli.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <filesystem>
#include <new>
#include <stdexcept>

#include "app/cli/Arguments.h"
#include "app/cli/Console.h"
#include "app/cli/SetEdits.h"
#include "app/cli/ShowOutput.h"
#include "core/DemoFile.h"
#include "core/Error.h"
#include "core/Quote.h"

namespace corvane::cli {
namespace {

const char kHelpIntro[] =
    "Usage: corvane-cli show [--json] FILE\n"
    "       corvane-cli set FILE [--team1 T] [--team2 T] [--team3 T] [--team4 T]\n"
    "                            [--exhibition R,G,B,A] [--font R,G,B,A]\n"
    "\n"
    "Reads and edits the twelve values Corvane knows in a football game's demo\n"
    "executable (pes2012.exe): the four team slots and the Exhibition and font\n"
    "colour slots.\n"
    "\n"
    "Commands:\n"
    "  show [--json] FILE     print the twelve values\n"
    "  set FILE [options]     replace the values given and write all twelve back\n"
    "\n"
    "A team is a team ID from -32768 to 32767 or an exact club name of the\n"
    "catalogue (\"PENAROL\"). A colour is R,G,B,A: red, green, blue and\n"
    "transparency, each 0 to 255. Numbers may have a fraction, which rounds to the\n"
    "nearest whole number (a half to the even one). Every value is checked before\n"
    "the file is opened for writing.\n"
    "\n"
    "Exit status: 0 done, 1 the file could not be read or written, 2 the command\n"
    "line was refused (nothing was read or written).\n";

const std::array<std::pair<const char*, const char*>, 2> kArguments{{
    {"command", "show or set."},
    {"FILE", "The demo executable."},
}};

// A command line or a value in it that cannot be used: nothing was read or written.
class Refused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file work of `set`, kept in one place: read the twelve values, replace the ones given,
// write all twelve back.
void SetInFile(const std::filesystem::path& path, const SetEdits& edits) {
    // The read and the write in one opening under the exclusive lock: no other save can fall
    // between them and be lost.
    UpdatePatch(path, [&edits](PatchValues& values) { edits.ApplyTo(values); });
}

class Command {
public:
    Command() {
        m_app.set_help_flag();  // ours below, so that a parse error comes before the help
        m_app.allow_extras();   // unknown options are reported in our own words
        m_app.allow_windows_style_options(false);  // "/games/pes2012.exe" is a path
        m_help = m_app.add_flag(kHelpNames)->description("Displays this help.");
        m_helpAll = m_app.add_flag("--help-all")->description("The same as --help.");
        m_version = m_app.add_flag("-v,--version")->description("Displays version information.");
        m_json = m_app.add_flag("--json")->description(
            "show: print one JSON object instead of the table.");
        for (int i = 0; i < 4; ++i) {
            m_teams[i] =
                Value("--team" + std::to_string(i + 1), "<T>",
                      "set: team slot " + std::to_string(i + 1) + ", an ID or a club name.");
        }
        m_exhibition = Value("--exhibition", "<R,G,B,A>", "set: the Exhibition colour slot.");
        m_font = Value("--font", "<R,G,B,A>", "set: the font colour slot.");
        m_positional = m_app.add_option("arguments")
                           ->expected(-1)
                           ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    }

    CliResult Run(const std::vector<std::string>& arguments) {
        Parse(arguments);
        if (m_help->count() > 0 || m_helpAll->count() > 0) {
            return {kDone, Help(), {}};
        }
        if (m_version->count() > 0) {
            return {kDone, "corvane-cli " CORVANE_VERSION "\n", {}};
        }
        const std::vector<std::string> positional = m_positional->results();
        if (positional.empty()) {
            throw Refused("no command given; see corvane-cli --help");
        }
        const std::string& command = positional.front();
        if (command != "show" && command != "set") {
            throw Refused("unknown command " + Quote(command) + "; see corvane-cli --help");
        }
        if (positional.size() != 2) {
            throw Refused(command + " takes exactly one FILE");
        }
        for (const CLI::Option* option : m_app.parse_order()) {
            if (option == m_positional) {
                continue;
            }
            const std::string name = option->get_name();
            if (option->count() > 1) {
                throw Refused(name + " is given more than once");
            }
            if ((option == m_json) != (command == "show")) {
                throw Refused(name + " is not an option of " + command);
            }
        }
        const std::filesystem::path path = PathFromArgument(positional[1]);
        return command == "show" ? Show(path) : Set(path);
    }

private:
    CLI::Option* Value(const std::string& name, const char* type, const std::string& text) {
        return m_app.add_option(name, text)
            ->type_name(type)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    }

    // CLI11 reads "-v1" as -v, "-v=1" as -v and an unknown "-=1", and "--json=" as --json.
    // Each option is checked here as it was typed, before CLI11 sees it.
    void CheckSpelling(const std::vector<std::string>& arguments) const {
        const std::array<const CLI::Option*, 4> flags{m_help, m_helpAll, m_version, m_json};
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            const std::string& typed = arguments[i];
            if (typed == "--") {
                return;
            }
            if (typed.size() < 2 || typed.front() != '-') {
                continue;
            }
            const bool isLong = typed.starts_with("--");
            const std::size_t equals = isLong ? typed.find('=') : std::string::npos;
            const std::string name = isLong ? typed.substr(0, equals) : typed.substr(0, 2);
            const CLI::Option* option = m_app.get_option_no_throw(name);
            if (option == nullptr || option == m_positional) {
                continue;  // an unknown option is reported after the parse
            }
            const bool valueAttached = isLong ? equals != std::string::npos : typed.size() > 2;
            if (std::find(flags.begin(), flags.end(), option) != flags.end()) {
                if (valueAttached) {
                    throw Refused(Quote(typed) + ": " + name + " takes no value");
                }
            } else if (!valueAttached) {
                ++i;  // the value follows, whatever it looks like
            }
        }
    }

    void Parse(const std::vector<std::string>& arguments) {
        CheckSpelling(arguments);
        std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
        try {
            m_app.parse(reversed);
        } catch (const CLI::ArgumentMismatch& e) {
            // The one mismatch left: an option that takes a value ended the command line.
            for (const CLI::Option* option : m_app.get_options()) {
                const std::string name = option->get_name();
                if (option != m_positional && std::string_view(e.what()).starts_with(name + ":")) {
                    throw Refused(name + " needs a value");
                }
            }
            throw Refused("the command line cannot be read; see corvane-cli --help");
        } catch (const CLI::ParseError&) {
            throw Refused("the command line cannot be read; see corvane-cli --help");
        }
        for (const std::string& extra : m_app.remaining()) {
            if (extra != "--") {
                throw Refused("unknown option " + Quote(extra) + "; see corvane-cli --help");
            }
        }
    }

    std::string Help() const {
        std::vector<std::pair<std::string, std::string>> options;
        for (const CLI::Option* option : m_app.get_options()) {
            if (option == m_positional) {
                continue;
            }
            std::string names;
            for (const std::string& s : option->get_snames()) {
                names += "-" + s + ", ";
            }
            for (const std::string& l : option->get_lnames()) {
                names += "--" + l + ", ";
            }
            names.resize(names.size() - 2);
            const std::string type = option->get_type_name();
            options.emplace_back(type.empty() ? names : names + " " + type,
                                 option->get_description());
        }
        std::size_t width = 0;
        for (const auto& [names, description] : options) {
            width = std::max(width, names.size());
        }
        for (const auto& [name, description] : kArguments) {
            width = std::max(width, std::string_view(name).size());
        }
        auto line = [width](std::string names, const std::string& description) {
            names.resize(width + 2, ' ');
            return "  " + names + description + "\n";
        };
        std::string help = kHelpIntro;
        help += "\nOptions:\n";
        for (const auto& [names, description] : options) {
            help += line(names, description);
        }
        help += "\nArguments:\n";
        for (const auto& [name, description] : kArguments) {
            help += line(name, description);
        }
        return help;
    }

    // The value an option was given; an empty text arrives as no result at all.
    std::string ValueOf(const CLI::Option* option) const {
        return option->results().empty() ? std::string() : option->results().front();
    }

    CliResult Show(const std::filesystem::path& path) {
        const PatchValues values = ReadPatch(path);
        return {kDone, m_json->count() > 0 ? ShowJson(values) + "\n" : ShowTable(values), {}};
    }

    CliResult Set(const std::filesystem::path& path) {
        // Every text is converted before the file is touched, so a refused value writes
        // nothing.
        SetEdits edits;
        try {
            for (int i = 0; i < 4; ++i) {
                if (m_teams[i]->count() > 0) {
                    edits.teams[i] = TeamFromText(ValueOf(m_teams[i]), i + 1);
                }
            }
            if (m_exhibition->count() > 0) {
                edits.exhibition = ColourFromText(ValueOf(m_exhibition), "exhibition");
            }
            if (m_font->count() > 0) {
                edits.font = ColourFromText(ValueOf(m_font), "font");
            }
        } catch (const Error& e) {
            throw Refused(e.what());
        }
        SetInFile(path, edits);
        return {};
    }

    CLI::App m_app{"", "corvane-cli"};
    CLI::Option* m_help = nullptr;
    CLI::Option* m_helpAll = nullptr;
    CLI::Option* m_version = nullptr;
    CLI::Option* m_json = nullptr;
    std::array<CLI::Option*, 4> m_teams{};
    CLI::Option* m_exhibition = nullptr;
    CLI::Option* m_font = nullptr;
    CLI::Option* m_positional = nullptr;
};

}  // namespace

CliResult RunCli(const std::vector<std::string>& arguments) {
    try {
        return Command().Run(arguments);
    } catch (const Refused& refused) {
        return {kCommandRefused, {}, "corvane-cli: " + std::string(refused.what()) + "\n"};
    } catch (const Error& e) {
        return {kFileFailed, {}, "corvane-cli: " + std::string(e.what()) + "\n"};
    } catch (const std::bad_alloc&) {
        return {kFileFailed, {}, "corvane-cli: there is not enough memory for the command\n"};
    } catch (const std::exception& e) {
        return {
            kFileFailed, {}, "corvane-cli: the command stopped: " + std::string(e.what()) + "\n"};
    } catch (...) {
        return {kFileFailed, {}, "corvane-cli: the command stopped on an unknown error\n"};
    }
}

int RunAndReport(const std::vector<std::string>& arguments) {
    CliResult result = RunCli(arguments);
    // A full disk or a closed pipe must not pass for a successful `show`.
    if (!WriteOut(result.out)) {
        result.err += "corvane-cli: cannot write the output to standard output\n";
        result.status = result.status == kDone ? kFileFailed : result.status;
    }
    WriteErr(result.err);
    return result.status;
}

}  // namespace corvane::cli
