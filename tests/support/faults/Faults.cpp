// A library the tests put in front of corvane-cli with LD_PRELOAD, to make the system fail the
// way a full or failing disk, or another program, makes it fail, on one file only, and to log
// the files it opens.
//
// CORVANE_FAULT_FILE  the file the faults apply to, known by its device and inode number (so
//                     through any name, and after it is cut or grown)
// CORVANE_FAULTS      faults separated by commas; N counts the writes (or syncs) of that file:
//   cut-before-write=N:SIZE   before write N, another program makes the file SIZE bytes long
//   cut-before-sync=N:SIZE    the same before sync N
//   sync-fails=N   sync N fails with EIO; "N+": N and every later one
//   no-space=N     write N fails with ENOSPC and writes nothing; "N+": N and every later one
//   disk-full      a write that needs new space (into a hole, or past the end) fails with ENOSPC
//   short=N        every read and write moves at most N bytes (which is not an error)
//   pause-before-write=N:PATH  before write N, creates PATH and waits until it is removed
//   delay-before-write=N:MS    before write N, sleeps MS milliseconds
//   replace-before-write=N:PATH  before write N, another program renames PATH over the file's
//                                name (CORVANE_FAULT_FILE); PATH "-": it removes the file
//   replace-before-sync=N:PATH   the same before sync N
//   swap-after-lookup=TARGET   right after the program first looks the file up by its name (a
//                              stat, or an O_PATH open), another program puts a symbolic link
//                              to TARGET in its place, as a race between the check and the
//                              open would
//   crash-before-write=N       the program is killed (SIGKILL) before write N
// CORVANE_FAULT_LOG   every open of any file is appended here, one "FD open PATH" line each
//                     (FD -1 for an open that failed; "FD path PATH" for an O_PATH descriptor,
//                     which opens nothing; "FD special PATH" for an open that reached a
//                     device, a FIFO or a socket; an open of /proc/self/fd/N is logged with the
//                     name that descriptor has), so that a test can tell that a device was
//                     never opened, or which descriptor the demo file got

#undef _FORTIFY_SOURCE  // its inline open() would stand in for ours
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Count {
    long at = 0;  // 0: never
    bool onwards = false;
    bool Hits(long n) const { return at != 0 && (n == at || (onwards && n > at)); }
};

struct Faults {
    bool known = false;  // whether CORVANE_FAULT_FILE names a file
    dev_t dev = 0;
    ino_t ino = 0;
    long cutBeforeWrite = 0;
    long cutBeforeSync = 0;
    off_t cutTo = 0;
    Count syncFails;
    Count noSpace;
    bool diskFull = false;
    size_t shortTo = 0;
    long pauseBeforeWrite = 0;
    char pausePath[4096] = {};
    long delayBeforeWrite = 0;
    long delay = 0;
    long replaceBeforeWrite = 0;
    long replaceBeforeSync = 0;
    char replaceWith[4096] = {};
    char swapTo[4096] = {};
    bool swapped = false;
    long crashBeforeWrite = 0;
    const char* name = nullptr;  // CORVANE_FAULT_FILE
    const char* log = nullptr;
    long writes = 0;
    long syncs = 0;
};

Faults g;

Count ParseCount(const char* text) {
    Count c;
    char* end = nullptr;
    c.at = std::strtol(text, &end, 10);
    c.onwards = end != nullptr && *end == '+';
    return c;
}

// "N:REST": the number, and where REST starts.
long ParseAt(const char* text, const char** rest) {
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    *rest = end != nullptr && *end == ':' ? end + 1 : "";
    return n;
}

