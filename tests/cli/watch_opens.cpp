// LD_PRELOAD library for the CLI tests: each time the program opens the path named by
// CORVANE_WATCH_PATH (or a name equal to its last component, for an open relative to a
// folder), the descriptor it got is appended to the file CORVANE_WATCH_LOG, one a line. A row
// with closed standard streams checks that the demo file never became descriptor 0, 1 or 2.
#undef _FORTIFY_SOURCE  // its inline open() would stand in for ours
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using OpenFn = int (*)(const char*, int, ...);
using OpenAtFn = int (*)(int, const char*, int, ...);

template <typename Function>
Function Real(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void Note(const char* path, int fd) {
    const char* watched = std::getenv("CORVANE_WATCH_PATH");
    const char* log = std::getenv("CORVANE_WATCH_LOG");
    if (watched == nullptr || log == nullptr || path == nullptr || fd < 0) {
        return;
    }
    const char* slash = std::strrchr(watched, '/');
    if (std::strcmp(path, watched) != 0 &&
        (slash == nullptr || std::strcmp(path, slash + 1) != 0)) {
        return;
    }
    static const auto open = Real<OpenFn>("open");
    const int out = open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (out >= 0) {
        char line[16];
        const int n = std::snprintf(line, sizeof line, "%d\n", fd);
        [[maybe_unused]] const ssize_t written = ::write(out, line, static_cast<size_t>(n));
        ::close(out);
    }
}

mode_t ModeOf(int flags, va_list args) {
    return (flags & (O_CREAT | O_TMPFILE)) != 0 ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

}  // namespace

extern "C" {

#define CORVANE_WATCH_OPEN(name)                      \
    int name(const char* path, int flags, ...) {      \
        va_list args;                                 \
        va_start(args, flags);                        \
        const mode_t mode = ModeOf(flags, args);      \
        va_end(args);                                 \
        static const auto real = Real<OpenFn>(#name); \
        const int fd = real(path, flags, mode);       \
        Note(path, fd);                               \
        return fd;                                    \
    }
#define CORVANE_WATCH_OPENAT(name)                        \
    int name(int dir, const char* path, int flags, ...) { \
        va_list args;                                     \
        va_start(args, flags);                            \
        const mode_t mode = ModeOf(flags, args);          \
        va_end(args);                                     \
        static const auto real = Real<OpenAtFn>(#name);   \
        const int fd = real(dir, path, flags, mode);      \
        Note(path, fd);                                   \
        return fd;                                        \
    }

CORVANE_WATCH_OPEN(open)
CORVANE_WATCH_OPEN(open64)
CORVANE_WATCH_OPENAT(openat)
CORVANE_WATCH_OPENAT(openat64)

// A program built with _FORTIFY_SOURCE calls these when the compiler cannot see the flags;
// they never create, so they take no mode.
#define CORVANE_WATCH_OPEN_2(name)                                       \
    int name(const char* path, int flags) {                              \
        static const auto real = Real<int (*)(const char*, int)>(#name); \
        const int fd = real(path, flags);                                \
        Note(path, fd);                                                  \
        return fd;                                                       \
    }
#define CORVANE_WATCH_OPENAT_2(name)                                          \
    int name(int dir, const char* path, int flags) {                          \
        static const auto real = Real<int (*)(int, const char*, int)>(#name); \
        const int fd = real(dir, path, flags);                                \
        Note(path, fd);                                                       \
        return fd;                                                            \
    }
CORVANE_WATCH_OPEN_2(__open_2)
CORVANE_WATCH_OPEN_2(__open64_2)
CORVANE_WATCH_OPENAT_2(__openat_2)
CORVANE_WATCH_OPENAT_2(__openat64_2)

}  // extern "C"
