#include "core/StandardStreams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace corvane {

namespace {
bool g_outputWasClosed = false;
}  // namespace

bool SecureStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        // open() takes the lowest free descriptor, which is this one: the ones below are open.
        int null;
        do {
            null = ::open("/dev/null", O_RDWR | O_NOCTTY);
        } while (null < 0 && errno == EINTR);
        if (null != fd) {
            return false;
        }
        g_outputWasClosed = g_outputWasClosed || fd == 1;
    }
    return true;
}

bool StandardOutputWasClosed() {
    return g_outputWasClosed;
}

}  // namespace corvane
