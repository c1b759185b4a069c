// corvane-cli with the system failing on cue: the fault library (faults/Faults.cpp) in front of
// it cuts or grows the file between the checks and the writes, fails a sync, runs out of space
// at the n-th write or on a full disk, moves a byte at a time, holds a save part-way while
// another command meets it, and logs every file the program opens. Each row checks the exact
// message, the exit status, and every byte and the size of the named file and its neighbour.

#include <QFile>
#include <QTest>

#include <sys/stat.h>

#include <cstdio>

#include "tests/proof/ProofSupport.h"

using namespace corvane::test;

namespace {

// The environment that puts the fault library in front of corvane-cli. In a sanitizer build the
// AddressSanitizer runtime must come first of all libraries, so CORVANE_PRELOAD names it first.
QProcessEnvironment Faulty(const QString& file, const QString& faults,
                           const QString& log = QString()) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_PRELOAD", QStringLiteral(CORVANE_PRELOAD));
    environment.insert("CORVANE_FAULT_FILE", file);
    environment.insert("CORVANE_FAULTS", faults);
    if (!log.isEmpty()) {
        environment.insert("CORVANE_FAULT_LOG", log);
    }
    return environment;
}

}  // namespace

class tst_proof_faults : public QObject {
    Q_OBJECT
private slots:
    void injected_data();
    void injected();
    void devices_data();
    void devices();
    void crashes_data();
    void crashes();
    void saveBesideASave();
    void racesHoldingTheFile_data();
    void racesHoldingTheFile();
};

void tst_proof_faults::injected_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("faults");
    // "none"; "all": the demo file is all hole; "but the team slots": all hole but the block
    // that holds the team slots, which is written
    QTest::addColumn<QString>("holes");
    QTest::addColumn<QString>("message");  // %1: the quoted path; empty: success
    // What the demo file holds afterwards: "original", "saved", "team slots saved" (the first
    // write only), "cut N" (the original cut to N bytes; cut before the first write, the write
    // extends it to the end of the team slots, which hold their original bytes again), "grown
    // N" (the original, then zeros up to N bytes); or what is at its name: "replaced" (the
    // neighbour, renamed over it, untouched), "removed", "swapped" (a link to a device).
    QTest::addColumn<QString>("file");

    const QString putBack = "; the original bytes were put back";
    const QString resized =
        "Cannot save %1: another program changed its size during the save, "
        "from 18511216 to %2 bytes" +
        putBack;
    // Row 2 of the attacks: another program cuts or grows the file during the save.
    QTest::newRow("cut short before the first write")
        << "set"
        << "cut-before-write=1:4096"
        << "none" << resized.arg("%1", "18507804") << "cut 4096";
    QTest::newRow("cut inside the file before the first write")
        << "set"
        << "cut-before-write=1:18509824"
        << "none" << resized.arg("%1", "18509824") << "cut 18509824";
    QTest::newRow("grown before the first write")
        << "set"
        << "cut-before-write=1:18515312"
        << "none" << resized.arg("%1", "18515312") << "grown 18515312";
    QTest::newRow("cut short before the sync")
        << "set"
        << "cut-before-sync=1:18511184"
        << "none" << resized.arg("%1", "18511184") << "cut 18511184";
    // A failing disk.
    QTest::newRow("the sync fails, then works")
        << "set"
        << "sync-fails=1"
        << "none"
        << "Cannot save %1 to the disk: Input/output error" + putBack << "original";
    QTest::newRow("every sync fails") << "set"
                                      << "sync-fails=1+"
                                      << "none"
                                      << "Cannot save %1 to the disk: Input/output error" +
                                             putBack + ", but the disk did not confirm them"
                                      << "original";
    QTest::newRow("no space at the second write")
        << "set"
        << "no-space=2"
        << "none"
        << "Cannot write the Exhibition colour slot of %1 at offset 0x11A756C: No space left "
           "on device" +
               putBack
        << "original";
    QTest::newRow("no space from the second write on")
        << "set"
        << "no-space=2+"
        << "none"
        << "Cannot write the Exhibition colour slot of %1 at offset 0x11A756C: No space left "
           "on device; the file may be partly written"
        << "team slots saved";
    // Row 7: a full disk refuses every write into the hole the fields lie in, the restore's
    // too; the read-back shows that nothing changed.
    QTest::newRow("full disk, the fields in a hole")
        << "set"
        << "disk-full"
        << "all"
        << "Cannot write the team slots of %1 at offset 0x11A6814: No space left on device; the "
           "file still holds its original bytes"
        << "original";
    // The team slots lie in a written block and land; the colour slots lie in a hole and do
    // not: the team slots are put back, and the message says so.
    QTest::newRow("full disk, the colour slots in a hole")
        << "set"
        << "disk-full"
        << "but the team slots"
        << "Cannot write the Exhibition colour slot of %1 at offset 0x11A756C: No space left on "
           "device" +
               putBack
        << "original";
    QTest::newRow("full disk, the fields in written blocks") << "set"
                                                             << "disk-full"
                                                             << "none" << QString() << "saved";
    QTest::newRow("a byte at a time") << "set"
                                      << "short=1"
                                      << "none" << QString() << "saved";
    // Row 12: another program renames a file of the same size over the name, or removes the
    // file, during the save. The ten changed bytes went to a file that has no name any more,
    // and the one at the name is not the file saved: a failed save, put back.
    const QString replaced =
        "Cannot save %1: another program replaced or removed the file during the save" + putBack;
    QTest::newRow("replaced before the first write") << "set"
                                                     << "replace-before-write=1:NEIGHBOUR"
                                                     << "none" << replaced << "replaced";
    QTest::newRow("replaced before the sync") << "set"
                                              << "replace-before-sync=1:NEIGHBOUR"
                                              << "none" << replaced << "replaced";
    QTest::newRow("removed before the third write") << "set"
                                                    << "replace-before-write=3:-"
                                                    << "none" << replaced << "removed";
    // Row 13: the name becomes a link to a device right after the program looked it up. The
    // device is never opened (the log shows each open); the file looked up is the one read.
    QTest::newRow("swapped for a device after the look-up") << "set"
                                                            << "swap-after-lookup=/dev/ptmx"
                                                            << "none" << replaced << "swapped";
    QTest::newRow("show, swapped for a device after the look-up")
        << "show"
        << "swap-after-lookup=/dev/ptmx"
        << "none" << QString() << "swapped";
    QTest::newRow("show, a byte at a time") << "show"
                                            << "short=1"
                                            << "none" << QString() << "original";
}

