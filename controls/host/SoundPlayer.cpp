#include "SoundPlayer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>

#ifdef CORVANE_HAVE_MULTIMEDIA
#include <QSoundEffect>
#include <QUrl>
#endif

namespace corvane {

namespace {

#ifdef CORVANE_HAVE_MULTIMEDIA
// One QSoundEffect for the process, so that a new sound stops the one playing. It belongs
// to the application object, which outlives every click and is gone before static
// destruction; it loads and plays asynchronously on the UI thread's event loop.
class MultimediaSoundPlayer final : public SoundPlayer {
public:
    void play(const QString& absolutePath) override {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app) {
            return;
        }
        if (!m_effect) {
            m_effect = new QSoundEffect(app);
        }
        m_effect->stop();
        m_effect->setSource(QUrl::fromLocalFile(absolutePath));
        m_effect->play();  // starts once loaded; a file that fails to decode stays silent
    }

private:
    QPointer<QSoundEffect> m_effect;
};
using BuiltInPlayer = MultimediaSoundPlayer;
#else
class SilentSoundPlayer final : public SoundPlayer {
public:
    void play(const QString&) override {}
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

QString ResolveSoundPath(const QString& file, const QDir& cwd) {
    if (file.isEmpty()) {
        return {};
    }
    QString path = file;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(cwd.absoluteFilePath(path));
}

bool PlayWave(const QString& file) {
    const QString path = ResolveSoundPath(file, QDir::current());
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        return false;
    }
    ProcessSoundPlayer().play(path);
    return true;
}

}  // namespace corvane
