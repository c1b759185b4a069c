// The button's input states driven directly: every call the machine makes to its control is
// logged as text, so each test compares the whole sequence, repaint points included.
#include <QStringList>
#include <QTest>

#include "controls/button/ButtonInputKeys.h"
#include "controls/host/qt/QtInput.h"
#include "tests/controls/button/RecordingHost.h"

using namespace corvane;
using namespace corvane::test;

namespace {

// Runs a script of inputs separated by ';':
//   down|move|up B S X Y, dbl, key K S, repeat K S, char A, keyup K S, access,
//   focusin, focusout, tick, away (pointer leaves the window), back, disable.
void run(ButtonInput& m, RecordingHost& h, const QString& script) {
    for (const QString& step : script.split(';', Qt::SkipEmptyParts)) {
        const QStringList t = step.simplified().split(' ');
        const auto i = [&t](int n) { return static_cast<qint16>(t.at(n).toInt()); };
        const auto f = [&t](int n) { return t.at(n).toFloat(); };
        const QString& op = t.at(0);
        if (op == "down") {
            m.OnMouseDown(i(1), i(2), f(3), f(4));
        } else if (op == "move") {
            m.OnMouseMove(i(1), i(2), f(3), f(4));
        } else if (op == "up") {
            m.OnMouseUp(i(1), i(2), f(3), f(4));
        } else if (op == "dbl") {
            m.OnDblClick();
        } else if (op == "key") {
            m.OnKeyDown(i(1), i(2));
        } else if (op == "repeat") {
            m.OnKeyDown(i(1), i(2));  // the machine treats a repeat as any press
        } else if (op == "char") {
            m.OnKeyPress(i(1));
        } else if (op == "keyup") {
            m.OnKeyUp(i(1), i(2));
        } else if (op == "access") {
            m.OnAccessKeyPress(13);
        } else if (op == "focusin") {
            m.OnGotFocus();
        } else if (op == "focusout") {
            m.OnLostFocus();
        } else if (op == "tick") {
            m.OnHoverTick();
        } else if (op == "away") {
            h.pointerOver = false;
        } else if (op == "back") {
            h.pointerOver = true;
        } else if (op == "disable") {
            h.enabled = false;
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
    }
}

QString flagsText(const ButtonInputFlags& f) {
    return QStringLiteral("%1%2%3%4")
        .arg(f.Pressed ? 'P' : '-')
        .arg(f.MouseOver ? 'O' : '-')
        .arg(f.HasFocus ? 'F' : '-')
        .arg(f.KeyHeld ? 'K' : '-');
}

const QString kEnter = "move 0 0 5 5";
const QStringList kEnterLog = {"Timer(on)",    "HoverPicture", "MouseIn(0)",
                               "Refresh(-O-)", "Pending",      "MouseMove(0,0,5,5)"};

QStringList join(std::initializer_list<QStringList> parts) {
    QStringList all;
    for (const QStringList& p : parts) {
        all << p;
    }
    return all;
}

}  // namespace

class tst_ButtonInput : public QObject {
    Q_OBJECT
private slots:
    void sequences_data();
    void sequences();
    void insideEdges_data();
    void insideEdges();
    void nestedMovesDuringHoverEntryDoNotEnterAgain();
    void doubleClickRepeatsStoredPress();
    void x11AutoRepeatPressesOnce();
    void keyRoute_data();
    void keyRoute();
    void argumentsFromQt();
};

void tst_ButtonInput::sequences_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("flags");  // P O F K after the script