void tst_proof_faults::injected() {
    QFETCH(QString, command);
    QFETCH(QString, faults);
    QFETCH(QString, holes);
    QFETCH(QString, message);
    QFETCH(QString, file);
    Scene scene(71, holes != "none");
    QVERIFY(scene.ok);
    if (holes == "but the team slots") {
        QVERIFY(PokeBytes(scene.file, kTeams, ReadBytes(scene.neighbour, kTeams, 8)));
        scene.before = FilesUnder(scene.dir.path());
    }
    const CliResult plain = RunCli({"show", scene.file});
    QStringList arguments = {command, scene.file};
    if (command == "set") {
        arguments += kEdit;
    }
    const QString log = scene.dir.path() + ".opens";  // outside the folder compared
    const CliResult r = RunCli(
        arguments, Faulty(scene.file, QString(faults).replace("NEIGHBOUR", scene.neighbour), log));
    // Whatever happened to the name, nothing but regular files was opened.
    const QByteArray opens = ReadWholeFile(log);
    QFile::remove(log);
    QVERIFY2(!opens.contains(" special "), opens.constData());
    if (message.isEmpty()) {
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, command == "show" ? plain.out : QByteArray());
    } else {
        QCOMPARE(r.err, FailureLine(message.arg(Quoted(scene.file))));
        QCOMPARE(r.status, 1);
    }

    const QByteArray original = scene.before.at(scene.file);
    if (file == "replaced" || file == "removed" || file == "swapped") {
        // Only a regular file counts: the link to a device is left out.
        std::map<QString, QByteArray> wanted = {
            {file == "replaced" ? scene.file : scene.neighbour, scene.before.at(scene.neighbour)}};
        QCOMPARE(Differences(FilesUnder(scene.dir.path()), wanted), QString());
        return;
    }
    QByteArray expected = original;
    const qint64 size = file.section(' ', 1).toLongLong();
    if (file == "saved") {
        expected = Saved(original);
    } else if (file == "team slots saved") {
        expected.replace(kTeams, 2, QByteArray::fromHex("7900"));
    } else if (file.startsWith("cut")) {
        expected.truncate(size);
        if (size < kTeams) {
            expected += QByteArray(kTeams - size, '\0') + original.mid(kTeams, 8);
        }
    } else if (file.startsWith("grown")) {
        expected += QByteArray(size - expected.size(), '\0');
    }
    QCOMPARE(scene.Wrong(expected), QString());
}

