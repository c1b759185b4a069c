// Button_XP against a careless or hostile host and user, with real events: handlers that
// delete the button in every event it raises, a modal dialog opened from Click, and a quick
// press that Qt reports as a double click because the press before it hit a neighbour. The
// deletion rows are what the sanitizer build checks for reads of freed memory.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDesktopServices>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

#include "tests/controls/button/ButtonScene.h"

using namespace corvane;
using namespace corvane::test;

namespace {

// Connects `run` to the button's event of that name ("Link": the link being opened).
void OnEvent(Scene& s, Recorder& rec, const QString& name, const std::function<void()>& run) {
    Button_XP* b = s.b;
    const QObject* ctx = &s.window;
    if (name == "Click") {
        QObject::connect(b, &Button_XP::Click, ctx, run);
    } else if (name == "MouseDown") {
        QObject::connect(b, &Button_XP::MouseDown, ctx, run);
    } else if (name == "MouseMove") {
        QObject::connect(b, &Button_XP::MouseMove, ctx, run);
    } else if (name == "MouseUp") {
        QObject::connect(b, &Button_XP::MouseUp, ctx, run);
    } else if (name == "MouseIn") {
        QObject::connect(b, &Button_XP::MouseIn, ctx, run);
    } else if (name == "MouseOut") {
        QObject::connect(b, &Button_XP::MouseOut, ctx, run);
    } else if (name == "KeyDown") {
        QObject::connect(b, &Button_XP::KeyDown, ctx, run);
    } else if (name == "KeyPress") {
        QObject::connect(b, &Button_XP::KeyPress, ctx, run);
    } else if (name == "KeyUp") {
        QObject::connect(b, &Button_XP::KeyUp, ctx, run);
    } else if (name == "Link") {
        rec.onLink = run;
    } else {
        QFAIL(qPrintable("no event " + name));
    }
}

// What the user does. Leaves no mouse button held.
void Do(Scene& s, const QString& route) {
    const auto focusButton = [&s] {
        s.b->setFocus();
        QTRY_VERIFY(s.b->hasFocus());
    };
    if (route == "enter") {
        s.pointTo(kInside);
    } else if (route == "move") {
        s.pointTo(kInside);
        s.pointTo(kInside + QPoint(1, 0));
    } else if (route == "leave") {
        s.pointTo(kInside);
        s.pointTo(kOutside);
    } else if (route == "press") {
        s.pointTo(kInside);
        s.press(kInside);
        s.release(kInside);  // reaches the window once the button is gone
    } else if (route == "click") {
        s.pointTo(kInside);
        s.press(kInside);
        s.release(kInside);
    } else if (route == "drag out") {
        s.pointTo(kInside);
        s.press(kInside);
        s.pointTo(kOutside);
        s.letHoverTimerTick(1);  // the tick finds the pointer gone
        s.release(kOutside);
    } else if (route == "double click") {
        s.pointTo(kInside);
        QTest::mouseDClick(s.handle(), Qt::LeftButton, {}, s.inWindow(kInside));
    } else if (route == "space") {
        focusButton();
        QTest::keyPress(s.b, Qt::Key_Space);
        if (s.b) {  // KeyDown's handler may have deleted it
            QTest::keyRelease(s.b, Qt::Key_Space);
        }
    } else if (route == "key a") {
        focusButton();
        QTest::keyPress(s.b, Qt::Key_A);
        if (s.b) {
            QTest::keyRelease(s.b, Qt::Key_A);
        }
    } else if (route == "alt+g") {
        s.b->setCaption(QStringLiteral("&Go"));
        QTest::keyClick(s.edit, Qt::Key_G, Qt::AltModifier);
    } else if (route == "enter key") {
        s.site.setDefault(true);
        QTest::keyClick(s.edit, Qt::Key_Return);
    } else if (route == "esc key") {
        s.site.setCancel(true);
        QTest::keyClick(s.edit, Qt::Key_Escape);
    } else if (route == "accessibility") {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(s.b);
        QVERIFY(a && a->actionInterface());
        a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    } else {
        QFAIL(qPrintable("no route " + route));
    }
}

}  // namespace

class tst_ButtonXPAbuse : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void deletedByItsOwnHandler_data();
    void deletedByItsOwnHandler();
    void modalDialogFromClickKeepsHover_data();
    void modalDialogFromClickKeepsHover();
    void pressAfterNeighbourIsPlain_data();
    void pressAfterNeighbourIsPlain();

