#include "app/cli/Arguments.h"

#include "core/Error.h"
#include "core/Quote.h"

namespace corvane::cli {

const char* const kHelpNames = "-?,-h,--help";

std::filesystem::path PathFromArgument(const std::string& argument) {
    const std::optional<std::u16string> wide = Utf16FromWtf8(argument);
    if (!wide) {
        throw Error("Cannot open " + Quote(argument) + ": the name has no exact Windows spelling");
    }
    return std::filesystem::path(std::wstring(wide->begin(), wide->end()));
}

std::vector<std::string> ArgumentsFromWide(int argc, const wchar_t* const* argv) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16");
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view wide(argv[i]);
        arguments.push_back(Wtf8FromUtf16(std::u16string(wide.begin(), wide.end())));
    }
    return arguments;
}

}  // namespace corvane::cli
