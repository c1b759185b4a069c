// Button_XP under real input: QTest mouse and key events through the window, the hover timer
// ticking against the pointer's real position, the click sound on an injected player and the
// link through an intercepted URL handler. Events, sounds and links go to one log, so that
// their order is checked too.
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <memory>

#include "controls/host/qt/QtPicture.h"
#include "tests/controls/button/ButtonScene.h"
#include "tests/support/Button_XPTestAccess.h"
#include "tests/support/WaveFixture.h"

using namespace corvane;
using namespace corvane::test;

namespace {

QImage solid(QRgb colour) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

}  // namespace

class tst_ButtonXPInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void mouseButtons_data();
    void mouseButtons();
    void dragOutAndBack_data();
    void dragOutAndBack();
    void doubleClickGivesTwoClicks();
    void doubleClickReleasedOutside();
    void soundFollowsCurrentDirectory();
    void spaceHeldWithAutoRepeat();
    void spaceReleaseAloneClicks();
    void focusOutReleasesPress();
    void accessKeys_data();
    void accessKeys();
    void accessKeysFollowCaptionAndFlags();
    void accessKeyPressMethod();
    void hoverTimerOnlyWhileHovered();
    void hoverArguments();
    void disabledHoverStillEnds();
    void hoverPicture_data();
    void hoverPicture();
    void coveredButtonEndsHover();
    void reportedLeaveEndsHover();
    void deletedWhileHoverEntryYields();

private:
    Recorder m_rec;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_click;  // the resolved click sound
};

void tst_ButtonXPInput::initTestCase() {
    SetProcessSoundPlayer(&m_rec);
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_rec, "openUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &m_rec, "openUrl");
    // The default SoundClick, ".\resources\click.wav", found from the current directory.
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("resources")));
    QVERIFY(WriteFile(m_dir->filePath(QStringLiteral("resources/click.wav")), MakeWave()));
    QVERIFY(QDir::setCurrent(m_dir->path()));
    m_click = QDir::current().absoluteFilePath(QStringLiteral("resources/click.wav"));
}

void tst_ButtonXPInput::init() {
    // Every test starts with the pointer away from every window.
    QCursor::setPos(700, 500);
    QCoreApplication::processEvents();
}

void tst_ButtonXPInput::cleanupTestCase() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    SetProcessSoundPlayer(nullptr);
}

// Press and release inside: MouseDown, the sound, Click, the link, MouseUp; drawn pressed in
// between. The right button never presses or clicks; the middle one clicks.
void tst_ButtonXPInput::mouseButtons_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("clicks");
    QTest::newRow("left") << Qt::LeftButton << 1 << true;
    QTest::newRow("middle") << Qt::MiddleButton << 4 << true;
    QTest::newRow("right") << Qt::RightButton << 2 << false;
}

void tst_ButtonXPInput::mouseButtons() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, code);
    QFETCH(bool, clicks);
    Scene s(m_rec);
    s.pointTo(kInside);
    QCOMPARE(s.pixel(kProbeX, 1), kHoverRow1);
    s.log.clear();

    s.press(kInside, button, Qt::ControlModifier);
    QCOMPARE(s.b->flags().Pressed, clicks);
    QCOMPARE(s.pixel(kProbeX, 2), clicks ? kPressedRow2 : kHoverRow2);
    QCOMPARE(s.screenPixel(kProbeX, 2), s.pixel(kProbeX, 2));
    s.release(kInside, button, Qt::ControlModifier);

    const QString args = QStringLiteral("(%1,2,100,16)").arg(code);
    QStringList expected{"MouseDown" + args};
    if (clicks) {
        expected << "Sound(" + m_click + ")"
                 << "Click"
                 << "Link(https://example.com/go)";
    }
    expected << "MouseUp" + args;
    QCOMPARE(s.log, expected);
    QVERIFY(!s.b->flags().Pressed);
    QCOMPARE(s.pixel(kProbeX, 1), kHoverRow1);  // released inside: hovered again
    QCOMPARE(s.pixel(kProbeX, 2), kHoverRow2);
}

// Press inside and drag out: the timer finds the pointer gone, MouseOut, drawn released while
// still held. Back in: MouseIn and pressed again. Only a release inside clicks.
void tst_ButtonXPInput::dragOutAndBack_data() {
    QTest::addColumn<bool>("comeBack");
    QTest::newRow("release outside") << false;
    QTest::newRow("back in, release inside") << true;
}

