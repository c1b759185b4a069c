// corvane-cli attacked as a hostile user or a busy machine would: locks held by other programs,
// two saves at once, a user who may only read, paths longer than the system takes, and every
// kind of bad file. Each row checks the exact message, the exit status, and every byte and the
// size of the named file and its neighbour. (The faults that need the system to fail on cue
// are in tst_proof_faults.)

#include <QFile>
#include <QTest>

#include <unistd.h>

#include <sys/stat.h>

#include "tests/proof/ProofSupport.h"
#include "tests/support/DeepFolder.h"

using namespace corvane::test;

namespace {

QString Refused(const QString& file, const QString& cause) {
    return "Cannot open " + Quoted(file) + ": " + cause;
}

}  // namespace

class tst_proof_attacks : public QObject {
    Q_OBJECT
private slots:
    void locks_data();
    void locks();
    void races_data();
    void races();
    void readOnly_data();
    void readOnly();
    void longPaths_data();
    void longPaths();
    void badFiles_data();
    void badFiles();
};

void tst_proof_attacks::locks_data() {
    const QString kLocked = "it is locked by another program";
    QTest::addColumn<QString>("held");
    QTest::addColumn<bool>("readable");  // whether show may read beside the lock
    QTest::addColumn<QString>("cause");  // why the others are refused
    QTest::newRow("flock -s (another reader)") << "flock shared" << true << kLocked;
    QTest::newRow("flock -x") << "flock exclusive" << false << kLocked;
    QTest::newRow("lockf") << "lockf" << false << kLocked;
    QTest::newRow("fcntl read lock") << "fcntl-read" << true << kLocked;
    QTest::newRow("fcntl write lock") << "fcntl-write" << false << kLocked;
    QTest::newRow("fcntl write lock on one byte of the team slots")
        << "fcntl-write-byte" << false << kLocked;
    QTest::newRow("open-file-description write lock") << "ofd-write" << false << kLocked;
    // A lease holds back every open of the file until its holder lets go; the open is
    // refused at once instead of waiting.
    QTest::newRow("a write lease") << "lease" << false << "it is in use by another program";
}

// Another program holds a lock: show reads beside a shared one; set is refused at once by any,
// writes nothing, and saves once the lock is gone.
void tst_proof_attacks::locks() {
    QFETCH(QString, held);
    QFETCH(bool, readable);
    QFETCH(QString, cause);
    Scene scene(61);
    QVERIFY(scene.ok);
    const CliResult plain = RunCli({"show", scene.file});
    QCOMPARE(plain.status, 0);
    {
        HeldLock lock(held, scene.file);
        QVERIFY(lock.isHeld());
        const CliResult show = RunCli({"show", scene.file});
        const CliResult set = RunCli(QStringList{"set", scene.file} + kEdit);
        if (readable) {
            QCOMPARE(show.err, QByteArray());
            QCOMPARE(show.status, 0);
            QCOMPARE(show.out, plain.out);
        } else {
            QCOMPARE(show.err, FailureLine(Refused(scene.file, cause)));
            QCOMPARE(show.status, 1);
            QCOMPARE(show.out, QByteArray());
        }
        QCOMPARE(set.err, FailureLine(Refused(scene.file, cause)));
        QCOMPARE(set.status, 1);
        QCOMPARE(scene.Wrong(), QString());
    }
    const CliResult set = RunCli(QStringList{"set", scene.file} + kEdit);
    QCOMPARE(set.err, QByteArray());
    QCOMPARE(set.status, 0);
    QCOMPARE(scene.Wrong(Saved(scene.before.at(scene.file))), QString());
}

void tst_proof_attacks::races_data() {
    QTest::addColumn<bool>("sameFields");
    QTest::newRow("all twelve fields: never a mix") << true;
    QTest::newRow("different fields: no update lost") << false;
}

// Two set commands started together, as fast as the machine starts them. (tst_proof_faults
// makes each hold the file long enough for the other to meet it every round.)
void tst_proof_attacks::races() {
    QFETCH(bool, sameFields);
    Scene scene(62);
    QVERIFY(scene.ok);
    int bothSaved = 0;
    int refused = 0;
    const QProcessEnvironment plain = QProcessEnvironment::systemEnvironment();
    QCOMPARE(Race(scene, sameFields, 40, plain, plain, &bothSaved, &refused), QString());
    qInfo("40 rounds: %d with both saved one after the other, %d with one refused", bothSaved,
          refused);
}

