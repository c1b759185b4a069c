// The demo-file operations against real files: the bytes at the twelve offsets, that nothing
// else changes, and the files they must refuse.
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <functional>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/DeepFolder.h"
#endif

#include "core/DemoFile.h"
#include "core/Error.h"
#include "core/PatchMap.h"
#include "tests/support/DemoFileFixture.h"

using namespace corvane;
using corvane::test::DemoFileFixture;
using corvane::test::kExhibitionSlot;
using corvane::test::kFontSlot;
using corvane::test::kTeams;

Q_DECLARE_METATYPE(corvane::PatchValues)

namespace {

// The file as it must be after a save of `values`: the original with only the 16 bytes of
// the twelve fields replaced.
QByteArray Patched(QByteArray file, const QByteArray& teams, const QByteArray& exhibition,
                   const QByteArray& font) {
    file.replace(kTeams, 8, teams);
    file.replace(kExhibitionSlot, 4, exhibition);
    file.replace(kFontSlot, 4, font);
    return file;
}

PatchValues Values(std::array<std::int16_t, 4> teams, ColourSlot exhibition, ColourSlot font) {
    PatchValues v;
    v.teams = teams;
    v.exhibition = exhibition;
    v.font = font;
    return v;
}

QString ErrorOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const Error& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

}  // namespace

class tst_DemoFile : public QObject {
    Q_OBJECT

private slots:
    void readTeamSlots_data();
    void readTeamSlots();
    void readColourSlot_data();
    void readColourSlot();
    void writePatch_data();
    void writePatch();
    void rewriteLeavesFileUnchanged();
    void refusedPaths_data();
    void refusedPaths();
    void shortFiles_data();
    void shortFiles();
    void unusualPaths_data();
    void unusualPaths();
    void editThatThrowsWritesNothing();
#ifndef Q_OS_WIN
    void locks_data();
    void locks();
    void pathsLongerThanTheSystemTakes_data();
    void pathsLongerThanTheSystemTakes();
#endif
};

void tst_DemoFile::readTeamSlots_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<int>>("ids");
    QTest::newRow("catalogue") << QByteArray::fromHex("6400790047 01C000")
                               << QList{100, 121, 327, 192};
    QTest::newRow("extremes") << QByteArray::fromHex("0080FF7FFFFF0000")
                              << QList{-32768, 32767, -1, 0};
    QTest::newRow("high byte") << QByteArray::fromHex("F004E604E404EF04")
                               << QList{1264, 1254, 1252, 1263};
}

void tst_DemoFile::readTeamSlots() {
    QFETCH(QByteArray, bytes);
    QFETCH(QList<int>, ids);
    DemoFileFixture demo(7);
    QVERIFY(demo.isValid());
    QVERIFY(test::PokeBytes(demo.path(), kTeams, bytes));
    const QByteArray before = demo.bytes();

    const auto teams = ReadTeamSlots(demo.fsPath());
    QCOMPARE((QList<int>{teams[0], teams[1], teams[2], teams[3]}), ids);
    QCOMPARE(test::FirstDifference(demo.bytes(), before), -1);
}

void tst_DemoFile::readColourSlot_data() {
    QTest::addColumn<QByteArray>("exhibition");
    QTest::addColumn<QByteArray>("font");
    QTest::newRow("orange and brown")
        << QByteArray::fromHex("FF8000C8") << QByteArray::fromHex("123456FF");
    QTest::newRow("black and white")
        << QByteArray::fromHex("00000000") << QByteArray::fromHex("FFFFFFFF");
}

void tst_DemoFile::readColourSlot() {
    QFETCH(QByteArray, exhibition);
    QFETCH(QByteArray, font);
    DemoFileFixture demo(8);
    QVERIFY(demo.isValid());
    QVERIFY(test::PokeBytes(demo.path(), kExhibitionSlot, exhibition));
    QVERIFY(test::PokeBytes(demo.path(), kFontSlot, font));

    auto asBytes = [](const ColourSlot& s) {
        const char bytes[] = {char(s.red), char(s.green), char(s.blue), char(s.transparency)};
        return QByteArray(bytes, 4);
    };
    QCOMPARE(asBytes(ReadColourSlot(demo.fsPath(), ColourSlotId::Exhibition)), exhibition);
    QCOMPARE(asBytes(ReadColourSlot(demo.fsPath(), ColourSlotId::Font)), font);

    const PatchValues all = ReadPatch(demo.fsPath());
    QCOMPARE(asBytes(all.exhibition), exhibition);
    QCOMPARE(asBytes(all.font), font);
}

