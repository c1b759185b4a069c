#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace corvane {

// One version of a file: a file rewritten, replaced or touched is another version.
struct FileVersion {
    QString path;
    qint64 size = 0;
    qint64 modified = 0;  // nanoseconds
    qint64 changed = 0;   // of the file's status (on Linux; its creation elsewhere)
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

// The version of the regular file at `path` now; nothing for anything else or nothing.
std::optional<FileVersion> StatFile(const QString& path);

// What the sound check found, per version of a file: the checked bytes, or that the version
// plays nothing. A click then only looks its file up. Holds a few versions, the most recently
// used ones, and never much more than the limit of two big sounds.
class SoundCache {
public:
    static constexpr std::size_t kMaxEntries = 8;
    static constexpr qint64 kMaxBytes = 32 * 1024 * 1024;

    // Null when the version is not known; else what was found (nothing: it plays nothing).
    const std::optional<QByteArray>* find(const FileVersion& version);
    void insert(const FileVersion& version, const std::optional<QByteArray>& wave);

private:
    struct Entry {
        FileVersion version;
        std::optional<QByteArray> wave;
    };
    std::vector<Entry> m_entries;  // the most recently used first
};

}  // namespace corvane
