// Sound paths, the wave check and the process's player. A recording player stands in for the
// audio device here (tst_sound_realplayer runs the real one): QSoundEffect never reports the
// end of playback without one.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <fcntl.h>
#include <sys/stat.h>

#include "controls/host/qt/SoundFiles.h"
#include "controls/host/qt/SoundPlayer.h"
#include "tests/support/Watchdog.h"
#include "tests/support/WaveFixture.h"

using namespace corvane;
using namespace corvane::test;

namespace {

class RecordingPlayer final : public SoundPlayer {
public:
    QStringList played;
    QList<QByteArray> waves;
    void play(const QString& path, const QByteArray& wave) override {
        played << path;
        waves << wave;
    }
};

QByteArray Cut(const QByteArray& bytes, int keep) {
    return bytes.first(keep);
}

// Writes a file last modified an hour ago, as an installed sound is: one just written may
// still change within its time stamp's tick, and is read again at every click.
bool WriteOldFile(const QString& path, const QByteArray& bytes) {
    const timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 3600, 0}};
    return WriteFile(path, bytes) &&
           ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

// Lets the reads under way finish and deliver their sounds.
void Settle() {
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
}

}  // namespace

class tst_SoundPlayer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void resolve_data();
    void resolve();
    void lookupOrder_data();
    void lookupOrder();
    void foldersAreWorkingDataProgram();
    void readsOnlyRegularFilesOfAtMostTheLimit_data();
    void readsOnlyRegularFilesOfAtMostTheLimit();
    void playsTheFileOfTheCurrentDirectoryAtTheClick();
    void checksEachVersionOnce_data();
    void checksEachVersionOnce();
    void readsABigFileOffTheClick_data();
    void readsABigFileOffTheClick();
    void playsNothing_data();
    void playsNothing();
    void injectionReturnsThePreviousPlayer();

private:
    RecordingPlayer m_player;
    QString m_savedCwd;
};

void tst_SoundPlayer::init() {
    m_player.played.clear();
    m_player.waves.clear();
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

// A relative sound path is tried against the working folder, then the data folder, then the
// program's folder; the first that holds a file of that name wins, whatever the file holds.
void tst_SoundPlayer::lookupOrder_data() {
    QTest::addColumn<QString>("present");      // w, d, p: the folders holding resources/click.wav
    QTest::addColumn<QString>("folderThere");  // a folder named click.wav in these instead
    QTest::addColumn<QString>("found");        // w, d, p, or "" for none
    QTest::newRow("in all three: the working folder's") << "wdp"
                                                        << ""
                                                        << "w";
    QTest::newRow("working folder only") << "w"
                                         << ""
                                         << "w";
    QTest::newRow("not in the working folder: the data folder's") << "dp"
                                                                  << ""
                                                                  << "d";
    QTest::newRow("data folder only") << "d"
                                      << ""
                                      << "d";
    QTest::newRow("only beside the program") << "p"
                                             << ""
                                             << "p";
    QTest::newRow("working folder and program") << "wp"
                                                << ""
                                                << "w";
    QTest::newRow("nowhere") << ""
                             << ""
                             << "";
    QTest::newRow("a folder of that name is not the file") << "p"
                                                           << "wd"
                                                           << "p";
    QTest::newRow("only folders of that name") << ""
                                               << "wdp"
                                               << "";
}

void tst_SoundPlayer::lookupOrder() {
    QFETCH(QString, present);
    QFETCH(QString, folderThere);
    QFETCH(QString, found);
    QTemporaryDir root;
    const QMap<QChar, QString> folders{{'w', root.filePath("work")},
                                       {'d', root.filePath("share/corvane")},
                                       {'p', root.filePath("bin")}};
    for (auto it = folders.cbegin(); it != folders.cend(); ++it) {
        QVERIFY(QDir().mkpath(it.value()));
        if (present.contains(it.key())) {
            QVERIFY(WriteFile(it.value() + "/resources/click.wav", MakeWave()));
        }
        if (folderThere.contains(it.key())) {
            QVERIFY(QDir().mkpath(it.value() + "/resources/click.wav"));
        }
    }
    const QList<QDir> order{QDir(folders['w']), QDir(folders['d']), QDir(folders['p'])};
    const QString expected =
        found.isEmpty() ? QString()
                        : QDir(folders[found.at(0)]).absolutePath() + "/resources/click.wav";
    QCOMPARE(FindSoundFile(R"(.\resources\click.wav)", order), expected);
    QCOMPARE(FindSoundFile("resources/click.wav", order), expected);
    // An absolute path is that file or none, whatever the folders hold.
    QCOMPARE(FindSoundFile(folders['w'] + "/resources/click.wav", order),
             present.contains('w') ? folders['w'] + "/resources/click.wav" : QString());
    QCOMPARE(FindSoundFile(QString(), order), QString());
}

// PlayWave looks in the working folder of the moment, the data folder the build was
// configured with, and the folder of the program that runs.
void tst_SoundPlayer::foldersAreWorkingDataProgram() {
    QTemporaryDir work;
    QVERIFY(QDir::setCurrent(work.path()));
    const QList<QDir> folders = SoundFolders();
    QCOMPARE(folders.size(), 3);
    QCOMPARE(folders[0].canonicalPath(), QDir(work.path()).canonicalPath());
    QCOMPARE(folders[1].absolutePath(), QStringLiteral(CORVANE_DATA_DIR));
    QCOMPARE(folders[2].absolutePath(), QCoreApplication::applicationDirPath());
}

// What reading gives the player: a regular file's bytes, never a wait on a FIFO, nothing for
// a file over the limit.
void tst_SoundPlayer::readsOnlyRegularFilesOfAtMostTheLimit_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("read");
    QTest::newRow("a wave") << "wave" << true;
    QTest::newRow("a FIFO") << "fifo" << false;
    QTest::newRow("a folder") << "folder" << false;
    QTest::newRow("missing") << "missing" << false;
    QTest::newRow("a wave at the limit") << "limit" << true;
    QTest::newRow("a wave one byte over") << "over" << false;
}

