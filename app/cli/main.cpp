// corvane-cli: show and set the twelve values of a demo executable from a shell.
#include "app/cli/Cli.h"
#include "app/cli/Console.h"

#ifdef _WIN32
#include "app/cli/Arguments.h"
#endif

namespace {

int Main(const std::vector<std::string>& arguments) {
    corvane::cli::CliResult result = corvane::cli::RunCli(arguments);
    // A full disk or a closed pipe must not pass for a successful `show`.
    if (!corvane::cli::WriteOut(result.out)) {
        result.err += "corvane-cli: cannot write the output to standard output\n";
        result.status =
            result.status == corvane::cli::kDone ? corvane::cli::kFileFailed : result.status;
    }
    corvane::cli::WriteErr(result.err);
    return result.status;
}

}  // namespace

#ifdef _WIN32
// The wide entry point: the command line arrives as UTF-16, whatever the code page.
int wmain(int argc, wchar_t* argv[]) {
    return Main(corvane::cli::ArgumentsFromWide(argc, argv));
}
#else
int main(int argc, char* argv[]) {
    if (!corvane::cli::SecureStandardStreams()) {
        return corvane::cli::kFileFailed;  // no stream to say it on, and no file opened
    }
    return Main(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
