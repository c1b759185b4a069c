#pragma once

#include <string>
#include <vector>

namespace corvane::cli {

// Exit statuses of corvane-cli.
enum ExitStatus : int {
    kDone = 0,
    kFileFailed = 1,      // the file could not be read or written
    kCommandRefused = 2,  // the command line or a value in it was refused; nothing was done
};

struct CliResult {
    int status = kDone;
    std::string out;  // what goes to standard output
    std::string err;  // on a failure, one line for standard error
};

// Runs one command line: the arguments after the program's name, as the bytes Linux gave
// (or WTF-8 on Windows, see Arguments.h). Never writes to the file unless every value was
// converted first.
CliResult RunCli(const std::vector<std::string>& arguments);

// Runs one command line as main() does: its output to standard output, its message to standard
// error. Returns the exit status; output that cannot be written is a failure.
int RunAndReport(const std::vector<std::string>& arguments);

}  // namespace corvane::cli
