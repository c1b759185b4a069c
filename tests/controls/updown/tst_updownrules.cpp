// The up-down box's plain parts: the value rules, the layout arithmetic and the key filter.
#include <QKeyEvent>
#include <QtTest>

#include <limits>

#include "controls/updown/UpDownKeys.h"
#include "controls/updown/UpDownLayout.h"
#include "controls/updown/UpDownRules.h"

using namespace corvane;

namespace {
constexpr int kIntMin = std::numeric_limits<qint32>::min();
constexpr int kIntMax = std::numeric_limits<qint32>::max();
}  // namespace

Q_DECLARE_METATYPE(corvane::UpDownKey)

class tst_UpDownRules : public QObject {
    Q_OBJECT
private slots:
    void textRule_data();
    void textRule();
    void spinStep_data();
    void spinStep();
    void valueWrite_data();
    void valueWrite();
    void parseNumber_data();
    void parseNumber();
    void layout_data();
    void layout();
    void keys_data();
    void keys();
};

void tst_UpDownRules::textRule_data() {
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<QStringList>("texts");    // the field's text after each keystroke
    QTest::addColumn<QList<int>>("values");    // Value after each
    QTest::addColumn<QList<bool>>("changes");  // whether Change was raised after each

    QTest::newRow("3 0 0 beyond Max") << 0 << 255 << QStringList{"3", "30", "300"}
                                      << QList<int>{3, 30, 30} << QList<bool>{true, true, false};
    QTest::newRow("-5 below Min") << 0 << 255 << QStringList{"7", "-", "-5"} << QList<int>{7, 0, 0}
                                  << QList<bool>{true, true, false};
    QTest::newRow("text deleted") << 0 << 255 << QStringList{"30", "3", ""} << QList<int>{30, 3, 0}
                                  << QList<bool>{true, true, true};
    QTest::newRow("empty while 0") << 0 << 255 << QStringList{"", "-", "0"} << QList<int>{0, 0, 0}
                                   << QList<bool>{false, false, false};
    QTest::newRow("negative range")
        << -10 << 10 << QStringList{"-", "-5", "-50", "-5"} << QList<int>{0, -5, -5, -5}
        << QList<bool>{false, true, false, false};
    QTest::newRow("leading zeros")
        << 0 << 255 << QStringList{"0", "00", "007", "-0"} << QList<int>{0, 0, 7, 0}
        << QList<bool>{false, false, true, true};
    QTest::newRow("not numbers") << 0 << 255 << QStringList{"12", "1-2", "12", "--1", "12", "12-"}
                                 << QList<int>{12, 0, 12, 0, 12, 0}
                                 << QList<bool>{true, true, true, true, true, true};
    QTest::newRow("huge") << 0 << 255 << QStringList{"9", "99999999999999999999999"}
                          << QList<int>{9, 9} << QList<bool>{true, false};
    QTest::newRow("32-bit limits")
        << kIntMin << kIntMax
        << QStringList{"2147483647", "2147483648", "-2147483648", "-2147483649"}
        << QList<int>{kIntMax, kIntMax, kIntMin, kIntMin} << QList<bool>{true, false, true, false};
    QTest::newRow("Min equals Max") << 5 << 5 << QStringList{"5", "6", "4"} << QList<int>{5, 5, 5}
                                    << QList<bool>{true, false, false};
    QTest::newRow("Min above Max")
        << 9 << 3 << QStringList{"5", "9", "3", ""} << QList<int>{0, 0, 0, 0}
        << QList<bool>{false, false, false, false};
}

void tst_UpDownRules::textRule() {
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, values);
    QFETCH(QList<bool>, changes);

    UpDownRules r;
    r.setMin(min);
    r.setMax(max);
    for (int i = 0; i < texts.size(); ++i) {
        const bool changed = r.applyText(texts[i]);
        QVERIFY2(r.Value() == values[i], qPrintable(texts[i]));
        QVERIFY2(changed == changes[i], qPrintable(texts[i]));
    }
}

