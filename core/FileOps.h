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
    // What an operation does with the file: reading opens it for reading only, so that a file
    // the user may only read can still be shown; only a save opens it for writing.
    enum class Access { Read, ReadWrite };
    virtual ~FileOps() = default;

    // Opens an existing regular file without blocking and locks it for the length of the
    // operation: shared to read, exclusive to write, never waiting. Never creates or
    // truncates, and refuses a directory, a FIFO or a device before opening it, also when
    // another program swaps the name meanwhile (on Windows: the reserved device names, and a
    // name ending in a dot or a space, which Windows would silently drop). A file that another
    // program has locked, holds under a lease (or, on Windows, holds open for writing) is
    // refused at once. Throws corvane::Error naming the path and the cause. Closing the
    // handle releases the lock.
    virtual Handle open(const std::filesystem::path& path, Access access) = 0;
    // The length in bytes of the regular file behind h. Throws corvane::Error with the cause,
    // also for anything that is not a regular file (a FIFO, a device), so call it before any
    // transfer.
    virtual std::uint64_t size(Handle h) = 0;
    // Positioned transfers; they return the byte count the system reported, or -1 with
    // errno (or the Win32 last error) set.
    virtual std::int64_t pread(Handle h, void* buf, std::size_t n, std::uint64_t offset) = 0;
    virtual std::int64_t pwrite(Handle h, const void* buf, std::size_t n, std::uint64_t offset) = 0;
    // Both return false on failure, with the cause left for lastErrorMessage(). close
    // releases the handle even when it fails; never close a handle twice.
    virtual bool sync(Handle h) = 0;
    virtual bool close(Handle h) = 0;
    // Whether `path` still leads to the file open as h, as open() would follow it: false once
    // another program has removed the file or renamed another one over its name.
    virtual bool isNamedBy(Handle h, const std::filesystem::path& path) = 0;
    // The operating system's message for the last failed call.
    virtual std::string lastErrorMessage() = 0;
};

// The process-wide operating-system implementation.
FileOps& SystemFileOps();

// A path as UTF-8 text in double quotes for messages, with control characters shown as \xNN
// so that a message stays on one line.
std::string PathText(const std::filesystem::path& path);

// Passes every call on to another FileOps. Tests derive from it to make one call fail; the
// benchmark derives from it to skip the sync.
class ForwardingFileOps : public FileOps {
public:
    explicit ForwardingFileOps(FileOps& inner = SystemFileOps()) : m_inner(inner) {}

    Handle open(const std::filesystem::path& path, Access access) override {
        return m_inner.open(path, access);
    }
    std::uint64_t size(Handle h) override { return m_inner.size(h); }
    std::int64_t pread(Handle h, void* buf, std::size_t n, std::uint64_t offset) override {
        return m_inner.pread(h, buf, n, offset);
    }
    std::int64_t pwrite(Handle h, const void* buf, std::size_t n, std::uint64_t offset) override {
        return m_inner.pwrite(h, buf, n, offset);
    }
    bool sync(Handle h) override { return m_inner.sync(h); }
    bool close(Handle h) override { return m_inner.close(h); }
    bool isNamedBy(Handle h, const std::filesystem::path& path) override {
        return m_inner.isNamedBy(h, path);
    }
    std::string lastErrorMessage() override { return m_inner.lastErrorMessage(); }

protected:
    FileOps& inner() { return m_inner; }

private:
    FileOps& m_inner;
};

}  // namespace corvane