void tst_ButtonXPInput::dragOutAndBack() {
    QFETCH(bool, comeBack);
    Scene s(m_rec);
    s.pointTo(kInside);
    s.log.clear();
    s.press(kInside);
    QCOMPARE(s.pixel(kProbeX, 2), kPressedRow2);

    s.pointTo(kOutside);
    QTRY_VERIFY(s.log.contains("MouseOut(0)"));
    QVERIFY(!Button_XPTestAccess::hoverTimerActive(*s.b));
    QCOMPARE(s.b->flags(), (ButtonInputFlags{true, true, false, false}));  // still held
    QCOMPARE(s.pixel(kProbeX, 1), kFocusRow1);  // drawn released (the press gave it the focus)
    QCOMPARE(s.pixel(kProbeX, 2), kFocusRow2);
    QStringList expected{"MouseDown(1,0,100,16)", "MouseMove(1,0,100,-10)", "MouseOut(0)"};

    QPoint releaseAt = kOutside;
    if (comeBack) {
        s.pointTo(kInside);
        QVERIFY(Button_XPTestAccess::hoverTimerActive(*s.b));
        QCOMPARE(s.pixel(kProbeX, 2), kPressedRow2);
        expected << "MouseIn(0)"
                 << "MouseMove(1,0,100,16)";
        releaseAt = kInside;
    }
    s.release(releaseAt);
    if (comeBack) {
        expected << "Sound(" + m_click + ")"
                 << "Click"
                 << "Link(https://example.com/go)"
                 << "MouseUp(1,0,100,16)";
    } else {
        expected << "MouseUp(1,0,100,-10)";
    }
    QCOMPARE(s.log, expected);
}

// Qt reports the second press of a quick double press as a double click: it must still be a
// complete second click, with its own sound and link.
void tst_ButtonXPInput::doubleClickGivesTwoClicks() {
    Scene s(m_rec);
    s.pointTo(kInside);
    s.log.clear();
    QTest::mouseDClick(s.handle(), Qt::LeftButton, {}, s.inWindow(kInside));
    const QStringList once{"MouseDown(1,0,100,16)", "Sound(" + m_click + ")", "Click",
                           "Link(https://example.com/go)", "MouseUp(1,0,100,16)"};
    QCOMPARE(s.log, once + once);
}

// The release after a double click reaches the button wherever it happens.
void tst_ButtonXPInput::doubleClickReleasedOutside() {
    Scene s(m_rec);
    s.pointTo(kInside);
    s.log.clear();
    QWindow* w = s.handle();
    const QPointF in = s.inWindow(kInside);
    const QPointF out = s.inWindow(kOutside);
    ulong t = 100000;  // past QTest's own time stamps, well apart from them
    qt_handleMouseEvent(w, in, w->mapToGlobal(in), Qt::LeftButton, Qt::LeftButton,
                        QEvent::MouseButtonPress, {}, t);
    qt_handleMouseEvent(w, in, w->mapToGlobal(in), Qt::NoButton, Qt::LeftButton,
                        QEvent::MouseButtonRelease, {}, t + 1);
    qt_handleMouseEvent(w, in, w->mapToGlobal(in), Qt::LeftButton, Qt::LeftButton,
                        QEvent::MouseButtonPress, {}, t + 2);
    qt_handleMouseEvent(w, out, w->mapToGlobal(out), Qt::NoButton, Qt::LeftButton,
                        QEvent::MouseButtonRelease, {}, t + 3);
    QCoreApplication::processEvents();
    QCOMPARE(s.log.count("Click"), 1);
    QCOMPARE(s.log.count("MouseDown(1,0,100,16)"), 2);
    // The last press or release; a tick may end the hover first on a slow (sanitizer) build.
    QCOMPARE(s.log.filter(QRegularExpression("^Mouse(Down|Up)")).last(),
             QStringLiteral("MouseUp(1,0,100,-10)"));
    QVERIFY(!s.b->flags().Pressed);
}

