#include "controls/button/ButtonInputEvents.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>

#include "controls/button/ButtonInput.h"
#include "controls/button/ButtonInputKeys.h"

namespace corvane {

namespace {

float coord(qreal v) {
    return static_cast<float>(v);
}

// `window` or one of its transient parents is `ancestor`.
bool IsOrHasTransientParent(const QWindow* window, const QWindow* ancestor) {
    for (const QWindow* w = window; w; w = w->transientParent()) {
        if (w == ancestor) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool FeedMousePress(ButtonInput& input, const QMouseEvent& e) {
    return input.OnMouseDown(ButtonFromQt(e.button()), ShiftFromQt(e.modifiers()),
                             coord(e.position().x()), coord(e.position().y()));
}

bool FeedMouseMove(ButtonInput& input, const QMouseEvent& e) {
    return input.OnMouseMove(ButtonsFromQt(e.buttons()), ShiftFromQt(e.modifiers()),
                             coord(e.position().x()), coord(e.position().y()));
}

bool FeedMouseRelease(ButtonInput& input, const QMouseEvent& e) {
    return input.OnMouseUp(ButtonFromQt(e.button()), ShiftFromQt(e.modifiers()),
                           coord(e.position().x()), coord(e.position().y()));
}

bool FeedKeyPress(ButtonInput& input, const QKeyEvent& e) {
    // Delete carries DEL as text on X11; the host platform gave it no character.
    const qint16 ascii = e.key() == Qt::Key_Delete ? qint16{0} : KeyAsciiFromText(e.text());
    if (!input.OnKeyDown(KeyCodeFromQt(e.key(), e.modifiers()), ShiftFromQt(e.modifiers()))) {
        return false;
    }
    return ascii == 0 || input.OnKeyPress(ascii);
}

bool FeedKeyRelease(ButtonInput& input, const QKeyEvent& e) {
    if (RouteKeyEvent(true, e.isAutoRepeat()) == KeyRoute::Drop) {
        return true;
    }
    return input.OnKeyUp(KeyCodeFromQt(e.key(), e.modifiers()), ShiftFromQt(e.modifiers()));
}

void DoubleClickPairing::NotePress(const QMouseEvent& press) {
    m_noted = true;
    m_button = press.button();
    m_time = press.timestamp();
}

bool DoubleClickPairing::Continues(const QMouseEvent& doubleClick) {
    const bool noted = m_noted;
    m_noted = false;
    const auto interval =
        static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    return noted && m_button == doubleClick.button() && doubleClick.timestamp() >= m_time &&
           doubleClick.timestamp() - m_time < interval;
}

bool FeedMouseDoubleClick(ButtonInput& input, DoubleClickPairing& pairing, const QMouseEvent& e) {
    return pairing.Continues(e) ? input.OnDblClick() : FeedMousePress(input, e);
}

bool PointerIsOver(const QWidget* control) {
    return control && QApplication::widgetAt(QCursor::pos()) == control;
}

bool BlockedByModalWindow(const QWidget* control) {
    const QWidget* top = control ? control->window() : nullptr;
    const QWindow* mine = top ? top->windowHandle() : nullptr;
    if (!mine) {
        return false;
    }
    // Every visible modal window counts, also one still being shown: Qt sends the Leave from
    // inside the show, before it lists the new window as the modal one.
    const auto windows = QGuiApplication::topLevelWindows();
    for (const QWindow* modal : windows) {
        if (modal == mine || !modal->isVisible() || modal->modality() == Qt::NonModal) {
            continue;
        }
        if (IsOrHasTransientParent(mine, modal)) {
            continue;  // a window opened from the modal one is not blocked by it
        }
        if (modal->modality() == Qt::ApplicationModal ||
            IsOrHasTransientParent(modal->transientParent(), mine)) {
            return true;  // a window-modal one blocks only the windows it was opened from
        }
    }
    return false;
}

}  // namespace corvane