__attribute__((constructor)) void Load() {
    if (const char* file = std::getenv("CORVANE_FAULT_FILE")) {
        g.name = file;
        struct stat st {};
        if (::stat(file, &st) == 0) {
            g.known = true;
            g.dev = st.st_dev;
            g.ino = st.st_ino;
        }
    }
    g.log = std::getenv("CORVANE_FAULT_LOG");
    const char* plan = std::getenv("CORVANE_FAULTS");
    if (plan == nullptr) {
        return;
    }
    char copy[8192];
    std::snprintf(copy, sizeof copy, "%s", plan);
    char* save = nullptr;
    for (char* item = strtok_r(copy, ",", &save); item != nullptr;
         item = strtok_r(nullptr, ",", &save)) {
        const char* rest = "";
        if (std::strncmp(item, "cut-before-write=", 17) == 0) {
            g.cutBeforeWrite = ParseAt(item + 17, &rest);
            g.cutTo = std::strtoll(rest, nullptr, 10);
        } else if (std::strncmp(item, "cut-before-sync=", 16) == 0) {
            g.cutBeforeSync = ParseAt(item + 16, &rest);
            g.cutTo = std::strtoll(rest, nullptr, 10);
        } else if (std::strncmp(item, "sync-fails=", 11) == 0) {
            g.syncFails = ParseCount(item + 11);
        } else if (std::strncmp(item, "no-space=", 9) == 0) {
            g.noSpace = ParseCount(item + 9);
        } else if (std::strcmp(item, "disk-full") == 0) {
            g.diskFull = true;
        } else if (std::strncmp(item, "short=", 6) == 0) {
            g.shortTo = static_cast<size_t>(std::strtoul(item + 6, nullptr, 10));
        } else if (std::strncmp(item, "pause-before-write=", 19) == 0) {
            g.pauseBeforeWrite = ParseAt(item + 19, &rest);
            std::snprintf(g.pausePath, sizeof g.pausePath, "%s", rest);
        } else if (std::strncmp(item, "delay-before-write=", 19) == 0) {
            g.delayBeforeWrite = ParseAt(item + 19, &rest);
            g.delay = std::strtol(rest, nullptr, 10);
        } else if (std::strncmp(item, "replace-before-write=", 21) == 0) {
            g.replaceBeforeWrite = ParseAt(item + 21, &rest);
            std::snprintf(g.replaceWith, sizeof g.replaceWith, "%s", rest);
        } else if (std::strncmp(item, "replace-before-sync=", 20) == 0) {
            g.replaceBeforeSync = ParseAt(item + 20, &rest);
            std::snprintf(g.replaceWith, sizeof g.replaceWith, "%s", rest);
        } else if (std::strncmp(item, "swap-after-lookup=", 18) == 0) {
            std::snprintf(g.swapTo, sizeof g.swapTo, "%s", item + 18);
        } else if (std::strncmp(item, "crash-before-write=", 19) == 0) {
            g.crashBeforeWrite = std::strtol(item + 19, nullptr, 10);
        } else {
            std::fprintf(stderr, "corvane faults: unknown fault \"%s\"\n", item);
            std::_Exit(125);
        }
    }
}

bool IsTarget(int fd) {
    struct stat st {};
    return g.known && ::fstat(fd, &st) == 0 && st.st_dev == g.dev && st.st_ino == g.ino;
}