// The sound's relative path is resolved at the click, and a missing file plays nothing while
// the click goes on.
void tst_ButtonXPInput::soundFollowsCurrentDirectory() {
    Scene s(m_rec);
    QTemporaryDir other;
    QVERIFY(WriteFile(other.filePath(QStringLiteral("sub/ding.wav")), MakeWave()));
    s.b->setSoundClick(QStringLiteral(".\\sub\\ding.wav"));
    s.pointTo(kInside);

    s.log.clear();
    QTest::mouseClick(s.handle(), Qt::LeftButton, {}, s.inWindow(kInside));  // no such file here
    QCOMPARE(s.log.count("Click"), 1);
    QVERIFY(!s.log.join(' ').contains("Sound"));

    QVERIFY(QDir::setCurrent(other.path()));
    s.log.clear();
    QTest::mouseClick(s.handle(), Qt::LeftButton, {}, s.inWindow(kInside));
    const QString ding = QDir::current().absoluteFilePath(QStringLiteral("sub/ding.wav"));
    QVERIFY(QDir::setCurrent(m_dir->path()));
    QCOMPARE(s.log.mid(1, 2), (QStringList{"Sound(" + ding + ")", "Click"}));
}

// Only the first press of a held space presses; X11's auto-repeat release/press pairs raise
// KeyDown and KeyPress but change nothing; the one real release clicks once.
void tst_ButtonXPInput::spaceHeldWithAutoRepeat() {
    Scene s(m_rec);
    s.b->setFocus();
    QTRY_VERIFY(s.b->hasFocus());
    s.log.clear();
    s.key(true, Qt::Key_Space, " ");
    QCOMPARE(s.b->flags(), (ButtonInputFlags{true, true, true, true}));
    QCOMPARE(s.pixel(kProbeX, 2), kPressedRow2);
    for (int i = 0; i < 3; ++i) {
        s.key(false, Qt::Key_Space, " ", true);
        s.key(true, Qt::Key_Space, " ", true);
    }
    QCOMPARE(s.b->flags(), (ButtonInputFlags{true, true, true, true}));
    s.key(false, Qt::Key_Space, " ");
    QStringList expected;
    for (int i = 0; i < 4; ++i) {
        expected << "KeyDown(32,0)"
                 << "KeyPress(32)";
    }
    expected << "Sound(" + m_click + ")"
             << "Click"
             << "Link(https://example.com/go)"
             << "MouseUp(1,0,0,0)"
             << "KeyUp(32,0)";
    QCOMPARE(s.log, expected);
    QCOMPARE(s.b->flags(), (ButtonInputFlags{true, false, false, false}));
    QCOMPARE(s.pixel(kProbeX, 2), kFocusRow2);  // not hovered, although the pointer may be over
}

// The space went down on another control: its release on the button still clicks.
void tst_ButtonXPInput::spaceReleaseAloneClicks() {
    Scene s(m_rec);
    QTest::simulateEvent(s.edit, true, Qt::Key_Space, {}, " ", false);
    s.b->setFocus();
    QTRY_VERIFY(s.b->hasFocus());
    s.log.clear();
    s.key(false, Qt::Key_Space, " ");
    QCOMPARE(s.log.count("Click"), 1);
    QCOMPARE(s.log.last(), QStringLiteral("KeyUp(32,0)"));
}

// Focus leaving releases the pressed state (and repaints); the key's release then goes to the
// other control and clicks nothing.
void tst_ButtonXPInput::focusOutReleasesPress() {
    Scene s(m_rec);
    s.b->setFocus();
    QTRY_VERIFY(s.b->hasFocus());
    s.key(true, Qt::Key_Space, " ");
    QCOMPARE(s.pixel(kProbeX, 2), kPressedRow2);
    s.edit->setFocus();
    QTRY_VERIFY(s.edit->hasFocus());
    QCOMPARE(s.b->flags(), (ButtonInputFlags{false, false, true, true}));
    QCOMPARE(s.pixel(kProbeX, 2), kHoverRow2);  // the space press left it "over"
    QTest::simulateEvent(s.edit, false, Qt::Key_Space, {}, " ", false);
    QCOMPARE(s.log.count("Click"), 0);
}

