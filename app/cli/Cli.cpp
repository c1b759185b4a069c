#include "Cli.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <array>
#include <filesystem>

#include "DemoFile.h"
#include "Error.h"
#include "SetEdits.h"
#include "ShowOutput.h"

namespace corvane::cli {
namespace {

const char kDescription[] =
    "Reads and edits the twelve values Corvane knows in a football game's demo executable\n"
    "(pes2012.exe): the four team slots and the Exhibition and font colour slots.\n"
    "\n"
    "Commands:\n"
    "  show [--json] FILE     print the twelve values\n"
    "  set FILE [options]     replace the values given and write all twelve back\n"
    "\n"
    "A team is a team ID from -32768 to 32767 or an exact club name of the catalogue\n"
    "(\"PENAROL\"). A colour is R,G,B,A: red, green, blue and transparency, each 0 to 255.\n"
    "Numbers may have a fraction, which rounds to the nearest whole number (a half to the\n"
    "even one). Every value is checked before the file is opened for writing.\n"
    "\n"
    "Exit status: 0 done, 1 the file could not be read or written, 2 the command line was\n"
    "refused (nothing was read or written).";

// A command-line path as the file system knows it, keeping non-ASCII characters.
std::filesystem::path PathFromArgument(const QString& argument) {
#ifdef Q_OS_WIN
    return std::filesystem::path(argument.toStdWString());
#else
    const QByteArray bytes = QFile::encodeName(argument);
    return std::filesystem::path(std::string(bytes.constData(), bytes.size()));
#endif
}

struct Refused {
    QString message;
};

class Command {
public:
    Command() {
        parser_.setApplicationDescription(QString::fromLatin1(kDescription));
        parser_.addPositionalArgument("command", "show or set.", "show|set");
        parser_.addPositionalArgument("FILE", "The demo executable.");
        help_ = parser_.addHelpOption();
        version_ = parser_.addVersionOption();
        parser_.addOption(json_);
        for (int i = 0; i < 4; ++i) {
            teams_[i] = QCommandLineOption(
                QStringLiteral("team%1").arg(i + 1),
                QStringLiteral("set: team slot %1, an ID or a club name.").arg(i + 1), "T");
            parser_.addOption(teams_[i]);
        }
        parser_.addOption(exhibition_);
        parser_.addOption(font_);
    }

    int Run(const QStringList& arguments, QTextStream& out) {
        if (!parser_.parse(arguments)) {
            throw Refused{parser_.errorText()};
        }
        if (parser_.isSet(help_) || parser_.isSet("help-all")) {
            // Qt's usage line shows the program's full path and one form; show both commands.
            const QString help = parser_.helpText();
            out << "Usage: corvane-cli show [--json] FILE\n"
                   "       corvane-cli set FILE [--team1 T] [--team2 T] [--team3 T] [--team4 T]\n"
                   "                            [--exhibition R,G,B,A] [--font R,G,B,A]\n\n"
                << help.mid(help.indexOf('\n') + 1);
            return kDone;
        }
        if (parser_.isSet(version_)) {
            out << "corvane-cli " << CORVANE_VERSION << '\n';
            return kDone;
        }
        const QStringList positional = parser_.positionalArguments();
        if (positional.isEmpty()) {
            throw Refused{"no command given; see corvane-cli --help"};
        }
        const QString command = positional.first();
        if (command != "show" && command != "set") {
            throw Refused{
                QStringLiteral("unknown command \"%1\"; see corvane-cli --help").arg(command)};
        }
        if (positional.size() != 2) {
            throw Refused{QStringLiteral("%1 takes exactly one FILE").arg(command)};
        }
        const QStringList given = parser_.optionNames();  // a repeated option appears again
        for (const QString& name : given) {
            if (given.count(name) > 1) {
                throw Refused{QStringLiteral("--%1 is given more than once").arg(name)};
            }
            if ((name == "json") != (command == "show")) {
                throw Refused{QStringLiteral("--%1 is not an option of %2").arg(name, command)};
            }
        }
        const std::filesystem::path path = PathFromArgument(positional[1]);
        return command == "show" ? Show(path, out) : Set(path);
    }

private:
    int Show(const std::filesystem::path& path, QTextStream& out) {
        const PatchValues values = ReadPatch(path);
        if (parser_.isSet(json_)) {
            out << QString::fromUtf8(ShowJson(values)) << '\n';
        } else {
            out << ShowTable(values);
        }
        return kDone;
    }

    int Set(const std::filesystem::path& path) {
        // Every text is converted before the file is touched, so a refused value writes
        // nothing.
        SetEdits edits;
        try {
            for (int i = 0; i < 4; ++i) {
                if (parser_.isSet(teams_[i])) {
                    edits.teams[i] = TeamFromText(parser_.value(teams_[i]), i + 1);
                }
            }
            if (parser_.isSet(exhibition_)) {
                edits.exhibition = ColourFromText(parser_.value(exhibition_), "exhibition");
            }
            if (parser_.isSet(font_)) {
                edits.font = ColourFromText(parser_.value(font_), "font");
            }
        } catch (const Error& e) {
            throw Refused{QString::fromStdString(e.what())};
        }
        // The read and the write in one opening under the exclusive lock: no other save can
        // fall between them and be lost.
        UpdatePatch(path, [&edits](PatchValues& values) { edits.ApplyTo(values); });
        return kDone;
    }

    QCommandLineParser parser_;
    QCommandLineOption help_{"help"};
    QCommandLineOption version_{"version"};
    QCommandLineOption json_{"json", "show: print one JSON object instead of the table."};
    std::array<QCommandLineOption, 4> teams_{
        QCommandLineOption("team1"), QCommandLineOption("team2"), QCommandLineOption("team3"),
        QCommandLineOption("team4")};
    QCommandLineOption exhibition_{"exhibition", "set: the Exhibition colour slot.", "R,G,B,A"};
    QCommandLineOption font_{"font", "set: the font colour slot.", "R,G,B,A"};
};

}  // namespace

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    try {
        return Command().Run(arguments, out);
    } catch (const Refused& refused) {
        err << "corvane-cli: " << refused.message << '\n';
        return kCommandRefused;
    } catch (const Error& e) {
        err << "corvane-cli: " << QString::fromStdString(e.what()) << '\n';
        return kFileFailed;
    }
}

}  // namespace corvane::cli
