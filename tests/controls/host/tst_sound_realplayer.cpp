// The click sound on the real Qt Multimedia player, as the program plays it; no audio device
// is needed. Files that a player's loader might never finish play nothing; every click returns
// at once and the event loop goes on turning, and nothing is written to the temporary folder
// (the sounds play from memory). A watchdog turns a blocked UI thread, also on the way out of
// the program, into a failure with a message.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "controls/host/qt/SoundPlayer.h"
#include "tests/support/Watchdog.h"
#include "tests/support/WaveFixture.h"

using namespace corvane;
using namespace corvane::test;

namespace {

constexpr int kClickSeconds = 10;  // far beyond any click; the hang is forever

// The contents of a sound file of the given kind ("missing" writes no file).
QByteArray Contents(const QString& kind) {
    const QByteArray good = MakeWave();
    if (kind == "good") {
        return good;
    }
    if (kind == "other good") {
        return MakeWave({.rate = 11025, .frames = 110});
    }
    if (kind == "click.wav") {  // the program's own sound
        QFile f(QFINDTESTDATA("../../../resources/click.wav"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    if (kind == "RIFF only") {
        return "RIFF";
    }
    if (kind == "truncated header") {
        return good.first(30);
    }
    if (kind == "samples cut short") {
        return good.first(good.size() - 100);
    }
    if (kind == "half a sample") {
        return MakeWave({.dataExtra = 1});
    }
    if (kind == "block past the end") {
        return MakeWave({.dataLength = 100000});
    }
    return {};  // "empty"
}

}  // namespace

class tst_SoundRealPlayer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void clicksNeverBlock_data();
    void clicksNeverBlock();

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_temp;  // the program's temporary folder
    QString m_savedCwd;
};

void tst_SoundRealPlayer::initTestCase() {
    SetProcessSoundPlayer(nullptr);  // the real player
    qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
    m_savedCwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
}

void tst_SoundRealPlayer::cleanupTestCase() {
    QDir::setCurrent(m_savedCwd);
    // Leaving the program releases the loaded sounds; a stuck loader blocked there too.
    Watchdog::Instance().Arm("leaving the program", 30);
}

void tst_SoundRealPlayer::clicksNeverBlock_data() {
    QTest::addColumn<QStringList>("clicks");  // file kinds; "!" after one: emptied right after
    QTest::newRow("empty, then good") << QStringList{"empty", "good"};
    QTest::newRow("RIFF only, then good") << QStringList{"RIFF only", "good"};
    QTest::newRow("truncated header, then good") << QStringList{"truncated header", "good"};
    QTest::newRow("samples cut short, then good") << QStringList{"samples cut short", "good"};
    QTest::newRow("half a sample, then good") << QStringList{"half a sample", "good"};
    QTest::newRow("block past the end, then good") << QStringList{"block past the end", "good"};
    QTest::newRow("good, empty, good") << QStringList{"good", "empty", "other good"};
    QTest::newRow("missing, then good") << QStringList{"missing", "good"};
    QTest::newRow("good, emptied before it is loaded, then another")
        << QStringList{"good!", "other good", "click.wav"};
}

void tst_SoundRealPlayer::clicksNeverBlock() {
    QFETCH(QStringList, clicks);
    static int serial = 0;  // a new file name for every click: a new sound for the player
    QList<bool> played;
    QList<bool> playable;
    for (QString kind : clicks) {
        const bool emptyAfter = kind.endsWith('!');
        kind.remove('!');
        const QString name = QStringLiteral("sound%1.wav").arg(++serial);
        if (kind != "missing") {
            QVERIFY(WriteFile(name, Contents(kind)));
        }
        playable << (kind.contains("good") || kind == "click.wav");

        // All clicks first, results afterwards: the click after a broken file is the one that
        // blocked.
        Watchdog::Instance().Arm(("the click on " + kind).toStdString(), kClickSeconds);
        played << PlayWave(QStringLiteral(".\\") + name);
        if (emptyAfter) {
            QVERIFY(WriteFile(name, {}));
        }
        // The event loop still turns, and the player goes on loading on its own thread.
        bool turned = false;
        QTimer::singleShot(0, [&turned] { turned = true; });
        QTRY_VERIFY(turned);
        Watchdog::Instance().Disarm();
    }
    QCOMPARE(played, playable);
    QCOMPARE(QDir(m_temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

QTEST_MAIN(tst_SoundRealPlayer)
#include "tst_sound_realplayer.moc"
