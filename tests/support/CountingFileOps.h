#pragma once

// File operations that pass every call on to the operating system and keep count, and that
// can be told to fail the way a full or failing disk does.

#include <QList>

#include <algorithm>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/FileOps.h"

namespace corvane::test {

class CountingFileOps : public ForwardingFileOps {
public:
    enum class Fault {
        None,
        ShortWrites,  // every write moves at most two bytes: not an error, the save goes on
        NoSpace,      // write number failOnWrite moves two bytes, the next one fails: ENOSPC
                      // (rewriting bytes already in the file needs no new space: later writes
                      // succeed)
        SyncFails,    // fsync fails with EIO
        DiskFull,     // every write fails with ENOSPC and changes nothing, as on a full disk
                      // when the bytes lie in a hole of the file
        CutShort,     // another program cuts the file to cutTo bytes before the first write
    };

    Fault fault = Fault::None;
    int failOnWrite = 2;
    std::uintmax_t cutTo = 4096;

    int opens = 0;
    QList<Access> accesses;  // per opening
    int sizes = 0;
    int closes = 0;
    int syncs = 0;
    QList<std::size_t> reads;   // the byte count asked for, per call
    QList<std::size_t> writes;  // the byte count given, per call

    void resetCounts() {
        opens = sizes = closes = syncs = 0;
        accesses.clear();
        reads.clear();
        writes.clear();
    }

    Handle open(const std::filesystem::path& path, Access access) override {
        ++opens;
        accesses.append(access);
        m_path = path;
        return ForwardingFileOps::open(path, access);
    }
    std::uint64_t size(Handle h) override {
        ++sizes;
        return ForwardingFileOps::size(h);
    }
    std::int64_t pread(Handle h, void* buf, std::size_t n, std::uint64_t offset) override {
        reads.append(n);
        return ForwardingFileOps::pread(h, buf, n, offset);
    }
    std::int64_t pwrite(Handle h, const void* buf, std::size_t n, std::uint64_t offset) override {
        writes.append(n);
        const int call = static_cast<int>(writes.size());
        if (fault == Fault::ShortWrites || (fault == Fault::NoSpace && call == failOnWrite)) {
            n = std::min<std::size_t>(n, 2);
        }
        if ((fault == Fault::NoSpace && call == failOnWrite + 1) || fault == Fault::DiskFull) {
            m_error = ENOSPC;
            return -1;
        }
        if (fault == Fault::CutShort && call == 1) {
            std::filesystem::resize_file(m_path, cutTo);
        }
        return ForwardingFileOps::pwrite(h, buf, n, offset);
    }
    bool sync(Handle h) override {
        ++syncs;
        if (fault == Fault::SyncFails) {
            m_error = EIO;
            return false;
        }
        return ForwardingFileOps::sync(h);
    }
    bool close(Handle h) override {
        ++closes;
        return ForwardingFileOps::close(h);
    }
    std::string lastErrorMessage() override {
        return m_error != 0 ? std::generic_category().message(m_error)
                            : ForwardingFileOps::lastErrorMessage();
    }

private:
    std::filesystem::path m_path;
    int m_error = 0;
};

}  // namespace corvane::test
