// What a screen reader learns of the up-down box through Qt's accessibility interfaces.
#include <QAccessible>
#include <QScrollBar>
#include <QtTest>

#include <vector>

#include "controls/updown/qt/UpDownField.h"
#include "controls/updown/qt/ucUpDownBox.h"
#include "controls/updown/qt/ucUpDownBoxAccessible.h"

using namespace corvane;

namespace {

// Value-change events, in the order they were sent.
std::vector<QVariant> g_values;
void RecordUpdate(QAccessibleEvent* event) {
    if (event->type() == QAccessible::ValueChanged) {
        g_values.push_back(static_cast<QAccessibleValueChangeEvent*>(event)->value());
    }
}

struct Host {
    QWidget window;
    ControlSite site;
    ucUpDownBox* box;

    Host(int min, int max, int value) {
        box = new ucUpDownBox(&site, &window);
        box->InitProperties();
        box->setMin(min);
        box->setMax(max);
        box->setValue(value);
        box->setGeometry(10, 10, 200, 21);
        window.resize(240, 60);
        window.show();
        g_values.clear();
    }
    QAccessibleInterface* iface() const { return QAccessible::queryAccessibleInterface(box); }
    QAccessibleValueInterface* value() const { return iface()->valueInterface(); }
};

}  // namespace

class tst_A11yUpDown : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void roleAndName();
    void valueAndBounds_data();
    void valueAndBounds();
    void setCurrentValueClamps_data();
    void setCurrentValueClamps();
    void valueEventsFollowValue();
    void actionsStepLikeTheArrows();
    void state();
};

void tst_A11yUpDown::initTestCase() {
    SetUpDownEventObserver(RecordUpdate);
}

void tst_A11yUpDown::cleanupTestCase() {
    SetUpDownEventObserver(nullptr);
}

void tst_A11yUpDown::roleAndName() {
    Host h(0, 255, 0);
    SetUpDownAccessibleText(h.box, QStringLiteral("Font colour transparency"),
                            QStringLiteral("0 to 255"));
    QAccessibleInterface* i = h.iface();
    QVERIFY(i);
    QCOMPARE(i->role(), QAccessible::SpinBox);
    QCOMPARE(i->text(QAccessible::Name), QStringLiteral("Font colour transparency"));
    QCOMPARE(i->text(QAccessible::Description), QStringLiteral("0 to 255"));
    // The field takes the focus, so a reader announces it: it carries the same name.
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(h.box->txtValue());
    QCOMPARE(field->text(QAccessible::Name), QStringLiteral("Font colour transparency"));
    QCOMPARE(field->text(QAccessible::Description), QStringLiteral("0 to 255"));
}

void tst_A11yUpDown::valueAndBounds_data() {
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value");
    QTest::newRow("within") << 0 << 255 << "200" << 200;
    QTest::newRow("negative bounds") << -32768 << 32767 << "-32768" << -32768;
    // A number beyond Max stays in the field, but Value (and so the reader) keeps the old one.
    QTest::newRow("refused text") << 0 << 255 << "300" << 30;
    QTest::newRow("no number") << 0 << 255 << "-" << 0;
}

void tst_A11yUpDown::valueAndBounds() {
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(QString, typed);
    QFETCH(int, value);
    Host h(min, max, min);
    h.box->txtValue()->setFocus();
    h.box->txtValue()->selectAll();
    QTest::keyClicks(h.box->txtValue(), typed);
    QAccessibleValueInterface* v = h.value();
    QVERIFY(v);
    QCOMPARE(v->currentValue().toInt(), value);
    QCOMPARE(v->minimumValue().toInt(), min);
    QCOMPARE(v->maximumValue().toInt(), max);
    QCOMPARE(v->minimumStepSize().toInt(), 1);
    QCOMPARE(h.iface()->text(QAccessible::Value), QString::number(value));
}

void tst_A11yUpDown::setCurrentValueClamps_data() {
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<int>("value");
    QTest::newRow("inside") << QVariant(17) << 17;
    QTest::newRow("above") << QVariant(1000) << 255;
    QTest::newRow("below") << QVariant(-1) << 0;
    QTest::newRow("text number") << QVariant(QStringLiteral("42")) << 42;
    QTest::newRow("not a number") << QVariant(QStringLiteral("x")) << 5;
}

void tst_A11yUpDown::setCurrentValueClamps() {
    QFETCH(QVariant, written);
    QFETCH(int, value);
    Host h(0, 255, 5);
    h.value()->setCurrentValue(written);
    QCOMPARE(h.box->Value(), value);
    QCOMPARE(h.box->txtValue()->text(), QString::number(value));
}

void tst_A11yUpDown::valueEventsFollowValue() {
    Host h(0, 255, 250);
    QSignalSpy changes(h.box, &ucUpDownBox::Change);
    h.box->txtValue()->setFocus();
    h.box->txtValue()->selectAll();
    QTest::keyClicks(h.box->txtValue(), QStringLiteral("12"));   // 1, then 12
    QTest::keyClick(h.box->txtValue(), Qt::Key_Backspace);       // 1
    QTest::keyClicks(h.box->txtValue(), QStringLiteral("999"));  // 19, 199, then 1999 refused
    QCOMPARE(h.box->txtValue()->text(), QStringLiteral("1999"));
    std::vector<int> typed;
    for (const QVariant& v : g_values) {
        typed.push_back(v.toInt());
    }
    QCOMPARE(typed, (std::vector<int>{1, 12, 1, 19, 199}));

    // At Max an arrow step still raises Change, but Value stays: no event.
    g_values.clear();
    h.box->setValue(255);
    QCOMPARE(g_values.size(), size_t(1));
    changes.clear();
    h.iface()->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    QCOMPARE(changes.count(), 1);
    QCOMPARE(g_values.size(), size_t(1));
    h.iface()->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    QCOMPARE(g_values.size(), size_t(2));
    QCOMPARE(g_values.back().toInt(), 254);
}

void tst_A11yUpDown::actionsStepLikeTheArrows() {
    Host h(0, 10, 5);
    QAccessibleActionInterface* a = h.iface()->actionInterface();
    QVERIFY(a);
    QVERIFY(a->actionNames().contains(QAccessibleActionInterface::increaseAction()));
    QVERIFY(a->actionNames().contains(QAccessibleActionInterface::decreaseAction()));
    QSignalSpy changes(h.box, &ucUpDownBox::Change);
    a->doAction(QAccessibleActionInterface::increaseAction());
    QCOMPARE(h.box->Value(), 6);
    a->doAction(QAccessibleActionInterface::decreaseAction());
    a->doAction(QAccessibleActionInterface::decreaseAction());
    QCOMPARE(h.box->Value(), 4);
    QCOMPARE(changes.count(), 3);
    QCOMPARE(h.box->ucBar()->value(), 0);  // the arrows rest in the middle again

    h.box->setEnabled(false);
    QVERIFY(!a->actionNames().contains(QAccessibleActionInterface::increaseAction()));
    a->doAction(QAccessibleActionInterface::increaseAction());
    QCOMPARE(h.box->Value(), 4);
}

void tst_A11yUpDown::state() {
    Host h(0, 255, 0);
    QVERIFY(h.iface()->state().focusable);
    h.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.window));
    h.box->txtValue()->setFocus();
    QTRY_VERIFY(h.box->txtValue()->hasFocus());
    QVERIFY(h.iface()->state().focused);
    h.box->setEnabled(false);
    QVERIFY(h.iface()->state().disabled);
    QVERIFY(!h.iface()->state().focused);
}

QTEST_MAIN(tst_A11yUpDown)
#include "tst_a11y_updown.moc"
