// corvane-cli: show and set the twelve values of a demo executable from a shell.
#include "app/cli/Arguments.h"
#include "app/cli/Cli.h"

// The wide entry point: the command line arrives as UTF-16, whatever the code page.
int wmain(int argc, wchar_t* argv[]) {
    return corvane::cli::RunAndReport(corvane::cli::ArgumentsFromWide(argc, argv));
}
