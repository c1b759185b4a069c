// The demo-file operations when the system fails them part-way, through a FileOps that makes
// one call fail; and what must hold of the calls an open and a save make (the exact system
// calls are tests/proof/strace_syscalls.sh's).
#include <QRegularExpression>
#include <QTest>

#include <cerrno>
#include <system_error>

#include "core/DemoFile.h"
#include "core/Error.h"
#include "tests/support/DemoFileFixture.h"
#include "tests/support/FaultyFileOps.h"

using namespace corvane;
using corvane::test::DemoFileFixture;
using corvane::test::FaultyFileOps;

namespace {

using Fault = FaultyFileOps::Fault;

const PatchValues kValues = [] {
    PatchValues v;
    v.teams = {100, 121, 327, 192};
    v.exhibition = {255, 128, 0, 200};
    v.font = {18, 52, 86, 255};
    return v;
}();

}  // namespace

Q_DECLARE_METATYPE(FaultyFileOps::Fault)

class tst_DemoFileFaults : public QObject {
    Q_OBJECT

private slots:
    void callsOfAnOpen();
    void callsOfASave();
    void saveFailures_data();
    void saveFailures();
    void readFailures_data();
    void readFailures();
};

// The open command's file work: one opening for reading, under one lock, the size looked at
// before any read, every read inside it, nothing written. Each read of a single slot is an
// opening of its own.
void tst_DemoFileFaults::callsOfAnOpen() {
    DemoFileFixture demo(20);
    QVERIFY(demo.isValid());
    FaultyFileOps ops;
    ReadPatch(demo.fsPath(), ops);
    QCOMPARE(ops.only("open"), QStringList{"open read"});
    QCOMPARE(ops.calls.first(), "open read");
    QCOMPARE(ops.calls.last(), "close");
    QCOMPARE(ops.count("close"), 1);
    const qsizetype size = ops.calls.indexOf("size");
    QVERIFY(size > 0 && size < ops.calls.indexOf(QRegularExpression("read .*")));
    QCOMPARE(ops.count("write") + ops.count("sync"), 0);
    ops.calls.clear();
    ReadTeamSlots(demo.fsPath(), ops);
    ReadColourSlot(demo.fsPath(), ColourSlotId::Font, ops);
    const qsizetype second = ops.calls.lastIndexOf("open read");
    QCOMPARE(ops.only("open"), (QStringList{"open read", "open read"}));
    QCOMPARE(ops.calls.indexOf("close"), second - 1);
    QCOMPARE(ops.calls.last(), "close");
}

// A save, and an update (the edit made on the values it read): one opening for writing; the
// stretch it patches read in one go before any write (the current values, and what to put
// back should the save fail); the fields written in table order; the sync after the last
// write; after it the size looked at again and the path checked; close last.
void tst_DemoFileFaults::callsOfASave() {
    DemoFileFixture demo(21);
    QVERIFY(demo.isValid());
    PatchValues edited = kValues;
    edited.font.green = 7;
    for (const bool update : {false, true}) {
        FaultyFileOps ops;
        if (update) {
            UpdatePatch(
                demo.fsPath(), [](PatchValues& v) { v.font.green = 7; }, ops);
        } else {
            WritePatch(demo.fsPath(), kValues, ops);
        }
        QCOMPARE(ReadPatch(demo.fsPath()), update ? edited : kValues);
        const QStringList& calls = ops.calls;
        const qsizetype sync = calls.indexOf("sync");
        QCOMPARE(ops.only("open"), QStringList{"open write"});
        QCOMPARE(calls.first(), "open write");
        const qsizetype stretch = calls.indexOf("read 11a6814+3420");
        QVERIFY(stretch > 0 && stretch < calls.indexOf(QRegularExpression("write .*")));
        QCOMPARE(ops.only("write"),
                 (QStringList{"write 11a6814+8", "write 11a756c+4", "write 11a7538+4"}));
        QCOMPARE(ops.count("sync"), 1);
        QVERIFY(calls.lastIndexOf(QRegularExpression("write .*")) < sync);
        QVERIFY(calls.lastIndexOf("size") > sync);
        QVERIFY(calls.indexOf("named") > sync);
        QCOMPARE(calls.indexOf("close"), calls.size() - 1);
    }
}

