#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace corvane {

// The few file-system calls the demo-file operations make. Tests put a fake in its place to
// make writes, syncs or closes fail; the real one is a thin layer over the operating system
// (POSIX here, Win32 on Windows).
class FileOps {
public:
    using Handle = std::intptr_t;
    virtual ~FileOps() = default;

    // Opens an existing regular file for reading and writing. Never creates or truncates.
    // Throws corvane::Error naming the path and the cause.
    virtual Handle open(const std::filesystem::path& path) = 0;
    virtual std::uint64_t size(Handle h) = 0;
    // Positioned transfers; they return the byte count the system reported, or -1 with
    // errno (or the Win32 last error) set.
    virtual std::int64_t pread(Handle h, void* buf, std::size_t n, std::uint64_t offset) = 0;
    virtual std::int64_t pwrite(Handle h, const void* buf, std::size_t n, std::uint64_t offset) = 0;
    virtual bool sync(Handle h) = 0;
    virtual bool close(Handle h) = 0;
    // The operating system's message for the last failed call.
    virtual std::string lastErrorMessage() = 0;
};

// The process-wide operating-system implementation.
FileOps& SystemFileOps();

}  // namespace corvane
