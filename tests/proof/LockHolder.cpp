// Holds a lock on a file the way another program would, for the attack tests:
//   corvane-lockholder KIND FILE
// KIND: lockf, fcntl-read, fcntl-write, fcntl-write-byte (one byte of the team slots),
// ofd-write, lease (a write lease: the kernel tells this program when another opens the file,
// and holds that open back for a while). Prints "locked" once the lock is held and keeps it
// until its standard input closes. (flock(1) holds the flock kinds.)
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: corvane-lockholder KIND FILE\n");
        return 2;
    }
    const char* kind = argv[1];
    const int fd = ::open(argv[2], O_RDWR | O_CLOEXEC);
    struct flock range {};
    range.l_whence = SEEK_SET;
    range.l_type = std::strcmp(kind, "fcntl-read") == 0 ? F_RDLCK : F_WRLCK;
    if (std::strcmp(kind, "fcntl-write-byte") == 0) {
        range.l_start = 0x11A6815;
        range.l_len = 1;
    }
    // The kernel signals a lease holder with SIGIO when another program opens the file; this
    // one keeps the lease until it is told to end.
    ::signal(SIGIO, SIG_IGN);
    const bool locked =
        fd >= 0 && (std::strcmp(kind, "lease") == 0       ? ::fcntl(fd, F_SETLEASE, F_WRLCK) == 0
                    : std::strcmp(kind, "lockf") == 0     ? ::lockf(fd, F_TLOCK, 0) == 0
                    : std::strcmp(kind, "ofd-write") == 0 ? ::fcntl(fd, F_OFD_SETLK, &range) == 0
                                                          : ::fcntl(fd, F_SETLK, &range) == 0);
    if (!locked) {
        std::perror("corvane-lockholder");
        return 1;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    char buffer[64];
    while (::read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
    }
    return 0;
}