    QTest::newRow("hover entry") << kEnter << kEnterLog << "-O--";
    QTest::newRow("MouseIn carries the entering move's Shift")
        << "move 0 4 5 5" << QStringList{"Timer(on)",    "HoverPicture", "MouseIn(4)",
                                         "Refresh(-O-)", "Pending",      "MouseMove(0,4,5,5)"}
        << "-O--";
    QTest::newRow("move outside raises only MouseMove")
        << "move 0 0 -1 5" << QStringList{"MouseMove(0,0,-1,5)"} << "----";
    QTest::newRow("second move inside does not enter again")
        << kEnter + "; move 0 0 6 6" << join({kEnterLog, {"MouseMove(0,0,6,6)"}}) << "-O--";
    QTest::newRow("tick with the pointer still over does nothing")
        << kEnter + "; tick; tick" << kEnterLog << "-O--";
    QTest::newRow("leave without a press: MouseOut(0)")
        << kEnter + "; away; tick"
        << join({kEnterLog, {"Timer(off)", "NormalPicture", "MouseOut(0)", "Refresh(---)"}})
        << "----";
    QTest::newRow("left click inside")
        << kEnter + "; down 1 2 5 6; up 1 2 7 8"
        << join({kEnterLog,
                 {"Refresh(PO-)", "MouseDown(1,2,5,6)", "Refresh(-O-)", "Sound", "Click", "Link",
                  "MouseUp(1,2,7,8)"}})
        << "-O--";
    QTest::newRow("middle button clicks too")
        << kEnter + "; down 4 0 5 5; up 4 0 5 5"
        << join({kEnterLog,
                 {"Refresh(PO-)", "MouseDown(4,0,5,5)", "Refresh(-O-)", "Sound", "Click", "Link",
                  "MouseUp(4,0,5,5)"}})
        << "-O--";
    QTest::newRow("right button never presses or clicks")
        << kEnter + "; down 2 0 5 5; up 2 0 5 5"
        << join({kEnterLog, {"MouseDown(2,0,5,5)", "MouseUp(2,0,5,5)"}}) << "-O--";
    QTest::newRow("right release clears a held left press without repainting")
        << "down 1 0 5 5; up 2 0 5 5"
        << QStringList{"Refresh(P--)", "MouseDown(1,0,5,5)", "MouseUp(2,0,5,5)"} << "----";
    QTest::newRow("drag out: drawn released but held; MouseOut gets the press's Shift")
        << kEnter + "; down 1 2 5 5; move 1 1 150 5; away; tick"
        << join({kEnterLog,
                 {"Refresh(PO-)", "MouseDown(1,2,5,5)", "MouseMove(1,1,150,5)", "Timer(off)",
                  "NormalPicture", "MouseOut(2)", "Refresh(P--)", "Refresh(---)"}})
        << "P---";
    QTest::newRow("release outside: no sound, no click, no link")
        << kEnter + "; down 1 0 5 5; away; tick; up 1 0 150 -4"
        << join(
               {kEnterLog,
                {"Refresh(PO-)", "MouseDown(1,0,5,5)", "Timer(off)", "NormalPicture", "MouseOut(0)",
                 "Refresh(P--)", "Refresh(---)", "Refresh(---)", "MouseUp(1,0,150,-4)"}})
        << "----";
    QTest::newRow("drag back in: MouseIn again, drawn pressed, release clicks")
        << kEnter + "; down 1 0 5 5; away; tick; back; move 1 1 5 5; up 1 1 5 5"
        << join({kEnterLog,
                 {"Refresh(PO-)", "MouseDown(1,0,5,5)", "Timer(off)", "NormalPicture",
                  "MouseOut(0)", "Refresh(P--)", "Refresh(---)", "Timer(on)", "HoverPicture",
                  "MouseIn(1)", "Refresh(PO-)", "Pending", "MouseMove(1,1,5,5)", "Refresh(-O-)",
                  "Sound", "Click", "Link", "MouseUp(1,1,5,5)"}})
        << "-O--";
    QTest::newRow("space held: only the first press presses; release clicks at (0,0)")
        << "key 32 0; char 32; repeat 32 0; char 32; key 32 0; keyup 32 0"
        << QStringList{"Refresh(PO-)", "KeyDown(32,0)", "KeyPress(32)", "KeyDown(32,0)",
                       "KeyPress(32)", "KeyDown(32,0)", "Refresh(---)", "Refresh(---)",
                       "Sound",        "Click",         "Link",         "MouseUp(1,0,0,0)",
                       "KeyUp(32,0)"}
        << "----";
    QTest::newRow("space release without its press still clicks")
        << "keyup 32 1" << QStringList{"Refresh(---)", "Refresh(---)",     "Sound",      "Click",
                                       "Link",         "MouseUp(1,1,0,0)", "KeyUp(32,1)"}
        << "----";
    QTest::newRow("space while a letter is held: no press, release clicks")
        << "key 65 0; key 32 0; keyup 32 0; keyup 65 0"
        << QStringList{"KeyDown(65,0)", "KeyDown(32,0)", "Refresh(---)", "Refresh(---)",
                       "Sound",         "Click",         "Link",         "MouseUp(1,0,0,0)",
                       "KeyUp(32,0)",   "KeyUp(65,0)"}
        << "----";
    QTest::newRow("a key held elsewhere: its first repeat here presses, as any first press")
        << "repeat 32 0; repeat 32 0"
        << QStringList{"Refresh(PO-)", "KeyDown(32,0)", "KeyDown(32,0)"} << "PO-K";
    QTest::newRow("space release ends hover; the next move enters again")
        << kEnter + "; key 32 0; keyup 32 0; move 0 0 6 6"
        << join({kEnterLog,
                 {"Refresh(PO-)", "KeyDown(32,0)", "Refresh(---)", "Refresh(---)", "Sound", "Click",
                  "Link", "MouseUp(1,0,0,0)", "KeyUp(32,0)", "Timer(on)", "HoverPicture",
                  "MouseIn(0)", "Refresh(-O-)", "Pending", "MouseMove(0,0,6,6)"}})
        << "-O--";
    QTest::newRow("Enter has no handling of its own")
        << "key 13 0; char 13; keyup 13 0"
        << QStringList{"KeyDown(13,0)", "KeyPress(13)", "KeyUp(13,0)"} << "----";
    QTest::newRow("access key: Click and link, no sound, no pressed look")
        << "access" << QStringList{"Click", "Link"} << "----";
    QTest::newRow("access key while disabled does nothing")
        << "disable; access" << QStringList{} << "----";
    QTest::newRow("focus in and out repaint")
        << "focusin; focusout" << QStringList{"Refresh(--F)", "Refresh(---)"} << "----";
    QTest::newRow("focus out releases the press but keeps hover and the held key")
        << kEnter + "; focusin; key 65 0; down 1 0 5 5; focusout"
        << join({kEnterLog,
                 {"Refresh(-OF)", "KeyDown(65,0)", "Refresh(POF)", "MouseDown(1,0,5,5)",
                  "Refresh(-O-)"}})
        << "-O-K";
    QTest::newRow("a disabled button's running timer still ends the hover")
        << kEnter + "; disable; away; tick"
        << join({kEnterLog, {"Timer(off)", "NormalPicture", "MouseOut(0)", "Refresh(---)"}})
        << "----";
}

