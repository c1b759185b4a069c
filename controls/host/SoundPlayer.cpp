#include "controls/host/SoundPlayer.h"

#include "controls/host/SoundFiles.h"

#ifdef CORVANE_HAVE_MULTIMEDIA
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QPointer>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>
#endif

namespace corvane {

namespace {

#ifdef CORVANE_HAVE_MULTIMEDIA
// One QSoundEffect for the process, so that a new sound stops the one playing. It belongs
// to the application object, which outlives every click and is gone before static
// destruction; it loads and plays asynchronously on the UI thread's event loop.
class MultimediaSoundPlayer final : public SoundPlayer {
public:
    void play(const QString&, const QByteArray& wave) override {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app) {
            return;
        }
        const QString copy = PrivateCopy(wave);
        if (copy.isEmpty()) {
            return;
        }
        if (!m_effect) {
            m_effect = new QSoundEffect(app);
        }
        m_effect->stop();
        m_effect->setSource(QUrl::fromLocalFile(copy));
        m_effect->play();  // starts once loaded
    }

private:
    // The effect reads its file later, on a thread of its own, and a file that is shorter by
    // then than its header says would never finish loading (and the next new sound would
    // block the UI thread). So it reads a copy of the bytes that were checked, in a folder of
    // ours that nobody else writes, never the user's file. One copy per distinct sound.
    QString PrivateCopy(const QByteArray& wave) {
        const QByteArray key = QCryptographicHash::hash(wave, QCryptographicHash::Sha256);
        if (const auto known = m_copies.constFind(key); known != m_copies.cend()) {
            return *known;
        }
        if (!m_folder) {
            m_folder = std::make_unique<QTemporaryDir>();
        }
        if (!m_folder->isValid()) {
            return {};
        }
        const QString path = m_folder->filePath(QStringLiteral("%1.wav").arg(m_copies.size()));
        QFile file(path);
        const bool written = file.open(QIODevice::WriteOnly | QIODevice::NewOnly) &&
                             file.write(wave) == wave.size() && file.flush();
        file.close();
        if (!written || file.error() != QFileDevice::NoError) {
            file.remove();
            return {};
        }
        m_copies.insert(key, path);
        return path;
    }

    QPointer<QSoundEffect> m_effect;
    std::unique_ptr<QTemporaryDir> m_folder;
    QHash<QByteArray, QString> m_copies;  // SHA-256 of a sound -> its copy
};
using BuiltInPlayer = MultimediaSoundPlayer;
#else
class SilentSoundPlayer final : public SoundPlayer {
public:
    void play(const QString&, const QByteArray&) override {}
};
using BuiltInPlayer = SilentSoundPlayer;
#endif

SoundPlayer* g_injected = nullptr;

}  // namespace

SoundPlayer& ProcessSoundPlayer() {
    static BuiltInPlayer builtIn;
    return g_injected ? *g_injected : builtIn;
}

SoundPlayer* SetProcessSoundPlayer(SoundPlayer* player) {
    SoundPlayer* previous = g_injected;
    g_injected = player;
    return previous;
}

bool PlayWave(const QString& file) {
    const QString path = FindSoundFile(file, SoundFolders());
    if (path.isEmpty()) {
        return false;
    }
    const std::optional<QByteArray> wave = ReadPlayableWave(path);
    if (!wave) {
        return false;
    }
    ProcessSoundPlayer().play(path, *wave);
    return true;
}

}  // namespace corvane
