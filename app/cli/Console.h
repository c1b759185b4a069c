#pragma once

#include <string_view>

namespace corvane::cli {

// The standard streams of corvane-cli.

// Writes UTF-8 text to standard output; false when not all of it could be written, which
// includes a standard output that was closed when the program started. A Windows console
// gets the text as UTF-16, so every character shows whatever the console's code page;
// a file or a pipe gets the UTF-8 bytes.
bool WriteOut(std::string_view text);
// The same for standard error, where a failure has nowhere left to be reported.
void WriteErr(std::string_view text);

}  // namespace corvane::cli
