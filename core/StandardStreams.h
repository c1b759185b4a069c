#pragma once

namespace corvane {

// A standard stream closed by whoever started the program would be the next file opened: the
// demo file could become standard output or error, and anything written there (our messages,
// Qt's and its plugins') would land in it. Each program calls this first thing in main(): it
// puts /dev/null on each of descriptors 0, 1 and 2 that is closed. Returns false when that
// cannot be done; the program must then stop before it opens anything. Windows hands out
// handles, not the lowest free descriptor, so there it has nothing to do.
bool SecureStandardStreams();

// Whether standard output was closed when SecureStandardStreams ran. What a program writes
// there is lost, which is no success.
bool StandardOutputWasClosed();

}  // namespace corvane