void tst_proof_faults::devices_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("cause");
    const QString special = "it is not a regular file";
    QTest::newRow("/dev/null") << "/dev/null" << special;
    QTest::newRow("/dev/zero") << "/dev/zero" << special;
    QTest::newRow("/dev/ptmx") << "/dev/ptmx" << special;
    QTest::newRow("a FIFO") << "fifo" << special;
    QTest::newRow("a symbolic link to /dev/ptmx") << "link" << special;
    QTest::newRow("a directory") << "directory"
                                 << "Is a directory";
}

// Row 4: a device, a FIFO or a folder is looked at and refused; the program opens none of them
// (the fault library logs every open the program makes).
void tst_proof_faults::devices() {
    QFETCH(QString, target);
    QFETCH(QString, cause);
    Scene scene(72);
    QVERIFY(scene.ok);
    QDir root(scene.dir.path());
    QString real = target;
    if (target == "fifo") {
        target = real = root.filePath("fifo.exe");
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    } else if (target == "link") {
        target = root.filePath("link.exe");
        real = "/dev/ptmx";
        QVERIFY(QFile::link(real, target));
    } else if (target == "directory") {
        target = real = root.filePath("folder.exe");
        QVERIFY(root.mkdir("folder.exe"));
    }
    // The log sees an open: that of the demo file itself.
    const QString log = root.filePath("opens.log");
    QCOMPARE(RunCli({"show", scene.file}, Faulty(scene.file, QString(), log)).status, 0);
    QVERIFY(ReadWholeFile(log).contains("open " + QFile::encodeName(scene.file) + '\n'));
    QVERIFY(QFile::remove(log));
    for (const QString command : {"show", "set"}) {
        QStringList arguments = {command, target};
        if (command == "set") {
            arguments += kEdit;
        }
        const CliResult r = RunCli(arguments, Faulty(scene.file, QString(), log));
        QCOMPARE(r.err, FailureLine("Cannot open " + Quoted(target) + ": " + cause));
        QCOMPARE(r.status, 1);
        const QByteArray opens = ReadWholeFile(log);
        QVERIFY2(!opens.contains("open " + QFile::encodeName(target) + '\n') &&
                     !opens.contains("open " + QFile::encodeName(real) + '\n') &&
                     !opens.contains(" special "),
                 opens.constData());
        QFile::remove(log);
    }
    QCOMPARE(scene.Wrong(), QString());
}

void tst_proof_faults::crashes_data() {
    QTest::addColumn<QString>("faults");
    QTest::addColumn<int>("writes");  // that the save makes
    QTest::newRow("a save") << QString() << 3;
    QTest::newRow("a save that fails at the sync and puts the bytes back") << "sync-fails=1" << 6;
}

