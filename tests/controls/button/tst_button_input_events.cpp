// Qt's input events as the widget passes them on: arguments, X11's auto-repeat pairs, and the
// hover timer's test of the widget under the pointer.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStyleHints>
#include <QTest>
#include <QWidget>

#include "controls/button/ButtonInputEvents.h"
#include "controls/button/ButtonInputKeys.h"
#include "controls/button/qt/QtButtonInput.h"
#include "controls/host/qt/QtInput.h"
#include "tests/controls/button/RecordingHost.h"

using namespace corvane;
using namespace corvane::test;

namespace {

// Qt's events as the widget translates them.
MouseEvent mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held,
                 Qt::KeyboardModifiers mods = {}, quint64 time = 0) {
    QMouseEvent e(type, at, at, button, held, mods);
    e.setTimestamp(time);
    return MouseEventOf(e);
}

KeyEvent key(QEvent::Type type, int k, const QString& text, bool autoRepeat = false,
             Qt::KeyboardModifiers mods = {}) {
    return KeyEventOf(QKeyEvent(type, k, mods, text, autoRepeat));
}

QStringList logOf(const RecordingHost& host) {
    QStringList out;
    for (const std::string& entry : host.log) {
        out << QString::fromStdString(entry);
    }
    return out;
}

}  // namespace

class tst_ButtonInputEvents : public QObject {
    Q_OBJECT
private slots:
    void init();
    void mouseArguments();
    void doubleClickIsTheSecondPress_data();
    void doubleClickIsTheSecondPress();
    void x11AutoRepeatOfSpace();
    void keysWithoutCharacters();
    void pointerIsOver();
    void argumentsFromQt();

private:
    RecordingHost m_host;
    std::unique_ptr<ButtonInput> m_input;
};

void tst_ButtonInputEvents::init() {
    m_host.log.clear();
    m_input = std::make_unique<ButtonInput>(m_host);
    m_host.machine = m_input.get();
}

void tst_ButtonInputEvents::mouseArguments() {
    FeedMouseMove(*m_input,
                  mouse(QEvent::MouseMove, {5.5, 6}, Qt::NoButton, Qt::NoButton, Qt::AltModifier));
    FeedMousePress(*m_input, mouse(QEvent::MouseButtonPress, {5.5, 6}, Qt::MiddleButton,
                                   Qt::MiddleButton, Qt::ShiftModifier | Qt::ControlModifier));
    FeedMouseMove(*m_input, mouse(QEvent::MouseMove, {-3, 40}, Qt::NoButton,
                                  Qt::LeftButton | Qt::MiddleButton));
    FeedMouseRelease(*m_input,
                     mouse(QEvent::MouseButtonRelease, {-3, 40}, Qt::MiddleButton, Qt::NoButton));
    QCOMPARE(logOf(m_host),
             (QStringList{"Timer(on)", "HoverPicture", "MouseIn(4)", "Refresh(-O-)", "Pending",
                          "MouseMove(0,4,5.5,6)", "Refresh(PO-)", "MouseDown(4,3,5.5,6)",
                          "MouseMove(5,0,-3,40)", "Refresh(-O-)", "MouseUp(4,0,-3,40)"}));
}

// What a quick double click delivers to a widget: press, release, double click, release. The
// double click repeats the button's own press only when that press was the first of the pair;
// otherwise it is a plain press with its own arguments (Qt pairs presses per window).
void tst_ButtonInputEvents::doubleClickIsTheSecondPress_data() {
    QTest::addColumn<QString>("first");  // the button's own earlier press, or "none"
    QTest::addColumn<int>("gap");        // milliseconds from that press to the double click
    QTest::addColumn<QStringList>("expected");
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    const QStringList own{"Refresh(P--)", "MouseDown(1,2,9,3)"};
    QTest::newRow("its own left press: repeated")
        << "left" << 100
        << QStringList{"Refresh(P--)", "MouseDown(1,0,7,8)", "Capture", "Refresh(P--)",
                       "MouseDown(1,0,7,8)"};
    QTest::newRow("no press here: the press on a neighbour is not replayed")
        << "none" << 100 << own;
    QTest::newRow("its own press, too long ago")
        << "left" << interval << QStringList{"Refresh(P--)", "MouseDown(1,0,7,8)"} + own;
    QTest::newRow("its own right press: drawn pressed, with its own button")
        << "right" << 100 << QStringList{"MouseDown(2,0,7,8)"} + own;
    QTest::newRow("a double click does not pair with the next one")
        << "double" << 100
        << QStringList{"Refresh(P--)", "MouseDown(1,0,7,8)", "Capture", "Refresh(P--)",
                       "MouseDown(1,0,7,8)"} +
               own;
}