void tst_SoundPlayer::readsOnlyRegularFilesOfAtMostTheLimit() {
    QFETCH(QString, kind);
    QFETCH(bool, read);
    QTemporaryDir dir;
    const QString path = dir.filePath("s.wav");
    QByteArray wave = MakeWave();
    if (kind == "wave") {
        QVERIFY(WriteFile(path, wave));
    } else if (kind == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == "limit" || kind == "over") {
        // Samples up to the limit exactly (8-bit mono: one byte a frame), one more for "over".
        const int header = MakeWave({.bits = 8, .frames = 0}).size();
        const int frames = static_cast<int>(kMaxSoundFileBytes) - header + (kind == "over");
        wave = MakeWave({.bits = 8, .frames = frames});
        QVERIFY(WriteFile(path, wave));
    }
    Watchdog::Instance().Arm("reading " + kind.toStdString(), 20);
    const std::optional<QByteArray> bytes = ReadPlayableWave(path);
    Watchdog::Instance().Disarm();
    QCOMPARE(bytes.has_value(), read);
    if (read) {
        QVERIFY(*bytes == wave);
    }
}

void tst_SoundPlayer::playsTheFileOfTheCurrentDirectoryAtTheClick() {
    QTemporaryDir one;
    QTemporaryDir two;
    const QByteArray first = MakeWave();
    const QByteArray second = MakeWave({.rate = 44100});
    QVERIFY(WriteFile(one.filePath("resources/click.wav"), first));
    QVERIFY(WriteFile(two.filePath("resources/click.wav"), second));

    QVERIFY(QDir::setCurrent(one.path()));
    QVERIFY(PlayWave(R"(.\resources\click.wav)"));
    QVERIFY(QDir::setCurrent(two.path()));
    QVERIFY(PlayWave(R"(.\resources\click.wav)"));

    QCOMPARE(m_player.played,
             (QStringList{QDir(one.path()).canonicalPath() + "/resources/click.wav",
                          QDir(two.path()).canonicalPath() + "/resources/click.wav"}));
    QCOMPARE(m_player.waves, (QList<QByteArray>{first, second}));
}

// A file is read and checked once per version: a click on a file unchanged since the last one
// plays the very bytes kept then; any change of the file is a new version, read anew.
void tst_SoundPlayer::checksEachVersionOnce_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("second");  // what the second click plays: 0 nothing, 1 or 2 a wave
    QTest::newRow("unchanged") << "none" << 1;
    QTest::newRow("rewritten, same size") << "rewrite" << 2;
    QTest::newRow("emptied") << "empty" << 0;
    QTest::newRow("renamed over, same size and time stamp") << "rename" << 2;
}

