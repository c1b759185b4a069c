#pragma once

// File operations that pass every call on to the operating system, log it, and can be told to
// fail one the way a full or failing disk, or another program, does.

#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/FileOps.h"

namespace corvane::test {

class FaultyFileOps : public ForwardingFileOps {
public:
    enum class Fault {
        None,
        ShortTransfers,     // every read and write moves one byte: no error, the work goes on
        ReadFails,          // read number `at` fails with `error`
        ReadEnds,           // read number `at` finds the end of the file
        WriteFails,         // write number `at` fails with `error` and changes nothing
        WritesFail,         // every write from number `at` on does: a full disk, when the
                            // bytes lie in a hole of the file
        WriteFailsPartWay,  // write `at` moves at most two bytes, the next one fails with
                            // `error`; the later ones need no new space and succeed
        WritesNothing,      // write number `at` reports no byte written
        SyncFails,          // fsync fails with `error`
        CloseFails,         // close fails with `error` (the handle goes away all the same)
        ResizeBeforeWrite,  // another program sets the size to `resizeTo` before write `at`
        ResizeBeforeSync,   // ... or before the first sync
    };

    Fault fault = Fault::None;
    int at = 1;  // which read or write (1 = the first)
    int error = EIO;
    std::uintmax_t resizeTo = 0;

    // Every call, in order: "open read", "open write", "size", "read 11a6814+8" (offset in
    // hex, byte count asked for), "write 11a6814+8", "sync", "named" (is the path still the
    // file?), "close".
    QStringList calls;

    // The calls of one kind ("open", "read", ...), and how many there were.
    QStringList only(const QString& kind) const {
        QStringList of;
        for (const QString& call : calls) {
            if (call == kind || call.startsWith(kind + ' ')) {
                of << call;
            }
        }
        return of;
    }
    qsizetype count(const QString& kind) const { return only(kind).size(); }

    Handle open(const std::filesystem::path& path, Access access) override {
        Log(access == Access::Read ? "open read" : "open write");
        m_path = path;
        return ForwardingFileOps::open(path, access);
    }
    std::uint64_t size(Handle h) override {
        Log("size");
        return ForwardingFileOps::size(h);
    }
    std::int64_t pread(Handle h, void* buf, std::size_t n, std::uint64_t offset) override {
        Log(QString("read %1+%2").arg(offset, 0, 16).arg(n));
        const bool now = ++m_reads == at;
        if (now && fault == Fault::ReadFails) {
            Fail();
            return -1;
        }
        if (now && fault == Fault::ReadEnds) {
            return 0;
        }
        return ForwardingFileOps::pread(h, buf, Moved(n), offset);
    }
    std::int64_t pwrite(Handle h, const void* buf, std::size_t n, std::uint64_t offset) override {
        Log(QString("write %1+%2").arg(offset, 0, 16).arg(n));
        const int call = ++m_writes;
        if (call == at && fault == Fault::ResizeBeforeWrite) {
            std::filesystem::resize_file(m_path, resizeTo);
        }
        if ((call == at && fault == Fault::WriteFails) ||
            (call >= at && fault == Fault::WritesFail) ||
            (call == at + 1 && fault == Fault::WriteFailsPartWay)) {
            Fail();
            return -1;
        }
        if (call == at && fault == Fault::WritesNothing) {
            return 0;
        }
        if (call == at && fault == Fault::WriteFailsPartWay) {
            n = std::min<std::size_t>(n, 2);
        }
        return ForwardingFileOps::pwrite(h, buf, Moved(n), offset);
    }
    bool sync(Handle h) override {
        Log("sync");
        if (fault == Fault::ResizeBeforeSync && ++m_syncs == 1) {
            std::filesystem::resize_file(m_path, resizeTo);
        }
        if (fault == Fault::SyncFails) {
            return Fail();
        }
        return ForwardingFileOps::sync(h);
    }
    bool isNamedBy(Handle h, const std::filesystem::path& path) override {
        Log("named");
        return ForwardingFileOps::isNamedBy(h, path);
    }
    bool close(Handle h) override {
        Log("close");
        const bool closed = ForwardingFileOps::close(h);  // the handle goes away either way
        return fault == Fault::CloseFails ? Fail() : closed;
    }
    std::string lastErrorMessage() override {
        return m_error != 0 ? std::generic_category().message(m_error)
                            : ForwardingFileOps::lastErrorMessage();
    }

private:
    void Log(const QString& call) {
        calls << call;
        m_error = 0;
    }
    std::size_t Moved(std::size_t n) const {
        return fault == Fault::ShortTransfers ? std::min<std::size_t>(n, 1) : n;
    }
    // Fails the call with `error`; false, as the calls that answer yes or no fail.
    bool Fail() {
        m_error = error;
        return false;
    }

    std::filesystem::path m_path;
    int m_error = 0;  // the error of the last call, when this fake failed it
    int m_reads = 0;
    int m_writes = 0;
    int m_syncs = 0;
};

}  // namespace corvane::test
