#include "controls/host/SoundCache.h"

#include <QFile>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#else
#include <QDateTime>
#include <QFileInfo>
#endif

namespace corvane {

std::optional<FileVersion> StatFile(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    const auto ns = [](const timespec& t) { return qint64{t.tv_sec} * 1'000'000'000 + t.tv_nsec; };
    return FileVersion{path,           st.st_size,         ns(st.st_mtim),
                       ns(st.st_ctim), quint64(st.st_dev), quint64(st.st_ino)};
#else
    const QFileInfo info(path);
    if (!info.isFile()) {
        return std::nullopt;
    }
    return FileVersion{path,
                       info.size(),
                       info.lastModified().toMSecsSinceEpoch() * 1'000'000,
                       info.birthTime().toMSecsSinceEpoch() * 1'000'000,
                       0,
                       0};
#endif
}

const std::optional<QByteArray>* SoundCache::find(const FileVersion& version) {
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&](const Entry& e) { return e.version == version; });
    if (found == m_entries.end()) {
        return nullptr;
    }
    std::rotate(m_entries.begin(), found, found + 1);
    return &m_entries.front().wave;
}

void SoundCache::insert(const FileVersion& version, const std::optional<QByteArray>& wave) {
    // Another version of the same path is of no more use.
    std::erase_if(m_entries, [&](const Entry& e) { return e.version.path == version.path; });
    m_entries.insert(m_entries.begin(), Entry{version, wave});
    qint64 bytes = 0;
    const auto kept = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
        bytes += e.wave ? e.wave->size() : 0;
        return bytes > kMaxBytes && &e != &m_entries.front();
    });
    m_entries.erase(kept, m_entries.end());
    if (m_entries.size() > kMaxEntries) {
        m_entries.erase(m_entries.begin() + kMaxEntries, m_entries.end());
    }
}

}  // namespace corvane