void tst_ButtonInputEvents::doubleClickIsTheSecondPress() {
    QFETCH(QString, first);
    QFETCH(int, gap);
    QFETCH(QStringList, expected);
    DoubleClickPairing pairing;
    const quint64 t0 = 50000;
    if (first != "none") {
        const Qt::MouseButton b = first == "right" ? Qt::RightButton : Qt::LeftButton;
        const MouseEvent press = mouse(QEvent::MouseButtonPress, {7, 8}, b, b, {}, t0);
        pairing.NotePress(press);
        FeedMousePress(*m_input, press);
        FeedMouseRelease(*m_input, mouse(QEvent::MouseButtonRelease, {7, 8}, b, Qt::NoButton));
    }
    if (first == "double") {
        const MouseEvent again =
            mouse(QEvent::MouseButtonDblClick, {7, 8}, Qt::LeftButton, Qt::LeftButton, {}, t0 + 50);
        FeedMouseDoubleClick(*m_input, pairing, again, DoubleClickInterval());
        FeedMouseRelease(*m_input,
                         mouse(QEvent::MouseButtonRelease, {7, 8}, Qt::LeftButton, Qt::NoButton));
    }
    const MouseEvent dbl =
        mouse(QEvent::MouseButtonDblClick, {9, 3}, Qt::LeftButton, Qt::LeftButton,
              Qt::ControlModifier, t0 + static_cast<quint64>(gap));
    FeedMouseDoubleClick(*m_input, pairing, dbl, DoubleClickInterval());
    QCOMPARE(logOf(m_host).filter(QRegularExpression("^(Refresh\\(P|MouseDown|Capture)")),
             expected);
}

void tst_ButtonInputEvents::x11AutoRepeatOfSpace() {
    FeedKeyPress(*m_input, key(QEvent::KeyPress, Qt::Key_Space, " "));
    for (int i = 0; i < 2; ++i) {
        FeedKeyRelease(*m_input, key(QEvent::KeyRelease, Qt::Key_Space, " ", true));
        FeedKeyPress(*m_input, key(QEvent::KeyPress, Qt::Key_Space, " ", true));
    }
    FeedKeyRelease(*m_input, key(QEvent::KeyRelease, Qt::Key_Space, " ", false, Qt::ShiftModifier));
    QCOMPARE(logOf(m_host), (QStringList{"Refresh(PO-)", "KeyDown(32,0)", "KeyPress(32)",
                                         "KeyDown(32,0)", "KeyPress(32)", "KeyDown(32,0)",
                                         "KeyPress(32)", "Refresh(---)", "Refresh(---)", "Sound",
                                         "Click", "Link", "MouseUp(1,1,0,0)", "KeyUp(32,1)"}));
}

void tst_ButtonInputEvents::keysWithoutCharacters() {
    FeedKeyPress(*m_input, key(QEvent::KeyPress, Qt::Key_Delete, "\x7f"));
    // X11 reports a modifier key's press with the state before it; Qt turns that into the
    // state after it, which is what KeyDown's Shift carries.
    FeedKeyPress(*m_input, key(QEvent::KeyPress, Qt::Key_Shift, ""));
    FeedKeyPress(*m_input, key(QEvent::KeyPress, Qt::Key_Return, "\r"));
    QCOMPARE(logOf(m_host),
             (QStringList{"KeyDown(46,0)", "KeyDown(16,1)", "KeyDown(13,0)", "KeyPress(13)"}));
}