template <typename F>
F Next(const char* name) {
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

// Whether writing [offset, offset + n) needs space the file has not got: part of it lies in a
// hole or past the end. The file position is kept, since the program never seeks.
bool NeedsNewSpace(int fd, off_t offset, size_t n) {
    const off_t position = ::lseek(fd, 0, SEEK_CUR);
    const off_t data = ::lseek(fd, offset, SEEK_DATA);
    const off_t hole = data == offset ? ::lseek(fd, offset, SEEK_HOLE) : offset;
    ::lseek(fd, position, SEEK_SET);
    return data != offset || hole < offset + static_cast<off_t>(n);
}

void Sleep(long milliseconds) {
    timespec t{milliseconds / 1000, (milliseconds % 1000) * 1000000};
    ::nanosleep(&t, nullptr);
}

// Waits, at most 60 s, until the test removes the file this creates.
void Pause(const char* path) {
    const int fd = static_cast<int>(
        ::syscall(SYS_openat, AT_FDCWD, path, O_WRONLY | O_CREAT | O_CLOEXEC, 0600));
    if (fd >= 0) {
        ::close(fd);
    }
    for (int i = 0; i < 60000 && ::access(path, F_OK) == 0; ++i) {
        Sleep(1);
    }
}

// Another program changes the file's length.
void Cut(int fd) {
    if (::ftruncate(fd, g.cutTo) != 0) {
        std::fprintf(stderr, "corvane faults: cannot resize the file\n");
    }
}

// Another program renames g.replaceWith over the file's name, or removes the file.
void Replace() {
    const bool removed = std::strcmp(g.replaceWith, "-") == 0;
    if (g.name == nullptr || (removed ? ::unlink(g.name) : ::rename(g.replaceWith, g.name)) != 0) {
        std::fprintf(stderr, "corvane faults: cannot replace the file\n");
    }
}

// After a lookup by name that found the file: the first one puts a symbolic link to g.swapTo
// in its place (made beside it, then renamed over it, as another program would).
void SwapAfterLookup(dev_t dev, ino_t ino) {
    if (g.swapTo[0] == '\0' || g.swapped || !g.known || dev != g.dev || ino != g.ino) {
        return;
    }
    g.swapped = true;
    const int savedErrno = errno;
    char link[4200];
    std::snprintf(link, sizeof link, "%s.swap", g.name);
    if (::symlink(g.swapTo, link) != 0 || ::rename(link, g.name) != 0) {
        std::fprintf(stderr, "corvane faults: cannot swap the file\n");
    }
    errno = savedErrno;
}

using Pwrite = ssize_t (*)(int, const void*, size_t, off_t);
using Pread = ssize_t (*)(int, void*, size_t, off_t);

ssize_t Write(Pwrite real, int fd, const void* buf, size_t n, off_t offset) {
    if (!IsTarget(fd)) {
        return real(fd, buf, n, offset);
    }
    const long call = ++g.writes;
    if (call == g.crashBeforeWrite) {
        ::kill(::getpid(), SIGKILL);
    }
    if (call == g.replaceBeforeWrite) {
        Replace();
    }
    if (call == g.pauseBeforeWrite) {
        Pause(g.pausePath);
    }
    if (call == g.delayBeforeWrite) {
        Sleep(g.delay);
    }
    if (call == g.cutBeforeWrite) {
        Cut(fd);
    }
    if (g.noSpace.Hits(call) || (g.diskFull && NeedsNewSpace(fd, offset, n))) {
        errno = ENOSPC;
        return -1;
    }
    if (g.shortTo != 0 && n > g.shortTo) {
        n = g.shortTo;
    }
    return real(fd, buf, n, offset);
}

ssize_t Read(Pread real, int fd, void* buf, size_t n, off_t offset) {
    if (g.shortTo != 0 && n > g.shortTo && IsTarget(fd)) {
        n = g.shortTo;
    }
    return real(fd, buf, n, offset);
}

// Runs after the open it logs, so it leaves errno as that open set it.
void Log(const char* path, int flags, int opened) {
    if (opened >= 0 && (flags & O_PATH) != 0) {
        struct stat st {};
        if (::fstat(opened, &st) == 0) {
            SwapAfterLookup(st.st_dev, st.st_ino);
        }
    }
    if (g.log == nullptr || path == nullptr) {
        return;
    }
    const int savedErrno = errno;
    const char* kind = "open";
    struct stat st {};
    if ((flags & O_PATH) != 0) {
        kind = "path";
    } else if (opened >= 0 && ::fstat(opened, &st) == 0 && !S_ISREG(st.st_mode) &&
               !S_ISDIR(st.st_mode)) {
        kind = "special";
    }
    char target[4096];
    if (opened >= 0 && std::strncmp(path, "/proc/self/fd/", 14) == 0) {
        const ssize_t n = ::readlink(path, target, sizeof target - 1);
        if (n > 0) {
            target[n] = '\0';
            path = target;
        }
    }
    const int fd = static_cast<int>(
        ::syscall(SYS_openat, AT_FDCWD, g.log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600));
    if (fd >= 0) {
        char line[8192];
        const int length = std::snprintf(line, sizeof line, "%d %s %s\n", opened, kind, path);
        if (length > 0 && ::write(fd, line, static_cast<size_t>(length)) < 0) {
            std::fprintf(stderr, "corvane faults: cannot write the log\n");
        }
        ::close(fd);
    }
    errno = savedErrno;
}

mode_t ModeOf(int flags, va_list args) {
    return (flags & (O_CREAT | O_TMPFILE)) != 0 ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

}  // namespace

extern "C" {

ssize_t pwrite(int fd, const void* buf, size_t n, off_t offset) {
    static const Pwrite real = Next<Pwrite>("pwrite");
    return Write(real, fd, buf, n, offset);
}
ssize_t pwrite64(int fd, const void* buf, size_t n, off_t offset) {
    static const Pwrite real = Next<Pwrite>("pwrite64");
    return Write(real, fd, buf, n, offset);
}
ssize_t pread(int fd, void* buf, size_t n, off_t offset) {
    static const Pread real = Next<Pread>("pread");
    return Read(real, fd, buf, n, offset);
}
ssize_t pread64(int fd, void* buf, size_t n, off_t offset) {
    static const Pread real = Next<Pread>("pread64");
    return Read(real, fd, buf, n, offset);
}

int fsync(int fd) {
    using Fsync = int (*)(int);
    static const Fsync real = Next<Fsync>("fsync");
    if (IsTarget(fd)) {
        const long call = ++g.syncs;
        if (call == g.cutBeforeSync) {
            Cut(fd);
        }
        if (call == g.replaceBeforeSync) {
            Replace();
        }
        if (g.syncFails.Hits(call)) {
            errno = EIO;
            return -1;
        }
    }
    return real(fd);
}

// A look at the file by its name (not at a descriptor): where a race between the check and the
// open would fall.
#define CORVANE_FSTATAT(name, Stat)                                   \
    int name(int dir, const char* path, struct Stat* st, int flags) { \
        using Fstatat = int (*)(int, const char*, struct Stat*, int); \
        static const Fstatat real = Next<Fstatat>(#name);             \
        const int rc = real(dir, path, st, flags);                    \
        if (rc == 0 && path[0] != '\0') {                             \
            SwapAfterLookup(st->st_dev, st->st_ino);                  \
        }                                                             \
        return rc;                                                    \
    }
CORVANE_FSTATAT(fstatat, stat)
CORVANE_FSTATAT(fstatat64, stat64)

#define CORVANE_OPEN(name)                           \
    int name(const char* path, int flags, ...) {     \
        using Open = int (*)(const char*, int, ...); \
        static const Open real = Next<Open>(#name);  \
        va_list args;                                \
        va_start(args, flags);                       \
        const mode_t mode = ModeOf(flags, args);     \
        va_end(args);                                \
        const int fd = real(path, flags, mode);      \
        Log(path, flags, fd);                        \
        return fd;                                   \
    }
#define CORVANE_OPENAT(name)                                \
    int name(int dir, const char* path, int flags, ...) {   \
        using Openat = int (*)(int, const char*, int, ...); \
        static const Openat real = Next<Openat>(#name);     \
        va_list args;                                       \
        va_start(args, flags);                              \
        const mode_t mode = ModeOf(flags, args);            \
        va_end(args);                                       \
        const int fd = real(dir, path, flags, mode);        \
        Log(path, flags, fd);                               \
        return fd;                                          \
    }
CORVANE_OPEN(open)
CORVANE_OPEN(open64)
CORVANE_OPENAT(openat)
CORVANE_OPENAT(openat64)

// A program built with _FORTIFY_SOURCE calls these when the compiler cannot see the flags;
// they never create, so they take no mode.
#define CORVANE_OPEN_2(name)                        \
    int name(const char* path, int flags) {         \
        using Open = int (*)(const char*, int);     \
        static const Open real = Next<Open>(#name); \
        const int fd = real(path, flags);           \
        Log(path, flags, fd);                       \
        return fd;                                  \
    }
#define CORVANE_OPENAT_2(name)                          \
    int name(int dir, const char* path, int flags) {    \
        using Openat = int (*)(int, const char*, int);  \
        static const Openat real = Next<Openat>(#name); \
        const int fd = real(dir, path, flags);          \
        Log(path, flags, fd);                           \
        return fd;                                      \
    }
CORVANE_OPEN_2(__open_2)
CORVANE_OPEN_2(__open64_2)
CORVANE_OPENAT_2(__openat_2)
CORVANE_OPENAT_2(__openat64_2)

}  // extern "C"