private:
    Recorder m_rec;
};

void tst_ButtonXPAbuse::initTestCase() {
    SetProcessSoundPlayer(&m_rec);
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_rec, "openUrl");
}

void tst_ButtonXPAbuse::cleanupTestCase() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    SetProcessSoundPlayer(nullptr);
}

void tst_ButtonXPAbuse::init() {
    m_rec.onLink = nullptr;
    QCursor::setPos(700, 500);
    QCoreApplication::processEvents();
}

// A plain `delete` of the button in the handler of any event it raises, reached the way a
// user reaches it: the button stops there, nothing touches it afterwards, and the window
// goes on working.
void tst_ButtonXPAbuse::deletedByItsOwnHandler_data() {
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("route");
    QTest::addColumn<int>("nth");  // the raise of that event whose handler deletes
    QTest::newRow("Click by mouse") << "Click"
                                    << "click" << 1;
    QTest::newRow("Click, second of a double click") << "Click"
                                                     << "double click" << 2;
    QTest::newRow("Click by space") << "Click"
                                    << "space" << 1;
    QTest::newRow("Click by access key") << "Click"
                                         << "alt+g" << 1;
    QTest::newRow("Click by Enter, default button") << "Click"
                                                    << "enter key" << 1;
    QTest::newRow("Click by Esc, cancel button") << "Click"
                                                 << "esc key" << 1;
    QTest::newRow("Click by accessibility press") << "Click"
                                                  << "accessibility" << 1;
    QTest::newRow("the link a click opens") << "Link"
                                            << "click" << 1;
    QTest::newRow("MouseDown") << "MouseDown"
                               << "press" << 1;
    QTest::newRow("MouseDown of a double click") << "MouseDown"
                                                 << "double click" << 2;
    QTest::newRow("MouseUp") << "MouseUp"
                             << "click" << 1;
    QTest::newRow("MouseUp of a space release") << "MouseUp"
                                                << "space" << 1;
    QTest::newRow("MouseIn") << "MouseIn"
                             << "enter" << 1;
    QTest::newRow("MouseMove of the hover entry") << "MouseMove"
                                                  << "enter" << 1;
    QTest::newRow("MouseMove") << "MouseMove"
                               << "move" << 2;
    QTest::newRow("MouseOut") << "MouseOut"
                              << "leave" << 1;
    QTest::newRow("MouseOut, held outside") << "MouseOut"
                                            << "drag out" << 1;
    QTest::newRow("KeyDown") << "KeyDown"
                             << "key a" << 1;
    QTest::newRow("KeyPress") << "KeyPress"
                              << "key a" << 1;
    QTest::newRow("KeyUp") << "KeyUp"
                           << "key a" << 1;
    QTest::newRow("KeyDown of space") << "KeyDown"
                                      << "space" << 1;
    QTest::newRow("KeyUp of space") << "KeyUp"
                                    << "space" << 1;
}

void tst_ButtonXPAbuse::deletedByItsOwnHandler() {
    QFETCH(QString, event);
    QFETCH(QString, route);
    QFETCH(int, nth);
    Scene s(m_rec);
    s.b->setURL(QStringLiteral("https://example.com/go"));
    int raised = 0;
    OnEvent(s, m_rec, event, [&] {
        if (++raised == nth) {
            delete s.b.data();
        }
    });
    Do(s, route);
    QTRY_VERIFY(s.b.isNull());
    QCOMPARE(raised, nth);
    // Nothing of the button's was logged after the event that deleted it.
    const QString last = s.log.last();
    QVERIFY2(last.startsWith(event), qPrintable(s.log.join(' ')));

    // The window goes on: pointer, clicks and keys reach what is left.
    s.pointTo(kInside);
    QTest::mouseClick(s.handle(), Qt::LeftButton, {}, s.inWindow(kInside));
    s.edit->setFocus();
    QTRY_VERIFY(s.edit->hasFocus());
    QTest::keyClicks(s.edit, QStringLiteral("ok"));
    QVERIFY(s.edit->text().endsWith(QStringLiteral("ok")));
    QCOMPARE(raised, nth);
}

// A handler opens a modal dialog away from the button. Qt then sends the button a Leave,
// because its window is blocked; the pointer has not moved, so the button stays hovered. A
// pointer moved onto the dialog does end the hover.
void tst_ButtonXPAbuse::modalDialogFromClickKeepsHover_data() {
    QTest::addColumn<bool>("pointerToDialog");
    QTest::newRow("pointer stays on the button") << false;
    QTest::newRow("pointer moves onto the dialog") << true;
}