void tst_DemoFile::writePatch_data() {
    QTest::addColumn<PatchValues>("values");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QByteArray>("teams");
    QTest::addColumn<QByteArray>("exhibition");
    QTest::addColumn<QByteArray>("font");

    const PatchValues sample = Values({100, 121, 327, 192}, {255, 128, 0, 200}, {18, 52, 86, 255});
    QTest::newRow("sample") << sample << test::kDemoFileSize
                            << QByteArray::fromHex("6400790047 01C000")
                            << QByteArray::fromHex("FF8000C8") << QByteArray::fromHex("123456FF");
    QTest::newRow("longer file") << sample << test::kDemoFileSize + 100000
                                 << QByteArray::fromHex("6400790047 01C000")
                                 << QByteArray::fromHex("FF8000C8")
                                 << QByteArray::fromHex("123456FF");
    QTest::newRow("extremes") << Values({-32768, 32767, -1, 0}, {0, 0, 0, 0}, {255, 255, 255, 255})
                              << test::kDemoFileSize << QByteArray::fromHex("0080FF7FFFFF0000")
                              << QByteArray::fromHex("00000000") << QByteArray::fromHex("FFFFFFFF");
    QTest::newRow("zeros") << PatchValues{} << test::kDemoFileSize << QByteArray(8, '\0')
                           << QByteArray(4, '\0') << QByteArray(4, '\0');
}

void tst_DemoFile::writePatch() {
    QFETCH(PatchValues, values);
    QFETCH(qint64, size);
    QFETCH(QByteArray, teams);
    QFETCH(QByteArray, exhibition);
    QFETCH(QByteArray, font);
    DemoFileFixture demo(9, size);
    QVERIFY(demo.isValid());
    const QByteArray expected = Patched(demo.bytes(), teams, exhibition, font);

    WritePatch(demo.fsPath(), values);
    QCOMPARE(test::FirstDifference(demo.bytes(), expected), -1);
    QCOMPARE(ReadPatch(demo.fsPath()), values);

    WritePatch(demo.fsPath(), values);  // a second save of the same values changes nothing
    QCOMPARE(test::FirstDifference(demo.bytes(), expected), -1);
}

void tst_DemoFile::rewriteLeavesFileUnchanged() {
    DemoFileFixture demo(10);
    QVERIFY(demo.isValid());
    const QByteArray before = demo.bytes();
    WritePatch(demo.fsPath(), ReadPatch(demo.fsPath()));
    QCOMPARE(test::FirstDifference(demo.bytes(), before), -1);
}

void tst_DemoFile::refusedPaths_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("cause");
    QTest::newRow("missing file") << "missing"
                                  << "No such file or directory";
    QTest::newRow("missing folder") << "missing folder"
                                    << "No such file or directory";
    QTest::newRow("directory") << "directory"
                               << "Is a directory";
#ifndef Q_OS_WIN
    QTest::newRow("fifo") << "fifo"
                          << "it is not a regular file";
    QTest::newRow("device") << "device"
                            << "it is not a regular file";
#endif
}

// Each row names something that is not a demo file; all three operations must refuse it,
// name it and its cause, and leave the file system as it was (nothing created).
void tst_DemoFile::refusedPaths() {
    QFETCH(QString, kind);
    QFETCH(QString, cause);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = dir.filePath("pes2012.exe");
    if (kind == "missing folder") {
        path = dir.filePath("gone/pes2012.exe");
    } else if (kind == "device") {
        path = "/dev/null";
    } else if (kind == "directory") {
        QVERIFY(QDir(dir.path()).mkdir("pes2012.exe"));
    }
#ifndef Q_OS_WIN
    if (kind == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
#endif
    const QStringList entriesBefore = QDir(dir.path()).entryList(QDir::AllEntries | QDir::System);
    const std::filesystem::path fsPath = test::ToPath(path);

    const QStringList errors = {
        ErrorOf([&] { ReadTeamSlots(fsPath); }),
        ErrorOf([&] { ReadColourSlot(fsPath, ColourSlotId::Font); }),
        ErrorOf([&] { ReadPatch(fsPath); }),
        ErrorOf([&] { WritePatch(fsPath, PatchValues{}); }),
        ErrorOf([&] { UpdatePatch(fsPath, [](PatchValues&) {}); }),
    };
    for (const QString& error : errors) {
        QCOMPARE(error, QString("Cannot open \"%1\": %2").arg(path, cause));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System), entriesBefore);
    QVERIFY(!QFileInfo::exists(dir.filePath("gone")));
}

void tst_DemoFile::shortFiles_data() {
    QTest::addColumn<qint64>("size");
    QTest::newRow("one byte short") << test::kDemoFileSize - 1;
    QTest::newRow("ends inside the font slot") << qint64(0x11A753A);
    QTest::newRow("ends before the colour slots") << qint64(0x11A6900);
    QTest::newRow("ends inside the team slots") << qint64(0x11A6815);
    QTest::newRow("small") << qint64(100);
    QTest::newRow("empty") << qint64(0);
}

