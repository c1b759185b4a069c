#pragma once

#include <QAccessibleWidget>
#include <QString>

namespace corvane {

class Button_XP;

// What a screen reader sees of a Button_XP: a push button named by its caption, with a press
// action and the states the input handling drives (pressed, hot-tracked, focused, disabled).
class Button_XPAccessible : public QAccessibleWidget {
public:
    explicit Button_XPAccessible(Button_XP* button);

    // Name: the widget's accessible name when the host gave one, else the caption as shown.
    // Accelerator: Alt and the caption's access key.
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    // The press action works as the access key does: Click, then the URL.
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    Button_XP* button() const;
};

// The caption as a screen reader should say it: "&" markers removed, "&&" read as one "&",
// line breaks as spaces.
QString AccessibleCaption(const QString& caption);

// Registers the interface with Qt's accessibility. Button_XP calls it on construction; only the
// first call does anything.
void InstallButton_XPAccessibility();

}  // namespace corvane
