#pragma once

#include <QLineEdit>

class QMenu;

namespace corvane {

// The up-down box's text field. Only what can make a number gets in, by any road: typing,
// the context menu's paste, input methods; a middle-click paste and drops are refused.
// Up and Down step the box instead of moving the caret, and the whole text is selected
// whenever the field gets the focus, a click included.
class UpDownField : public QLineEdit {
    Q_OBJECT
public:
    explicit UpDownField(QWidget* parent = nullptr);

    // The context menu the field shows: the platform's menu whose Paste inserts the
    // clipboard's text only when it is a run of digits and "-" (surrounding blanks aside).
    QMenu* createContextMenu();
    // What the menu's Paste does.
    void pasteFiltered();

signals:
    void stepRequested(int direction);  // +1 up, -1 down
    void focusLeft();  // lost the focus for good (not to a popup such as the context menu)

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // Set while the click that gave the field the focus is still down: that click must not
    // undo the selection made on focus.
    bool m_focusClick = false;
};

}  // namespace corvane