void tst_DemoFileFaults::saveFailures_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("at");  // which read or write
    QTest::addColumn<int>("error");
    QTest::addColumn<qint64>("resizeTo");
    QTest::addColumn<QString>("message");     // %1 is the quoted path
    QTest::addColumn<QString>("writeCalls");  // the calls from the first write on, "-": none
    // What the file holds afterwards: "original", "saved" (the new values), "team slots
    // saved", or "cut" (the original cut to resizeTo, zeros up to the end of the team slots
    // should the first write have extended it, with the original bytes there) and "grown"
    // (the original, then zeros up to resizeTo).
    QTest::addColumn<QString>("file");

    // A failed save puts the bytes it replaced back and reads them back; only when they differ
    // may the file be partly written.
    const QString putBack = "; the original bytes were put back";
    const QString unconfirmed = ", but the disk did not confirm them";
    const QString w1 = "write 11a6814+8";
    const QString all = w1 + " size write 11a756c+4 write 11a7538+4";
    // Put back last block first: a crash part-way leaves a state the save passes through.
    const QString restoreAll = "size write 11a7538+4 write 11a756c+4 " + w1 + " ";
    const QString readBack = "read 11a6814+3420";
    const QString resized =
        "Cannot save %1: another program changed its size during the save, "
        "from 18511216 to %2 bytes";
    QTest::newRow("short writes") << Fault::ShortTransfers << 0 << 0 << qint64(0) << QString()
                                  << QString() << "saved";
    QTest::newRow("the bytes to replace cannot be read")
        << Fault::ReadFails << 1 << EIO << qint64(0)
        << "Cannot read the patched bytes of %1 at offset 0x11A6814: Input/output error"
        << "-"
        << "original";
    // Nothing landed: writing the bytes back changed nothing, so none were put back.
    QTest::newRow("no space for the team slots")
        << Fault::WriteFails << 1 << ENOSPC << qint64(0)
        << "Cannot write the team slots of %1 at offset 0x11A6814: No space left on device; the "
           "file still holds its original bytes"
        << w1 + " size " + w1 + " " + readBack + " sync close"
        << "original";
    QTest::newRow("no space for the font slot")
        << Fault::WriteFails << 3 << ENOSPC << qint64(0)
        << "Cannot write the font colour slot of %1 at offset 0x11A7538: No space left on device" +
               putBack
        << all + " " + restoreAll + readBack + " sync close"
        << "original";
    QTest::newRow("write of nothing")
        << Fault::WritesNothing << 2 << 0 << qint64(0)
        << "Cannot write the Exhibition colour slot of %1 at offset 0x11A756C: the system wrote "
           "nothing" +
               putBack
        << w1 + " size write 11a756c+4 size write 11a756c+4 " + w1 + " " + readBack + " sync close"
        << "original";
    // The team slots reached the file and cannot be put back: the read-back shows it.
    QTest::newRow("no space, and none to put the bytes back")
        << Fault::WritesFail << 2 << ENOSPC << qint64(0)
        << "Cannot write the Exhibition colour slot of %1 at offset 0x11A756C: No space left on "
           "device; the file may be partly written"
        << w1 + " size write 11a756c+4 size write 11a756c+4 " + w1 + " " + readBack + " close"
        << "team slots saved";
    // No write got through, so none was needed to put anything back: the file is whole, as
    // on a full disk when the save's stretch lies in a hole of the file.
    QTest::newRow("no space for any write")
        << Fault::WritesFail << 1 << ENOSPC << qint64(0)
        << "Cannot write the team slots of %1 at offset 0x11A6814: No space left on device; the "
           "file still holds its original bytes"
        << w1 + " size " + w1 + " " + readBack + " sync close"
        << "original";
    QTest::newRow("sync fails") << Fault::SyncFails << 0 << EIO << qint64(0)
                                << "Cannot save %1 to the disk: Input/output error" + putBack +
                                       unconfirmed
                                << all + " sync " + restoreAll + readBack + " sync close"
                                << "original";
    // The sync had succeeded: the new values are on the disk, and the message says so.
    QTest::newRow("close fails") << Fault::CloseFails << 0 << EIO << qint64(0)
                                 << "Cannot close %1: Input/output error; the new values had "
                                    "reached the disk before"
                                 << all + " sync size named close"
                                 << "saved";
    // Another program changes the file's size during the save. The first write gives a file
    // cut short before it some length back (a write cannot be told not to); the check right
    // after it stops the save there, before the Exhibition slot could give the file its old
    // size back.
    QTest::newRow("cut short before the first write")
        << Fault::ResizeBeforeWrite << 1 << 0 << qint64(4096)
        << resized.arg("%1", "18507804") + putBack
        << w1 + " size size " + w1 + " read 11a6814+8 sync close"
        << "cut";
    QTest::newRow("cut inside the file before the first write")
        << Fault::ResizeBeforeWrite << 1 << 0 << qint64(0x11A7000)
        << resized.arg("%1", "18509824") + putBack
        << w1 + " size size " + w1 + " read 11a6814+2028 sync close"
        << "cut";
    QTest::newRow("grown before the first write")
        << Fault::ResizeBeforeWrite << 1 << 0 << qint64(18511216 + 4096)
        << resized.arg("%1", "18515312") + putBack
        << w1 + " size size " + w1 + " " + readBack + " sync close"
        << "grown";
    // Cut between the font slot and the Exhibition slot after the writes: the Exhibition slot
    // is no longer part of the file and is not written again; the rest is put back.
    QTest::newRow("cut short before the sync")
        << Fault::ResizeBeforeSync << 0 << 0 << qint64(0x11A7550)
        << resized.arg("%1", "18511184") + putBack
        << all + " sync size size write 11a7538+4 " + w1 + " read 11a6814+3388 sync close"
        << "cut";
    QTest::newRow("cut before every field before the sync")
        << Fault::ResizeBeforeSync << 0 << 0 << qint64(4096)
        << resized.arg("%1", "4096") + "; nothing it wrote is left in the file"
        << all + " sync size size close"
        << "cut";
}