void tst_ButtonInputEvents::pointerIsOver() {
    QWidget window;
    window.resize(200, 100);
    QWidget button(&window);
    button.setGeometry(10, 10, 100, 30);
    QWidget cover(&window);  // a sibling lying over the button's right end
    cover.setGeometry(90, 10, 40, 30);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCursor::setPos(button.mapToGlobal(QPoint(5, 5)));
    QVERIFY(PointerIsOver(&button));
    QCursor::setPos(button.mapToGlobal(QPoint(85, 5)));  // under the cover
    QVERIFY(!PointerIsOver(&button));
    QCursor::setPos(window.mapToGlobal(QPoint(150, 80)));
    QVERIFY(!PointerIsOver(&button));

    button.setMask(QRegion(1, 1, 98, 28));  // a cut-off corner is not the button
    QCursor::setPos(button.mapToGlobal(QPoint(0, 0)));
    QVERIFY(!PointerIsOver(&button));
    QCursor::setPos(button.mapToGlobal(QPoint(1, 1)));
    QVERIFY(PointerIsOver(&button));
    QVERIFY(!PointerIsOver(nullptr));
}

void tst_ButtonInputEvents::argumentsFromQt() {
    QCOMPARE(KeyCodeArg(KeyOfQt(Qt::Key_Space, {})), qint16(32));
    QCOMPARE(KeyCodeArg(KeyOfQt(Qt::Key_A, Qt::ShiftModifier)), qint16(65));
    QCOMPARE(KeyCodeArg(KeyOfQt(Qt::Key_Return, {})), qint16(13));
    QCOMPARE(KeyCodeArg(KeyOfQt(Qt::Key_Enter, Qt::KeypadModifier)), qint16(13));
    QCOMPARE(KeyCodeArg(KeyOfQt(Qt::Key_Escape, {})), qint16(27));
    QCOMPARE(KeyCodeArg(KeyOfQt(Qt::Key_F1, {})), qint16(112));
    QCOMPARE(KeyCodeArg(KeyOfQt(Qt::Key_F12, {})), qint16(123));
    QCOMPARE(KeyCodeArg(KeyOfQt(Qt::Key_Down, {})), qint16(40));
    QCOMPARE(KeyCodeArg(KeyOfQt(Qt::Key_5, {})), qint16('5'));
    QCOMPARE(KeyCodeArg(KeyOfQt(Qt::Key_5, Qt::KeypadModifier)), qint16(101));
    QCOMPARE(KeyCodeArg(KeyOfQt(Qt::Key_Exclam, Qt::ShiftModifier)), qint16('1'));
    QCOMPARE(KeyCodeArg(KeyOfQt(Qt::Key_Minus, {})), qint16(189));
    QCOMPARE(KeyCodeArg(KeyOfQt(Qt::Key_Minus, Qt::KeypadModifier)), qint16(109));
    QCOMPARE(KeyCodeArg(KeyOfQt(Qt::Key_unknown, {})), qint16(0));

    QCOMPARE(ShiftArg(ModifiersOfQt({})), qint16(0));
    QCOMPARE(ShiftArg(ModifiersOfQt(Qt::ShiftModifier | Qt::AltModifier)), qint16(5));
    QCOMPARE(ShiftArg(ModifiersOfQt(Qt::ControlModifier | Qt::KeypadModifier)), qint16(2));

    QCOMPARE(ButtonArg(MouseButtonOfQt(Qt::LeftButton)), qint16(1));
    QCOMPARE(ButtonArg(MouseButtonOfQt(Qt::RightButton)), qint16(2));
    QCOMPARE(ButtonArg(MouseButtonOfQt(Qt::MiddleButton)), qint16(4));
    QCOMPARE(ButtonArg(MouseButtonOfQt(Qt::BackButton)), qint16(0));
    QCOMPARE(ButtonArg(MouseButtonsOfQt(Qt::LeftButton | Qt::MiddleButton)), qint16(5));
    QCOMPARE(ButtonArg(MouseButtonsOfQt(Qt::NoButton)), qint16(0));

    QCOMPARE(KeyAsciiOf(u" "), qint16(32));
    QCOMPARE(KeyAsciiOf(u"\r"), qint16(13));
    QCOMPARE(KeyAsciiOf(u""), qint16(0));
}

QTEST_MAIN(tst_ButtonInputEvents)
#include "tst_button_input_events.moc"
