#include "core/FileOps.h"

#include "core/Error.h"
#include "core/Quote.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string_view>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>
#include <system_error>
#endif

namespace corvane {

std::string PathText(const std::filesystem::path& path) {
    std::u8string utf8;
    try {
        utf8 = path.u8string();  // on Windows a conversion from UTF-16 that may fail
    } catch (const std::exception&) {
        return "(a path that cannot be shown)";
    }
    return Quote(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

namespace {

#ifdef _WIN32

thread_local DWORD t_lastError = 0;

HANDLE ToHandle(FileOps::Handle h) {
    return reinterpret_cast<HANDLE>(h);
}

// Paths of MAX_PATH characters or more need the \\?\ form, which must be absolute, normalised
// and use backslashes. What counts is the full length: a short relative path inside a deep
// current folder is long too. Shorter paths stay as given so that their usual meaning holds.
std::wstring SystemName(const std::filesystem::path& path) {
    const std::wstring& given = path.native();
    if (given.rfind(L"\\\\?\\", 0) == 0) {
        return given;
    }
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    if (ec) {
        return given;
    }
    const std::wstring text = full.lexically_normal().make_preferred().native();
    if (text.size() < MAX_PATH - 12) {
        return given;
    }
    if (text.rfind(L"\\\\", 0) == 0) {
        return L"\\\\?\\UNC\\" + text.substr(2);
    }
    return L"\\\\?\\" + text;
}

// Names Windows reads as something other than the file they spell, refused before any open.
// A reserved device name stands for the device in any folder, in any case, with any extension
// and with blanks before it ("com1 .txt"); opening one can have effects of its own (a serial
// port's control lines). Returns the device, or an empty text.
std::wstring DeviceName(std::wstring_view component) {
    std::wstring_view base = component.substr(0, component.find_first_of(L".:"));
    while (!base.empty() && base.back() == L' ') {
        base.remove_suffix(1);
    }
    std::wstring upper(base);
    for (wchar_t& c : upper) {
        c = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    }
    for (const wchar_t* name : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (upper == name) {
            return upper;
        }
    }
    // COM1 to COM9 and LPT1 to LPT9, and the superscript digits one to three, which Windows
    // counts as well.
    const bool port = upper.size() == 4 && (upper.starts_with(L"COM") || upper.starts_with(L"LPT"));
    const wchar_t n = port ? upper[3] : L'0';
    return (n >= L'1' && n <= L'9') || n == 0xB9 || n == 0xB2 || n == 0xB3 ? upper : L"";
}

// Why Windows would not open the file the path spells, or an empty text. Checked on the name
// alone, before anything is opened.
std::string Unopenable(const std::filesystem::path& path) {
    std::wstring text = path.native();
    for (wchar_t& c : text) {
        c = c == L'/' ? L'\\' : c;
    }
    // The device namespace and the system's own names: \\.\COM1, \\.\PhysicalDrive0,
    // \??\..., \\?\GLOBALROOT\Device\.... Of the \\?\ form only a drive, UNC and a volume
    // path are files.
    std::wstring_view rest = text;
    if (rest.starts_with(L"\\\\?\\")) {
        rest.remove_prefix(4);
        const bool drive = rest.size() >= 3 && rest[1] == L':' && rest[2] == L'\\';
        const bool unc = rest.starts_with(L"UNC\\");
        const std::size_t volumeEnd = rest.starts_with(L"Volume{") ? rest.find(L"}\\") : rest.npos;
        if (!drive && !unc && volumeEnd == rest.npos) {
            return "it is a device path, not a file";
        }
    } else if (rest.starts_with(L"\\\\.\\") || rest.starts_with(L"\\??\\")) {
        return "it is a device path, not a file";
    }
    const std::size_t cut = text.find_last_of(L'\\');
    std::wstring_view last = std::wstring_view(text).substr(cut == text.npos ? 0 : cut + 1);
    if (last.size() >= 2 && last[1] == L':') {
        last.remove_prefix(2);  // "C:CON" is the device too
    }
    if (const std::wstring device = DeviceName(last); !device.empty()) {
        return PathText(device) + " is the name of a Windows device, not of a file";
    }
    // Windows drops a dot or a blank at the end of a name: "x.exe." would open "x.exe".
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(L'\\', start), text.size());
        const std::wstring_view part = std::wstring_view(text).substr(start, end - start);
        if (part != L"." && part != L".." && (part.ends_with(L'.') || part.ends_with(L' '))) {
            return end == text.size() ? "its name ends in a dot or a space, which Windows would "
                                        "drop, opening another file"
                                      : "a folder in it ends in a dot or a space, which Windows "
                                        "would drop, opening another folder";
        }
        start = end + 1;
    }
    return {};
}

std::string MessageFor(DWORD code) {
    wchar_t buffer[512];
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    while (n > 0 && (buffer[n - 1] == L'\r' || buffer[n - 1] == L'\n' || buffer[n - 1] == L' ' ||
                     buffer[n - 1] == L'.')) {
        --n;
    }
    if (n == 0) {
        return "system error " + std::to_string(code);
    }
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(n), text.data(), bytes, nullptr,
                        nullptr);
    return text;
}

class SystemOps final : public FileOps {
public:
    Handle open(const std::filesystem::path& path, Access access) override {
        // OPEN_EXISTING never creates; no truncation flag. The share mode is the lock: others
        // may read meanwhile but never write, so a file that another program holds open for
        // writing (a running game) is refused, and so is a save while another program holds
        // the file open for reading only.
        if (const std::string why = Unopenable(path); !why.empty()) {
            throw Error("Cannot open " + PathText(path) + ": " + why);
        }
        const DWORD wanted = access == Access::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
        const std::wstring name = SystemName(path);
        HANDLE h = CreateFileW(name.c_str(), wanted, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            t_lastError = GetLastError();
            if (t_lastError == ERROR_SHARING_VIOLATION || t_lastError == ERROR_LOCK_VIOLATION) {
                throw Error("Cannot open " + PathText(path) + ": it is in use by another program");
            }
            // A folder cannot be opened as a file; the system says no more than "Access denied".
            const DWORD attributes =
                t_lastError == ERROR_ACCESS_DENIED ? GetFileAttributesW(name.c_str()) : 0;
            if (attributes != INVALID_FILE_ATTRIBUTES &&
                (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                throw Error("Cannot open " + PathText(path) + ": it is a folder, not a file");
            }
            throw Error("Cannot open " + PathText(path) + ": " + MessageFor(t_lastError));
        }
        if (GetFileType(h) != FILE_TYPE_DISK) {
            CloseHandle(h);
            throw Error("Cannot open " + PathText(path) + ": it is not a regular file");
        }
        return reinterpret_cast<Handle>(h);
    }

    std::uint64_t size(Handle h) override {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(ToHandle(h), &size)) {
            t_lastError = GetLastError();
            throw Error(MessageFor(t_lastError));
        }
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    std::int64_t pread(Handle h, void* buf, std::size_t n, std::uint64_t offset) override {
        OVERLAPPED at = Position(offset);
        DWORD done = 0;
        if (!ReadFile(ToHandle(h), buf, Chunk(n), &done, &at)) {
            const DWORD code = GetLastError();
            if (code == ERROR_HANDLE_EOF) {
                return 0;
            }
            t_lastError = code;
            return -1;
        }
        return done;
    }

    std::int64_t pwrite(Handle h, const void* buf, std::size_t n, std::uint64_t offset) override {
        OVERLAPPED at = Position(offset);
        DWORD done = 0;
        if (!WriteFile(ToHandle(h), buf, Chunk(n), &done, &at)) {
            t_lastError = GetLastError();
            return -1;
        }
        return done;
    }

    bool sync(Handle h) override { return Check(FlushFileBuffers(ToHandle(h))); }
    bool close(Handle h) override { return Check(CloseHandle(ToHandle(h))); }
    // No other program can rename a file over this one or delete it while it is open: the share
    // mode leaves out FILE_SHARE_DELETE. Only a file removed before, by a program that had
    // opened it with that share, has no name left.
    bool isNamedBy(Handle h, const std::filesystem::path&) override {
        BY_HANDLE_FILE_INFORMATION info{};
        return Check(GetFileInformationByHandle(ToHandle(h), &info)) && info.nNumberOfLinks > 0;
    }
    std::string lastErrorMessage() override { return MessageFor(t_lastError); }

private:
    static OVERLAPPED Position(std::uint64_t offset) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        return at;
    }
    static DWORD Chunk(std::size_t n) {
        return static_cast<DWORD>(n < 0x40000000u ? n : 0x40000000u);
    }
    static bool Check(BOOL ok) {
        if (!ok) {
            t_lastError = GetLastError();
        }
        return ok != FALSE;
    }
};

#else

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

#endif

}  // namespace

FileOps& SystemFileOps() {
    static SystemOps ops;
    return ops;
}

}  // namespace corvane
