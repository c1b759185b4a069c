// FileOps on Linux: the name looked up with O_PATH and the file reopened through it, flock and
// open-file-description locks, pread/pwrite, fsync.
#include "core/FileOps.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>
#include <system_error>

#include "core/Error.h"

namespace corvane {

namespace {

thread_local int t_lastErrno = 0;

// The last look at a descriptor (fstat), kept until the next call on it, so that the size asked
// for right after the open, and the identity asked for right after the size, cost no second
// look: nothing has happened to the descriptor in between.
struct LastLook {
    int fd = -1;
    struct stat st {};
};
thread_local LastLook t_lastLook;

// fstat, or the last look at fd when nothing has been done with it since.
bool Look(int fd, struct stat* st) {
    if (t_lastLook.fd == fd) {
        *st = t_lastLook.st;
        return true;
    }
    if (::fstat(fd, st) != 0) {
        return false;
    }
    t_lastLook = {fd, *st};
    return true;
}

void Forget() {
    t_lastLook.fd = -1;
}

int ToFd(FileOps::Handle h) {
    return static_cast<int>(h);
}

std::string MessageFor(int err) {
    return std::generic_category().message(err);
}

[[noreturn]] void Fail(const std::filesystem::path& path, int err) {
    t_lastErrno = err;
    throw Error("Cannot open " + PathText(path) + ": " + MessageFor(err));
}

// Where a name is opened from: a folder descriptor (or the current folder) and a name relative
// to it short enough for the system. A name of PATH_MAX bytes or more is walked a run of whole
// components at a time, each run opened relative to the folder reached so far (O_PATH: nothing
// is read), so that symbolic links and ".." resolve exactly as in one open of the whole name,
// the last component included.
class Location {
public:
    explicit Location(const std::filesystem::path& path) : m_name(path.c_str()) {
        if (path.native().size() < PATH_MAX) {
            return;  // the usual case: the system takes the name as it is
        }
        m_rest = path.native();
        while (m_rest.size() >= PATH_MAX) {
            const std::size_t cut = m_rest.rfind('/', PATH_MAX - 2);
            if (cut == std::string::npos) {
                Fail(path, ENAMETOOLONG);  // one component longer than any file system allows
            }
            const std::string run = m_rest.substr(0, cut + 1);
            int next;
            do {
                next = ::openat(m_dir, run.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            } while (next < 0 && errno == EINTR);
            if (next < 0) {
                Fail(path, errno);
            }
            Release();
            m_dir = next;
            // The rest is relative to the new folder: doubled slashes must not make it absolute.
            m_rest.erase(0, m_rest.find_first_not_of('/', cut));
            if (m_rest.empty()) {
                m_rest.push_back(
                    '.');  // not `= "."`: GCC 12 -O3 warns falsely (-Wrestrict) on that
            }
        }
        m_name = m_rest.c_str();
    }
    Location(const Location&) = delete;
    Location& operator=(const Location&) = delete;
    ~Location() { Release(); }

    int dir() const { return m_dir; }
    const char* name() const { return m_name; }

private:
    void Release() {
        if (m_dir != AT_FDCWD) {
            ::close(m_dir);
        }
    }

    int m_dir = AT_FDCWD;
    const char* m_name;
    std::string m_rest;
};

class SystemOps final : public FileOps {
public:
    Handle open(const std::filesystem::path& path, Access access) override {
        // The name is looked up once, into a descriptor that opens nothing (O_PATH: no driver
        // is called, no FIFO blocks). What it leads to is checked on that descriptor, and only
        // a regular file is then opened, through the descriptor itself: another program that
        // swaps the name for a device between the check and the open changes nothing.
        int found;
        {
            const Location at(path);
            do {
                found = ::openat(at.dir(), at.name(), O_PATH | O_CLOEXEC);
            } while (found < 0 && errno == EINTR);
        }
        if (found < 0) {
            Fail(path, errno);
        }
        struct stat st {};
        const int looked = ::fstat(found, &st) == 0 ? 0 : errno;
        if (looked != 0 || !S_ISREG(st.st_mode)) {
            ::close(found);
            if (looked != 0) {
                Fail(path, looked);
            }
            if (S_ISDIR(st.st_mode)) {
                Fail(path, EISDIR);
            }
            throw Error("Cannot open " + PathText(path) + ": it is not a regular file");
        }
        const int fd = Reopen(found, path, access);
        ::close(found);
        Forget();
        Lock(fd, path, access);
        // /proc/self/fd/N leads to the descriptor's own file; anything else there (another
        // file system mounted on /proc) is not trusted. This look, under the lock, is also the
        // one size() answers from.
        struct stat opened {};
        if (!Look(fd, &opened) || opened.st_dev != st.st_dev || opened.st_ino != st.st_ino) {
            Forget();
            ::close(fd);
            throw Error("Cannot open " + PathText(path) +
                        ": /proc/self/fd does not lead back to the file it was asked for");
        }
        return fd;
    }

