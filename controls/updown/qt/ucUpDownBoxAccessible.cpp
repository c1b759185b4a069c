#include "controls/updown/qt/ucUpDownBoxAccessible.h"

#include <QScrollBar>

#include "controls/updown/qt/UpDownField.h"
#include "controls/updown/qt/ucUpDownBox.h"

namespace corvane {

namespace {

QAccessibleInterface* UpDownFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("corvane::ucUpDownBox")) {
        if (auto* box = qobject_cast<ucUpDownBox*>(object)) {
            return new ucUpDownBoxAccessible(box);
        }
    }
    return nullptr;
}

AccessibleEventObserver g_observer = nullptr;

}  // namespace

void SetUpDownEventObserver(AccessibleEventObserver observer) {
    g_observer = observer;
}

void InstallUpDownAccessibility(ucUpDownBox* box) {
    static const bool installed = [] {
        QAccessible::installFactory(UpDownFactory);
        return true;
    }();
    Q_UNUSED(installed);
    // Change is raised for every change of Value, but also for an arrow step that stays at a
    // bound: announce only real changes.
    QObject::connect(box, &ucUpDownBox::Change, box, [box, last = box->Value()]() mutable {
        if (box->Value() == last) {
            return;
        }
        last = box->Value();
        QAccessibleValueChangeEvent event(box, last);
        if (g_observer) {
            g_observer(&event);
        }
        QAccessible::updateAccessibility(&event);
    });
}

void SetUpDownAccessibleText(ucUpDownBox* box, const QString& name, const QString& description) {
    for (QWidget* w : {static_cast<QWidget*>(box), static_cast<QWidget*>(box->txtValue())}) {
        w->setAccessibleName(name);
        w->setAccessibleDescription(description);
    }
}

ucUpDownBoxAccessible::ucUpDownBoxAccessible(ucUpDownBox* box)
    : QAccessibleWidget(box, QAccessible::SpinBox) {}

ucUpDownBox* ucUpDownBoxAccessible::box() const {
    return static_cast<ucUpDownBox*>(widget());
}

void* ucUpDownBoxAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::ValueInterface) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
}

QString ucUpDownBoxAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        return QString::number(box()->Value());
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State ucUpDownBoxAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.focused = s.focused || box()->txtValue()->hasFocus();
    s.focusable = s.focusable || box()->txtValue()->focusPolicy() != Qt::NoFocus;
    return s;
}

QVariant ucUpDownBoxAccessible::currentValue() const {
    return box()->Value();
}

void ucUpDownBoxAccessible::setCurrentValue(const QVariant& value) {
    bool ok = false;
    const int v = value.toInt(&ok);
    if (ok && box()->isEnabled()) {
        box()->setValue(v);
    }
}

QVariant ucUpDownBoxAccessible::maximumValue() const {
    return box()->Max();
}

QVariant ucUpDownBoxAccessible::minimumValue() const {
    return box()->Min();
}

QVariant ucUpDownBoxAccessible::minimumStepSize() const {
    return 1;
}

QStringList ucUpDownBoxAccessible::actionNames() const {
    QStringList names;
    if (box()->isEnabled()) {
        names << increaseAction() << decreaseAction();
    }
    return names + QAccessibleWidget::actionNames();
}

void ucUpDownBoxAccessible::doAction(const QString& actionName) {
    // Qt's vertical bar counts downwards: its upper arrow, the step up, moves it to -1.
    if (actionName == increaseAction() || actionName == decreaseAction()) {
        if (box()->isEnabled()) {
            box()->ucBar()->setValue(actionName == increaseAction() ? -1 : 1);
        }
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

}  // namespace corvane