void tst_DemoFile::shortFiles() {
    QFETCH(qint64, size);
    DemoFileFixture demo(11, size);
    QVERIFY(demo.isValid());
    const QByteArray before = demo.bytes();
    const QString expected =
        QString("\"%1\" is too short: it has %2 bytes, a demo executable needs at least 18511216")
            .arg(demo.path())
            .arg(size);

    QCOMPARE(ErrorOf([&] { ReadTeamSlots(demo.fsPath()); }), expected);
    QCOMPARE(ErrorOf([&] { ReadColourSlot(demo.fsPath(), ColourSlotId::Exhibition); }), expected);
    QCOMPARE(ErrorOf([&] { ReadPatch(demo.fsPath()); }), expected);
    QCOMPARE(ErrorOf([&] { WritePatch(demo.fsPath(), PatchValues{}); }), expected);
    QCOMPARE(QFileInfo(demo.path()).size(), size);
    QCOMPARE(test::FirstDifference(demo.bytes(), before), -1);
}

void tst_DemoFile::unusualPaths_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::newRow("non-ASCII") << QString::fromUtf8("Démo été ✓ 日本")
                               << QString::fromUtf8("pès2012 ☃.exe");
    QTest::newRow("blanks and quotes") << "a b"
                                       << "it's \"pes2012\" .exe";
    // Every component stays under the file system's 255-byte limit; the whole path does not.
    const QString deep = QString("d").repeated(120) + "/" + QString::fromUtf8("é").repeated(100) +
                         "/" + QString("f").repeated(120);
    QTest::newRow("over 300 characters") << deep << QString("p").repeated(200) + ".exe";
}

void tst_DemoFile::unusualPaths() {
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath(folder));
    const QString path = dir.filePath(folder + "/" + name);
    QVERIFY(QTest::currentDataTag() != QByteArray("over 300 characters") || path.size() > 300);
    QVERIFY(test::WriteDemoFile(path, 12));
    const QByteArray before = test::ReadWholeFile(path);

    const PatchValues values = Values({1, -2, 3, -4}, {5, 6, 7, 8}, {9, 10, 11, 12});
    WritePatch(test::ToPath(path), values);
    QCOMPARE(ReadPatch(test::ToPath(path)), values);
    const QByteArray expected =
        Patched(before, QByteArray::fromHex("0100FEFF0300FCFF"), QByteArray::fromHex("05060708"),
                QByteArray::fromHex("090A0B0C"));
    QCOMPARE(test::FirstDifference(test::ReadWholeFile(path), expected), -1);

    // A message names such a path exactly, as UTF-8.
    const QString missing = path + "x";
    QCOMPARE(ErrorOf([&] { ReadTeamSlots(test::ToPath(missing)); }),
             QString("Cannot open \"%1\": No such file or directory").arg(missing));
}

// An update whose edit fails writes nothing: the edit runs before the first write.
void tst_DemoFile::editThatThrowsWritesNothing() {
    DemoFileFixture demo(13);
    QVERIFY(demo.isValid());
    const QByteArray before = demo.bytes();
    QCOMPARE(ErrorOf([&] {
                 UpdatePatch(demo.fsPath(), [](PatchValues& v) {
                     v.teams[0] = 5;
                     throw Error("the edit failed");
                 });
             }),
             QString("the edit failed"));
    QCOMPARE(test::FirstDifference(demo.bytes(), before), -1);
}

#ifndef Q_OS_WIN
void tst_DemoFile::locks_data() {
    QTest::addColumn<QString>("held");
    QTest::addColumn<bool>("readable");  // whether reading may go on beside the lock
    // The kinds of lock other programs take: flock(1) and flock(2), lockf(3), fcntl(2) record
    // locks and open-file-description locks. A save is refused beside any of them, reading
    // beside an exclusive one.
    QTest::newRow("flock shared") << "flock shared" << true;
    QTest::newRow("flock exclusive") << "flock exclusive" << false;
    QTest::newRow("lockf") << "lockf" << false;
    QTest::newRow("fcntl read lock") << "fcntl read" << true;
    QTest::newRow("fcntl write lock") << "fcntl write" << false;
    QTest::newRow("fcntl write lock on one byte of the team slots")
        << "fcntl write team byte" << false;
    QTest::newRow("open-file-description read lock") << "ofd read" << true;
}