void tst_ButtonXPAbuse::modalDialogFromClickKeepsHover() {
    QFETCH(bool, pointerToDialog);
    Scene s(m_rec);
    s.pointTo(kInside);
    QCOMPARE(s.pixel(kProbeX, 1), kHoverRow1);
    bool hoveredWhileOpen = false;
    bool blocked = false;
    QObject::connect(s.b, &Button_XP::Click, &s.window, [&] {
        QDialog dialog(&s.window);
        dialog.setGeometry(
            QRect(s.window.frameGeometry().bottomRight() + QPoint(40, 40), QSize(160, 90)));
        QTimer::singleShot(0, &dialog, [&] {
            blocked = QApplication::activeModalWidget() == &dialog;
            if (pointerToDialog) {
                QCursor::setPos(dialog.geometry().center());
            }
            s.letHoverTimerTick(10);
            hoveredWhileOpen = s.b->flags().MouseOver;
            dialog.accept();
        });
        dialog.exec();
    });
    s.log.clear();
    s.press(kInside);
    s.release(kInside);
    QVERIFY(blocked);
    QCOMPARE(hoveredWhileOpen, !pointerToDialog);
    QCOMPARE(s.log.contains("MouseOut(0)"), pointerToDialog);
    if (!pointerToDialog) {
        QCOMPARE(s.pixel(kProbeX, 1), kHoverRow1);
        QVERIFY(Button_XPTestAccess::hoverTimerActive(*s.b));
        // The hover still ends when the pointer leaves.
        s.pointTo(kOutside);
        QTRY_VERIFY(s.log.contains("MouseOut(0)"));
        QVERIFY(!s.b->flags().MouseOver);
    }
}

// Qt pairs a double click with the previous press in the window: a click on the text field,
// then a quick press on the button, reaches the button as a double click. It is a plain press
// with its own arguments, drawn pressed, also after an earlier right click on the button.
void tst_ButtonXPAbuse::pressAfterNeighbourIsPlain_data() {
    QTest::addColumn<bool>("rightClickBefore");
    QTest::newRow("after a click on the text field") << false;
    QTest::newRow("after a right click on the button, then the text field") << true;
}

void tst_ButtonXPAbuse::pressAfterNeighbourIsPlain() {
    QFETCH(bool, rightClickBefore);
    Scene s(m_rec);
    QWindow* w = s.handle();
    const auto send = [w](QPoint at, Qt::MouseButtons held, Qt::MouseButton button,
                          QEvent::Type type, Qt::KeyboardModifiers mods, ulong t) {
        qt_handleMouseEvent(w, at, w->mapToGlobal(QPointF(at)), held, button, type, mods, t);
        QCoreApplication::processEvents();
    };
    ulong t = 300000;  // past QTest's own time stamps
    const QPoint onButton = s.inWindow(QPoint(30, 12));
    if (rightClickBefore) {
        send(onButton, Qt::RightButton, Qt::RightButton, QEvent::MouseButtonPress, {}, t);
        send(onButton, {}, Qt::RightButton, QEvent::MouseButtonRelease, {}, t + 1);
        t += 10000;
    }
    // Qt pairs presses only a few pixels apart: the text field lies right below the button,
    // and the two presses are 3 pixels apart across the edge.
    s.edit->setGeometry(QRect(s.inWindow(QPoint(0, 33)), QSize(249, 20)));
    const QPoint onEdit = s.inWindow(QPoint(100, 34));
    send(onEdit, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress, {}, t);
    send(onEdit, {}, Qt::LeftButton, QEvent::MouseButtonRelease, {}, t + 1);
    s.log.clear();
    const QPoint at = s.inWindow(QPoint(100, 31));
    send(at, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress, Qt::ShiftModifier, t + 2);
    QCOMPARE(s.log.filter("MouseDown"), QStringList{"MouseDown(1,1,100,31)"});
    QVERIFY(s.b->flags().Pressed);
    QCOMPARE(s.pixel(kProbeX, 2), kPressedRow2);
    send(at, {}, Qt::LeftButton, QEvent::MouseButtonRelease, Qt::ShiftModifier, t + 3);
    QCOMPARE(s.log.count("Click"), 1);
}

QTEST_MAIN(tst_ButtonXPAbuse)
#include "tests/support/Button_XPTestAccess.h"
#include "tst_button_xp_abuse.moc"
