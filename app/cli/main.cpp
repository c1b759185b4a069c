// corvane-cli: show and set the twelve values of a demo executable from a shell.
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

#include "Cli.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("corvane-cli");
    QCoreApplication::setApplicationVersion(CORVANE_VERSION);
    QTextStream out(stdout);
    QTextStream err(stderr);
    int status = corvane::cli::RunCli(QCoreApplication::arguments(), out, err);
    out.flush();
    // A full disk or a closed pipe must not pass for a successful `show`.
    if (out.status() != QTextStream::Ok || std::ferror(stdout) != 0) {
        err << "corvane-cli: cannot write the output to standard output\n";
        status = status == 0 ? 1 : status;
    }
    err.flush();
    return status;
}
