// The bad-file matrix: the window's real Open and Save commands, answered through the dialog
// seam, against every kind of file that can go wrong, locks held by other programs included.
// Each row checks the message the user sees, every byte and the size of every file, that
// "Ready!!!" follows only a real success, and that the window's fields still show what they
// showed.

#include <QTemporaryDir>
#include <QTest>

#include <sys/inotify.h>
#include <sys/stat.h>  // mkfifo
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <memory>

#include "tests/proof/ProofSupport.h"
#include "tests/support/DeepFolder.h"
#include "tests/support/DemoFileFixture.h"
#include "tests/support/FaultyFileOps.h"
#include "tests/support/WindowDriver.h"

using namespace corvane;
using namespace corvane::test;
using Fault = FaultyFileOps::Fault;

namespace {

const QString kNotOpened = QStringLiteral("The file was not opened; nothing has changed.\n\n");
const QString kNotSaved = QStringLiteral("The save failed.\n\n");
const QString kTooShort =
    QStringLiteral("%1 is too short: it has %2 bytes, a demo executable needs at least 18511216");
const QString kPutBack = QStringLiteral("; the original bytes were put back");
const QString kLocked = QStringLiteral("Cannot open %1: it is locked by another program");

}  // namespace

class tst_proof_badfiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseFixedLook(); }
    void matrix_data();
    void matrix();
    void pathPastTheSystemLimit();
};

void tst_proof_badfiles::matrix_data() {
    QTest::addColumn<QString>("kind");
    // The one message the command shows; %1 is the path in quotes as messages give it.
    QTest::addColumn<QString>("message");
    // Which bytes of the opened file change: "none", "edits" (both edited fields, as a save
    // writes them), "team 1" (only the first block reached the file) or "cut" (another program
    // cut it to 4096 bytes; the first write extended it to the end of the team slots, which
    // hold their original bytes again).
    QTest::addColumn<QString>("changes");

    const QString noSuchFile = QStringLiteral("Cannot open %1: No such file or directory");
    // Open meets the bad file; the window keeps the file opened before.
    QTest::newRow("open: missing path") << "missing" << kNotOpened + noSuchFile << "none";
    QTest::newRow("open: missing non-ASCII path")
        << "missing non-ASCII" << kNotOpened + noSuchFile << "none";
    QTest::newRow("open: a directory")
        << "directory" << kNotOpened + "Cannot open %1: Is a directory"
        << "none";
#ifndef Q_OS_WIN
    QTest::newRow("open: a FIFO") << "fifo"
                                  << kNotOpened + "Cannot open %1: it is not a regular file"
                                  << "none";
#endif
    QTest::newRow("open: one byte too short")
        << "one byte short" << kNotOpened + kTooShort.arg("%1", "18511215") << "none";
    QTest::newRow("open: empty file") << "empty" << kNotOpened + kTooShort.arg("%1", "0") << "none";
    QTest::newRow("open: a device")
        << "device" << kNotOpened + "Cannot open %1: it is not a regular file"
        << "none";
    QTest::newRow("open: locked by flock -x")
        << "flock exclusive" << kNotOpened + kLocked << "none";
    QTest::newRow("open: locked by lockf") << "lockf" << kNotOpened + kLocked << "none";
    // Save meets a file that changed, a disk that fails or a lock, after a good Open.
    QTest::newRow("save: locked by lockf") << "save lockf" << kNotSaved + kLocked << "none";
    QTest::newRow("save: another program reads it under flock -s")
        << "save flock shared" << kNotSaved + kLocked << "none";
    QTest::newRow("save: cut short by another program before the first write")
        << "cut short"
        << kNotSaved +
               "Cannot save %1: another program changed its size during the save, from 18511216 "
               "to 18507804 bytes" +
               kPutBack
        << "cut";
    QTest::newRow("save: disk full, the fields in a hole")
        << "disk full"
        << kNotSaved +
               "Cannot write the team slots of %1 at offset 0x11A6814: No space left on device; "
               "the file still holds its original bytes"
        << "none";
    QTest::newRow("save: file removed after open") << "removed" << kNotSaved + noSuchFile << "none";
    QTest::newRow("save: file replaced by a shorter one")
        << "replaced" << kNotSaved + kTooShort.arg("%1", "18511215") << "none";
    QTest::newRow("save: short writes") << "short writes"
                                        << "Ready!!!"
                                        << "edits";
    QTest::newRow("save: no space part-way")
        << "no space"
        << kNotSaved +
               "Cannot write the Exhibition colour slot of %1 at offset 0x11A756C: No space "
               "left on device" +
               kPutBack
        << "none";
    QTest::newRow("save: fsync fails")
        << "sync fails"
        << kNotSaved + "Cannot save %1 to the disk: Input/output error" + kPutBack +
               ", but the disk did not confirm them"
        << "none";
    // Names the original program could not open at all.
    QTest::newRow("open and save: non-ASCII path") << "non-ASCII"
                                                   << "Ready!!!"
                                                   << "edits";
    QTest::newRow("open and save: path over 300 characters") << "long"
                                                             << "Ready!!!"
                                                             << "edits";
}