void tst_UpDownRules::spinStep_data() {
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<QString>("text");  // what the field showed before the steps
    QTest::addColumn<QList<int>>("steps");
    QTest::addColumn<QList<int>>("values");

    QTest::newRow("up") << 0 << 255 << "0" << QList<int>{1, 1, 1} << QList<int>{1, 2, 3};
    QTest::newRow("down at Min") << 0 << 255 << "1" << QList<int>{-1, -1, -1}
                                 << QList<int>{0, 0, 0};
    QTest::newRow("up at Max") << 0 << 255 << "254" << QList<int>{1, 1, -1}
                               << QList<int>{255, 255, 254};
    QTest::newRow("after rejected 300") << 0 << 255 << "300" << QList<int>{1} << QList<int>{1};
    QTest::newRow("any positive is up") << 0 << 9 << "5" << QList<int>{7, -3} << QList<int>{6, 5};
    QTest::newRow("32-bit top") << 0 << kIntMax << "2147483646" << QList<int>{1, 1}
                                << QList<int>{kIntMax, kIntMax};
    QTest::newRow("32-bit bottom")
        << kIntMin << 0 << "-2147483647" << QList<int>{-1, -1} << QList<int>{kIntMin, kIntMin};
}

void tst_UpDownRules::spinStep() {
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(QString, text);
    QFETCH(QList<int>, steps);
    QFETCH(QList<int>, values);

    UpDownRules r;
    r.setMin(min);
    r.setMax(max);
    r.applyText(text);
    for (int i = 0; i < steps.size(); ++i) {
        // Every step is reported, a step at a bound too.
        QVERIFY(r.spin(steps[i]));
        QCOMPARE(r.Value(), values[i]);
        // Showing the new number runs the text rule, which finds nothing to change.
        QVERIFY(!r.applyText(QString::number(r.Value())));
    }
    // The arrows being reset to the middle is no step.
    const int before = r.Value();
    QVERIFY(!r.spin(0));
    QCOMPARE(r.Value(), before);
}

void tst_UpDownRules::valueWrite_data() {
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("written");
    QTest::addColumn<QString>("text");

    QTest::newRow("above Max") << 0 << 255 << 300 << "255";
    QTest::newRow("below Min") << 0 << 255 << -7 << "0";
    QTest::newRow("inside") << 0 << 255 << 128 << "128";
    QTest::newRow("at Max") << 0 << 255 << 255 << "255";
    QTest::newRow("negative bounds") << -20 << -10 << 0 << "-10";
    QTest::newRow("Min above Max: upper wins") << 10 << 5 << 0 << "5";
    QTest::newRow("32-bit extremes") << kIntMin << kIntMax << kIntMin << "-2147483648";
}

void tst_UpDownRules::valueWrite() {
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, written);
    QFETCH(QString, text);

    UpDownRules r;
    r.setMin(min);
    r.setMax(max);
    QCOMPARE(r.textForValue(written), text);
}

void tst_UpDownRules::parseNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<qint64>("value");

    QTest::newRow("digit") << "5" << true << qint64(5);
    QTest::newRow("negative") << "-42" << true << qint64(-42);
    QTest::newRow("twelve digits") << "999999999999" << true << qint64(999999999999);
    QTest::newRow("thirteen digits") << "1000000000000" << true << qint64(1000000000000);
    QTest::newRow("zeros then digits") << "0000000000000000042" << true << qint64(42);
    QTest::newRow("far too long") << QString(400, u'9') << true << qint64(1000000000000);
    QTest::newRow("far too negative") << "-" + QString(40, u'9') << true << qint64(-1000000000000);
    QTest::newRow("empty") << "" << false << qint64(0);
    QTest::newRow("minus") << "-" << false << qint64(0);
    QTest::newRow("plus") << "+5" << false << qint64(0);
    QTest::newRow("blank") << " 5" << false << qint64(0);
    QTest::newRow("point") << "5.0" << false << qint64(0);
    QTest::newRow("exponent") << "1e3" << false << qint64(0);
    QTest::newRow("arabic-indic digit") << QStringLiteral("\u0665") << false << qint64(0);
}

void tst_UpDownRules::parseNumber() {
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(qint64, value);

    const std::optional<qint64> n = UpDownRules::parseNumber(text);
    QCOMPARE(n.has_value(), isNumber);
    if (isNumber) {
        QCOMPARE(*n, value);
    }
}

