#pragma once

#include <QAccessibleWidget>

namespace corvane {

class ucUpDownBox;

// What a screen reader sees of a ucUpDownBox: a spin box whose value is Value, with its bounds
// Min and Max, and the increase and decrease actions of its arrows.
class ucUpDownBoxAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ucUpDownBoxAccessible(ucUpDownBox* box);

    void* interface_cast(QAccessible::InterfaceType t) override;
    // Value: Value as a number (what a save stores, also while the field shows a refused text).
    QString text(QAccessible::Text t) const override;
    // Focused while its text field has the focus: the field is the box's focus proxy.
    QAccessible::State state() const override;

    QVariant currentValue() const override;
    // Writes Value, which keeps it within the bounds.
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // Increase and decrease move the arrows, exactly as a click on them does.
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    ucUpDownBox* box() const;
};

// Registers the interface with Qt's accessibility (once per process) and makes `box` report
// every change of its Value as a value-change event. ucUpDownBox calls it on construction.
void InstallUpDownAccessibility(ucUpDownBox* box);

// Sees every value-change event a box sends, before Qt passes it on. Qt passes events on only
// while a screen reader listens, so this is how a test can follow them. Null: none.
using AccessibleEventObserver = void (*)(QAccessibleEvent* event);
void SetUpDownEventObserver(AccessibleEventObserver observer);

// Gives the box and its text field, which is what takes the focus, the same name and
// description.
void SetUpDownAccessibleText(ucUpDownBox* box, const QString& name, const QString& description);

}  // namespace corvane
