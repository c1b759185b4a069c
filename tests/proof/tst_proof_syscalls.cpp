// The file work of the window's Open and Save commands, through the file-operations seam: Open
// opens the file once, for reading, and reads its three blocks (8, 4 and 4 bytes); Save opens
// it once for reading and writing, reads the stretch of bytes it replaces (so that a failed
// save can put them back), writes the three blocks and syncs once. The exact system calls, in
// order, are strace_syscalls.sh's.

#include <QTest>

#include "tests/support/DemoFileFixture.h"
#include "tests/support/FaultyFileOps.h"
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
        FaultyFileOps ops;
        WindowDriver d(&ops);
        QVERIFY(d.exposed);

        d.Open(demo.path());
        QCOMPARE(d.w->FileName(), demo.path());
        QCOMPARE(ops.only("open"), QStringList{"open read"});
        QCOMPARE(ops.only("read"),
                 (QStringList{"read 11a6814+8", "read 11a756c+4", "read 11a7538+4"}));
        QCOMPARE(ops.count("write") + ops.count("sync"), 0);
        QCOMPARE(ops.count("close"), 1);

        ops.calls.clear();
        d.Type(d.w->txt[2], QStringLiteral("327"));
        d.ClickSave();
        QCOMPARE(d.messages.shown.size(), 1);
        QCOMPARE(d.messages.shown[0].text, QStringLiteral("Ready!!!"));
        QCOMPARE(ops.only("open"), QStringList{"open write"});
        QCOMPARE(ops.only("read"), QStringList{"read 11a6814+3420"});
        QCOMPARE(ops.only("write"),
                 (QStringList{"write 11a6814+8", "write 11a756c+4", "write 11a7538+4"}));
        QCOMPARE(ops.count("sync"), 1);
        QCOMPARE(ops.count("close"), 1);
        QCOMPARE(demo.bytes(kTeams + 4, 2), Bytes({0x47, 0x01}));
    }

    // A second Open of the same file costs the same again: nothing is cached or kept open.
    void reopeningCostsTheSame() {
        DemoFileFixture demo(32);
        FaultyFileOps ops;
        WindowDriver d(&ops);
        d.Open(demo.path());
        const QStringList first = ops.calls;
        ops.calls.clear();
        d.Open(demo.path());
        QCOMPARE(ops.calls, first);
        QVERIFY(d.messages.shown.isEmpty());
    }
};

QTEST_MAIN(tst_proof_syscalls)
#include "tst_proof_syscalls.moc"
