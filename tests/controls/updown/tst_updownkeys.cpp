// The up-down box's key filter as Qt's key presses reach it: the platform's shortcut bindings
// are Qt's, the rule the engine's.
#include <QKeyEvent>
#include <QtTest>

#include "controls/updown/UpDownKeys.h"
#include "controls/updown/qt/QtUpDownKeys.h"

using namespace corvane;

Q_DECLARE_METATYPE(corvane::UpDownKey)

class tst_UpDownKeys : public QObject {
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
};

void tst_UpDownKeys::keys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<UpDownKey>("expected");

    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    const int shift = Qt::ShiftModifier;
    QTest::newRow("Up") << int(Qt::Key_Up) << none << "" << UpDownKey::StepUp;
    QTest::newRow("Shift+Up") << int(Qt::Key_Up) << shift << "" << UpDownKey::StepUp;
    QTest::newRow("Down") << int(Qt::Key_Down) << none << "" << UpDownKey::StepDown;
    QTest::newRow("0") << int(Qt::Key_0) << none << "0" << UpDownKey::Pass;
    QTest::newRow("9") << int(Qt::Key_9) << none << "9" << UpDownKey::Pass;
    QTest::newRow("keypad 5") << int(Qt::Key_5) << int(Qt::KeypadModifier) << "5"
                              << UpDownKey::Pass;
    QTest::newRow("minus") << int(Qt::Key_Minus) << none << "-" << UpDownKey::Pass;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << UpDownKey::Pass;
    QTest::newRow("delete") << int(Qt::Key_Delete) << none << "\x7f" << UpDownKey::Pass;
    QTest::newRow("left") << int(Qt::Key_Left) << none << "" << UpDownKey::Pass;
    QTest::newRow("shift+home") << int(Qt::Key_Home) << shift << "" << UpDownKey::Pass;
    QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << UpDownKey::Discard;
    QTest::newRow("capital") << int(Qt::Key_E) << shift << "E" << UpDownKey::Discard;
    QTest::newRow("point") << int(Qt::Key_Period) << none << "." << UpDownKey::Discard;
    QTest::newRow("comma") << int(Qt::Key_Comma) << none << "," << UpDownKey::Discard;
    QTest::newRow("plus") << int(Qt::Key_Plus) << shift << "+" << UpDownKey::Discard;
    QTest::newRow("space") << int(Qt::Key_Space) << none << " " << UpDownKey::Discard;
    QTest::newRow("digit then letter")
        << int(Qt::Key_unknown) << none << "1a" << UpDownKey::Discard;
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << ctrl << "\x16" << UpDownKey::Discard;
    QTest::newRow("Ctrl+V without text") << int(Qt::Key_V) << ctrl << "" << UpDownKey::Discard;
    QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << shift << "" << UpDownKey::Discard;
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << ctrl << "\x03" << UpDownKey::Discard;
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << ctrl << "\x18" << UpDownKey::Discard;
    QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << shift << "" << UpDownKey::Discard;
    QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << ctrl << "\x1a" << UpDownKey::Discard;
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << ctrl << "\x01" << UpDownKey::Discard;
    QTest::newRow("Ctrl+K") << int(Qt::Key_K) << ctrl << "\x0b" << UpDownKey::Discard;
    QTest::newRow("Ctrl+Backspace")
        << int(Qt::Key_Backspace) << ctrl << "\x7f" << UpDownKey::Discard;
    QTest::newRow("Ctrl+Left") << int(Qt::Key_Left) << ctrl << "" << UpDownKey::Pass;
    QTest::newRow("Return") << int(Qt::Key_Return) << none << "\r" << UpDownKey::Propagate;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r"
                           << UpDownKey::Propagate;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << "\x1b" << UpDownKey::Propagate;
}

void tst_UpDownKeys::keys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(UpDownKey, expected);

    const QKeyEvent e(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(classifyUpDownKey(UpDownKeyOf(e)), expected);
}

QTEST_MAIN(tst_UpDownKeys)
#include "tst_updownkeys.moc"
