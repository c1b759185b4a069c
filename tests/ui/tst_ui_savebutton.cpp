// The window's save button under real input: the keyboard reaches it, and its cut corners
// are not part of it.

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "tests/support/DemoFileFixture.h"
#include "tests/support/WindowDriver.h"

using namespace corvane;
using namespace corvane::test;

class tst_ui_savebutton : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::UseFixedLook(); }

    void savesWithTabAndSpace() {
        DemoFileFixture demo;
        QVERIFY(demo.isValid());
        WindowDriver d;
        d.Open(demo.path());
        d.Type(d.w->txt[0], QStringLiteral("121"));
        d.SaveWithKeys();
        QCOMPARE(d.messages.shown.size(), 1);
        QCOMPARE(d.messages.shown[0].text, QStringLiteral("Ready!!!"));
        QCOMPARE(demo.bytes(kTeams, 2), Bytes({121, 0}));
    }

    // A click on a cut-off corner lands on the window behind the button and saves nothing; one
    // just inside the shape saves.
    void cutCornersAreNotTheButton() {
        DemoFileFixture demo;
        QVERIFY(demo.isValid());
        WindowDriver d;
        d.Open(demo.path());
        const QRegion shape = d.w->cmd_Save->mask();
        QVERIFY(!shape.contains(QPoint(0, 0)));
        QVERIFY(shape.contains(QPoint(2, 2)));
        d.ClickSave(QPoint(0, 0));
        QCOMPARE(d.messages.shown.size(), 0);
        d.ClickSave(QPoint(2, 2));
        QCOMPARE(d.messages.shown.size(), 1);
    }

    // "Ready!!!" opens as a modal box away from the button. Qt then tells the button that the
    // pointer left, because the window is blocked, but the pointer stays over the button: it
    // stays hovered while the box is open and after it closes, until the pointer moves away.
    void readyBoxKeepsTheButtonHovered() {
        DemoFileFixture demo;
        QVERIFY(demo.isValid());
        WindowDriver d;
        d.Open(demo.path());
        d.messages.modalForMs = 150;
        Button_XP* b = d.w->cmd_Save;
        QSignalSpy outs(b, &Button_XP::MouseOut);
        QCursor::setPos(b->mapToGlobal(b->rect().center()));
        QTRY_VERIFY(b->flags().MouseOver);
        bool blocked = false;
        bool hoveredWhileOpen = false;
        QTimer::singleShot(100, b, [&] {
            blocked = QApplication::activeModalWidget() != nullptr;
            hoveredWhileOpen = b->flags().MouseOver;
        });
        d.ClickSave();
        QCOMPARE(d.messages.shown.size(), 1);
        QCOMPARE(d.messages.shown[0].text, QStringLiteral("Ready!!!"));
        QVERIFY(blocked);
        QVERIFY(hoveredWhileOpen);
        // Two ticks of the hover timer with the pointer still over the button change nothing.
        QTimer* const hover = b->findChild<QTimer*>(QStringLiteral("OverTimer"));
        QVERIFY(hover && hover->isActive());
        QSignalSpy ticks(hover, &QTimer::timeout);
        QTRY_VERIFY(ticks.count() >= 2);
        QCOMPARE(outs.count(), 0);
        QVERIFY(b->flags().MouseOver);
        QCursor::setPos(d.w->mapToGlobal(QPoint(d.w->width() - 5, d.w->height() - 5)));
        QTRY_COMPARE(outs.count(), 1);
    }
};

QTEST_MAIN(tst_ui_savebutton)
#include "tst_ui_savebutton.moc"
