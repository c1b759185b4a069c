// Every field of the main window has a name and a description a screen reader can announce.
#include <QAccessible>
#include <QtTest>

#include <functional>

#include "controls/button/qt/Button_XP.h"
#include "controls/updown/qt/ucUpDownBox.h"
#include "ui/ColourButton.h"
#include "ui/frmMain.h"

using namespace corvane;

using Pick = std::function<QWidget*(frmMain&)>;
Q_DECLARE_METATYPE(Pick)

class tst_A11yWindow : public QObject {
    Q_OBJECT
private slots:
    void fieldNames_data();
    void fieldNames();
    void everyFocusStopIsNamed();
};

void tst_A11yWindow::fieldNames_data() {
    QTest::addColumn<Pick>("pick");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QAccessible::Role>("role");
    for (int slot = 0; slot < 4; ++slot) {
        const QString team = QStringLiteral("Team %1").arg(slot + 1);
        QTest::addRow("txt(%d)", slot) << Pick([slot](frmMain& w) { return w.txt[slot]; })
                                       << team + " ID" << QAccessible::EditableText;
        QTest::addRow("Combo%d", slot + 1) << Pick([slot](frmMain& w) { return w.Combos[slot]; })
                                           << team + " club" << QAccessible::ComboBox;
    }
    const char* const components[3] = {"red", "green", "blue"};
    for (int i = 0; i < 3; ++i) {
        QTest::addRow("C(%d)", i) << Pick([i](frmMain& w) { return w.C[i]; })
                                  << QStringLiteral("Loading icon %1").arg(components[i])
                                  << QAccessible::EditableText;
        QTest::addRow("C(%d)", 10 + i)
            << Pick([i](frmMain& w) { return w.C[10 + i]; })
            << QStringLiteral("Font colour %1").arg(components[i]) << QAccessible::EditableText;
    }
    QTest::newRow("Up") << Pick([](frmMain& w) { return w.Up; }) << "Loading icon transparency"
                        << QAccessible::SpinBox;
    QTest::newRow("Up field") << Pick([](frmMain& w) { return w.Up->txtValue(); })
                              << "Loading icon transparency" << QAccessible::EditableText;
    QTest::newRow("Up4") << Pick([](frmMain& w) { return w.Up4; }) << "Font colour transparency"
                         << QAccessible::SpinBox;
    QTest::newRow("cmd_Color") << Pick([](frmMain& w) { return w.cmd_Color; })
                               << "Loading icon colour" << QAccessible::Button;
    QTest::newRow("cmd_Color4") << Pick([](frmMain& w) { return w.cmd_Color4; }) << "Font colour"
                                << QAccessible::Button;
    QTest::newRow("Result") << Pick([](frmMain& w) { return w.Result; })
                            << "Loading icon colour hex" << QAccessible::EditableText;
    QTest::newRow("Result4") << Pick([](frmMain& w) { return w.Result4; }) << "Font colour hex"
                             << QAccessible::EditableText;
    // Named by its caption.
    QTest::newRow("cmd_Save") << Pick([](frmMain& w) { return w.cmd_Save; }) << "Save"
                              << QAccessible::Button;
}

void tst_A11yWindow::fieldNames() {
    QFETCH(Pick, pick);
    QFETCH(QString, name);
    QFETCH(QAccessible::Role, role);
    frmMain w;
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(pick(w));
    QVERIFY(i);
    QCOMPARE(i->text(QAccessible::Name), name);
    QVERIFY(!i->text(QAccessible::Description).isEmpty());
    QCOMPARE(i->role(), role);
}

// Whatever the Tab key can reach, on either page, a reader can name. A control added later
// without a name fails here.
void tst_A11yWindow::everyFocusStopIsNamed() {
    frmMain w;
    w.TabControl1->setEnabled(true);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    int checked = 0;
    for (int page = 0; page < w.TabControl1->count(); ++page) {
        w.TabControl1->setCurrentIndex(page);
        for (QWidget* c : w.findChildren<QWidget*>()) {
            if (!c->isVisible() || !(c->focusPolicy() & Qt::TabFocus) || c->focusProxy()) {
                continue;
            }
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(c);
            QVERIFY(i);
            QVERIFY2(!i->text(QAccessible::Name).trimmed().isEmpty(),
                     qPrintable(QStringLiteral("%1 (%2) has no name")
                                    .arg(c->objectName(), c->metaObject()->className())));
            ++checked;
        }
    }
    QVERIFY(checked >= 23);
}

QTEST_MAIN(tst_A11yWindow)
#include "tst_a11y_window.moc"
