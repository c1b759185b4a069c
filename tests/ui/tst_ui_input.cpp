// The window under careless input, with real mouse, key and wheel events: the club lists
// change only when the user chooses, the hex fields take no typing, the colour buttons'
// captions show on any colour, and the window is centred frame and all.

#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <QTest>
#include <QtEndian>

#include <cstdlib>

#include "tests/support/DemoFileFixture.h"
#include "tests/support/WindowDriver.h"

using namespace corvane;
using namespace corvane::test;

namespace {

// The pixels of `image` inside `r` whose grey level lies within 64 of that of `c` (the caption
// is antialiased: its strokes are nearly, not exactly, the ink).
int CountPixels(const QImage& image, const QRect& r, const QColor& c) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            n += std::abs(qGray(image.pixel(x, y)) - qGray(c.rgb())) < 64;
        }
    }
    return n;
}

}  // namespace

class tst_ui_input : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::UseFixedLook(); }

    // Team slot 1 holds CLUB AMERICA (1264). Each script ends with Menu -> Save; the list's
    // text, the ID field and the saved ID must tell the same story.
    void clubListChangesOnlyByChoice_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("id");
        QTest::newRow("a notch down without focus") << "elsewhere; wheel -120"
                                                    << "CLUB AMERICA"
                                                    << "1264";
        QTest::newRow("notches up without focus") << "elsewhere; wheel 120; wheel 120"
                                                  << "CLUB AMERICA"
                                                  << "1264";
        QTest::newRow("never focused") << "wheel -120"
                                       << "CLUB AMERICA"
                                       << "1264";
        QTest::newRow("a notch down with focus: the club after the one shown")
            << "focus; wheel -120"
            << "SANTOS"
            << "1254";
        QTest::newRow("a notch up with focus: the club before") << "focus; wheel 120"
                                                                << "FC PORTO"
                                                                << "192";
        QTest::newRow("a touchpad's thirds make one notch")
            << "focus; wheel -40; wheel -40; wheel -30"
            << "CLUB AMERICA"
            << "1264";
        QTest::newRow("a touchpad's thirds, completed") << "focus; wheel -40; wheel -40; wheel -40"
                                                        << "SANTOS"
                                                        << "1254";
        QTest::newRow("Down from the club shown") << "focus; key Down"
                                                  << "SANTOS"
                                                  << "1254";
        QTest::newRow("Up from the club shown") << "focus; key Up"
                                                << "FC PORTO"
                                                << "192";
        QTest::newRow("santos and Enter: no such club") << "focus; type santos; key Return"
                                                        << "santos"
                                                        << "1264";
        QTest::newRow("s and Enter: nothing completed") << "focus; type s; key Return"
                                                        << "s"
                                                        << "1264";
        QTest::newRow("S and Tab: nothing completed") << "focus; type S; key Tab"
                                                      << "S"
                                                      << "1264";
        QTest::newRow("SANTOS typed, saved from the menu") << "focus; type SANTOS"
                                                           << "SANTOS"
                                                           << "1254";
        QTest::newRow("SANTOS and Enter") << "focus; type SANTOS; key Return"
                                          << "SANTOS"
                                          << "1254";
        QTest::newRow("SANTOS, then a wheel notch down") << "focus; type SANTOS; wheel -120"
                                                         << "INTERNACIONAL"
                                                         << "1252";
        QTest::newRow("an unknown text, then Down: the first club") << "focus; type X; key Down"
                                                                    << "MANCHESTER UNITED"
                                                                    << "100";
        QTest::newRow("an unknown text, then Up: nothing") << "focus; type X; key Up"
                                                           << "X"
                                                           << "1264";
    }
    void clubListChangesOnlyByChoice() {
        QFETCH(QString, script);
        QFETCH(QString, shown);
        QFETCH(QString, id);
        DemoFileFixture demo(21);
        QVERIFY(test::PokeBytes(demo.path(), kTeams, Bytes({0xF0, 0x04})));
        WindowDriver d;
        d.Open(demo.path());
        ComboBox* combo = d.w->Combos[0];
        QCOMPARE(combo->Text(), QStringLiteral("CLUB AMERICA"));
        d.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.w.get()));
        for (const QString& step : script.split(';', Qt::SkipEmptyParts)) {
            const QString op = step.trimmed().section(' ', 0, 0);
            const QString arg = step.trimmed().section(' ', 1);
            if (op == "focus" || op == "elsewhere") {
                QWidget* target = op == "focus" ? combo->lineEdit() : d.w->txt[3];
                QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
                QTRY_VERIFY(target->hasFocus());
            } else if (op == "wheel") {
                d.Wheel(combo, arg.toInt());
            } else if (op == "type") {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(QApplication::focusWidget(), arg);
            } else if (op == "key") {
                const QHash<QString, Qt::Key> keys{{"Return", Qt::Key_Return},
                                                   {"Tab", Qt::Key_Tab},
                                                   {"Up", Qt::Key_Up},
                                                   {"Down", Qt::Key_Down}};
                QTest::keyClick(QApplication::focusWidget(), keys.value(arg));
            } else {
                QFAIL(qPrintable("unknown step " + step));
            }
        }
        QCOMPARE(combo->Text(), shown);
        QCOMPARE(d.w->txt[0]->Text(), id);
        d.ClickMenu(d.w->mnuSave);
        QCOMPARE(d.messages.shown.size(), 1);
        QCOMPARE(d.messages.shown[0].text, QStringLiteral("Ready!!!"));
        const qint16 saved = qFromLittleEndian<qint16>(demo.bytes(kTeams, 2).constData());
        QCOMPARE(QString::number(saved), id);
    }

    // The drop-down opens on the club shown, so that Enter there keeps it.
    void dropDownOpensOnTheClubShown() {
        DemoFileFixture demo(22);
        QVERIFY(test::PokeBytes(demo.path(), kTeams, Bytes({0xF0, 0x04})));
        WindowDriver d;
        d.Open(demo.path());
        ComboBox* combo = d.w->Combos[0];
        combo->setFocus();
        QTRY_VERIFY(combo->hasFocus());
        QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(combo->view()->isVisible());
        QCOMPARE(combo->view()->currentIndex().row(), 4);
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QTRY_VERIFY(!combo->view()->isVisible());
        QCOMPARE(combo->Text(), QStringLiteral("CLUB AMERICA"));
        QCOMPARE(d.w->txt[0]->Text(), QStringLiteral("1264"));
    }

    // The whole frame, title bar included, in the middle of the screen's available area, and
    // then where the user moves it.
    void windowIsCentredFrameAndAll() {
        WindowDriver d;
        QVERIFY(d.exposed);
        const QRect area = d.w->screen()->availableGeometry();
        // The window manager frames the window in its own time after it is mapped (slowly on
        // a loaded machine).
        QTRY_VERIFY2(d.w->frameGeometry().size() != d.w->size(),
                     "the platform gives the window no frame");
        const QRect frame = d.w->frameGeometry();
        const QPoint centred(area.x() + (area.width() - frame.width()) / 2,
                             area.y() + (area.height() - frame.height()) / 2);
        QTRY_COMPARE(d.w->frameGeometry().topLeft(), centred);
        // Moved by the user, it stays there. (The window manager's answers to the centring
        // are all in first: on a loaded machine a late one would report the old place for a
        // moment.)
        QGuiApplication::sync();
        QCoreApplication::processEvents();
        const QPoint moved = area.topLeft() + QPoint(10, 20);
        d.w->move(moved);
        QTRY_COMPARE(d.w->frameGeometry().topLeft(), moved);
        // Every event the window system still had for us has arrived, and none moved it back.
        QGuiApplication::sync();
        QCoreApplication::processEvents();
        QTRY_COMPARE(d.w->frameGeometry().topLeft(), moved);
    }

    // The hex fields take no typing, keep their text selectable and copyable, and look like
    // the fields they are, not greyed.
    void hexFieldsAreReadOnly_data() {
        QTest::addColumn<bool>("exhibition");
        QTest::newRow("Result") << true;
        QTest::newRow("Result4") << false;
    }
    void hexFieldsAreReadOnly() {
        QFETCH(bool, exhibition);
        DemoFileFixture demo(23);
        QVERIFY(test::PokeBytes(demo.path(), kFontSlot, Bytes({0x12, 0x34, 0x56, 0xFF})));
        QVERIFY(test::PokeBytes(demo.path(), kExhibitionSlot, Bytes({0xFF, 0x80, 0x00, 200})));
        WindowDriver d;
        d.Open(demo.path());
        d.ShowPage(1);
        FlatEdit* hex = exhibition ? d.w->Result : d.w->Result4;
        const QString text = exhibition ? QStringLiteral("80FF") : QStringLiteral("563412");
        QCOMPARE(hex->Text(), text);
        QVERIFY(hex->isReadOnly());

        const QImage readOnly = hex->grab().toImage();
        hex->setReadOnly(false);
        const QImage editable = hex->grab().toImage();
        hex->setReadOnly(true);
        QCOMPARE(readOnly, editable);

        QTest::mouseClick(hex, Qt::LeftButton, {}, QPoint(4, hex->height() / 2));
        QTRY_VERIFY(hex->hasFocus());
        QTest::keyClicks(hex, QStringLiteral("9"));
        QTest::keyClick(hex, Qt::Key_Backspace);
        QTest::keyClick(hex, Qt::Key_Delete);
        QTest::keyClick(hex, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(hex->Text(), text);
        QApplication::clipboard()->clear();
        QTest::keyClick(hex, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(hex, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), text);
    }

    // The caption is drawn in black or white, whichever contrasts more with the colour.
    void captionContrasts_data() {
        QTest::addColumn<QColor>("face");
        QTest::addColumn<QColor>("caption");
        const QColor black(Qt::black);
        const QColor white(Qt::white);
        QTest::newRow("black") << black << white;
        QTest::newRow("white") << white << black;
        QTest::newRow("pure blue") << QColor(0, 0, 255) << white;
        QTest::newRow("pure red") << QColor(255, 0, 0) << black;
        QTest::newRow("pure green") << QColor(0, 255, 0) << black;
        QTest::newRow("yellow") << QColor(255, 255, 0) << black;
        QTest::newRow("navy") << QColor(0, 0, 128) << white;
        QTest::newRow("grey 0x75, just below the turn") << QColor(0x75, 0x75, 0x75) << white;
        QTest::newRow("grey 0x76, just above the turn") << QColor(0x76, 0x76, 0x76) << black;
        QTest::newRow("the fixed look's button face") << QColor(0xEF, 0xEF, 0xEF) << black;
    }
    void captionContrasts() {
        QFETCH(QColor, face);
        QFETCH(QColor, caption);
        QCOMPARE(ContrastingCaptionColour(face), caption);
    }

    // On the window: a black slot's "0" in white, a white slot's "FFFFFF" in black.
    void colourButtonCaptionOnTheWindow() {
        DemoFileFixture demo(24);
        QVERIFY(test::PokeBytes(demo.path(), kExhibitionSlot, Bytes({0, 0, 0, 0})));
        QVERIFY(test::PokeBytes(demo.path(), kFontSlot, Bytes({0xFF, 0xFF, 0xFF, 0})));
        WindowDriver d;
        d.Open(demo.path());
        d.ShowPage(1);
        const struct {
            ColourButton* button;
            QString caption;
            QColor ink;
            QColor paper;
        } cases[] = {{d.w->cmd_Color, "0", Qt::white, Qt::black},
                     {d.w->cmd_Color4, "FFFFFF", Qt::black, Qt::white}};
        for (const auto& c : cases) {
            QCOMPARE(c.button->text(), c.caption);
            const QImage face = c.button->grab().toImage();
            // The caption's line, above the hex field that lies over the button's middle.
            const QRect line(3, 6, face.width() - 6, c.button->fontMetrics().height());
            QVERIFY(CountPixels(face, line, c.ink) > 3);
            QVERIFY(CountPixels(face, line, c.paper) > line.width());
        }
    }
};

QTEST_MAIN(tst_ui_input)
#include "tst_ui_input.moc"