void tst_ButtonInput::sequences() {
    QFETCH(QString, script);
    QFETCH(QStringList, expected);
    QFETCH(QString, flags);
    RecordingHost host;
    ButtonInput machine(host);
    host.machine = &machine;
    run(machine, host, script);
    QCOMPARE(host.log, expected);
    QCOMPARE(flagsText(machine.Flags()), flags);
}

void tst_ButtonInput::insideEdges_data() {
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<bool>("clicks");
    QTest::newRow("top-left corner") << 0.0f << 0.0f << true;
    QTest::newRow("last pixel") << 99.5f << 29.5f << true;
    QTest::newRow("right edge is outside") << 100.0f << 5.0f << false;
    QTest::newRow("bottom edge is outside") << 5.0f << 30.0f << false;
    QTest::newRow("left of the control") << -0.5f << 5.0f << false;
    QTest::newRow("above the control") << 5.0f << -1.0f << false;
}

void tst_ButtonInput::insideEdges() {
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(bool, clicks);
    RecordingHost host;
    ButtonInput machine(host);
    host.machine = &machine;
    machine.OnMouseDown(1, 0, 5, 5);
    machine.OnMouseUp(1, 0, x, y);
    QCOMPARE(host.log.contains("Click"), clicks);
    QCOMPARE(host.log.contains("Sound"), clicks);
    // A move there enters hover exactly when a release there would click.
    host.log.clear();
    machine.OnMouseMove(0, 0, x, y);
    QCOMPARE(host.log.contains("MouseIn(0)"), clicks);
}

