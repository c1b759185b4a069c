#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli {

// corvane-cli parses its command line as byte strings. On Linux they are argv's bytes, and a
// path is opened with exactly those bytes, UTF-8 or not. Windows hands a program UTF-16, which
// may hold lone surrogates; it travels as WTF-8 (UTF-8 that also encodes lone surrogates), so
// that every Windows name survives the round trip unchanged and never turns into a neighbour's.

std::string Wtf8FromUtf16(std::u16string_view text);
// Nothing when `text` is not well-formed WTF-8 as Wtf8FromUtf16 writes it.
std::optional<std::u16string> Utf16FromWtf8(std::string_view text);

// The names of the help option; on Windows also -?, as Windows' own programs have it.
extern const char* const kHelpNames;

// The path a command-line argument names. Throws corvane::Error when it has no exact spelling.
std::filesystem::path PathFromArgument(const std::string& argument);

// Windows: the arguments after the program's name, from wmain's UTF-16 command line.
std::vector<std::string> ArgumentsFromWide(int argc, const wchar_t* const* argv);

}  // namespace corvane::cli