void tst_proof_badfiles::matrix() {
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QFETCH(QString, changes);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    QString good = root.filePath(QStringLiteral("pes2012.exe"));
    if (kind == "non-ASCII") {
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("Démo ✓ Łódź 日本")));
        good = root.filePath(QStringLiteral("Démo ✓ Łódź 日本/pes2012 – ß.exe"));
    } else if (kind == "long") {
        const QString folders =
            QString(100, 'a') + '/' + QString(100, 'b') + '/' + QString(100, 'c');
        QVERIFY(QDir(root.path()).mkpath(folders));
        good = root.filePath(folders + QStringLiteral("/pes2012.exe"));
        QVERIFY(good.size() > 300);
    }
    QVERIFY(WriteDemoFile(good, 41));

    FaultyFileOps ops;
    WindowDriver d(&ops);
    QVERIFY(d.exposed);
    d.Open(good);
    QVERIFY2(d.messages.shown.isEmpty(), qPrintable(d.messages.shown.value(0).text));
    QCOMPARE(d.w->FileName(), good);
    d.Type(d.w->txt[0], QStringLiteral("121"));
    d.Type(d.w->C[11], QStringLiteral("200"));

    // Set the row up; `target` is the path the command meets.
    QString target = good;
    bool open = false;
    std::unique_ptr<HeldLock> lock;
    int watch = -1;  // inotify: whether anything opens the special file of the row
    if (kind == "missing") {
        target = root.filePath(QStringLiteral("gone.exe"));
        open = true;
    } else if (kind == "missing non-ASCII") {
        target = root.filePath(QStringLiteral("Démo – gone ✓.exe"));
        open = true;
    } else if (kind == "directory") {
        target = root.filePath(QStringLiteral("folder.exe"));
        QVERIFY(QDir(root.path()).mkdir(QStringLiteral("folder.exe")));
        open = true;
#ifndef Q_OS_WIN
    } else if (kind == "fifo") {
        target = root.filePath(QStringLiteral("fifo.exe"));
        QCOMPARE(::mkfifo(ToPath(target).c_str(), 0600), 0);
        watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(::inotify_add_watch(watch, ToPath(target).c_str(), IN_OPEN) >= 0);
        open = true;
#endif
    } else if (kind == "device") {
        target = QStringLiteral("/dev/ptmx");
        open = true;
    } else if (kind == "flock exclusive" || kind == "lockf") {
        lock = std::make_unique<HeldLock>(kind, good);
        QVERIFY(lock->isHeld());
        open = true;
    } else if (kind.startsWith("save ")) {
        lock = std::make_unique<HeldLock>(kind.mid(5), good);
        QVERIFY(lock->isHeld());
    } else if (kind == "cut short") {
        ops.fault = Fault::ResizeBeforeWrite;
        ops.resizeTo = 4096;
    } else if (kind == "disk full") {
        ops.fault = Fault::WritesFail;
        ops.error = ENOSPC;
    } else if (kind == "one byte short") {
        target = root.filePath(QStringLiteral("short.exe"));
        QVERIFY(WriteDemoFile(target, 42, kDemoFileSize - 1));
        open = true;
    } else if (kind == "empty") {
        target = root.filePath(QStringLiteral("empty.exe"));
        QVERIFY(WriteDemoFile(target, 43, 0));
        open = true;
    } else if (kind == "removed") {
        QVERIFY(QFile::remove(good));
    } else if (kind == "replaced") {
        // As a copy tool replaces a file: a new file renamed over the old name.
        const QString other = root.filePath(QStringLiteral("new.exe"));
        QVERIFY(WriteDemoFile(other, 44, kDemoFileSize - 1));
        QVERIFY(std::rename(ToPath(other).c_str(), ToPath(good).c_str()) == 0);
    } else if (kind == "short writes") {
        ops.fault = Fault::ShortTransfers;
    } else if (kind == "no space") {
        ops.fault = Fault::WriteFailsPartWay;
        ops.at = 2;
        ops.error = ENOSPC;
    } else if (kind == "sync fails") {
        ops.fault = Fault::SyncFails;
    }

    const QStringList shown = d.Snapshot();
    const std::map<QString, QByteArray> before = FilesUnder(root.path());
    if (open) {
        d.Open(target);
    } else {
        d.ClickSave();
    }

    // What the user sees: one message, naming the file and the cause.
    QCOMPARE(d.messages.shown.size(), 1);
    const auto& seen = d.messages.shown[0];
    const QString expected = message.contains(u'%') ? message.arg(Quoted(target)) : message;
    QCOMPARE(seen.text, expected);
    QCOMPARE(seen.title, kAppTitle);
    const bool success = message == QStringLiteral("Ready!!!");
    QCOMPARE(seen.icon, success ? QMessageBox::NoIcon : QMessageBox::Warning);
    QVERIFY(success || !seen.text.contains(QStringLiteral("Ready!!!")));

    // The window shows what it showed, and keeps the file it had opened.
    QCOMPARE(d.Snapshot(), shown);
    QCOMPARE(d.w->FileName(), good);

    // Nothing opened the FIFO, not even to refuse it.
    if (watch >= 0) {
        char events[4096];
        QCOMPARE(::read(watch, events, sizeof events), ssize_t(-1));
        ::close(watch);
    }

    // Every byte of every file: only the fields a save wrote changed.
    std::map<QString, QByteArray> wanted = before;
    if (changes == "cut") {
        QByteArray& bytes = wanted[good];
        bytes = bytes.left(4096) + QByteArray(kTeams - 4096, '\0') + bytes.mid(kTeams, 8);
    } else if (changes != "none") {
        QByteArray& bytes = wanted[good];
        bytes.replace(kTeams, 2, Bytes({121, 0}));
        if (changes == "edits") {
            bytes[kFontSlot + 1] = static_cast<char>(200);
        }
    }
    QCOMPARE(Differences(FilesUnder(root.path()), wanted), QString());
}

