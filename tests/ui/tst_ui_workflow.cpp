// Open and Save end to end through the window's controls, checked by the bytes in the file.

#include <QDir>
#include <QTest>

#include "core/PatchMap.h"
#include "tests/support/DemoFileFixture.h"
#include "tests/support/WindowDriver.h"

using namespace corvane;
using namespace corvane::test;

class tst_ui_workflow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::UseFixedLook(); }

    // Paths are Unicode and of any length.
    void openThenSaveLeavesTheFileUnchanged_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("pes2012.exe") << QStringLiteral("pes2012.exe");
        QTest::newRow("unicode") << QStringLiteral("Pęs 2012 – démo ✓.exe");
        QTest::newRow("long") << QString(240, u'x') + QStringLiteral(".exe");
    }
    void openThenSaveLeavesTheFileUnchanged() {
        QFETCH(QString, name);
        DemoFileFixture demo(7, test::kDemoFileSize, name);
        QVERIFY(demo.isValid());
        const QByteArray before = demo.bytes();
        WindowDriver d;
        d.Open(demo.path());
        QCOMPARE(d.w->FileName(), demo.path());
        d.ClickSave();
        QCOMPARE(d.messages.shown.size(), 1);
        QCOMPARE(d.messages.shown[0].text, QStringLiteral("Ready!!!"));
        QCOMPARE(d.messages.shown[0].title, QStringLiteral("Corvane"));
        QCOMPARE(d.messages.shown[0].icon, QMessageBox::NoIcon);
        QCOMPARE(test::FirstDifference(demo.bytes(), before), -1);
    }

    // A cancelled dialog changes nothing, and a save still writes to the file opened before.
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

    // The colour dialog starts at the button's colour; pure blue fills the component fields
    // and the hex text and leaves the transparency alone. A cancel refreshes the fields from
    // the colour the button keeps.
    void chooseColour_data() {
        QTest::addColumn<bool>("font");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QStringList>("components");
        QTest::addColumn<QString>("hex");
        QTest::newRow("pure blue, Exhibition")
            << false << true << QStringList{"0", "0", "255"} << "FF0000";
        QTest::newRow("pure blue, fonts")
            << true << true << QStringList{"0", "0", "255"} << "FF0000";
        QTest::newRow("cancelled") << false << false << QStringList{"255", "128", "0"} << "80FF";
    }
    void chooseColour() {
        QFETCH(bool, font);
        QFETCH(bool, confirm);
        QFETCH(QStringList, components);
        QFETCH(QString, hex);
        DemoFileFixture demo;
        QVERIFY(test::PokeBytes(demo.path(), font ? kFontSlot : kExhibitionSlot,
                                Bytes({0xFF, 0x80, 0x00, 0xC8})));
        WindowDriver d;
        d.Open(demo.path());
        const int first = font ? 10 : 0;
        ColourButton* button = font ? d.w->cmd_Color4 : d.w->cmd_Color;
        FlatEdit* result = font ? d.w->Result4 : d.w->Result;
        d.Type(d.w->C[first], QStringLiteral("7"));  // replaced by the chosen colour
        if (confirm) {
            d.colours.answer = QColor(0, 0, 255);
        }
        d.ShowPage(1);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(d.colours.initials, QList<QColor>{QColor(255, 128, 0)});
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(d.w->C[first + i]->Text(), components[i]);
        }
        QCOMPARE(result->Text(), hex);
        QCOMPARE(button->text(), hex);
        QCOMPARE((font ? d.w->Up4 : d.w->Up)->Value(), 200);
    }

    // What the user types is what lands in the file.
    void typedValueIsSaved_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("327 in txt(1)") << "txt1"
                                       << "327" << kTeams + 2 << Bytes({0x47, 0x01});
        QTest::newRow("-1 in txt(0)") << "txt0"
                                      << "-1" << kTeams << Bytes({0xFF, 0xFF});
        QTest::newRow("-32768 in txt(3)") << "txt3"
                                          << "-32768" << kTeams + 6 << Bytes({0x00, 0x80});
        QTest::newRow("12.5 in C(0)") << "C0"
                                      << "12.5" << kExhibitionSlot << Bytes({12});
        QTest::newRow("13.5 in C(0)") << "C0"
                                      << "13.5" << kExhibitionSlot << Bytes({14});
        QTest::newRow("255 in C(12)") << "C12"
                                      << "255" << kFontSlot + 2 << Bytes({0xFF});
        QTest::newRow("chosen club in txt(2)") << "Combo3"
                                               << "PENAROL" << kTeams + 4 << Bytes({0xEF, 0x04});
        QTest::newRow("Up arrow in Up4") << "Up4"
                                         << "" << kFontSlot + 3 << Bytes({0x01});
    }
    void typedValueIsSaved() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(qint64, offset);
        QFETCH(QByteArray, expected);
        DemoFileFixture demo(3);
        QVERIFY(test::PokeBytes(demo.path(), kFontSlot, Bytes({1, 2, 3, 0})));
        const QByteArray before = demo.bytes();
        WindowDriver d;
        d.Open(demo.path());
        frmMain& w = *d.w;
        if (field == "Combo3") {
            d.Choose(w.Combos[2], text);
        } else if (field == "Up4") {
            d.ShowPage(1);
            QTest::keyClick(w.Up4->txtValue(), Qt::Key_Up);
        } else {
            const QHash<QString, FlatEdit*> fields = {{"txt0", w.txt[0]},
                                                      {"txt1", w.txt[1]},
                                                      {"txt3", w.txt[3]},
                                                      {"C0", w.C[0]},
                                                      {"C12", w.C[12]}};
            d.Type(fields.value(field), text);
        }
        d.ClickSave();
        QCOMPARE(d.messages.shown.size(), 1);
        QCOMPARE(d.messages.shown[0].text, QStringLiteral("Ready!!!"));
        const QByteArray after = demo.bytes();
        QCOMPARE(after.mid(offset, expected.size()), expected);
        // Nothing else changed.
        QByteArray restored = after;
        restored.replace(offset, expected.size(), before.mid(offset, expected.size()));
        QCOMPARE(test::FirstDifference(restored, before), -1);
    }

    // Every one of the twelve fields edited through its own control, saved, and opened again
    // in a fresh window: the sixteen bytes are exactly the values typed, nothing else in the
    // file changed, and the new window shows what the first one showed.
    void editEverythingSaveAndReopen() {
        DemoFileFixture demo(12);
        QVERIFY(demo.isValid());
        const QByteArray before = demo.bytes();
        WindowDriver d;
        d.Open(demo.path());
        frmMain& w = *d.w;
        const QStringList teams = {"100", "-2", "32767", "1263"};
        for (int i = 0; i < 4; ++i) {
            d.Type(w.txt[i], teams[i]);
        }
        const QList<std::pair<int, QString>> components = {{0, "1"},    {1, "2"},      {2, "3"},
                                                           {10, "250"}, {11, "251.5"}, {12, "0"}};
        for (const auto& [index, text] : components) {
            d.Type(w.C[index], text);
        }
        d.Type(w.Up->txtValue(), QStringLiteral("4"));
        d.Type(w.Up4->txtValue(), QStringLiteral("255"));
        d.ShowPage(0);  // switching pages changes no field
        d.ClickSave();
        QCOMPARE(d.messages.shown.size(), 1);
        QCOMPARE(d.messages.shown[0].text, QStringLiteral("Ready!!!"));

        const QByteArray after = demo.bytes();
        QCOMPARE(after.mid(kTeams, 8), Bytes({0x64, 0x00, 0xFE, 0xFF, 0xFF, 0x7F, 0xEF, 0x04}));
        QCOMPARE(after.mid(kExhibitionSlot, 4), Bytes({1, 2, 3, 4}));
        QCOMPARE(after.mid(kFontSlot, 4), Bytes({250, 252, 0, 255}));
        QByteArray restored = after;
        for (qint64 at : {kTeams, kTeams + 4, kExhibitionSlot, kFontSlot}) {
            restored.replace(at, 4, before.mid(at, 4));
        }
        QCOMPARE(test::FirstDifference(restored, before), -1);

        WindowDriver again;
        again.Open(demo.path());
        // What the first window was given, now read back from the file.
        const frmMain& r = *again.w;
        const QStringList clubs = {"MANCHESTER UNITED", "", "", "PENAROL"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(r.txt[i]->Text(), teams[i]);
            QCOMPARE(r.Combos[i]->Text(), clubs[i]);
        }
        const QList<std::pair<int, QString>> read = {{0, "1"},    {1, "2"},    {2, "3"},
                                                     {10, "250"}, {11, "252"}, {12, "0"}};
        for (const auto& [index, text] : read) {
            QCOMPARE(r.C[index]->Text(), text);
        }
        QCOMPARE(r.Up->Value(), 4);
        QCOMPARE(r.Up4->Value(), 255);
        QCOMPARE(r.Result->Text(), QStringLiteral("30201"));
        QCOMPARE(r.Result4->Text(), QStringLiteral("FCFA"));
    }

    void menuSaveAndButtonGiveIdenticalFiles() {
        DemoFileFixture viaMenu(9);
        DemoFileFixture viaButton(9);
        QByteArray files[2];
        QList<test::RecordingMessages::Message> shown[2];
        for (int run = 0; run < 2; ++run) {
            const DemoFileFixture& demo = run == 0 ? viaMenu : viaButton;
            WindowDriver d;
            d.Open(demo.path());
            d.Choose(d.w->Combos[0], QStringLiteral("SANTOS"));
            d.Type(d.w->C[11], QStringLiteral("17.5"));
            if (run == 0) {
                d.ClickMenu(d.w->mnuSave);
            } else {
                d.ClickSave();
            }
            files[run] = demo.bytes();
            shown[run] = d.messages.shown;
        }
        QCOMPARE(test::FirstDifference(files[0], files[1]), -1);
        QCOMPARE(files[0].mid(kTeams, 2), Bytes({0xE6, 0x04}));
        QCOMPARE(files[0].mid(kFontSlot + 1, 1), Bytes({18}));
        QCOMPARE(shown[0].size(), 1);
        QCOMPARE(shown[1].size(), 1);
        QCOMPARE(shown[0][0].text, shown[1][0].text);
    }
};

QTEST_MAIN(tst_ui_workflow)
#include "tst_ui_workflow.moc"
