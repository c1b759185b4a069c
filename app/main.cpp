// Corvane: starts the one window, and opens the file named on the command line. The program
// keeps no settings.

#include <QApplication>
#include <QLoggingCategory>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/StandardStreams.h"
#include "editor/StartArguments.h"
#include "ui/FilePaths.h"
#include "ui/frmMain.h"

// QT_LOGGING_RULES="corvane.startup.debug=true" reports when the window is up and what the
// file given at start did; the package test uses it to know that the installed program really
// showed its window.
Q_LOGGING_CATEGORY(lcStartup, "corvane.startup", QtWarningMsg)

namespace {

int Refused(const std::string& problem) {
    std::fprintf(stderr, "corvane: %s\n", problem.c_str());
    return corvane::kStartRefused;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!corvane::SecureStandardStreams()) {
        return 1;
    }
    using corvane::StartCommand;
    // --help, --version and a refusal first: they need no display, so no QApplication either.
    const StartCommand early = corvane::ParseStartArguments(corvane::StartArguments(argc, argv),
                                                            corvane::QtOptions::StillIn);
    if (early.action == StartCommand::Action::Refuse) {
        return Refused(early.problem);
    }
    if (early.action == StartCommand::Action::PrintHelp) {
        std::fputs(corvane::StartUsage().c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (early.action == StartCommand::Action::PrintVersion) {
        std::printf("corvane %s\n", CORVANE_VERSION);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    // Qt takes its own options out of those before "--" (keeping the pointers of the rest);
    // what follows "--" is ours even if Qt knows the word.
    char** const end = argv + argc;
    char** const dashes = std::find_if(argc > 0 ? argv + 1 : end, end,
                                       [](const char* a) { return std::strcmp(a, "--") == 0; });
    std::vector<char*> qtArgv(argv, dashes);
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArgv.size()) - 1;
    QApplication app(qtArgc, qtArgv.data());
    QApplication::setApplicationName(corvane::kAppTitle);
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));

    std::vector<corvane::StartArgument> left;
    for (int i = 1; i < qtArgc; ++i) {
        char* const kept = qtArgv[static_cast<std::size_t>(i)];
        char** const original = std::find(argv, dashes, kept);
        left.push_back({original == dashes ? -1 : static_cast<int>(original - argv), kept});
    }
    for (char** a = dashes; a != end; ++a) {
        left.push_back({static_cast<int>(a - argv), *a});
    }
    const StartCommand start = corvane::ParseStartArguments(left);
    if (start.action == StartCommand::Action::Refuse) {
        return Refused(start.problem);
    }

    corvane::frmMain window;
    window.show();
    qCDebug(lcStartup) << "window shown:" << window.windowTitle() << window.isVisible();
    if (start.file) {
        // Once the window is up, so that a message about the file has a window to sit on.
        QTimer::singleShot(0, &window, [&window, path = corvane::StartFilePath(*start.file)] {
            const bool opened = window.OpenFile(corvane::AbsolutePath(path));
            qCDebug(lcStartup) << "file given at start opened:" << opened;
        });
    }
    return QApplication::exec();
}
