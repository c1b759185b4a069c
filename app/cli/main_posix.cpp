// corvane-cli: show and set the twelve values of a demo executable from a shell.
#include "app/cli/Cli.h"
#include "core/StandardStreams.h"

int main(int argc, char* argv[]) {
    if (!corvane::SecureStandardStreams()) {
        return corvane::cli::kFileFailed;  // no stream to say it on, and no file opened
    }
    return corvane::cli::RunAndReport(std::vector<std::string>(argv + 1, argv + argc));
}
