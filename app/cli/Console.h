#pragma once

#include <string_view>

namespace corvane::cli {

// The standard streams of corvane-cli.

#ifndef _WIN32
// Puts /dev/null on each of descriptors 0, 1 and 2 that is closed, so that the demo file,
// opened later, can never become standard output or error and receive a message. Returns
// false when that cannot be done; the program must then stop before it opens anything.
// (Windows hands out handles, not the lowest free descriptor, so it needs no such step.)
bool SecureStandardStreams();
#endif

// Writes UTF-8 text to standard output; false when not all of it could be written, which
// includes a standard output that was closed when the program started. A Windows console
// gets the text as UTF-16, so every character shows whatever the console's code page;
// a file or a pipe gets the UTF-8 bytes.
bool WriteOut(std::string_view text);
// The same for standard error, where a failure has nowhere left to be reported.
void WriteErr(std::string_view text);

}  // namespace corvane::cli