// Open and Save of a file 4,500 bytes deep, past what the system takes in one call: the
// window reaches it folder by folder, as the command line does.
void tst_proof_badfiles::pathPastTheSystemLimit() {
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString staging = root.filePath(QStringLiteral("staging.exe"));
    QVERIFY(WriteDemoFile(staging, 45));
    const QByteArray before = ReadWholeFile(staging);
    {
        const DeepFolder deep(root.path(), 20, 225);
        QVERIFY(deep.isValid());
        QVERIFY(deep.moveIn(staging, "pes2012.exe"));
        const QString path = deep.qpath("pes2012.exe");
        QVERIFY(path.size() > 4520);

        WindowDriver d;
        QVERIFY(d.exposed);
        d.Open(path);
        QVERIFY2(d.messages.shown.isEmpty(), qPrintable(d.messages.shown.value(0).text));
        QCOMPARE(d.w->FileName(), path);
        d.Type(d.w->txt[0], QStringLiteral("121"));
        d.ClickSave();
        QCOMPARE(d.messages.shown.size(), 1);
        QCOMPARE(d.messages.shown[0].text, QStringLiteral("Ready!!!"));
        QVERIFY(deep.moveOut("pes2012.exe", staging));
    }
    QByteArray wanted = before;
    wanted.replace(kTeams, 2, Bytes({121, 0}));
    QCOMPARE(FirstDifference(ReadWholeFile(staging), wanted), -1);
}

QTEST_MAIN(tst_proof_badfiles)
#include "tst_proof_badfiles.moc"
