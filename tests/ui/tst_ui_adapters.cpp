// The stand-ins for the control library and the graphical colour button.

#include <QSignalSpy>
#include <QTest>

#include "controls/host/qt/QtSystemColours.h"
#include "tests/support/UiFakes.h"
#include "ui/ColourButton.h"
#include "ui/ControlLibrary.h"

using namespace corvane;

class tst_ui_adapters : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::UseFixedLook(); }

    void comboTextNeedNotBeInTheList() {
        ComboBox combo;
        combo.setText(QStringLiteral("CLUB AMERICA"));
        QCOMPARE(combo.Text(), QStringLiteral("CLUB AMERICA"));
        QCOMPARE(combo.count(), 0);
        combo.setText(QString());
        QCOMPARE(combo.Text(), QString());
    }

    // The first entry added to an empty list must not replace the shown text, and
    // duplicates are appended like any other entry.
    void comboAddItemKeepsTextAndDuplicates() {
        ComboBox combo;
        QSignalSpy changes(&combo, &ComboBox::Change);
        combo.setText(QStringLiteral("SANTOS"));
        combo.AddItem(QStringLiteral("MANCHESTER UNITED"));
        combo.AddItem(QStringLiteral("SANTOS"));
        combo.AddItem(QStringLiteral("MANCHESTER UNITED"));
        QCOMPARE(combo.count(), 3);
        QCOMPARE(combo.itemText(2), QStringLiteral("MANCHESTER UNITED"));
        QCOMPARE(combo.Text(), QStringLiteral("SANTOS"));
        ComboBox empty;
        empty.AddItem(QStringLiteral("A.C. MILAN"));
        QCOMPARE(empty.Text(), QString());
        QCOMPARE(changes.count(), 0);
    }

    // Change comes from the user's choice, with the chosen entry as the text.
    void comboChangeOnUserChoice() {
        ComboBox combo;
        for (const char* name : {"A.C. MILAN", "FC PORTO", "SANTOS"}) {
            combo.AddItem(QString::fromLatin1(name));
        }
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QString textAtChange;
        connect(&combo, &ComboBox::Change, this, [&] { textAtChange = combo.Text(); });
        QSignalSpy changes(&combo, &ComboBox::Change);
        combo.setFocus();
        QTest::keyClick(&combo, Qt::Key_Down);
        QTest::keyClick(&combo, Qt::Key_Down);
        QCOMPARE(changes.count(), 2);
        QCOMPARE(textAtChange, QStringLiteral("FC PORTO"));
    }

    void flatEditShowsNumbersAsDecimalText_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << QStringLiteral("0");
        QTest::newRow("negative id") << qint64(-1) << QStringLiteral("-1");
        QTest::newRow("smallest id") << qint64(-32768) << QStringLiteral("-32768");
        QTest::newRow("byte") << qint64(255) << QStringLiteral("255");
        QTest::newRow("colour") << qint64(16711680) << QStringLiteral("16711680");
    }
    void flatEditShowsNumbersAsDecimalText() {
        QFETCH(qint64, value);
        QFETCH(QString, text);
        FlatEdit edit;
        edit.setNumber(value);
        QCOMPARE(edit.Text(), text);
    }

    void colourDialog_data() {
        QTest::addColumn<quint32>("start");
        QTest::addColumn<QColor>("expectedInitial");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<quint32>("expected");
        const QColor face = QApplication::palette().color(QPalette::Button);
        QTest::newRow("confirmed") << 33023u << QColor(255, 128, 0) << true << 0xFF0000u;
        QTest::newRow("cancelled keeps it") << 33023u << QColor(255, 128, 0) << false << 33023u;
        QTest::newRow("system colour starts resolved")
            << 0x8000000Fu << face << false << 0x8000000Fu;
    }
    void colourDialog() {
        QFETCH(quint32, start);
        QFETCH(QColor, expectedInitial);
        QFETCH(bool, confirm);
        QFETCH(quint32, expected);
        test::FakeColourDialog fake;
        if (confirm) {
            fake.answer = QColor(0, 0, 255);
        }
        QWidget owner;
        CommonDialog CD(fake, &owner);
        CD.setColor(start);
        CD.ShowColor();
        QCOMPARE(fake.initials, QList<QColor>{expectedInitial});
        QCOMPARE(CD.Color(), expected);
    }

    // Page children are given in the tab control's coordinates, tab strip included: they
    // land there on the screen, on either page, whatever the strip's height.
    void tabControlPlacesPageChildrenInItsOwnCoordinates() {
        QWidget window;
        window.resize(500, 300);
        TabControl tabs;
        tabs.setParent(&window);
        tabs.setGeometry(0, 0, 489, 249);
        QWidget* first = tabs.AddPage(QStringLiteral("Team Manager"));
        QWidget* second = tabs.AddPage(QStringLiteral("Pes Color Manager"));
        auto* a = new QWidget(first);
        auto* b = new QWidget(second);
        tabs.Place(a, QRect(8, 32, 257, 209));
        tabs.Place(b, QRect(248, 32, 233, 137));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(a->mapTo(&tabs, QPoint(0, 0)), QPoint(8, 32));
        QCOMPARE(a->size(), QSize(257, 209));
        tabs.setCurrentIndex(1);
        QCOMPARE(b->mapTo(&tabs, QPoint(0, 0)), QPoint(248, 32));
        QCOMPARE(tabs.tabText(1), QStringLiteral("Pes Color Manager"));

        // A taller tab strip (a font or theme change at run time) moves the pages without a
        // resize of the tab control; the children stay where they were placed.
        const int stripBefore = tabs.tabBar()->height();
        QFont big = tabs.font();
        big.setPixelSize(QFontInfo(big).pixelSize() * 3);
        tabs.setFont(big);
        QTRY_VERIFY(tabs.tabBar()->height() > stripBefore);
        QTRY_COMPARE(b->mapTo(&tabs, QPoint(0, 0)), QPoint(248, 32));
        tabs.setCurrentIndex(0);
        QTRY_COMPARE(a->mapTo(&tabs, QPoint(0, 0)), QPoint(8, 32));
    }

    // The face shows the background colour: a plain colour, or a system colour resolved
    // through the palette.
    void colourButtonFace_data() {
        QTest::addColumn<quint32>("backColor");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("80FF") << 33023u << QColor(255, 128, 0);
        QTest::newRow("pure blue") << 0xFF0000u << QColor(0, 0, 255);
        QTest::newRow("button face")
            << 0x8000000Fu << QApplication::palette().color(QPalette::Button);
    }
    void colourButtonFace() {
        QFETCH(quint32, backColor);
        QFETCH(QColor, expected);
        ColourButton button;
        button.resize(161, 65);
        button.setBackColor(backColor);
        button.setCaption(QStringLiteral("80FF"));
        QCOMPARE(button.BackColor(), backColor);
        const QImage face = button.grab().toImage();
        // Inside the bevel, away from the centred caption.
        for (const QPoint p : {QPoint(6, 6), QPoint(154, 58), QPoint(20, 32)}) {
            QCOMPARE(face.pixelColor(p), expected);
        }
    }
};

QTEST_MAIN(tst_ui_adapters)
#include "tst_ui_adapters.moc"