// Locks held on another opening of the file. Record locks belong to a process and go with any
// of its descriptors of the file, so each operation gets a freshly taken lock.
void tst_DemoFile::locks() {
    QFETCH(QString, held);
    QFETCH(bool, readable);
    DemoFileFixture demo(14);
    QVERIFY(demo.isValid());
    const QByteArray before = demo.bytes();
    const QString locked = QString("Cannot open \"%1\": it is locked by another program");

    const auto hold = [&] {
        const int fd = ::open(demo.fsPath().c_str(), O_RDWR | O_CLOEXEC);
        struct flock range {};
        range.l_whence = SEEK_SET;
        range.l_type = held.contains("read") ? F_RDLCK : F_WRLCK;
        if (held.contains("team byte")) {
            range.l_start = 0x11A6815;
            range.l_len = 1;
        }
        const bool ok = held == "flock shared"      ? ::flock(fd, LOCK_SH) == 0
                        : held == "flock exclusive" ? ::flock(fd, LOCK_EX) == 0
                        : held == "lockf"           ? ::lockf(fd, F_LOCK, 0) == 0
                        : held.startsWith("ofd")    ? ::fcntl(fd, F_OFD_SETLK, &range) == 0
                                                    : ::fcntl(fd, F_SETLK, &range) == 0;
        return ok ? fd : -1;
    };
    const std::function<void()> operations[] = {
        [&] { ReadPatch(demo.fsPath()); },
        [&] { ReadTeamSlots(demo.fsPath()); },
        [&] { WritePatch(demo.fsPath(), PatchValues{}); },
        [&] { UpdatePatch(demo.fsPath(), [](PatchValues& v) { v.teams[0] = 1; }); },
    };
    for (int i = 0; i < 4; ++i) {
        const int fd = hold();
        QVERIFY(fd >= 0);
        const bool reading = i < 2;
        QCOMPARE(ErrorOf(operations[i]), reading && readable ? QString() : locked.arg(demo.path()));
        ::close(fd);
        QCOMPARE(test::FirstDifference(demo.bytes(), before), -1);
    }
    // Once the lock is gone, so is the refusal.
    QCOMPARE(ErrorOf(operations[3]), QString());
    QCOMPARE(ReadTeamSlots(demo.fsPath())[0], 1);
}

void tst_DemoFile::pathsLongerThanTheSystemTakes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cause");  // empty: the operations succeed
    QTest::newRow("a file") << "pes2012.exe" << QString();
    // A symbolic link at the end is followed, as by one open of the whole name.
    QTest::newRow("a symbolic link to a file elsewhere") << "link.exe" << QString();
    QTest::newRow("missing") << "gone.exe"
                             << "No such file or directory";
    QTest::newRow("a folder on the way is a file") << "pes2012.exe/x.exe"
                                                   << "Not a directory";
}

// 20 folders of 225 letters: a path of more than 4,520 bytes, past PATH_MAX (4,096).
void tst_DemoFile::pathsLongerThanTheSystemTakes() {
    QFETCH(QString, name);
    QFETCH(QString, cause);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const test::DeepFolder deep(dir.path(), 20, 225);
    QVERIFY(deep.isValid());
    const QString staging = dir.filePath("staging.exe");
    QVERIFY(test::WriteDemoFile(staging, 15));
    const QByteArray before = test::ReadWholeFile(staging);
    QVERIFY(deep.moveIn(staging, "pes2012.exe"));
    const QString elsewhere = dir.filePath("elsewhere.exe");
    QVERIFY(test::WriteDemoFile(elsewhere, 15));
    QVERIFY(deep.symlink(elsewhere, "link.exe"));

    const std::filesystem::path path = deep.path(name.toStdString());
    QVERIFY(path.native().size() > 4520);
    const PatchValues values = Values({1, -2, 3, -4}, {5, 6, 7, 8}, {9, 10, 11, 12});
    if (!cause.isEmpty()) {
        const QString message =
            QString("Cannot open \"%1\": %2").arg(deep.qpath(name.toStdString()), cause);
        QCOMPARE(ErrorOf([&] { ReadPatch(path); }), message);
        QCOMPARE(ErrorOf([&] { WritePatch(path, values); }), message);
        QVERIFY(deep.moveOut("pes2012.exe", staging));
        QCOMPARE(test::FirstDifference(test::ReadWholeFile(staging), before), -1);
        return;
    }
    WritePatch(path, values);
    QCOMPARE(ReadPatch(path), values);
    const QByteArray expected =
        Patched(before, QByteArray::fromHex("0100FEFF0300FCFF"), QByteArray::fromHex("05060708"),
                QByteArray::fromHex("090A0B0C"));
    const QString written = name == "link.exe" ? elsewhere : staging;
    QVERIFY(deep.moveOut("pes2012.exe", staging));
    QCOMPARE(test::FirstDifference(test::ReadWholeFile(written), expected), -1);
    QCOMPARE(test::FirstDifference(test::ReadWholeFile(name == "link.exe" ? staging : elsewhere),
                                   before),
             -1);
}
#endif

QTEST_APPLESS_MAIN(tst_DemoFile)
#include "tst_demofile.moc"
