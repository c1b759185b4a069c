// What a click does to play its sound: find the file, look its version up, and read and check
// only a version not seen before, the big ones off the UI thread.
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QPointer>
#include <QThreadPool>

#include <algorithm>
#include <vector>

#include "controls/host/SoundCache.h"
#include "controls/host/qt/SoundFiles.h"
#include "controls/host/qt/SoundPlayer.h"

namespace corvane {

namespace {

// Files up to this size are read and checked at the click itself, well within a frame even
// from a cold disk; a bigger one is read on a worker thread the first time.
constexpr qint64 kReadAtOnceBytes = 64 * 1024;
// A file modified less than this long ago may still change within its time stamp's tick.
constexpr qint64 kSettledNs = 2'000'000'000;

// The path as the system's file functions take it.
std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

bool Play(const QString& path, const std::optional<QByteArray>& wave) {
    if (!wave) {
        return false;
    }
    ProcessSoundPlayer().play(path, *wave);
    return true;
}

// Lives on the UI thread as a child of the application object, which waits for its thread
// pool's workers before it deletes its children: a worker always finds it.
class SoundLoader final : public QObject {
public:
    using QObject::QObject;

    static SoundLoader& Instance() {
        static QPointer<SoundLoader> loader;
        if (!loader) {
            loader = new SoundLoader(QCoreApplication::instance());
        }
        return *loader;
    }

    bool Click(const QString& path) {
        const quint64 click = ++m_clicks;
        const std::optional<FileVersion> version = StatFile(NativePath(path));
        if (!version) {
            return false;
        }
        if (const std::optional<QByteArray>* known = m_cache.find(*version)) {
            return Play(path, *known);
        }
        if (version->size <= kReadAtOnceBytes) {
            const std::optional<QByteArray> wave = ReadPlayableWave(path);
            Remember(*version, StatFile(NativePath(path)), wave);
            return Play(path, wave);
        }
        // Plays when read, unless another click comes first: a later click's sound replaces
        // an earlier one, as it does while playing.
        const auto reading = std::find_if(m_reading.begin(), m_reading.end(),
                                          [&](const Reading& r) { return r.version == *version; });
        if (reading != m_reading.end()) {
            reading->click = click;
            return true;
        }
        m_reading.push_back({*version, click});
        QThreadPool::globalInstance()->start([self = this, path, version = *version] {
            const std::optional<QByteArray> wave = ReadPlayableWave(path);
            const std::optional<FileVersion> after = StatFile(version.path);
            QMetaObject::invokeMethod(
                self,
                [self, path, version, after, wave] { self->Read(path, version, after, wave); },
                Qt::QueuedConnection);
        });
        return true;
    }

private:
    struct Reading {
        FileVersion version;
        quint64 click = 0;  // the latest click that wants it
    };

    void Read(const QString& path, const FileVersion& version,
              const std::optional<FileVersion>& after, const std::optional<QByteArray>& wave) {
        Remember(version, after, wave);
        const auto reading = std::find_if(m_reading.begin(), m_reading.end(),
                                          [&](const Reading& r) { return r.version == version; });
        if (reading == m_reading.end()) {
            return;
        }
        const bool latest = reading->click == m_clicks;
        m_reading.erase(reading);
        if (latest) {
            Play(path, wave);
        }
    }

    // A file that changed while it was read is read again at the next click, and so is one
    // modified in the last moments: a file system keeps time in ticks (of milliseconds, or
    // seconds), and a file rewritten within the tick of its reading, at the same size, would
    // look unchanged.
    void Remember(const FileVersion& before, const std::optional<FileVersion>& after,
                  const std::optional<QByteArray>& wave) {
        const qint64 now = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
        if (after && *after == before && now - before.modified > kSettledNs) {
            m_cache.insert(before, wave);
        }
    }

    SoundCache<QByteArray> m_cache;
    std::vector<Reading> m_reading;
    quint64 m_clicks = 0;
};

}  // namespace

bool PlayWave(const QString& file) {
    const QString path = FindSoundFile(file, SoundFolders());
    if (path.isEmpty()) {
        return false;
    }
    if (!QCoreApplication::instance()) {
        return Play(path, ReadPlayableWave(path));  // no event loop to finish a read later
    }
    return SoundLoader::Instance().Click(path);
}

}  // namespace corvane