void tst_UpDownRules::layout_data() {
    QTest::addColumn<int>("widthTwips");
    QTest::addColumn<int>("heightTwips");
    QTest::addColumn<int>("frame");  // border pixels on each side
    QTest::addColumn<double>("twipsPerPixel");
    QTest::addColumn<int>("expectedWidthTwips");
    QTest::addColumn<int>("expectedHeightTwips");
    QTest::addColumn<int>("innerWidth");

    // B = 17, T = 13 throughout: the inner height is always 17.
    QTest::newRow("Up: 3015 x 315") << 3015 << 315 << 1 << 15.0 << 3015 << 285 << 199;
    QTest::newRow("too narrow") << 300 << 315 << 1 << 15.0 << 540 << 285 << 34;
    QTest::newRow("exactly two bars") << 540 << 285 << 1 << 15.0 << 540 << 285 << 34;
    QTest::newRow("one pixel short") << 525 << 285 << 1 << 15.0 << 540 << 285 << 34;
    QTest::newRow("no width, no border") << 0 << 0 << 0 << 15.0 << 510 << 255 << 34;
    QTest::newRow("very tall") << 3015 << 30000 << 1 << 15.0 << 3015 << 285 << 199;
    QTest::newRow("too short") << 3015 << 15 << 0 << 15.0 << 3015 << 255 << 201;
    QTest::newRow("120 dpi") << 2412 << 252 << 1 << 12.0 << 2412 << 228 << 199;
    QTest::newRow("120 dpi narrow") << 120 << 252 << 1 << 12.0 << 432 << 228 << 34;
}

void tst_UpDownRules::layout() {
    QFETCH(int, widthTwips);
    QFETCH(int, heightTwips);
    QFETCH(int, frame);
    QFETCH(double, twipsPerPixel);
    QFETCH(int, expectedWidthTwips);
    QFETCH(int, expectedHeightTwips);
    QFETCH(int, innerWidth);

    const int b = 17;
    const int t = 13;
    UpDownLayoutInput in;
    in.outerWidthTwips = widthTwips;
    in.outerHeightTwips = heightTwips;
    in.innerWidth = static_cast<int>(widthTwips / twipsPerPixel) - 2 * frame;
    in.innerHeight = static_cast<int>(heightTwips / twipsPerPixel) - 2 * frame;
    in.barWidth = b;
    in.lineHeight = t;
    in.twipsPerPixelX = twipsPerPixel;
    in.twipsPerPixelY = twipsPerPixel;

    const UpDownLayout out = layoutUpDown(in);
    QCOMPARE(out.outerWidthTwips, expectedWidthTwips);
    QCOMPARE(out.outerHeightTwips, expectedHeightTwips);
    QCOMPARE(out.innerWidth, innerWidth);
    QCOMPARE(out.innerHeight, t + 4);
    // The field at (1, 1), W - B - 1 wide and H high; the bar at W - B, B wide and H high.
    QCOMPARE(out.field, (Rect{1, 1, innerWidth - b, 1 + t + 4}));
    QCOMPARE(out.bar, (Rect{innerWidth - b, 0, innerWidth, t + 4}));

    // The host's second resize, to the size just set, changes nothing.
    UpDownLayoutInput again = in;
    again.outerWidthTwips = out.outerWidthTwips;
    again.outerHeightTwips = out.outerHeightTwips;
    again.innerWidth = out.innerWidth;
    again.innerHeight = out.innerHeight;
    const UpDownLayout second = layoutUpDown(again);
    QCOMPARE(second.outerWidthTwips, out.outerWidthTwips);
    QCOMPARE(second.outerHeightTwips, out.outerHeightTwips);
    QCOMPARE(second.field, out.field);
    QCOMPARE(second.bar, out.bar);
}

void tst_UpDownRules::keys_data() {
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

void tst_UpDownRules::keys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(UpDownKey, expected);

    const QKeyEvent e(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(classifyUpDownKey(e), expected);
}

QTEST_MAIN(tst_UpDownRules)
#include "tst_updownrules.moc"
