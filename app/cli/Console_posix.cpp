#include "app/cli/Console.h"

#include <unistd.h>

#include <cerrno>

#include "core/StandardStreams.h"

namespace corvane::cli {

namespace {

bool Write(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t done = ::write(fd, text.data(), text.size());
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
}

}  // namespace

bool WriteOut(std::string_view text) {
    // What a closed standard output would have been given is lost: that is no success.
    if (StandardOutputWasClosed() && !text.empty()) {
        return false;
    }
    return Write(1, text);
}

void WriteErr(std::string_view text) {
    Write(2, text);
}

}  // namespace corvane::cli
