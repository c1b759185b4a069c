#include "controls/updown/qt/UpDownField.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMouseEvent>

#include "controls/updown/UpDownRules.h"
#include "controls/updown/qt/QtUpDownKeys.h"

namespace corvane {

namespace {
bool allTypeable(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return UpDownRules::isTypeable(c.unicode()); });
}
}  // namespace

UpDownField::UpDownField(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setAcceptDrops(false);
    setText(QStringLiteral("0"));
}

void UpDownField::keyPressEvent(QKeyEvent* e) {
    switch (classifyUpDownKey(UpDownKeyOf(*e))) {
        case UpDownKey::StepUp:
            e->accept();
            emit stepRequested(1);
            return;
        case UpDownKey::StepDown:
            e->accept();
            emit stepRequested(-1);
            return;
        case UpDownKey::Discard:
            e->accept();
            return;
        case UpDownKey::Propagate:
            e->ignore();
            return;
        case UpDownKey::Pass:
            QLineEdit::keyPressEvent(e);
            return;
    }
}

void UpDownField::inputMethodEvent(QInputMethodEvent* e) {
    // A composed text is committed only when it is made of what could be typed.
    if (!e->commitString().isEmpty() && !allTypeable(e->commitString())) {
        QInputMethodEvent filtered(e->preeditString(), e->attributes());
        QLineEdit::inputMethodEvent(&filtered);
        e->accept();
        return;
    }
    QLineEdit::inputMethodEvent(e);
}

void UpDownField::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    // The focus coming back from the field's own context menu keeps the caret where it was.
    if (e->reason() != Qt::PopupFocusReason) {
        selectAll();
    }
    m_focusClick = e->reason() == Qt::MouseFocusReason;
}

void UpDownField::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    m_focusClick = false;
    if (e->reason() != Qt::PopupFocusReason) {
        emit focusLeft();
    }
}

void UpDownField::mousePressEvent(QMouseEvent* e) {
    QLineEdit::mousePressEvent(e);
    if (m_focusClick) {
        selectAll();  // the press placed the caret at the click
    }
}

void UpDownField::mouseMoveEvent(QMouseEvent* e) {
    if (m_focusClick) {
        e->accept();  // no drag-selection out of the focusing click
        return;
    }
    QLineEdit::mouseMoveEvent(e);
}

void UpDownField::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton) {
        e->accept();  // the selection clipboard's paste would bypass the filter
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
    if (m_focusClick && e->buttons() == Qt::NoButton) {
        selectAll();
        m_focusClick = false;
    }
}

void UpDownField::mouseDoubleClickEvent(QMouseEvent* e) {
    m_focusClick = false;
    QLineEdit::mouseDoubleClickEvent(e);
}

QMenu* UpDownField::createContextMenu() {
    QMenu* menu = createStandardContextMenu();
    for (QAction* a : menu->actions()) {
        // Named since Qt 6.5; before that, known by its (translated) label.
        if (a->objectName() == QLatin1String("edit-paste") ||
            a->text().startsWith(QCoreApplication::translate("QLineEdit", "&Paste"))) {
            QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
            connect(a, &QAction::triggered, this, &UpDownField::pasteFiltered);
        }
    }
    return menu;
}

void UpDownField::pasteFiltered() {
    if (isReadOnly()) {
        return;
    }
    const QString text = QGuiApplication::clipboard()->text().trimmed();
    if (!text.isEmpty() && allTypeable(text)) {
        insert(text);
    }
}

void UpDownField::contextMenuEvent(QContextMenuEvent* e) {
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}

}  // namespace corvane
