// Sound paths and the process's player. A recording player stands in for the audio device:
// QSoundEffect never reports the end of playback without one.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "host/SoundPlayer.h"

using namespace corvane;

namespace {

class RecordingPlayer final : public SoundPlayer {
public:
    QStringList played;
    void play(const QString& absolutePath) override { played << absolutePath; }
};

void touch(const QString& path) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("RIFF");
}

}  // namespace

class tst_SoundPlayer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void resolve_data();
    void resolve();
    void playsTheFileOfTheCurrentDirectoryAtTheClick();
    void missingOrUnreadablePlaysNothing_data();
    void missingOrUnreadablePlaysNothing();
    void injectionReturnsThePreviousPlayer();

private:
    RecordingPlayer m_player;
    QString m_savedCwd;
};

void tst_SoundPlayer::init() {
    m_player.played.clear();
    SetProcessSoundPlayer(&m_player);
    m_savedCwd = QDir::currentPath();
}

void tst_SoundPlayer::cleanup() {
    SetProcessSoundPlayer(nullptr);
    QDir::setCurrent(m_savedCwd);
}

void tst_SoundPlayer::resolve_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");  // relative to /work/app, or absolute
    QTest::newRow("default click, backslashes") << R"(.\resources\click.wav)"
                                                << "/work/app/resources/click.wav";
    QTest::newRow("forward slashes") << "resources/over.wav"
                                     << "/work/app/resources/over.wav";
    QTest::newRow("mixed separators") << R"(a\b/c.wav)"
                                      << "/work/app/a/b/c.wav";
    QTest::newRow("parent folder") << R"(..\up.wav)"
                                   << "/work/up.wav";
    QTest::newRow("absolute") << "/srv/s.wav"
                              << "/srv/s.wav";
    QTest::newRow("absolute with backslashes") << R"(\srv\s.wav)"
                                               << "/srv/s.wav";
    QTest::newRow("non-ASCII name") << R"(Klänge\Klick ü.wav)"
                                    << "/work/app/Klänge/Klick ü.wav";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_SoundPlayer::resolve() {
    QFETCH(QString, file);
    QFETCH(QString, expected);
    QCOMPARE(ResolveSoundPath(file, QDir("/work/app")), expected);
}

void tst_SoundPlayer::playsTheFileOfTheCurrentDirectoryAtTheClick() {
    QTemporaryDir one;
    QTemporaryDir two;
    touch(one.filePath("resources/click.wav"));
    touch(two.filePath("resources/click.wav"));

    QVERIFY(QDir::setCurrent(one.path()));
    QVERIFY(PlayWave(R"(.\resources\click.wav)"));
    QVERIFY(QDir::setCurrent(two.path()));
    QVERIFY(PlayWave(R"(.\resources\click.wav)"));

    QCOMPARE(m_player.played,
             (QStringList{QDir(one.path()).canonicalPath() + "/resources/click.wav",
                          QDir(two.path()).canonicalPath() + "/resources/click.wav"}));
}

void tst_SoundPlayer::missingOrUnreadablePlaysNothing_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("missing file") << R"(.\resources\nothing.wav)";
    QTest::newRow("a folder") << R"(.\resources)";
    QTest::newRow("empty path") << "";
}

void tst_SoundPlayer::missingOrUnreadablePlaysNothing() {
    QFETCH(QString, file);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("resources"));
    QVERIFY(QDir::setCurrent(dir.path()));
    QVERIFY(!PlayWave(file));
    QVERIFY(m_player.played.isEmpty());
}

void tst_SoundPlayer::injectionReturnsThePreviousPlayer() {
    RecordingPlayer other;
    QCOMPARE(SetProcessSoundPlayer(&other), &m_player);
    QCOMPARE(&ProcessSoundPlayer(), static_cast<SoundPlayer*>(&other));
    QCOMPARE(SetProcessSoundPlayer(nullptr), &other);
    QVERIFY(&ProcessSoundPlayer() != &other);
}

QTEST_GUILESS_MAIN(tst_SoundPlayer)
#include "tst_sound_player.moc"
