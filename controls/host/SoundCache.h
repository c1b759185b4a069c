#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// One version of a file: a file rewritten, replaced or touched is another version.
struct FileVersion {
    std::string path;  // as the platform's file functions take it
    std::int64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds
    std::int64_t changed = 0;   // of the file's status (on POSIX systems; 0 elsewhere)
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

// The version of the regular file at `path` now; nothing for anything else or nothing.
std::optional<FileVersion> StatFile(const std::string& path);

// What the sound check found, per version of a file: the checked bytes (a container with
// size(), shared by the shell's player), or that the version plays nothing. A click then only
// looks its file up. Holds a few versions, the most recently used ones, and never much more
// than the limit of two big sounds.
template <typename Bytes>
class SoundCache {
public:
    static constexpr std::size_t kMaxEntries = 8;
    static constexpr std::int64_t kMaxBytes = 32 * 1024 * 1024;

    // Null when the version is not known; else what was found (nothing: it plays nothing).
    const std::optional<Bytes>* find(const FileVersion& version) {
        const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                        [&](const Entry& e) { return e.version == version; });
        if (found == m_entries.end()) {
            return nullptr;
        }
        std::rotate(m_entries.begin(), found, found + 1);
        return &m_entries.front().wave;
    }

    void insert(const FileVersion& version, const std::optional<Bytes>& wave) {
        // Another version of the same path is of no more use.
        std::erase_if(m_entries, [&](const Entry& e) { return e.version.path == version.path; });
        m_entries.insert(m_entries.begin(), Entry{version, wave});
        std::int64_t bytes = 0;
        const auto kept = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
            bytes += e.wave ? static_cast<std::int64_t>(e.wave->size()) : 0;
            return bytes > kMaxBytes && &e != &m_entries.front();
        });
        m_entries.erase(kept, m_entries.end());
        if (m_entries.size() > kMaxEntries) {
            m_entries.erase(m_entries.begin() + kMaxEntries, m_entries.end());
        }
    }

private:
    struct Entry {
        FileVersion version;
        std::optional<Bytes> wave;
    };
    std::vector<Entry> m_entries;  // the most recently used first
};

}  // namespace corvane