// The access key (Alt + the letter after "&"), and Enter or Esc for the form's default or
// cancel button: Click and the link, no sound, never drawn pressed, nothing while disabled.
void tst_ButtonXPInput::accessKeys_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("isDefault");
    QTest::addColumn<bool>("isCancel");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<bool>("clicks");
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    QTest::newRow("alt+letter") << "&Go" << false << false << true << int(Qt::Key_G) << alt << true;
    QTest::newRow("after &&") << "&&x&y" << false << false << true << int(Qt::Key_Y) << alt << true;
    QTest::newRow("another letter")
        << "&Go" << false << false << true << int(Qt::Key_O) << alt << false;
    QTest::newRow("only a doubled &")
        << "Save && Exit" << false << false << true << int(Qt::Key_E) << alt << false;
    QTest::newRow("disabled") << "&Go" << false << false << false << int(Qt::Key_G) << alt << false;
    QTest::newRow("default: Return")
        << "" << true << false << true << int(Qt::Key_Return) << none << true;
    QTest::newRow("default: keypad Enter") << "" << true << false << true << int(Qt::Key_Enter)
                                           << Qt::KeyboardModifiers(Qt::KeypadModifier) << true;
    QTest::newRow("default, disabled")
        << "" << true << false << false << int(Qt::Key_Return) << none << false;
    QTest::newRow("not default: Return")
        << "" << false << true << true << int(Qt::Key_Return) << none << false;
    QTest::newRow("cancel: Esc") << "" << false << true << true << int(Qt::Key_Escape) << none
                                 << true;
    QTest::newRow("not cancel: Esc")
        << "" << true << false << true << int(Qt::Key_Escape) << none << false;
}

void tst_ButtonXPInput::accessKeys() {
    QFETCH(QString, caption);
    QFETCH(bool, isDefault);
    QFETCH(bool, isCancel);
    QFETCH(bool, enabled);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(bool, clicks);
    // The flags are the site's before the button is created (accessKeysFollowCaptionAndFlags
    // changes them afterwards), and an empty caption keeps the one it was created with: its
    // keys are taken at creation, not only when a flag or the caption changes.
    Scene s(m_rec, isDefault, isCancel);
    if (!caption.isEmpty()) {
        s.b->setCaption(caption);
    }
    s.b->setEnabled(enabled);
    s.log.clear();
    QTest::keyClick(s.edit, static_cast<Qt::Key>(key), mods);  // the focus is on the text field
    const QStringList clicked{"Click", "Link(https://example.com/go)"};
    QCOMPARE(s.log, clicks ? clicked : QStringList());
    QVERIFY(!s.pressedAtClick);
    QCOMPARE(s.b->flags().Pressed, false);
}

// The keys follow a new caption and the Default/Cancel flags set after creation.
void tst_ButtonXPInput::accessKeysFollowCaptionAndFlags() {
    Scene s(m_rec);
    s.b->setCaption(QStringLiteral("&Go"));
    s.b->setCaption(QStringLiteral("&Run"));
    QTest::keyClick(s.edit, Qt::Key_G, Qt::AltModifier);
    QCOMPARE(s.log.count("Click"), 0);
    QTest::keyClick(s.edit, Qt::Key_R, Qt::AltModifier);
    QCOMPARE(s.log.count("Click"), 1);

    s.site.setDefault(true);
    QTest::keyClick(s.edit, Qt::Key_Return);
    QCOMPARE(s.log.count("Click"), 2);
    QTest::keyClick(s.edit, Qt::Key_R, Qt::AltModifier);  // the letter stays
    QCOMPARE(s.log.count("Click"), 3);
    s.site.setDefault(false);
    QTest::keyClick(s.edit, Qt::Key_Return);
    QCOMPARE(s.log.count("Click"), 3);

    // Two buttons with one access key: the key moves the focus and clicks neither.
    Button_XP twin(&s.site, &s.window);
    twin.InitProperties();
    twin.setCaption(QStringLiteral("&Rerun"));
    twin.show();
    QTest::keyClick(s.edit, Qt::Key_R, Qt::AltModifier);
    QCOMPARE(s.log.count("Click"), 3);
    QVERIFY(s.b->hasFocus() || twin.hasFocus());
}

void tst_ButtonXPInput::accessKeyPressMethod() {
    Scene s(m_rec);
    s.b->AccessKeyPress();
    QCOMPARE(s.log, (QStringList{"Click", "Link(https://example.com/go)"}));
    s.b->setEnabled(false);
    s.b->AccessKeyPress();
    QCOMPARE(s.log.size(), 2);
    s.b->setURL(QString());
    s.b->setEnabled(true);
    s.b->AccessKeyPress();
    QCOMPARE(s.log, (QStringList{"Click", "Link(https://example.com/go)", "Click"}));
}

