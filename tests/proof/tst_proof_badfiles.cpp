// The bad-file matrix: the window's real Open and Save commands, answered through the dialog
// seam, against every kind of file that can go wrong. Each row checks the message the user
// sees, every byte of every file, that "Ready!!!" follows only a real success, and that the
// window's fields still show what they showed.

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>  // mkfifo
#endif

#include <cstdio>
#include <filesystem>
#include <map>

#include "CountingFileOps.h"
#include "DemoBytes.h"
#include "DemoFileFixture.h"
#include "WindowDriver.h"

using namespace corvane;
using namespace corvane::test;
using Fault = CountingFileOps::Fault;

namespace {

const QString kNotOpened = QStringLiteral("The file was not opened; nothing has changed.\n\n");
const QString kNotSaved = QStringLiteral("The save failed.\n\n");
const QString kTooShort =
    QStringLiteral("%1 is too short: it has %2 bytes, a demo executable needs at least 18511216");
const QString kPutBack = QStringLiteral("; the original bytes were put back");

// Every regular file under `root` with its bytes. FIFOs and folders are left out: reading a
// FIFO would block, and neither holds bytes a command could change.
std::map<QString, QByteArray> FilesUnder(const QString& root) {
    std::map<QString, QByteArray> files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (std::filesystem::is_regular_file(ToPath(path))) {
            files[path] = ReadWholeFile(path);
        }
    }
    return files;
}

QString Quoted(const QString& path) {
    return '"' + path + '"';
}

}  // namespace

class tst_proof_badfiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseFixedLook(); }
    void matrix_data();
    void matrix();
};

void tst_proof_badfiles::matrix_data() {
    QTest::addColumn<QString>("kind");
    // The one message the command shows; %1 is the path in quotes as messages give it.
    QTest::addColumn<QString>("message");
    // Which bytes of the opened file change: "none", "edits" (both edited fields, as a save
    // writes them) or "team 1" (only the first block reached the file).
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
    // Save meets a file that changed, or a disk that fails, after a good Open.
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

    CountingFileOps ops;
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
        open = true;
#endif
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
        ops.fault = Fault::ShortWrites;
    } else if (kind == "no space") {
        ops.fault = Fault::NoSpace;
        ops.failOnWrite = 2;
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

    // Every byte of every file: only the fields a save wrote changed.
    std::map<QString, QByteArray> wanted = before;
    if (changes != "none") {
        QByteArray& bytes = wanted[good];
        bytes.replace(kTeams, 2, Bytes({121, 0}));
        if (changes == "edits") {
            bytes[kFontSlot + 1] = static_cast<char>(200);
        }
    }
    const std::map<QString, QByteArray> after = FilesUnder(root.path());
    QCOMPARE(after.size(), wanted.size());  // nothing created, nothing removed
    for (const auto& [path, bytes] : wanted) {
        const auto found = after.find(path);
        QVERIFY2(found != after.end(), qPrintable(path + " is gone"));
        QVERIFY2(found->second.size() == bytes.size(), qPrintable(path + " changed its size"));
        const qint64 at = FirstDifference(found->second, bytes);
        QVERIFY2(at < 0,
                 qPrintable(QStringLiteral("%1 differs at offset 0x%2").arg(path).arg(at, 0, 16)));
    }
}

QTEST_MAIN(tst_proof_badfiles)
#include "tst_proof_badfiles.moc"
