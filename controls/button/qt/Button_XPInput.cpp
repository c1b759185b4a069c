// Button_XP's input: Qt's events, translated into the engine's, go to the input machine, and the
// machine's requests come back here as signals, repaints, the hover timer, the click sound and the
// link.
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QShortcutEvent>
#include <QTimer>

#include "controls/button/ButtonInputEvents.h"
#include "controls/button/qt/Button_XP.h"
#include "controls/button/qt/QtButtonInput.h"
#include "controls/button/qt/QtButtonLink.h"
#include "controls/host/qt/QtInput.h"
#include "controls/host/qt/SoundPlayer.h"

namespace corvane {

void Button_XP::SetUpInput() {
    setMouseTracking(true);  // moves without a button held are what finds the hover entry
    setFocusPolicy(Qt::StrongFocus);
    // Created stopped: only a hovered button polls.
    OverTimer = new QTimer(this);
    OverTimer->setObjectName(QStringLiteral("OverTimer"));
    OverTimer->setInterval(10);
    connect(OverTimer, &QTimer::timeout, this, [this] { m_input.OnHoverTick(); });
    connect(Site(), &ControlSite::flagsChanged, this, [this] {
        GrabAccessKeys();
        Refresh();  // the default button draws its default border
    });
    // A site that is already the default or cancel button gives us its key now: waiting for
    // the flag to change would leave Enter or Esc dead on a button created that way.
    GrabAccessKeys();
}

bool Button_XP::hoverTimerActive() const {
    return OverTimer->isActive();
}

void Button_XP::GrabAccessKeys() {
    for (const int id : std::as_const(m_shortcutIds)) {
        releaseShortcut(id);
    }
    m_shortcutIds.clear();
    QList<QKeySequence> keys;
    if (!m_accessKey.isEmpty()) {
        // Alt+letter, or nothing on a platform without mnemonics.
        const QKeySequence mnemonic = QKeySequence::mnemonic(QLatin1Char('&') + m_accessKey);
        if (!mnemonic.isEmpty()) {
            keys << mnemonic;
        }
    }
    if (Site()->Default()) {
        keys << QKeySequence(Qt::Key_Return) << QKeySequence(Qt::Key_Enter);
    }
    if (Site()->Cancel()) {
        keys << QKeySequence(Qt::Key_Escape);
    }
    for (const QKeySequence& key : std::as_const(keys)) {
        m_shortcutIds << grabShortcut(key);
    }
}

void Button_XP::AccessKeyPress() {
    m_input.OnAccessKeyPress(0);
}

void Button_XP::GoToURL() {
    ::corvane::GoToURL(URL());
}

// --- Qt's events ---

bool Button_XP::event(QEvent* e) {
    // Where the platform reports a pointer position only inside our own windows (Wayland),
    // the hover timer's question would keep finding the pointer here after it left the
    // window; a reported leave counts as gone until the pointer moves over the button again.
    // A leave that comes from a modal window blocking ours (a handler's dialog) is not the
    // pointer leaving: the hover lasts while the pointer stays over the button.
    if (e->type() == QEvent::Leave) {
        if (!BlockedByModalWindow(this)) {
            m_pointerLeft = true;
        }
    } else if (e->type() == QEvent::Enter) {
        m_pointerLeft = false;
    }
    if (e->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(e);
        if (m_shortcutIds.contains(shortcut->shortcutId())) {
            if (shortcut->isAmbiguous()) {
                // Another control on the window has the same key: move the focus here and
                // click nothing, as the platform does with a shared mnemonic.
                setFocus(Qt::ShortcutFocusReason);
            } else {
                AccessKeyPress();
            }
            return true;
        }
    }
    return UserControl::event(e);
}

void Button_XP::mousePressEvent(QMouseEvent* e) {
    const MouseEvent press = MouseEventOf(*e);
    m_doubleClick.NotePress(press);
    FeedMousePress(m_input, press);
}

void Button_XP::mouseMoveEvent(QMouseEvent* e) {
    if (rect().contains(e->position().toPoint())) {
        m_pointerLeft = false;
    }
    FeedMouseMove(m_input, MouseEventOf(*e));
}

void Button_XP::mouseReleaseEvent(QMouseEvent* e) {
    FeedMouseRelease(m_input, MouseEventOf(*e));
}

void Button_XP::mouseDoubleClickEvent(QMouseEvent* e) {
    // Not the base class: it would press a second time.
    FeedMouseDoubleClick(m_input, m_doubleClick, MouseEventOf(*e), DoubleClickInterval());
}

void Button_XP::keyPressEvent(QKeyEvent* e) {
    FeedKeyPress(m_input, KeyEventOf(*e));
}

void Button_XP::keyReleaseEvent(QKeyEvent* e) {
    FeedKeyRelease(m_input, KeyEventOf(*e));
}

void Button_XP::focusInEvent(QFocusEvent* e) {
    m_input.OnGotFocus();
    UserControl::focusInEvent(e);
}

void Button_XP::focusOutEvent(QFocusEvent* e) {
    m_input.OnLostFocus();
    UserControl::focusOutEvent(e);
}

// --- What the input machine asks of the control ---

void Button_XP::RaiseClick() {
    emit Click();
}

void Button_XP::RaiseKeyDown(qint16 keyCode, qint16 shift) {
    emit KeyDown(keyCode, shift);
}

void Button_XP::RaiseKeyPress(qint16 keyAscii) {
    emit KeyPress(keyAscii);
}

void Button_XP::RaiseKeyUp(qint16 keyCode, qint16 shift) {
    emit KeyUp(keyCode, shift);
}

void Button_XP::RaiseMouseDown(qint16 button, qint16 shift, float x, float y) {
    emit MouseDown(button, shift, x, y);
}

void Button_XP::RaiseMouseMove(qint16 button, qint16 shift, float x, float y) {
    emit MouseMove(button, shift, x, y);
}

void Button_XP::RaiseMouseUp(qint16 button, qint16 shift, float x, float y) {
    emit MouseUp(button, shift, x, y);
}

void Button_XP::RaiseMouseIn(qint16 shift) {
    emit MouseIn(shift);
}

void Button_XP::RaiseMouseOut(qint16 shift) {
    emit MouseOut(shift);
}

void Button_XP::PlayClickSound() {
    PlayWave(SoundClick());  // whether a sound started is of no interest to the click
}

void Button_XP::SetHoverTimer(bool on) {
    if (on) {
        OverTimer->start();
    } else {
        OverTimer->stop();
    }
}

void Button_XP::ProcessPendingEvents() {
    // A handler run in here may delete this control: nothing here touches it afterwards, and
    // the machine checks that it still exists before its next step.
    QCoreApplication::processEvents();
}

void Button_XP::CaptureMouse() {
    // Nothing to do: the double click arrives while the button is down, and Qt's implicit
    // grab sends the release to this widget wherever it happens.
}

bool Button_XP::IsEnabled() const {
    return isEnabled();
}

int Button_XP::Width() const {
    return width();
}

int Button_XP::Height() const {
    return height();
}

bool Button_XP::PointerIsOverSurface() const {
    return !m_pointerLeft && PointerIsOver(this);
}

void Button_XP::ShowHoverPicture() {
    showHoverPicture(true);
}

void Button_XP::ShowNormalPicture() {
    showHoverPicture(false);
}

}  // namespace corvane