// The timer runs from the hover entry to the tick that finds the pointer gone, and not at all
// for a pointer elsewhere on the window.
void tst_ButtonXPInput::hoverTimerOnlyWhileHovered() {
    Scene s(m_rec);
    QVERIFY(!Button_XPTestAccess::hoverTimerActive(*s.b));
    s.pointTo(kOutside);
    QVERIFY(!Button_XPTestAccess::hoverTimerActive(*s.b));
    QCOMPARE(s.pixel(kProbeX, 1), kNormalRow1);

    s.pointTo(kInside);
    QVERIFY(Button_XPTestAccess::hoverTimerActive(*s.b));
    QCOMPARE(s.pixel(kProbeX, 1), kHoverRow1);
    QCOMPARE(s.screenPixel(kProbeX, 1), kHoverRow1);
    QVERIFY(s.letHoverTimerTick(5));  // ticks with the pointer still over change nothing
    QVERIFY(Button_XPTestAccess::hoverTimerActive(*s.b));
    QCOMPARE(s.log, (QStringList{"MouseIn(0)", "MouseMove(0,0,100,16)"}));

    s.pointTo(kOutside);
    QTRY_VERIFY(!Button_XPTestAccess::hoverTimerActive(*s.b));
    // The move outside went to the window, not the button: only the tick tells it.
    QCOMPARE(s.log, (QStringList{"MouseIn(0)", "MouseMove(0,0,100,16)", "MouseOut(0)"}));
    QCOMPARE(s.b->flags().MouseOver, false);
    QCOMPARE(s.pixel(kProbeX, 1), kNormalRow1);
    QCOMPARE(s.pixel(kProbeX, 2), kNormalRow2);
}

// MouseIn carries the Shift of the move that entered; MouseOut the Shift of the last press.
void tst_ButtonXPInput::hoverArguments() {
    Scene s(m_rec);
    s.pointTo(kInside);
    QTest::mouseClick(s.handle(), Qt::LeftButton, Qt::ControlModifier, s.inWindow(kInside));
    s.pointTo(kOutside);
    QTRY_VERIFY(s.log.contains("MouseOut(2)"));

    // Put the pointer on the button while it takes no input, then enter with Shift held.
    s.b->setEnabled(false);
    s.pointTo(kInside);
    s.b->setEnabled(true);
    s.log.clear();
    QWindow* w = s.handle();
    const QPointF in = s.inWindow(kInside + QPoint(1, 0));
    qt_handleMouseEvent(w, in, w->mapToGlobal(in), Qt::NoButton, Qt::NoButton, QEvent::MouseMove,
                        Qt::ShiftModifier, 200000);
    QCOMPARE(s.log, (QStringList{"MouseIn(1)", "MouseMove(0,1,101,16)"}));
}

// A button disabled while hovered takes no input, but its running timer still ends the hover.
void tst_ButtonXPInput::disabledHoverStillEnds() {
    Scene s(m_rec);
    s.pointTo(kInside);
    s.b->setEnabled(false);
    QVERIFY(Button_XPTestAccess::hoverTimerActive(*s.b));
    s.pointTo(kOutside);
    QTRY_VERIFY(!Button_XPTestAccess::hoverTimerActive(*s.b));
    QCOMPARE(s.log, (QStringList{"MouseIn(0)", "MouseMove(0,0,100,16)", "MouseOut(0)"}));
}

// The hover picture shows from the hover entry to the leave, and Picture returns it meanwhile.
void tst_ButtonXPInput::hoverPicture_data() {
    QTest::addColumn<int>("hover");  // 0 none, 1 a green bitmap, 2 an empty picture
    QTest::addColumn<bool>("hoverIsShown");
    QTest::newRow("hover picture") << 1 << true;
    QTest::newRow("no hover picture: the normal one stays") << 0 << false;
    QTest::newRow("empty hover picture of a new instance: nothing shown") << 2 << true;
}