void tst_DemoFileFaults::saveFailures() {
    QFETCH(Fault, fault);
    QFETCH(int, at);
    QFETCH(int, error);
    QFETCH(qint64, resizeTo);
    QFETCH(QString, message);
    QFETCH(QString, writeCalls);
    QFETCH(QString, file);
    DemoFileFixture demo(22);
    QVERIFY(demo.isValid());
    const QByteArray before = demo.bytes();
    FaultyFileOps ops;
    ops.fault = fault;
    ops.at = at;
    ops.error = error;
    ops.resizeTo = static_cast<std::uintmax_t>(resizeTo);

    QString thrown;
    try {
        WritePatch(demo.fsPath(), kValues, ops);
    } catch (const Error& e) {
        thrown = QString::fromUtf8(e.what());
    }
    QCOMPARE(thrown, message.isEmpty() ? QString() : message.arg('"' + demo.path() + '"'));
    // The file is closed exactly once, after the failure, whatever failed.
    QCOMPARE(ops.calls.count("close"), 1);
    if (writeCalls == "-") {
        QCOMPARE(ops.calls.indexOf(QRegularExpression("write .*")), -1);
    } else if (!writeCalls.isEmpty()) {
        QCOMPARE(ops.calls.mid(ops.calls.indexOf(QRegularExpression("write .*"))).join(' '),
                 writeCalls);
    }

    // Every byte of the file.
    QByteArray expected = before;
    const QByteArray saved = QByteArray::fromHex("6400790047 01C000");
    if (file == "saved") {
        expected.replace(0x11A6814, 8, saved);
        expected.replace(0x11A756C, 4, QByteArray::fromHex("FF8000C8"));
        expected.replace(0x11A7538, 4, QByteArray::fromHex("123456FF"));
    } else if (file == "team slots saved") {
        expected.replace(0x11A6814, 8, saved);
    } else if (file == "cut") {
        expected.truncate(resizeTo);
        if (fault == Fault::ResizeBeforeWrite && resizeTo < 0x11A681C) {
            expected += QByteArray(0x11A6814 - resizeTo, '\0') + before.mid(0x11A6814, 8);
        }
    } else if (file == "grown") {
        expected += QByteArray(resizeTo - expected.size(), '\0');
    }
    const QByteArray after = demo.bytes();
    QCOMPARE(after.size(), expected.size());
    QCOMPARE(test::FirstDifference(after, expected), -1);
}

void tst_DemoFileFaults::readFailures_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("short reads") << Fault::ShortTransfers << QString();
    QTest::newRow("read error")
        << Fault::ReadFails
        << "Cannot read the team slots of %1 at offset 0x11A6814: Input/output error";
    QTest::newRow("end of file")
        << Fault::ReadEnds
        << "Cannot read the team slots of %1 at offset 0x11A6814: the file ended before it";
    QTest::newRow("close fails") << Fault::CloseFails << "Cannot close %1: Input/output error";
}

void tst_DemoFileFaults::readFailures() {
    QFETCH(Fault, fault);
    QFETCH(QString, message);
    DemoFileFixture demo(23);
    QVERIFY(demo.isValid());
    QVERIFY(test::PokeBytes(demo.path(), 0x11A6814, QByteArray::fromHex("F004E604E404EF04")));
    FaultyFileOps ops;
    ops.fault = fault;

    QString thrown;
    std::array<std::int16_t, 4> teams{};
    try {
        teams = ReadTeamSlots(demo.fsPath(), ops);
    } catch (const Error& e) {
        thrown = QString::fromUtf8(e.what());
    }
    QCOMPARE(thrown, message.isEmpty() ? QString() : message.arg('"' + demo.path() + '"'));
    QCOMPARE(ops.calls.count("close"), 1);
    if (message.isEmpty()) {
        QCOMPARE(teams, (std::array<std::int16_t, 4>{1264, 1254, 1252, 1263}));
    }
}

QTEST_APPLESS_MAIN(tst_DemoFileFaults)
#include "tst_demofile_faults.moc"