void tst_ButtonInput::nestedMovesDuringHoverEntryDoNotEnterAgain() {
    RecordingHost host;
    ButtonInput machine(host);
    host.machine = &machine;
    host.onPending = [&machine] {
        machine.OnMouseMove(0, 0, 7, 7);
        machine.OnMouseDown(1, 0, 7, 7);
    };
    machine.OnMouseMove(0, 0, 5, 5);
    QCOMPARE(host.log, (QStringList{"Timer(on)", "HoverPicture", "MouseIn(0)", "Refresh(-O-)",
                                    "Pending", "MouseMove(0,0,7,7)", "Refresh(PO-)",
                                    "MouseDown(1,0,7,7)", "MouseMove(0,0,5,5)"}));
}

void tst_ButtonInput::doubleClickRepeatsStoredPress() {
    RecordingHost host;
    ButtonInput machine(host);
    host.machine = &machine;
    run(machine, host, kEnter + "; down 1 1 5 6; up 1 1 5 6; dbl; up 1 1 5 6");
    QCOMPARE(
        host.log.mid(kEnterLog.size()),
        (QStringList{"Refresh(PO-)", "MouseDown(1,1,5,6)", "Refresh(-O-)", "Sound", "Click", "Link",
                     "MouseUp(1,1,5,6)", "Capture", "Refresh(PO-)", "MouseDown(1,1,5,6)",
                     "Refresh(-O-)", "Sound", "Click", "Link", "MouseUp(1,1,5,6)"}));
}

// The widget feeds Qt's key events through RouteKeyEvent. X11 reports a held space as
// press, (release, press) flagged auto-repeat..., release.
void tst_ButtonInput::x11AutoRepeatPressesOnce() {
    RecordingHost host;
    ButtonInput machine(host);
    host.machine = &machine;
    const struct {
        bool release;
        bool autoRepeat;
    } events[] = {{false, false}, {true, true},  {false, true},
                  {true, true},   {false, true}, {true, false}};
    for (const auto& e : events) {
        switch (RouteKeyEvent(e.release, e.autoRepeat)) {
            case KeyRoute::Press:
                machine.OnKeyDown(32, 0);
                break;
            case KeyRoute::RepeatPress:
                machine.OnKeyDown(32, 0);
                break;
            case KeyRoute::Release:
                machine.OnKeyUp(32, 0);
                break;
            case KeyRoute::Drop:
                break;
        }
    }
    QCOMPARE(host.log, (QStringList{"Refresh(PO-)", "KeyDown(32,0)", "KeyDown(32,0)",
                                    "KeyDown(32,0)", "Refresh(---)", "Refresh(---)", "Sound",
                                    "Click", "Link", "MouseUp(1,0,0,0)", "KeyUp(32,0)"}));
}

void tst_ButtonInput::keyRoute_data() {
    QTest::addColumn<bool>("release");
    QTest::addColumn<bool>("autoRepeat");
    QTest::addColumn<KeyRoute>("route");
    QTest::newRow("press") << false << false << KeyRoute::Press;
    QTest::newRow("repeated press") << false << true << KeyRoute::RepeatPress;
    QTest::newRow("release") << true << false << KeyRoute::Release;
    QTest::newRow("repeated release") << true << true << KeyRoute::Drop;
}

void tst_ButtonInput::keyRoute() {
    QFETCH(bool, release);
    QFETCH(bool, autoRepeat);
    QFETCH(KeyRoute, route);
    QCOMPARE(RouteKeyEvent(release, autoRepeat), route);
}

void tst_ButtonInput::argumentsFromQt() {
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

QTEST_GUILESS_MAIN(tst_ButtonInput)
#include "tst_button_input.moc"
