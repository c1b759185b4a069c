#include "controls/button/qt/QtButtonInput.h"

#include <QApplication>
#include <QCursor>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>

namespace corvane {

namespace {

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

std::uint64_t DoubleClickInterval() {
    const int ms = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    return ms > 0 ? static_cast<std::uint64_t>(ms) : 0u;
}

}  // namespace corvane
