#include "controls/button/qt/Button_XPAccessible.h"

#include <QKeySequence>

#include "controls/button/qt/Button_XP.h"

namespace corvane {

namespace {

QAccessibleInterface* ButtonFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("corvane::Button_XP")) {
        if (auto* button = qobject_cast<Button_XP*>(object)) {
            return new Button_XPAccessible(button);
        }
    }
    return nullptr;
}

}  // namespace

QString AccessibleCaption(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        QChar c = caption[i];
        if (c == u'&') {
            if (i + 1 >= caption.size()) {
                break;  // a trailing "&" marks nothing and is not shown
            }
            c = caption[++i];  // the marked character, or the second "&" of a pair
        }
        if (c == u'\r') {
            continue;
        }
        out.append(c == u'\n' ? QChar(u' ') : c);
    }
    return out;
}

void InstallButton_XPAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(ButtonFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

Button_XPAccessible::Button_XPAccessible(Button_XP* button)
    : QAccessibleWidget(button, QAccessible::PushButton) {}

Button_XP* Button_XPAccessible::button() const {
    return static_cast<Button_XP*>(widget());
}

QString Button_XPAccessible::text(QAccessible::Text t) const {
    switch (t) {
        case QAccessible::Name:
            if (!button()->accessibleName().isEmpty()) {
                return button()->accessibleName();
            }
            return AccessibleCaption(button()->Caption());
        case QAccessible::Accelerator: {
            const QString key = button()->AccessKey();
            if (key.isEmpty()) {
                return {};
            }
            const QKeySequence seq(
                QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(key.toUpper()[0].unicode())));
            return seq.toString(QKeySequence::NativeText);
        }
        default:
            return QAccessibleWidget::text(t);
    }
}

QAccessible::State Button_XPAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    const ButtonInputFlags f = button()->flags();
    s.pressed = f.Pressed;
    s.hotTracked = f.MouseOver;
    s.focused = s.focused || f.HasFocus;
    s.defaultButton = button()->Site()->Default();
    return s;
}

QStringList Button_XPAccessible::actionNames() const {
    QStringList names;
    if (button()->isEnabled()) {
        names << pressAction();
    }
    return names + QAccessibleWidget::actionNames();
}

void Button_XPAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction()) {
        if (button()->isEnabled()) {
            button()->AccessKeyPress();
        }
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

QStringList Button_XPAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == pressAction()) {
        const QString accelerator = text(QAccessible::Accelerator);
        return accelerator.isEmpty() ? QStringList() : QStringList{accelerator};
    }
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

}  // namespace corvane