// Row 14: the program is killed before each write of a save in turn. Whatever the moment, the
// team slots, the Exhibition slot and the font slot are each wholly old or new, in one of the
// states the save itself passes through: all old, the team slots new, the team slots and the
// Exhibition slot new, all new. (Putting back in the order of the writes would leave the team
// slots old beside new colours.)
void tst_proof_faults::crashes() {
    QFETCH(QString, faults);
    QFETCH(int, writes);
    const QStringList edit = {"--team1", "121", "--exhibition", "9,9,9,9", "--font", "1,2,3,4"};
    const QStringList passedThrough = {"old old old", "new old old", "new new old", "new new new"};
    for (int crash = 1; crash <= writes; ++crash) {
        Scene scene(75);
        QVERIFY(scene.ok);
        const CliResult r =
            RunCli(QStringList{"set", scene.file} + edit,
                   Faulty(scene.file, faults + ",crash-before-write=" + QString::number(crash)));
        QCOMPARE(r.status, -1);  // killed
        const QByteArray old = scene.before.at(scene.file);
        QByteArray expected = old;
        QStringList state;
        for (const auto& [offset, fresh] :
             {std::pair{kTeams, QByteArray::fromHex("7900")},
              std::pair{kExhibitionSlot, QByteArray(4, 9)},
              std::pair{kFontSlot, QByteArray::fromHex("01020304")}}) {
            const bool isNew = ReadBytes(scene.file, offset, fresh.size()) == fresh;
            state << (isNew ? "new" : "old");
            if (isNew) {
                expected.replace(offset, fresh.size(), fresh);
            }
        }
        const QString where = QStringLiteral("killed before write %1: ").arg(crash);
        QVERIFY2(passedThrough.contains(state.join(' ')), qPrintable(where + state.join(' ')));
        QVERIFY2(scene.Wrong(expected).isEmpty(), qPrintable(where + scene.Wrong(expected)));
    }
}

// Row 3, step by step: one set holds the file part-way through its save while another set and
// a show meet it; both are refused at once and write nothing; the first then finishes.
void tst_proof_faults::saveBesideASave() {
    Scene scene(73);
    QVERIFY(scene.ok);
    const QString marker = scene.dir.filePath("paused");
    QProcess first;
    first.setProcessEnvironment(Faulty(scene.file, "pause-before-write=1:" + marker));
    first.start(QStringLiteral(CORVANE_CLI), QStringList{"set", scene.file} + kEdit);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 30000);

    const QByteArray locked =
        FailureLine("Cannot open " + Quoted(scene.file) + ": it is locked by another program");
    const CliResult set = RunCli({"set", scene.file, "--team2", "5"});
    QCOMPARE(set.err, locked);
    QCOMPARE(set.status, 1);
    const CliResult show = RunCli({"show", scene.file});
    QCOMPARE(show.err, locked);
    QCOMPARE(show.status, 1);
    QCOMPARE(show.out, QByteArray());

    QVERIFY(QFile::remove(marker));
    const CliResult done = Finish(first);
    QCOMPARE(done.err, QByteArray());
    QCOMPARE(done.status, 0);
    QCOMPARE(scene.Wrong(Saved(scene.before.at(scene.file))), QString());
}

void tst_proof_faults::racesHoldingTheFile_data() {
    QTest::addColumn<bool>("sameFields");
    QTest::newRow("all twelve fields: never a mix") << true;
    QTest::newRow("different fields: no update lost") << false;
}

// Two set commands started together, A holding the file 50 ms before its first write, B for
// 100 ms between its first and its second, so that in most rounds one meets the other
// part-way. Without the lock, B's first write falls before A's save and the rest after it: the
// file would mix both sets, or lose A's update.
void tst_proof_faults::racesHoldingTheFile() {
    QFETCH(bool, sameFields);
    Scene scene(74);
    QVERIFY(scene.ok);
    int bothSaved = 0;
    int refused = 0;
    QCOMPARE(Race(scene, sameFields, 20, Faulty(scene.file, "delay-before-write=1:50"),
                  Faulty(scene.file, "delay-before-write=2:100"), &bothSaved, &refused),
             QString());
    qInfo("20 rounds: %d with both saved one after the other, %d with one refused", bothSaved,
          refused);
}

// The rows need the fault library in front of the program; where it cannot be put there, they
// are skipped, and CTest shows the skip.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString probe = QDir::temp().filePath("corvane-preload-probe");
    const CliResult r = RunCli({"--version"}, Faulty(probe, "short=1"));
    if (r.status != 0 || !r.err.isEmpty()) {
        std::printf("SKIP: the fault library cannot be preloaded into corvane-cli here: %s\n",
                    r.err.constData());
        return 77;
    }
    tst_proof_faults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_proof_faults.moc"
