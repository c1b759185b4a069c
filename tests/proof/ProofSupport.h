#pragma once

// What the proofs share: every file of a folder with its bytes, another program holding a lock,
// and corvane-cli run as a separate process with the fault library in front of it.

#include <QByteArray>
#include <QDirIterator>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <array>
#include <filesystem>
#include <map>

#include "tests/support/DemoFileFixture.h"

namespace corvane::test {

// Every regular file under `root` with its bytes. FIFOs and folders are left out: reading a
// FIFO would block, and neither holds bytes a command could change.
inline std::map<QString, QByteArray> FilesUnder(const QString& root) {
    std::map<QString, QByteArray> files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        std::error_code unreachable;  // a path too long to name in one piece is left out
        if (std::filesystem::is_regular_file(ToPath(path), unreachable)) {
            files[path] = ReadWholeFile(path);
        }
    }
    return files;
}

// Where two snapshots of files differ, or an empty text when they do not: a file gone, added,
// of another size, or its first differing byte.
inline QString Differences(const std::map<QString, QByteArray>& got,
                           const std::map<QString, QByteArray>& wanted) {
    QString text;
    for (const auto& [path, bytes] : wanted) {
        const auto found = got.find(path);
        if (found == got.end()) {
            text += path + " is gone; ";
        } else if (found->second.size() != bytes.size()) {
            text += QStringLiteral("%1 has %2 bytes, not %3; ")
                        .arg(path)
                        .arg(found->second.size())
                        .arg(bytes.size());
        } else if (const qint64 at = FirstDifference(found->second, bytes); at >= 0) {
            text += QStringLiteral("%1 differs at offset 0x%2; ").arg(path).arg(at, 0, 16);
        }
    }
    for (const auto& [path, bytes] : got) {
        if (wanted.find(path) == wanted.end()) {
            text += path + " was created; ";
        }
    }
    return text;
}

inline QString Quoted(const QString& path) {
    return '"' + path + '"';
}

// Another program holding a lock on a file for as long as the object lives: flock(1) for the
// "flock shared" and "flock exclusive" kinds, corvane-lockholder (LockHolder.cpp) for the
// record locks.
class HeldLock {
public:
    HeldLock(const QString& kind, const QString& file) {
        if (kind.startsWith(QStringLiteral("flock"))) {
            m_process.start(QStringLiteral("flock"),
                            {kind == QStringLiteral("flock shared") ? "-s" : "-x", "-n", file, "sh",
                             "-c", "echo locked; exec cat"});
        } else {
            m_process.start(QStringLiteral(CORVANE_LOCKHOLDER), {kind, file});
        }
        m_held = m_process.waitForReadyRead(20000) &&
                 m_process.readAllStandardOutput() == QByteArrayLiteral("locked\n");
    }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    ~HeldLock() {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(20000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    bool isHeld() const { return m_held; }

private:
    QProcess m_process;
    bool m_held = false;
};

struct CliResult {
    int status = -1;  // -1: it did not end normally
    QByteArray out;
    QByteArray err;
};

inline CliResult Finish(QProcess& process) {
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        return {-1, process.readAllStandardOutput(), process.readAllStandardError()};
    }
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

inline CliResult RunProgram(
    const QString& program, const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    return Finish(process);
}

inline CliResult RunCli(
    const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    return RunProgram(QStringLiteral(CORVANE_CLI), arguments, environment);
}

// corvane-cli's one line on standard error for a failure.
inline QByteArray FailureLine(const QString& message) {
    return ("corvane-cli: " + message + '\n').toUtf8();
}

// A folder of its own for one attack: the demo file and a neighbour beside it, with known
// bytes. `holes`: the demo file is all hole, no byte of it written, as a sparse copy can be.
struct Scene {
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("pes2012.exe"));
    QString neighbour = dir.filePath(QStringLiteral("pes2012.bak"));
    std::map<QString, QByteArray> before;
    bool ok = false;

    explicit Scene(quint32 seed, bool holes = false) {
        QFile sparse(file);
        ok = dir.isValid() &&
             (holes ? sparse.open(QIODevice::WriteOnly) && sparse.resize(kDemoFileSize)
                    : WriteDemoFile(file, seed)) &&
             WriteDemoFile(neighbour, seed + 1);
        sparse.close();
        before = FilesUnder(dir.path());
    }

    // What is wrong with the folder now, if the demo file should hold `bytes` and nothing else
    // changed.
    QString Wrong(const QByteArray& bytes) const {
        std::map<QString, QByteArray> wanted = before;
        wanted[file] = bytes;
        return Differences(FilesUnder(dir.path()), wanted);
    }
    QString Wrong() const { return Differences(FilesUnder(dir.path()), before); }
};

// The edit of most rows, and the file as a save of it leaves the demo file.
inline const QStringList kEdit = {QStringLiteral("--team1"), QStringLiteral("121"),
                                  QStringLiteral("--font"), QStringLiteral("1,2,3,4")};
inline QByteArray Saved(QByteArray file) {
    file.replace(kTeams, 2, QByteArray::fromHex("7900"));
    file.replace(kFontSlot, 4, QByteArray::fromHex("01020304"));
    return file;
}

// The fields a race sets: the four team slots and each colour slot as one number (the race
// gives all four components of a slot the same value, so that a slot holding two is seen).
struct RaceFields {
    std::array<int, 4> teams{};
    int exhibition = 0;
    int font = 0;
    friend bool operator==(const RaceFields&, const RaceFields&) = default;

