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
    const int status = corvane::cli::RunCli(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    return status;
}
