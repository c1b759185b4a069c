// The mended faults: a failed open or save changes nothing and says what failed and where;
// the team lists do not grow; an unknown team clears its name.

#include <QDir>
#include <QTest>

#include "core/PatchMap.h"
#include "core/TeamCatalogue.h"
#include "tests/support/DemoFileFixture.h"
#include "tests/support/FaultyFileOps.h"
#include "tests/support/WindowDriver.h"

using namespace corvane;
using namespace corvane::test;

class tst_ui_mends : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::UseFixedLook(); }

    // A field that does not convert stops the save before the file is opened, and the
    // message names the field and its text.
    void badFieldStopsTheSave_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("40000 in txt(0)") << "txt0"
                                         << "40000"
                                         << "team 1";
        QTest::newRow("256 in C(11)") << "C11"
                                      << "256"
                                      << "Pes Fonts Color green";
        QTest::newRow("letters in C(11)") << "C11"
                                          << "abc"
                                          << "Pes Fonts Color green";
        QTest::newRow("empty C(0)") << "C0"
                                    << ""
                                    << "Loading Icon (Exhibition) red";
        QTest::newRow("255.5 in C(2)") << "C2"
                                       << "255.5"
                                       << "Loading Icon (Exhibition) blue";
    }
    void badFieldStopsTheSave() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, named);
        DemoFileFixture demo(5);
        const QByteArray before = demo.bytes();
        FaultyFileOps ops;
        WindowDriver d(&ops);
        d.Open(demo.path());
        const qsizetype opensAfterOpen = ops.count("open");
        const QHash<QString, FlatEdit*> fields = {
            {"txt0", d.w->txt[0]}, {"C0", d.w->C[0]}, {"C2", d.w->C[2]}, {"C11", d.w->C[11]}};
        d.Type(fields.value(field), text);
        d.ClickSave();
        QCOMPARE(ops.count("open"), opensAfterOpen);
        QCOMPARE(d.messages.shown.size(), 1);
        const QString message = d.messages.shown[0].text;
        QVERIFY2(message.contains(named) && message.contains('"' + text + '"'),
                 qPrintable(message));
        QCOMPARE(d.messages.shown[0].icon, QMessageBox::Warning);
        QCOMPARE(test::FirstDifference(demo.bytes(), before), -1);
    }

    void cancelledOpenChangesNothing() {
        DemoFileFixture first(11);
        WindowDriver d;
        d.Open(std::nullopt);
        QVERIFY(!d.w->mnuSave->isEnabled());
        QVERIFY(!d.w->cmd_Save->isEnabled());
        QCOMPARE(d.w->FileName(), QString());

        d.Open(first.path());
        d.Type(d.w->txt[0], QStringLiteral("121"));
        const QStringList shown = d.Snapshot();
        d.Open(std::nullopt);
        QCOMPARE(d.Snapshot(), shown);
        d.ClickSave();  // still writes to the file opened before
        QCOMPARE(first.bytes(kTeams, 2), Bytes({121, 0}));
        QCOMPARE(d.files.calls.size(), 3);
        QCOMPARE(d.files.calls[2].title, QStringLiteral("pes2012.exe"));
    }

    // A file that cannot be read is reported with its name and the cause, and the window,
    // including the file a save writes to, stays as it was.
    void failedOpenChangesNothing_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing") << "missing"
                                 << "No such file";
        QTest::newRow("too short") << "short"
                                   << "too short";
        QTest::newRow("a folder") << "folder"
                                  << "directory";
    }
    void failedOpenChangesNothing() {
        QFETCH(QString, kind);
        QFETCH(QString, cause);
        DemoFileFixture good(13);
        QVERIFY(test::PokeBytes(good.path(), kTeams, Bytes({0xF0, 0x04})));
        DemoFileFixture shortFile(14, 1000);
        QString bad = shortFile.path();
        if (kind == "missing") {
            bad = good.dirPath() + QStringLiteral("/gone.exe");
        } else if (kind == "folder") {
            bad = good.dirPath();
        }
        WindowDriver d;
        d.Open(good.path());
        const QStringList shown = d.Snapshot();
        d.Open(bad);
        QCOMPARE(d.Snapshot(), shown);
        QCOMPARE(d.w->FileName(), good.path());
        QCOMPARE(d.messages.shown.size(), 1);
        const QString message = d.messages.shown[0].text;
        QVERIFY2(message.contains(bad) && message.contains(cause, Qt::CaseInsensitive),
                 qPrintable(message));
        QCOMPARE(d.w->Combos[0]->Text(), QStringLiteral("CLUB AMERICA"));
    }

    void failedOpenBeforeAnyFileKeepsSaveDisabled() {
        DemoFileFixture shortFile(15, 4096);
        WindowDriver d;
        const QStringList shown = d.Snapshot();
        d.Open(shortFile.path());
        QCOMPARE(d.Snapshot(), shown);
        QVERIFY(!d.w->TabControl1->isEnabled());
        QCOMPARE(d.messages.shown.size(), 1);
    }

    // The lists hold the catalogue once, however often a file is opened, and an ID the
    // catalogue does not know clears the name an earlier file left.
    void reopeningKeepsListsAndClearsUnknownNames() {
        DemoFileFixture known(17);
        QVERIFY(test::PokeBytes(known.path(), kTeams, Bytes({0xF0, 0x04, 100, 0})));
        DemoFileFixture unknown(18);
        QVERIFY(test::PokeBytes(unknown.path(), kTeams, Bytes({0, 0, 100, 0})));
        WindowDriver d;
        d.Open(known.path());
        d.Open(unknown.path());
        d.Open(unknown.path());
        QStringList catalogue;
        for (const Team& team : kTeamCatalogue) {
            catalogue << QString::fromUtf8(team.name.data(), team.name.size());
        }
        for (ComboBox* combo : d.w->Combos) {
            QStringList items;
            for (int i = 0; i < combo->count(); ++i) {
                items << combo->itemText(i);
            }
            QCOMPARE(items, catalogue);
        }
        QCOMPARE(d.w->txt[0]->Text(), QStringLiteral("0"));
        QCOMPARE(d.w->Combos[0]->Text(), QString());
        QCOMPARE(d.w->Combos[1]->Text(), QStringLiteral("MANCHESTER UNITED"));
    }

    // A save that fails on the disk names the file and the cause, and says no "Ready!!!".
    void failedWriteIsReported_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("cause");
        QTest::newRow("sync fails") << "sync"
                                    << "Input/output error";
        QTest::newRow("file removed") << "removed"
                                      << "No such file";
    }
    void failedWriteIsReported() {
        QFETCH(QString, kind);
        QFETCH(QString, cause);
        DemoFileFixture demo(19);
        FaultyFileOps ops;
        WindowDriver d(&ops);
        d.Open(demo.path());
        if (kind == "sync") {
            ops.fault = FaultyFileOps::Fault::SyncFails;
        } else {
            QVERIFY(QFile::remove(demo.path()));
        }
        d.ClickSave();
        QCOMPARE(d.messages.shown.size(), 1);
        const QString message = d.messages.shown[0].text;
        QVERIFY2(message.contains(demo.path()) && message.contains(cause), qPrintable(message));
        QVERIFY(!message.contains(QStringLiteral("Ready!!!")));
        QVERIFY(kind != "removed" || !QFile::exists(demo.path()));
    }
};

QTEST_MAIN(tst_ui_mends)
#include "tst_ui_mends.moc"
