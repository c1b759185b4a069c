// The file work of the window's Open and Save commands, counted call by call through the
// file-operations seam: Open opens the file once, for reading, and reads three times, at most
// 8 bytes each; Save opens it once for reading and writing, reads the stretch of bytes it
// replaces (so that a failed save can put them back), writes three times, looks at the size
// three times (before, after the first write, after the sync) and syncs once.

#include <QTest>

#include "tests/support/CountingFileOps.h"
#include "tests/support/DemoFileFixture.h"
#include "tests/support/WindowDriver.h"

using namespace corvane;
using namespace corvane::test;

class tst_proof_syscalls : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseFixedLook(); }

    void openAndSaveCalls() {
        DemoFileFixture demo(31);
        QVERIFY(demo.isValid());
        CountingFileOps ops;
        WindowDriver d(&ops);
        QVERIFY(d.exposed);

        d.Open(demo.path());
        QCOMPARE(d.w->FileName(), demo.path());
        QCOMPARE(ops.opens, 1);
        QCOMPARE(ops.accesses, QList<FileOps::Access>{FileOps::Access::Read});
        QCOMPARE(ops.sizes, 1);
        QCOMPARE(ops.reads, (QList<std::size_t>{8, 4, 4}));
        QCOMPARE(ops.writes.size(), 0);
        QCOMPARE(ops.syncs, 0);
        QCOMPARE(ops.closes, 1);

        ops.resetCounts();
        d.Type(d.w->txt[2], QStringLiteral("327"));
        d.ClickSave();
        QCOMPARE(d.messages.shown.size(), 1);
        QCOMPARE(d.messages.shown[0].text, QStringLiteral("Ready!!!"));
        QCOMPARE(ops.opens, 1);
        QCOMPARE(ops.accesses, QList<FileOps::Access>{FileOps::Access::ReadWrite});
        QCOMPARE(ops.sizes, 3);
        QCOMPARE(ops.reads, (QList<std::size_t>{3420}));
        QCOMPARE(ops.writes, (QList<std::size_t>{8, 4, 4}));
        QCOMPARE(ops.syncs, 1);
        QCOMPARE(ops.closes, 1);
        QCOMPARE(demo.bytes(kTeams + 4, 2), Bytes({0x47, 0x01}));
    }

    // A second Open of the same file costs the same again: nothing is cached or kept open.
    void reopeningCostsTheSame() {
        DemoFileFixture demo(32);
        CountingFileOps ops;
        WindowDriver d(&ops);
        d.Open(demo.path());
        ops.resetCounts();
        d.Open(demo.path());
        QCOMPARE(ops.opens, 1);
        QCOMPARE(ops.reads.size(), 3);
        QCOMPARE(ops.closes, 1);
        QVERIFY(d.messages.shown.isEmpty());
    }
};

QTEST_MAIN(tst_proof_syscalls)
#include "tst_proof_syscalls.moc"
