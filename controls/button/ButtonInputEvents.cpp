#include "ButtonInputEvents.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "ButtonInput.h"
#include "ButtonInputKeys.h"

namespace corvane {

namespace {

float coord(qreal v) {
    return static_cast<float>(v);
}

}  // namespace

void FeedMousePress(ButtonInput& input, const QMouseEvent& e) {
    input.OnMouseDown(ButtonFromQt(e.button()), ShiftFromQt(e.modifiers()), coord(e.position().x()),
                      coord(e.position().y()));
}

void FeedMouseDoubleClick(ButtonInput& input) {
    input.OnDblClick();
}

void FeedMouseMove(ButtonInput& input, const QMouseEvent& e) {
    input.OnMouseMove(ButtonsFromQt(e.buttons()), ShiftFromQt(e.modifiers()),
                      coord(e.position().x()), coord(e.position().y()));
}

void FeedMouseRelease(ButtonInput& input, const QMouseEvent& e) {
    input.OnMouseUp(ButtonFromQt(e.button()), ShiftFromQt(e.modifiers()), coord(e.position().x()),
                    coord(e.position().y()));
}

void FeedKeyPress(ButtonInput& input, const QKeyEvent& e) {
    input.OnKeyDown(KeyCodeFromQt(e.key(), e.modifiers()), ShiftFromQt(e.modifiers()));
    // Delete carries DEL as text on X11; the host platform gave it no character.
    const qint16 ascii = e.key() == Qt::Key_Delete ? qint16{0} : KeyAsciiFromText(e.text());
    if (ascii != 0) {
        input.OnKeyPress(ascii);
    }
}

void FeedKeyRelease(ButtonInput& input, const QKeyEvent& e) {
    if (RouteKeyEvent(true, e.isAutoRepeat()) == KeyRoute::Drop) {
        return;
    }
    input.OnKeyUp(KeyCodeFromQt(e.key(), e.modifiers()), ShiftFromQt(e.modifiers()));
}

bool PointerIsOver(const QWidget* control) {
    return control && QApplication::widgetAt(QCursor::pos()) == control;
}

}  // namespace corvane