void tst_ButtonXPInput::hoverPicture() {
    QFETCH(int, hover);
    QFETCH(bool, hoverIsShown);
    Scene s(m_rec);
    const Picture red = Picture::bitmap(ImageOf(solid(qRgb(255, 0, 0))));
    const Picture green = Picture::bitmap(ImageOf(solid(qRgb(0, 255, 0))));
    const Picture hoverPicture =
        hover == 1 ? green : (hover == 2 ? s.b->PictureHover() : Picture::none());
    QCOMPARE(s.b->PictureHover().kind(), PictureKind::Empty);  // the new-instance default
    s.b->setPictureSize(0);
    s.b->setPicture(red);
    s.b->setPictureHover(hoverPicture);
    const Rect r = Button_XPTestAccess::faceLayout(*s.b).picture;
    const QPoint probe(r.left + 8, r.top + 8);
    QCOMPARE(s.pixel(probe.x(), probe.y()), ColourRef(0x0000FF));

    s.pointTo(kInside);
    QVERIFY(s.b->Picture() == (hoverIsShown ? hoverPicture : red));
    const ColourRef shown = s.pixel(probe.x(), probe.y());
    if (hover == 1) {
        QCOMPARE(shown, ColourRef(0x00FF00));
    } else if (hover == 0) {
        QCOMPARE(shown, ColourRef(0x0000FF));
    } else {
        QVERIFY(shown != ColourRef(0x0000FF) && shown != ColourRef(0x00FF00));
    }

    s.pointTo(kOutside);
    QTRY_VERIFY(!Button_XPTestAccess::hoverTimerActive(*s.b));
    QVERIFY(s.b->Picture() == red);
    QCOMPARE(s.pixel(probe.x(), probe.y()), ColourRef(0x0000FF));
}

// A widget or a window put over the hovered button ends the hover at the next tick, although
// the pointer never moved.
void tst_ButtonXPInput::coveredButtonEndsHover() {
    Scene s(m_rec);
    s.pointTo(kInside);
    QVERIFY(Button_XPTestAccess::hoverTimerActive(*s.b));
    QWidget cover(&s.window);
    cover.setGeometry(s.b->geometry());
    cover.show();
    cover.raise();
    QTRY_VERIFY(s.log.contains("MouseOut(0)"));
    QVERIFY(!Button_XPTestAccess::hoverTimerActive(*s.b));
    QCOMPARE(s.pixel(kProbeX, 1), kNormalRow1);

    cover.hide();
    s.pointTo(kInside + QPoint(1, 0));
    QVERIFY(Button_XPTestAccess::hoverTimerActive(*s.b));
    s.log.clear();
    QWidget window;
    window.setGeometry(QRect(s.b->mapToGlobal(QPoint(0, 0)), QSize(300, 60)));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(s.log, QStringList{"MouseOut(0)"});
}

// A platform that stops reporting the pointer's position once it leaves the window (Wayland)
// still reports the leave: the next tick ends the hover, and the next move over the button
// starts it again.
void tst_ButtonXPInput::reportedLeaveEndsHover() {
    Scene s(m_rec);
    s.pointTo(kInside);
    QVERIFY(Button_XPTestAccess::hoverTimerActive(*s.b));
    s.log.clear();
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(s.b, &leave);  // the pointer position itself stays inside
    QTRY_COMPARE(s.log, QStringList{"MouseOut(0)"});
    QVERIFY(!Button_XPTestAccess::hoverTimerActive(*s.b));
    QCOMPARE(s.pixel(kProbeX, 1), kNormalRow1);

    s.pointTo(kInside + QPoint(1, 0));
    QVERIFY(Button_XPTestAccess::hoverTimerActive(*s.b));
    QVERIFY(s.log.contains("MouseIn(0)"));
}

// A handler that deletes the button while the hover entry lets pending events run: the entry
// stops there, and nothing touches the deleted button.
void tst_ButtonXPInput::deletedWhileHoverEntryYields() {
    Scene s(m_rec);
    QPointer<Button_XP> b = s.b;
    QObject::connect(b, &Button_XP::MouseIn, &s.window, [b] {
        QMetaObject::invokeMethod(
            qApp, [b] { delete b.data(); }, Qt::QueuedConnection);
    });
    s.pointTo(kInside);
    QVERIFY(b.isNull());
    QCOMPARE(s.log, QStringList{"MouseIn(0)"});
}

QTEST_MAIN(tst_ButtonXPInput)
#include "tst_button_xp_input.moc"
