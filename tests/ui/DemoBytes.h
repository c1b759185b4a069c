#pragma once

// Known bytes for the window tests: where the fields lie, and file operations that count
// openings and can fail a sync.

#include <QByteArray>

#include <initializer_list>

#include "core/FileOps.h"

namespace corvane::test {

constexpr qint64 kTeams = 0x11A6814;
constexpr qint64 kFontSlot = 0x11A7538;
constexpr qint64 kExhibitionSlot = 0x11A756C;

inline QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) {
        b.append(static_cast<char>(v));
    }
    return b;
}

// The operating system's files, counting openings; a sync can be made to fail.
class ProbeFileOps : public FileOps {
public:
    int opens = 0;
    bool failSync = false;

    Handle open(const std::filesystem::path& path, Access access) override {
        ++opens;
        return m_real.open(path, access);
    }
    std::uint64_t size(Handle h) override { return m_real.size(h); }
    std::int64_t pread(Handle h, void* buf, std::size_t n, std::uint64_t offset) override {
        return m_real.pread(h, buf, n, offset);
    }
    std::int64_t pwrite(Handle h, const void* buf, std::size_t n, std::uint64_t offset) override {
        return m_real.pwrite(h, buf, n, offset);
    }
    bool sync(Handle h) override { return failSync ? false : m_real.sync(h); }
    bool close(Handle h) override { return m_real.close(h); }
    std::string lastErrorMessage() override {
        return failSync ? "the disk is full" : m_real.lastErrorMessage();
    }

private:
    FileOps& m_real = SystemFileOps();
};

}  // namespace corvane::test
