#include "FileOps.h"

#include "Error.h"
#include "Quote.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <iterator>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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
    Handle open(const std::filesystem::path& path) override {
        // OPEN_EXISTING never creates; no truncation flag. Others may read meanwhile, not write.
        HANDLE h =
            CreateFileW(SystemName(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            t_lastError = GetLastError();
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

int ToFd(FileOps::Handle h) {
    return static_cast<int>(h);
}

std::string MessageFor(int err) {
    return std::generic_category().message(err);
}

class SystemOps final : public FileOps {
public:
    Handle open(const std::filesystem::path& path) override {
        // Never O_CREAT or O_TRUNC. O_NONBLOCK keeps a FIFO or device from blocking the open;
        // size() then refuses it. For a regular file O_NONBLOCK changes nothing.
        int fd;
        do {
            fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) {
            t_lastErrno = errno;
            throw Error("Cannot open " + PathText(path) + ": " + MessageFor(t_lastErrno));
        }
        return fd;
    }

    std::uint64_t size(Handle h) override {
        // The one fstat of an operation both sizes the file and refuses what is no regular file.
        struct stat st {};
        if (::fstat(ToFd(h), &st) != 0) {
            t_lastErrno = errno;
            throw Error(MessageFor(t_lastErrno));
        }
        if (!S_ISREG(st.st_mode)) {
            throw Error("it is not a regular file");
        }
        return static_cast<std::uint64_t>(st.st_size);
    }

    std::int64_t pread(Handle h, void* buf, std::size_t n, std::uint64_t offset) override {
        ssize_t got;
        do {
            got = ::pread(ToFd(h), buf, n, static_cast<off_t>(offset));
        } while (got < 0 && errno == EINTR);
        return Check(got);
    }

    std::int64_t pwrite(Handle h, const void* buf, std::size_t n, std::uint64_t offset) override {
        ssize_t put;
        do {
            put = ::pwrite(ToFd(h), buf, n, static_cast<off_t>(offset));
        } while (put < 0 && errno == EINTR);
        return Check(put);
    }

    bool sync(Handle h) override {
        int rc;
        do {
            rc = ::fsync(ToFd(h));
        } while (rc != 0 && errno == EINTR);
        return Check(rc) == 0;
    }

    bool close(Handle h) override {
        // Not retried on EINTR: the descriptor is gone either way, and a retry could close a
        // descriptor another thread has just been given. The failure is still reported.
        return Check(::close(ToFd(h))) == 0;
    }

    std::string lastErrorMessage() override { return MessageFor(t_lastErrno); }

private:
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
