#include "app/cli/Arguments.h"

namespace corvane::cli {

const char* const kHelpNames = "-h,--help";

// Linux names are bytes: the argument's bytes are the name, UTF-8 or not.
std::filesystem::path PathFromArgument(const std::string& argument) {
    return std::filesystem::path(argument);
}

}  // namespace corvane::cli