void tst_SoundPlayer::checksEachVersionOnce() {
    QFETCH(QString, change);
    QFETCH(int, second);
    QTemporaryDir dir;
    const QString path = dir.filePath("s.wav");
    const QList<QByteArray> waves{{}, MakeWave(), MakeWave({.rate = 44100})};
    QCOMPARE(waves[1].size(), waves[2].size());
    QVERIFY(WriteOldFile(path, waves[1]));
    QVERIFY(PlayWave(path));
    if (change == "rewrite") {
        QVERIFY(WriteFile(path, waves[2]));
    } else if (change == "empty") {
        QVERIFY(WriteFile(path, {}));
    } else if (change == "rename") {
        QVERIFY(WriteOldFile(path + ".new", waves[2]));
        QVERIFY(::rename(QFile::encodeName(path + ".new").constData(),
                         QFile::encodeName(path).constData()) == 0);
    }
    QCOMPARE(PlayWave(path), second != 0);
    QCOMPARE(m_player.waves.size(), second ? 2 : 1);
    QVERIFY(m_player.waves[0] == waves[1]);
    if (second) {
        QVERIFY(m_player.waves[1] == waves[second]);
        // Kept, not read again: the player gets the same bytes in memory.
        QCOMPARE(m_player.waves[1].constData() == m_player.waves[0].constData(), change == "none");
    }
}

// The first click on a big file leaves its reading to a worker thread and returns; the sound
// plays once it passes the check, unless a later click came meanwhile. Its next click finds it
// kept and plays at once.
void tst_SoundPlayer::readsABigFileOffTheClick_data() {
    QTest::addColumn<QStringList>("clicks");  // "big", "small", or "wait" for the reads
    QTest::addColumn<QStringList>("atOnce");  // played before the event loop turns
    QTest::addColumn<QStringList>("atEnd");
    QTest::newRow("first click") << QStringList{"big"} << QStringList{} << QStringList{"big"};
    QTest::newRow("two clicks while it is read")
        << QStringList{"big", "big"} << QStringList{} << QStringList{"big"};
    QTest::newRow("a later click on a small file wins")
        << QStringList{"big", "small"} << QStringList{"small"} << QStringList{"small"};
    QTest::newRow("clicked again once read")
        << QStringList{"big", "wait", "big"} << QStringList{"big", "big"}
        << QStringList{"big", "big"};
}

void tst_SoundPlayer::readsABigFileOffTheClick() {
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, atOnce);
    QFETCH(QStringList, atEnd);
    QTemporaryDir dir;
    const QByteArray big = MakeWave({.frames = 100000});  // 200 KB
    QVERIFY(WriteOldFile(dir.filePath("big.wav"), big));
    QVERIFY(WriteOldFile(dir.filePath("small.wav"), MakeWave()));
    const auto played = [&] {
        QStringList names;
        for (const QString& p : std::as_const(m_player.played)) {
            names << QFileInfo(p).baseName();
        }
        return names;
    };
    for (const QString& click : clicks) {
        if (click == "wait") {
            Settle();
        } else {
            QVERIFY(PlayWave(dir.filePath(click + ".wav")));
        }
    }
    QCOMPARE(played(), atOnce);
    Settle();
    QCOMPARE(played(), atEnd);
    QVERIFY(m_player.waves.last() == (atEnd.last() == "big" ? big : MakeWave()));
}

void tst_SoundPlayer::playsNothing_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("contents");  // of resources/click.wav
    const QByteArray good = MakeWave();
    QTest::newRow("missing file") << R"(.\resources\nothing.wav)" << good;
    QTest::newRow("a folder") << R"(.\resources)" << good;
    QTest::newRow("empty path") << "" << good;
    QTest::newRow("an empty file") << R"(.\resources\click.wav)" << QByteArray();
    QTest::newRow("only RIFF") << R"(.\resources\click.wav)" << QByteArray("RIFF");
    QTest::newRow("samples cut short") << R"(.\resources\click.wav)" << Cut(good, 100);
    QTest::newRow("a text file") << R"(.\resources\click.wav)" << QByteArray("click\n");
}

void tst_SoundPlayer::playsNothing() {
    QFETCH(QString, file);
    QFETCH(QByteArray, contents);
    QTemporaryDir dir;
    QVERIFY(WriteFile(dir.filePath("resources/click.wav"), contents));
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
