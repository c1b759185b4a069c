// What a screen reader learns of Button_XP through Qt's accessibility interfaces.
#include <QAccessible>
#include <QtTest>

#include "controls/button/qt/Button_XPAccessible.h"
#include "tests/support/ButtonFixture.h"

using namespace corvane;

class tst_A11yButton : public QObject {
    Q_OBJECT
private slots:
    void nameIsTheCaptionAsShown_data();
    void nameIsTheCaptionAsShown();
    void hostNameWins();
    void state_data();
    void state();
    void pressActionClicks();
    void disabledOffersNoPress();
};

void tst_A11yButton::nameIsTheCaptionAsShown_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accelerator");
    QTest::newRow("plain") << "Save"
                           << "Save"
                           << "";
    QTest::newRow("access key") << "&Save"
                                << "Save"
                                << "Alt+S";
    QTest::newRow("key inside") << "Sa&ve"
                                << "Save"
                                << "Alt+V";
    QTest::newRow("doubled") << "Save && Exit"
                             << "Save & Exit"
                             << "";
    QTest::newRow("doubled then key") << "&&x&y"
                                      << "&xy"
                                      << "Alt+Y";
    QTest::newRow("trailing marker") << "Save&"
                                     << "Save"
                                     << "";
    QTest::newRow("only markers") << "&&&&"
                                  << "&&"
                                  << "";
    QTest::newRow("two lines") << "Save\r\nall"
                               << "Save all"
                               << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void tst_A11yButton::nameIsTheCaptionAsShown() {
    QFETCH(QString, caption);
    QFETCH(QString, name);
    QFETCH(QString, accelerator);
    fixture::Button b;
    b->setCaption(caption);
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(b.button.get());
    QVERIFY(i);
    QCOMPARE(i->role(), QAccessible::PushButton);
    QCOMPARE(i->text(QAccessible::Name), name);
    QCOMPARE(i->text(QAccessible::Accelerator), accelerator);
    const QStringList bindings =
        i->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(bindings, accelerator.isEmpty() ? QStringList() : QStringList{accelerator});
}

void tst_A11yButton::hostNameWins() {
    fixture::Button b;
    b->setCaption(QStringLiteral("&OK"));
    b->setAccessibleName(QStringLiteral("Confirm"));
    b->setAccessibleDescription(QStringLiteral("Keeps the changes"));
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(b.button.get());
    QCOMPARE(i->text(QAccessible::Name), QStringLiteral("Confirm"));
    QCOMPARE(i->text(QAccessible::Description), QStringLiteral("Keeps the changes"));
}

void tst_A11yButton::state_data() {
    QTest::addColumn<bool>("focus");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<bool>("over");
    QTest::addColumn<bool>("isDefault");
    QTest::newRow("normal") << false << false << false << false;
    QTest::newRow("hot") << false << false << true << false;
    QTest::newRow("pressed") << true << true << true << false;
    QTest::newRow("held outside") << true << true << false << false;
    QTest::newRow("focused default") << true << false << false << true;
}

void tst_A11yButton::state() {
    QFETCH(bool, focus);
    QFETCH(bool, pressed);
    QFETCH(bool, over);
    QFETCH(bool, isDefault);
    fixture::Button b;
    b.site.setDefault(isDefault);
    b.flags(focus, pressed, over);
    const QAccessible::State s = QAccessible::queryAccessibleInterface(b.button.get())->state();
    QCOMPARE(bool(s.focused), focus);
    QCOMPARE(bool(s.pressed), pressed);
    QCOMPARE(bool(s.hotTracked), over);
    QCOMPARE(bool(s.defaultButton), isDefault);
    QVERIFY(!s.disabled);
}

void tst_A11yButton::pressActionClicks() {
    fixture::Button b;
    b->setCaption(QStringLiteral("&Save"));
    QSignalSpy clicks(b.button.get(), &Button_XP::Click);
    QAccessibleActionInterface* a =
        QAccessible::queryAccessibleInterface(b.button.get())->actionInterface();
    QVERIFY(a);
    QCOMPARE(a->actionNames().value(0), QAccessibleActionInterface::pressAction());
    a->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.count(), 1);
    // As the access key: no pressed look is left behind.
    QVERIFY(!b->flags().Pressed);
}

void tst_A11yButton::disabledOffersNoPress() {
    fixture::Button b;
    b->setEnabled(false);
    QSignalSpy clicks(b.button.get(), &Button_XP::Click);
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(b.button.get());
    QVERIFY(i->state().disabled);
    QVERIFY(
        !i->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.count(), 0);
}

QTEST_MAIN(tst_A11yButton)
#include "tst_a11y_button.moc"
