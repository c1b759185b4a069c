#include "ui/ControlLibrary.h"

#include <qdrawutil.h>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStackedWidget>
#include <QWheelEvent>

#include <algorithm>

#include "controls/host/qt/QtSystemColours.h"

namespace corvane {

TabControl::TabControl(QWidget* parent) : QTabWidget(parent) {
    // The placed children follow the page stack itself: it moves when the tab control is shown
    // or resized, and also when the tab strip changes height (a font or style change).
    if (auto* stack = findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        stack->installEventFilter(this);
    }
}

bool TabControl::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        watched->parent() == this) {
        PlaceChildren();
    }
    return QTabWidget::eventFilter(watched, event);
}

QWidget* TabControl::AddPage(const QString& caption) {
    auto* page = new QWidget;
    addTab(page, caption);
    return page;
}

void TabControl::Place(QWidget* child, const QRect& rect) {
    m_placed.push_back({child, rect});
    child->setGeometry(rect);
    PlaceChildren();
}

void TabControl::PlaceChildren() {
    // Every page fills the page stack, so one offset serves them all.
    const auto* stack = findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly);
    if (!stack) {
        return;
    }
    const QPoint offset = stack->geometry().topLeft() + stack->contentsRect().topLeft();
    for (const Placed& p : m_placed) {
        if (p.widget) {
            p.widget->setGeometry(p.rect.translated(-offset));
        }
    }
}

void GroupBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFontMetrics metrics = fontMetrics();
    const int lineY = metrics.height() / 2;
    const QRect caption =
        title().isEmpty() ? QRect()
                          : QRect(8, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    // An etched frame with a gap for the caption.
    p.setClipRegion(QRegion(rect()).subtracted(caption));
    qDrawShadeRect(&p, QRect(0, lineY, width(), height() - lineY), palette(), true, 1);
    p.setClipping(false);
    if (!caption.isEmpty()) {
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::WindowText));
        p.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, title());
    }
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Qt's completer would replace "santos" by SANTOS, or "S" by S.S.C. NAPOLI; without it,
    // Enter or leaving the field picks an entry only by its exact text.
    setCompleter(nullptr);
    setFocusPolicy(Qt::StrongFocus);  // not WheelFocus
    connect(this, &QComboBox::activated, this, &ComboBox::Change);
    // A name typed in full is chosen at once, so that the field beside the list already holds
    // its number when Save is chosen from the menu without leaving the list.
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        if (findText(text) >= 0) {
            emit Change();
        }
    });
}

void ComboBox::setText(const QString& text) {
    const QSignalBlocker quiet(this);
    setCurrentIndex(findText(text));  // -1 for a text that is no entry; it empties the text
    setEditText(text);
}

void ComboBox::SelectShownEntry() {
    if (findText(currentText()) != currentIndex()) {
        setText(currentText());
    }
}

void ComboBox::Step(int steps) {
    const int shown = findText(currentText());
    int to = shown + steps;
    if (to < 0) {
        to = shown < 0 ? -1 : 0;
    }
    to = std::min(to, count() - 1);
    if (to < 0 || to == shown) {
        return;
    }
    setCurrentIndex(to);
    emit Change();
}

void ComboBox::showPopup() {
    SelectShownEntry();
    QComboBox::showPopup();
}

void ComboBox::wheelEvent(QWheelEvent* e) {
    if (!hasFocus()) {
        e->ignore();  // for the window: the list is not what the user is working in
        return;
    }
    m_wheelAngle += e->angleDelta().y();
    const int notches = m_wheelAngle / QWheelEvent::DefaultDeltasPerStep;
    m_wheelAngle -= notches * QWheelEvent::DefaultDeltasPerStep;
    Step(-notches);  // turned away from the user: the entry above
    e->accept();
}

void ComboBox::keyPressEvent(QKeyEvent* e) {
    const bool plain = !(e->modifiers() & (Qt::AltModifier | Qt::ControlModifier));
    switch (e->key()) {
        case Qt::Key_Up:
        case Qt::Key_PageUp:
            if (plain) {
                Step(-1);
                return;
            }
            break;
        case Qt::Key_Down:
        case Qt::Key_PageDown:
            if (plain) {
                Step(1);
                return;
            }
            break;
        default:
            break;
    }
    QComboBox::keyPressEvent(e);  // Alt+Down and F4 open the list, Ctrl+arrows go to the text
}

void ComboBox::AddItem(const QString& item) {
    // QComboBox selects the first entry added to an empty list; the shown text must stay.
    const QSignalBlocker quiet(this);
    const QString shown = currentText();
    const int index = currentIndex();
    addItem(item);
    if (currentIndex() != index) {
        setCurrentIndex(index);
    }
    setEditText(shown);
}

FlatEdit::FlatEdit(QWidget* parent) : QLineEdit(parent) {}

CommonDialog::CommonDialog(ColourDialogService& service, QWidget* owner)
    : QObject(owner), m_service(service), m_owner(owner) {}

void CommonDialog::ShowColor() {
    const QColor start = OleToQt(TranslateColor(m_color, m_owner->palette()));
    if (const std::optional<QColor> chosen = m_service.GetColour(m_owner, start)) {
        m_color = QtToOle(*chosen);
    }
}

}  // namespace corvane