    std::uint64_t size(Handle h) override {
        // Sizes the file and refuses what is no regular file, on the descriptor itself.
        struct stat st {};
        if (!Look(ToFd(h), &st)) {
            t_lastErrno = errno;
            throw Error(MessageFor(t_lastErrno));
        }
        if (!S_ISREG(st.st_mode)) {
            throw Error("it is not a regular file");
        }
        return static_cast<std::uint64_t>(st.st_size);
    }

    std::int64_t pread(Handle h, void* buf, std::size_t n, std::uint64_t offset) override {
        Forget();
        ssize_t got;
        do {
            got = ::pread(ToFd(h), buf, n, static_cast<off_t>(offset));
        } while (got < 0 && errno == EINTR);
        return Check(got);
    }

    std::int64_t pwrite(Handle h, const void* buf, std::size_t n, std::uint64_t offset) override {
        Forget();
        ssize_t put;
        do {
            put = ::pwrite(ToFd(h), buf, n, static_cast<off_t>(offset));
        } while (put < 0 && errno == EINTR);
        return Check(put);
    }

    bool sync(Handle h) override {
        Forget();
        int rc;
        do {
            rc = ::fsync(ToFd(h));
        } while (rc != 0 && errno == EINTR);
        return Check(rc) == 0;
    }

    bool close(Handle h) override {
        // Not retried on EINTR: the descriptor is gone either way, and a retry could close a
        // descriptor another thread has just been given. The failure is still reported.
        Forget();
        return Check(::close(ToFd(h))) == 0;
    }

    bool isNamedBy(Handle h, const std::filesystem::path& path) override {
        struct stat open {};
        if (!Look(ToFd(h), &open) || open.st_nlink == 0) {
            return false;
        }
        struct stat named {};
        try {
            const Location at(path);
            if (::fstatat(at.dir(), at.name(), &named, 0) != 0) {
                return false;
            }
        } catch (const Error&) {
            return false;  // a folder on the way is gone
        }
        return named.st_dev == open.st_dev && named.st_ino == open.st_ino;
    }

    std::string lastErrorMessage() override { return MessageFor(t_lastErrno); }

private:
    // Opens the regular file behind the O_PATH descriptor `found` for the transfers, through
    // /proc/self/fd. Never O_CREAT or O_TRUNC. O_NONBLOCK makes an open that would wait for
    // another program's lease on the file fail at once instead.
    static int Reopen(int found, const std::filesystem::path& path, Access access) {
        const int flags =
            (access == Access::Read ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
        const std::string self = "/proc/self/fd/" + std::to_string(found);
        int fd;
        do {
            fd = ::openat(AT_FDCWD, self.c_str(), flags);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0) {
            return fd;
        }
        const int err = errno;
        ::close(found);
        t_lastErrno = err;
        if (err == ENOENT || err == ENOTDIR) {
            throw Error("Cannot open " + PathText(path) +
                        ": /proc is not mounted, and without it the file cannot be opened safely");
        }
        if (err == EWOULDBLOCK || err == EAGAIN) {
            throw Error("Cannot open " + PathText(path) + ": it is in use by another program");
        }
        Fail(path, err);
    }

    // The two kinds of lock other programs on Linux take: flock(2), and an open-file-description
    // lock, which meets fcntl(2) and lockf(3) record locks. Both cover the whole file, are never
    // waited for, and go away with the descriptor.
    static void Lock(int fd, const std::filesystem::path& path, Access access) {
        const bool exclusive = access == Access::ReadWrite;
        int rc;
        do {
            rc = ::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB);
        } while (rc != 0 && errno == EINTR);
        if (rc == 0) {
            struct flock range {};
            range.l_type = exclusive ? F_WRLCK : F_RDLCK;
            range.l_whence = SEEK_SET;  // start 0, length 0: the whole file, however long
            do {
                rc = ::fcntl(fd, F_OFD_SETLK, &range);
            } while (rc != 0 && errno == EINTR);
        }
        if (rc == 0) {
            return;
        }
        const int err = errno;
        ::close(fd);
        t_lastErrno = err;
        if (err == EWOULDBLOCK || err == EAGAIN || err == EACCES) {
            throw Error("Cannot open " + PathText(path) + ": it is locked by another program");
        }
        throw Error("Cannot lock " + PathText(path) + ": " + MessageFor(err));
    }

    static std::int64_t Check(std::int64_t rc) {
        if (rc < 0) {
            t_lastErrno = errno;
        }
        return rc;
    }
};

}  // namespace

FileOps& SystemFileOps() {
    static SystemOps ops;
    return ops;
}

}  // namespace corvane