    static RaceFields Of(const QString& file) {
        RaceFields f;
        const QByteArray t = ReadBytes(file, kTeams, 8);
        for (int i = 0; i < 4; ++i) {
            f.teams[i] = static_cast<qint16>(quint8(t[2 * i]) | (quint8(t[2 * i + 1]) << 8));
        }
        const auto slot = [&](qint64 offset) {
            const QByteArray c = ReadBytes(file, offset, 4);
            return c == QByteArray(4, c[0]) ? quint8(c[0]) : -1;
        };
        f.exhibition = slot(kExhibitionSlot);
        f.font = slot(kFontSlot);
        return f;
    }
    QString Text() const {
        return QStringLiteral("teams %1 %2 %3 %4, Exhibition %5, font %6")
            .arg(teams[0])
            .arg(teams[1])
            .arg(teams[2])
            .arg(teams[3])
            .arg(exhibition)
            .arg(font);
    }
};

// Two corvane-cli set commands started together on the same file, `rounds` times. With
// `sameFields` both set all twelve fields (A team IDs 1000 + round and colours round % 100, B
// 2000 + round and 100 + round % 100); otherwise A sets team slots 1 and 3 and the Exhibition
// slot, B the others. Whatever the timing, each either saves or is refused because the other
// holds the file; a refused one writes nothing, an update that succeeded is never lost, and the
// file never holds a mix of both sets. A and B run in their own environments. Returns what
// broke, or an empty text; `bothSaved` and `refused` count the rounds.
inline QString Race(const Scene& scene, bool sameFields, int rounds,
                    const QProcessEnvironment& environmentA,
                    const QProcessEnvironment& environmentB, int* bothSaved, int* refused) {
    const QByteArray locked =
        FailureLine("Cannot open " + Quoted(scene.file) + ": it is locked by another program");
    RaceFields now = RaceFields::Of(scene.file);
    for (int round = 0; round < rounds; ++round) {
        const int a = 1000 + round;
        const int b = 2000 + round;
        const int ca = round % 100;
        const int cb = 100 + round % 100;
        const auto colour = [](int c) { return QStringLiteral("%1,%1,%1,%1").arg(c); };
        QStringList argsA = {"set", scene.file};
        QStringList argsB = argsA;
        for (int slot = 1; slot <= 4; ++slot) {
            const QString option = QStringLiteral("--team%1").arg(slot);
            if (sameFields || slot % 2 == 1) {
                argsA << option << QString::number(a);
            }
            if (sameFields || slot % 2 == 0) {
                argsB << option << QString::number(b);
            }
        }
        argsA << "--exhibition" << colour(ca);
        argsB << "--font" << colour(cb);
        if (sameFields) {
            argsA << "--font" << colour(ca);
            argsB << "--exhibition" << colour(cb);
        }
        QProcess pa;
        QProcess pb;
        pa.setProcessEnvironment(environmentA);
        pb.setProcessEnvironment(environmentB);
        pa.start(QStringLiteral(CORVANE_CLI), argsA);
        pb.start(QStringLiteral(CORVANE_CLI), argsB);
        const CliResult ra = Finish(pa);
        const CliResult rb = Finish(pb);
        const QString where = QStringLiteral("round %1: ").arg(round);
        for (const CliResult* r : {&ra, &rb}) {
            if (!(r->status == 0 && r->err.isEmpty()) && !(r->status == 1 && r->err == locked)) {
                return where + QStringLiteral("status %1, \"%2\"")
                                   .arg(r->status)
                                   .arg(QString::fromUtf8(r->err));
            }
        }
        const bool savedA = ra.status == 0;
        const bool savedB = rb.status == 0;
        *bothSaved += savedA && savedB;
        *refused += !savedA || !savedB;
        const RaceFields got = RaceFields::Of(scene.file);
        RaceFields wanted = now;
        if (sameFields) {
            const RaceFields setA{{a, a, a, a}, ca, ca};
            const RaceFields setB{{b, b, b, b}, cb, cb};
            // Both saved: one after the other, so either set, whole.
            wanted = savedA && (!savedB || got == setA) ? setA : savedB ? setB : now;
        } else {
            wanted = {{savedA ? a : now.teams[0], savedB ? b : now.teams[1],
                       savedA ? a : now.teams[2], savedB ? b : now.teams[3]},
                      savedA ? ca : now.exhibition,
                      savedB ? cb : now.font};
        }
        if (got != wanted) {
            return where + QStringLiteral("A %1, B %2: the file holds %3")
                               .arg(ra.status)
                               .arg(rb.status)
                               .arg(got.Text());
        }
        now = got;
    }
    // Nothing but the twelve fields changed, in this file or beside it.
    QByteArray bytes = scene.before.at(scene.file);
    bytes.replace(kTeams, 8, ReadBytes(scene.file, kTeams, 8));
    bytes.replace(kExhibitionSlot, 4, ReadBytes(scene.file, kExhibitionSlot, 4));
    bytes.replace(kFontSlot, 4, ReadBytes(scene.file, kFontSlot, 4));
    return scene.Wrong(bytes);
}

}  // namespace corvane::test
