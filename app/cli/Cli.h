#pragma once

#include <QStringList>
#include <QTextStream>

namespace corvane::cli {

// Exit statuses of corvane-cli.
enum ExitStatus : int {
    kDone = 0,
    kFileFailed = 1,      // the file could not be read or written
    kCommandRefused = 2,  // the command line or a value in it was refused; nothing was done
};

// Runs one command line (arguments[0] is the program). Results go to `out`; a failure writes
// one line to `err`. Never writes to the file unless every value was converted first.
int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace corvane::cli