void tst_proof_attacks::readOnly_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("mode");  // of the demo file
    QTest::addColumn<QString>("cause");
    QTest::newRow("show a file the user may only read") << "show" << 0644 << QString();
    QTest::newRow("set a file the user may only read") << "set" << 0644 << "Permission denied";
    QTest::newRow("show a file the user may not read") << "show" << 0600 << "Permission denied";
}

// A user without the right to write: as root (which every permission lets through) the
// command runs as nobody through setpriv; any other user meets the file's own permissions.
void tst_proof_attacks::readOnly() {
    QFETCH(QString, command);
    QFETCH(int, mode);
    QFETCH(QString, cause);
    Scene scene(63);
    QVERIFY(scene.ok);
    const CliResult plain = RunCli({"show", scene.file});
    QCOMPARE(plain.status, 0);
    const bool root = ::geteuid() == 0;
    QCOMPARE(::chmod(QFile::encodeName(scene.dir.path()).constData(), 0755), 0);
    // Without root, the owner's own bits are what keep the user out.
    const mode_t own = mode == 0644 ? 0444 : 0;
    QCOMPARE(
        ::chmod(QFile::encodeName(scene.file).constData(), root ? static_cast<mode_t>(mode) : own),
        0);
    QStringList arguments = {command, scene.file};
    if (command == "set") {
        arguments += kEdit;
    }
    const CliResult r =
        root ? RunProgram("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups",
                                                 QStringLiteral(CORVANE_CLI)} +
                                         arguments)
             : RunCli(arguments);
    if (cause.isEmpty()) {
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, plain.out);
    } else {
        QCOMPARE(r.err, FailureLine("Cannot open " + Quoted(scene.file) + ": " + cause));
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QByteArray());
    }
    QCOMPARE(::chmod(QFile::encodeName(scene.file).constData(), 0644), 0);  // to compare it
    QCOMPARE(scene.Wrong(), QString());
}

void tst_proof_attacks::longPaths_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cause");  // empty: show and set succeed
    QTest::newRow("a file 4,500 bytes deep") << "pes2012.exe" << QString();
    QTest::newRow("a symbolic link 4,500 bytes deep") << "link.exe" << QString();
    QTest::newRow("a missing file 4,500 bytes deep") << "gone.exe"
                                                     << "No such file or directory";
}

// Past PATH_MAX (4,096 bytes): the file is reached folder by folder.
void tst_proof_attacks::longPaths() {
    QFETCH(QString, name);
    QFETCH(QString, cause);
    Scene scene(64);
    QVERIFY(scene.ok);
    const CliResult plain = RunCli({"show", scene.file});
    const QString staging = scene.dir.filePath("staging.exe");
    QVERIFY(QFile::copy(scene.file, staging));
    QString path;
    CliResult show;
    CliResult set;
    {
        const DeepFolder deep(scene.dir.path(), 20, 225);
        QVERIFY(deep.isValid());
        QVERIFY(deep.moveIn(staging, "pes2012.exe"));
        QVERIFY(deep.symlink(scene.file, "link.exe"));
        path = deep.qpath(name.toStdString());
        QVERIFY(path.size() > 4520);
        show = RunCli({"show", path});
        set = RunCli(QStringList{"set", path} + kEdit);
        QVERIFY(deep.moveOut("pes2012.exe", staging));
    }
    // The file from the deep folder, then the folder the demo file and its neighbour are in.
    const QByteArray original = scene.before.at(scene.file);
    const bool link = name == "link.exe";
    QCOMPARE(FirstDifference(ReadWholeFile(staging),
                             cause.isEmpty() && !link ? Saved(original) : original),
             -1);
    QVERIFY(QFile::remove(staging));
    if (!cause.isEmpty()) {
        const QByteArray line = FailureLine("Cannot open " + Quoted(path) + ": " + cause);
        QCOMPARE(show.err, line);
        QCOMPARE(set.err, line);
        QCOMPARE(set.status, 1);
        QCOMPARE(scene.Wrong(), QString());
        return;
    }
    QCOMPARE(show.err, QByteArray());
    QCOMPARE(show.out, plain.out);
    QCOMPARE(set.err, QByteArray());
    QCOMPARE(set.status, 0);
    // A link's target was written.
    QCOMPARE(scene.Wrong(link ? Saved(original) : original), QString());
}

