// The demo-file operations when the system fails them part-way, through a FileOps that makes
// one call fail; and the exact calls an open and a save make.
#include <QRegularExpression>
#include <QTest>

#include <cerrno>
#include <system_error>

#include "DemoFile.h"
#include "DemoFileFixture.h"
#include "Error.h"
#include "FileOps.h"

using namespace corvane;
using corvane::test::DemoFileFixture;

namespace {

// Records every call and fails the one it is told to.
class FaultyOps : public ForwardingFileOps {
public:
    enum class Fault {
        None,
        ShortTransfers,
        ReadError,
        ReadEnd,
        WriteError,
        WriteErrorOnwards,  // every write from failOnCall on fails
        WriteNothing,
        SyncError,
        CloseError
    };

    Fault fault = Fault::None;
    int failOnCall = 1;  // which read or write fails (1 = the first)
    int error = EIO;
    QStringList calls;

    Handle open(const std::filesystem::path& path) override {
        calls << "open";
        return ForwardingFileOps::open(path);
    }
    std::uint64_t size(Handle h) override {
        calls << "size";
        return ForwardingFileOps::size(h);
    }
    std::int64_t pread(Handle h, void* buf, std::size_t n, std::uint64_t offset) override {
        calls << QString("read %1+%2").arg(offset, 0, 16).arg(n);
        if (fault == Fault::ShortTransfers) {
            n = 1;
        }
        if (++reads_ == failOnCall && fault == Fault::ReadError) {
            return -1;
        }
        if (reads_ == failOnCall && fault == Fault::ReadEnd) {
            return 0;
        }
        return ForwardingFileOps::pread(h, buf, n, offset);
    }
    std::int64_t pwrite(Handle h, const void* buf, std::size_t n, std::uint64_t offset) override {
        calls << QString("write %1+%2").arg(offset, 0, 16).arg(n);
        if (fault == Fault::ShortTransfers) {
            n = 1;
        }
        if (++writes_ == failOnCall && fault == Fault::WriteError) {
            return -1;
        }
        if (writes_ >= failOnCall && fault == Fault::WriteErrorOnwards) {
            return -1;
        }
        if (writes_ == failOnCall && fault == Fault::WriteNothing) {
            return 0;
        }
        return ForwardingFileOps::pwrite(h, buf, n, offset);
    }
    bool sync(Handle h) override {
        calls << "sync";
        return fault == Fault::SyncError ? false : ForwardingFileOps::sync(h);
    }
    bool close(Handle h) override {
        calls << "close";
        const bool closed = ForwardingFileOps::close(h);  // the handle goes away either way
        return fault == Fault::CloseError ? false : closed;
    }
    std::string lastErrorMessage() override {
        return fault == Fault::None || fault == Fault::ShortTransfers
                   ? ForwardingFileOps::lastErrorMessage()
                   : std::generic_category().message(error);
    }

private:
    int reads_ = 0;
    int writes_ = 0;
};

using Fault = FaultyOps::Fault;

const PatchValues kValues = [] {
    PatchValues v;
    v.teams = {100, 121, 327, 192};
    v.exhibition = {255, 128, 0, 200};
    v.font = {18, 52, 86, 255};
    return v;
}();

}  // namespace

Q_DECLARE_METATYPE(FaultyOps::Fault)

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

// The open command's file work: three openings, each with one read of at most 8 bytes.
void tst_DemoFileFaults::callsOfAnOpen() {
    DemoFileFixture demo(20);
    QVERIFY(demo.isValid());
    FaultyOps ops;
    ReadPatch(demo.fsPath(), ops);
    QCOMPARE(ops.calls, (QStringList{"open", "size", "read 11a6814+8", "close",  //
                                     "open", "size", "read 11a756c+4", "close",  //
                                     "open", "size", "read 11a7538+4", "close"}));
}

// A save: one opening, the stretch it patches read first in one go (to put back should the
// save fail), the
// fields in table order in three writes, one sync, then close.
void tst_DemoFileFaults::callsOfASave() {
    DemoFileFixture demo(21);
    QVERIFY(demo.isValid());
    FaultyOps ops;
    WritePatch(demo.fsPath(), kValues, ops);
    QCOMPARE(ops.calls, (QStringList{"open", "size", "read 11a6814+3420", "write 11a6814+8",
                                     "write 11a756c+4", "write 11a7538+4", "sync", "close"}));
    QCOMPARE(ReadPatch(demo.fsPath()), kValues);
}

