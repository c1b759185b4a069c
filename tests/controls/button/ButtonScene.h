#pragma once

// Button_XP under real input: a window with the button (style 3, the Save button's size) and a
// text field beside it, and a recorder that logs the button's events, the sounds played and the
// links opened in one list, so that their order is checked too.

#include <QCursor>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

#include "controls/host/qt/SoundPlayer.h"
#include "tests/support/ButtonFixture.h"
#include "tests/support/Button_XPTestAccess.h"

namespace corvane::test {

// Pixels of a 249 x 33 XP face (the Save button's size) on the fixture palette, at x = 124.
inline constexpr int kProbeX = 124;
inline constexpr ColourRef kNormalRow1 = 0xFFFFFF;  // the face's top highlight
inline constexpr ColourRef kNormalRow2 = 0xFCFAFA;  // top of the normal gradient
inline constexpr ColourRef kHoverRow1 =
    0x68F3FF;  // the orange hover ring (over the focus ring too)
inline constexpr ColourRef kHoverRow2 = 0x53BCFF;
inline constexpr ColourRef kFocusRow1 = 0xFFEBCD;  // the blue focus ring
inline constexpr ColourRef kFocusRow2 = 0xFFDCBE;
inline constexpr ColourRef kPressedRow2 = 0xAFB8B8;  // the pressed face

inline const QPoint kInside(100, 16);
inline const QPoint kOutside(100, -10);  // above the button, still on the window

inline QString num(float v) {
    return QString::number(static_cast<double>(v));
}

// Records what the button does, in order: its events, the sounds played and the links opened.
class Recorder : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    QStringList log;
    void play(const QString& path, const QByteArray&) override {
        log << QStringLiteral("Sound(%1)").arg(path);
    }
    std::function<void()> onLink;  // runs after a link is logged
public slots:
    void openUrl(const QUrl& url) {
        log << QStringLiteral("Link(%1)").arg(url.toString());
        if (onLink) {
            onLink();
        }
    }
};

// A window with the button (style 3, the Save button's size) and a text field beside it. The
// site may be the default and the cancel button before the button is created on it.
struct Scene {
    explicit Scene(Recorder& rec, bool isDefault = false, bool isCancel = false) : log(rec.log) {
        rec.log.clear();
        site.setAmbientFont(fixture::font());
        site.setDisplayName(QStringLiteral("cmd_Test"));
        site.setDefault(isDefault);
        site.setCancel(isCancel);
        b = new Button_XP(&site, &window);
        b->setPalette(fixture::palette());
        b->InitProperties();
        b->setButtonStyle(3);
        b->setURL(QStringLiteral("https://example.com/go"));
        b->setGeometry(QRect(kButtonAt, QSize(249, 33)));
        edit = new QLineEdit(&window);
        edit->setGeometry(20, 70, 100, 20);
        window.resize(300, 100);
        record();
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // Clears the modifiers that earlier key events left behind: the pointer moves that
        // QCursor::setPos makes carry them.
        QTest::simulateEvent(edit, false, Qt::Key_Alt, {}, QString(), false);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        log.clear();
    }

    void record() {
        QObject::connect(b, &Button_XP::Click, b, [this] {
            log << QStringLiteral("Click");
            pressedAtClick = b->flags().Pressed;
        });
        QObject::connect(b, &Button_XP::KeyDown, b, [this](qint16 k, qint16 s) {
            log << QStringLiteral("KeyDown(%1,%2)").arg(k).arg(s);
        });
        QObject::connect(b, &Button_XP::KeyPress, b,
                         [this](qint16 a) { log << QStringLiteral("KeyPress(%1)").arg(a); });
        QObject::connect(b, &Button_XP::KeyUp, b, [this](qint16 k, qint16 s) {
            log << QStringLiteral("KeyUp(%1,%2)").arg(k).arg(s);
        });
        const auto mouse = [this](const char* name) {
            return [this, name](qint16 bt, qint16 s, float x, float y) {
                log << QStringLiteral("%1(%2,%3,%4,%5)")
                           .arg(QLatin1String(name))
                           .arg(bt)
                           .arg(s)
                           .arg(num(x), num(y));
            };
        };
        QObject::connect(b, &Button_XP::MouseDown, b, mouse("MouseDown"));
        QObject::connect(b, &Button_XP::MouseMove, b, mouse("MouseMove"));
        QObject::connect(b, &Button_XP::MouseUp, b, mouse("MouseUp"));
        QObject::connect(b, &Button_XP::MouseIn, b,
                         [this](qint16 s) { log << QStringLiteral("MouseIn(%1)").arg(s); });
        QObject::connect(b, &Button_XP::MouseOut, b,
                         [this](qint16 s) { log << QStringLiteral("MouseOut(%1)").arg(s); });
    }

    QWindow* handle() const { return window.windowHandle(); }
    // Where a point of the button is on the window, also once the button is gone.
    QPoint inWindow(QPoint inButton) const { return kButtonAt + inButton; }
    // Moves the pointer itself (offscreen turns it into a mouse move, with the buttons held).
    void pointTo(QPoint inButton) const {
        QCursor::setPos(window.mapToGlobal(inWindow(inButton)));
        QCoreApplication::processEvents();
    }
    // Lets the hover timer tick `count` times, or until it stops or goes with the button: the
    // rows that prove a tick changes nothing wait for ticks, not for a time.
    bool letHoverTimerTick(int count) const {
        const QPointer<QTimer> timer =
            b ? b->findChild<QTimer*>(QStringLiteral("OverTimer")) : nullptr;
        if (!timer) {
            return false;
        }
        QSignalSpy ticks(timer.data(), &QTimer::timeout);
        return QTest::qWaitFor(
            [&] { return ticks.count() >= count || !timer || !timer->isActive(); });
    }
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers mods = {}) const {
        QTest::mousePress(handle(), button, mods, inWindow(at));
    }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers mods = {}) const {
        QTest::mouseRelease(handle(), button, mods, inWindow(at));
    }
    void key(bool press, int k, const QString& text, bool autoRepeat = false) const {
        QTest::simulateEvent(b, press, k, {}, text, autoRepeat);
    }
    ColourRef pixel(int x, int y) const {
        return GetPixel(Button_XPTestAccess::surfaceImage(*b), x, y);
    }
    ColourRef screenPixel(int x, int y) const {
        return QtToOle(b->grab().toImage().pixelColor(x, y));
    }

    static constexpr QPoint kButtonAt{20, 30};
    QStringList& log;
    bool pressedAtClick = false;
    ControlSite site;  // outlives the window, whose closing still repaints the button
    QWidget window;
    QPointer<Button_XP> b;  // null once a test has deleted the button
    QLineEdit* edit = nullptr;
};

}  // namespace corvane::test