void tst_proof_attacks::badFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");  // %1: the quoted path; empty: show and set succeed
    const QString tooShort =
        "%1 is too short: it has %2 bytes, a demo executable needs at "
        "least 18511216";
    QTest::newRow("missing path") << "missing"
                                  << "Cannot open %1: No such file or directory";
    QTest::newRow("missing non-ASCII path") << "missing non-ASCII"
                                            << "Cannot open %1: No such file or directory";
    QTest::newRow("a directory") << "directory"
                                 << "Cannot open %1: Is a directory";
    QTest::newRow("a FIFO") << "fifo"
                            << "Cannot open %1: it is not a regular file";
    QTest::newRow("one byte too short") << "one byte short" << tooShort.arg("%1", "18511215");
    QTest::newRow("empty file") << "empty" << tooShort.arg("%1", "0");
    QTest::newRow("non-ASCII path") << "non-ASCII" << QString();
    QTest::newRow("path over 300 characters") << "long" << QString();
    // The file is opened through /proc/self/fd; without /proc it is refused, never opened the
    // racy way.
    QTest::newRow("no /proc") << "no /proc"
                              << "Cannot open %1: /proc is not mounted, and without it the "
                                 "file cannot be opened safely";
}

// The window's bad-file matrix, met by the command line.
void tst_proof_attacks::badFiles() {
    QFETCH(QString, kind);
    QFETCH(QString, message);
    Scene scene(65);
    QVERIFY(scene.ok);
    QDir root(scene.dir.path());
    QString target = scene.file;
    if (kind == "missing") {
        target = root.filePath("gone.exe");
    } else if (kind == "missing non-ASCII") {
        target = root.filePath(QStringLiteral("Démo – gone ✓.exe"));
    } else if (kind == "directory") {
        target = root.filePath("folder.exe");
        QVERIFY(root.mkdir("folder.exe"));
    } else if (kind == "fifo") {
        target = root.filePath("fifo.exe");
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    } else if (kind == "one byte short" || kind == "empty") {
        target = root.filePath("short.exe");
        QVERIFY(WriteDemoFile(target, 66, kind == "empty" ? 0 : kDemoFileSize - 1));
    } else if (kind == "non-ASCII") {
        QVERIFY(root.mkpath(QStringLiteral("Démo ✓ Łódź 日本")));
        target = root.filePath(QStringLiteral("Démo ✓ Łódź 日本/pes2012 – ß.exe"));
    } else if (kind == "long") {
        const QString folders =
            QString(100, 'a') + '/' + QString(100, 'b') + '/' + QString(100, 'c');
        QVERIFY(root.mkpath(folders));
        target = root.filePath(folders + "/pes2012.exe");
    }
    if (kind == "non-ASCII" || kind == "long") {
        QVERIFY(QFile::rename(scene.file, target));
    }
    const std::map<QString, QByteArray> before = FilesUnder(root.path());

    // "no /proc": the program runs in a mount namespace of its own with /proc unmounted.
    const auto run = [&](const QStringList& arguments) {
        if (kind != "no /proc") {
            return RunCli(arguments);
        }
        return RunProgram("unshare",
                          QStringList{"-m", "sh", "-c", "umount -l /proc && exec \"$0\" \"$@\"",
                                      QStringLiteral(CORVANE_CLI)} +
                              arguments);
    };
    if (kind == "no /proc" && run({"--version"}).status != 0) {
        QSKIP(
            "no mount namespace without /proc here (it takes root), or the program cannot "
            "start without /proc (the sanitizer runtime reads it)");
    }
    const CliResult show = run({"show", target});
    const CliResult set = run(QStringList{"set", target} + kEdit);
    std::map<QString, QByteArray> wanted = before;
    if (message.isEmpty()) {
        QCOMPARE(show.err, QByteArray());
        QCOMPARE(show.status, 0);
        QCOMPARE(set.err, QByteArray());
        QCOMPARE(set.status, 0);
        wanted[target] = Saved(wanted[target]);
    } else {
        const QByteArray line = FailureLine(message.arg(Quoted(target)));
        QCOMPARE(show.err, line);
        QCOMPARE(show.status, 1);
        QCOMPARE(set.err, line);
        QCOMPARE(set.status, 1);
    }
    QCOMPARE(Differences(FilesUnder(root.path()), wanted), QString());
}

QTEST_GUILESS_MAIN(tst_proof_attacks)
#include "tst_proof_attacks.moc"