void tst_DemoFileFaults::saveFailures_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("failOnCall");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("message");     // %1 is the quoted path
    QTest::addColumn<QString>("writeCalls");  // the calls from the first write on, "-": none

    // A failed save puts the bytes it replaced back; only when that fails too may the file be
    // partly written.
    const QString putBack = "; the original bytes were put back";
    const QString partly = "; the file may be partly written";
    const QString all = "write 11a6814+8 write 11a756c+4 write 11a7538+4";
    QTest::newRow("short writes") << Fault::ShortTransfers << 0 << 0 << QString() << QString();
    QTest::newRow("the bytes to replace cannot be read")
        << Fault::ReadError << 1 << EIO
        << "Cannot read the patched bytes of %1 at offset 0x11A6814: Input/output error"
        << "-";
    QTest::newRow("no space for the team slots")
        << Fault::WriteError << 1 << ENOSPC
        << "Cannot write the team slots of %1 at offset 0x11A6814: No space left on device" +
               putBack
        << "write 11a6814+8 " + all + " sync close";
    QTest::newRow("no space for the font slot")
        << Fault::WriteError << 3 << ENOSPC
        << "Cannot write the font colour slot of %1 at offset 0x11A7538: No space left on device" +
               putBack
        << all + " " + all + " sync close";
    QTest::newRow("write of nothing")
        << Fault::WriteNothing << 2 << 0
        << "Cannot write the Exhibition colour slot of %1 at offset 0x11A756C: the system wrote "
           "nothing" +
               putBack
        << "write 11a6814+8 write 11a756c+4 " + all + " sync close";
    QTest::newRow("no space, and none to put the bytes back")
        << Fault::WriteErrorOnwards << 2 << ENOSPC
        << "Cannot write the Exhibition colour slot of %1 at offset 0x11A756C: No space left on "
           "device" +
               partly
        << "write 11a6814+8 write 11a756c+4 write 11a6814+8 close";
    QTest::newRow("sync fails") << Fault::SyncError << 0 << EIO
                                << "Cannot save %1 to the disk: Input/output error" + putBack +
                                       ", but the disk did not confirm them"
                                << all + " sync " + all + " sync close";
    QTest::newRow("close fails") << Fault::CloseError << 0 << EIO
                                 << "Cannot close %1: Input/output error" << all + " sync close";
}

void tst_DemoFileFaults::saveFailures() {
    QFETCH(Fault, fault);
    QFETCH(int, failOnCall);
    QFETCH(int, error);
    QFETCH(QString, message);
    QFETCH(QString, writeCalls);
    DemoFileFixture demo(22);
    QVERIFY(demo.isValid());
    const PatchValues before = ReadPatch(demo.fsPath());
    FaultyOps ops;
    ops.fault = fault;
    ops.failOnCall = failOnCall;
    ops.error = error;

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
        QVERIFY(!ops.calls.join(' ').contains("write"));
        QCOMPARE(ReadPatch(demo.fsPath()), before);
    } else if (!writeCalls.isEmpty()) {
        QCOMPARE(ops.calls.mid(ops.calls.indexOf(QRegularExpression("write .*"))).join(' '),
                 writeCalls);
    }
    if (message.isEmpty()) {
        QCOMPARE(ReadPatch(demo.fsPath()), kValues);
    } else if (message.contains("put back")) {
        QCOMPARE(ReadPatch(demo.fsPath()), before);
    }
}

void tst_DemoFileFaults::readFailures_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("short reads") << Fault::ShortTransfers << QString();
    QTest::newRow("read error")
        << Fault::ReadError
        << "Cannot read the team slots of %1 at offset 0x11A6814: Input/output error";
    QTest::newRow("end of file")
        << Fault::ReadEnd
        << "Cannot read the team slots of %1 at offset 0x11A6814: the file ended before it";
    QTest::newRow("close fails") << Fault::CloseError << "Cannot close %1: Input/output error";
}

void tst_DemoFileFaults::readFailures() {
    QFETCH(Fault, fault);
    QFETCH(QString, message);
    DemoFileFixture demo(23);
    QVERIFY(demo.isValid());
    QVERIFY(test::PokeBytes(demo.path(), 0x11A6814, QByteArray::fromHex("F004E604E404EF04")));
    FaultyOps ops;
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
