#include <QSignalSpy>
#include <QtTest>

#include <functional>

#include "tests/support/BagKeys.h"
#include "tests/support/ButtonFixture.h"

using namespace corvane;

// What of Button_XP's properties and stored set is the widget's own: Enabled, the Font
// object, QWidget's setters, the pointer's message, the ambient properties. The rest is the
// engine's (test_button_props.cpp).
class tst_ButtonProps : public QObject {
    Q_OBJECT
private slots:
    void setterEffects_data();
    void setterEffects();
    void mousePointerRange_data();
    void mousePointerRange();
    void versionIgnoresWrites();
    void fontCopiesSixAttributes();
    void fontObjectChangedDirectly();
    void fontRefusesNone();
    void disabledContainerKeepsEnabled();
    void ambientChangeRepaints();
};

namespace {

using Setter = std::function<void(Button_XP&)>;

struct SetterCase {
    const char* name;
    Setter set;
    QStringList notified;
    int repaints;
};

const QList<SetterCase>& setterCases() {
    // The other properties' setters are the engine's (test_button_props.cpp); these are the
    // widget's own.
    static const QList<SetterCase> cases = {
        {"Enabled", [](Button_XP& b) { b.setEnabled(false); }, {"Enabled"}, 1},
        {"version", [](Button_XP& b) { b.setVersion("1"); }, {}, 0},
        {"Font: a repaint per attribute, then one notification",
         [](Button_XP& b) { b.setFont(fixture::font()); },
         {"Font"},
         6},
        // QWidget's own setters, called where only a QWidget is known, set the same properties.
        {"Enabled through a QWidget pointer",
         [](Button_XP& b) { static_cast<QWidget&>(b).setEnabled(false); },
         {"Enabled"},
         1},
        {"Font through a QWidget pointer",
         [](Button_XP& b) {
             FontValue serif = fixture::font();
             serif.name = u"DejaVu Serif";
             static_cast<QWidget&>(b).setFont(QFontOf(serif));
             QCOMPARE(b.Font()->value().name, serif.name);
         },
         {"Font"},
         6},
    };
    return cases;
}

QStringList names(const QSignalSpy& spy) {
    QStringList out;
    for (const auto& args : spy) {
        out << args.at(0).toString();
    }
    return out;
}

}  // namespace

void tst_ButtonProps::setterEffects_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < setterCases().size(); ++i) {
        QTest::newRow(setterCases()[i].name) << i;
    }
}

void tst_ButtonProps::setterEffects() {
    QFETCH(int, index);
    const SetterCase& c = setterCases()[index];
    fixture::Button b;
    QSignalSpy spy(&b.site, &ControlSite::propertyChanged);
    const quint64 before = Button_XPTestAccess::refreshCount(*b);
    c.set(*b.button);
    QCOMPARE(names(spy), c.notified);
    QCOMPARE(Button_XPTestAccess::refreshCount(*b) - before, static_cast<quint64>(c.repaints));
}

void tst_ButtonProps::mousePointerRange_data() {
    QTest::addColumn<qint32>("value");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("lowest") << -32768 << true;
    QTest::newRow("highest") << 32767 << true;
    QTest::newRow("custom") << 99 << true;
    QTest::newRow("one above") << 32768 << false;
    QTest::newRow("one below") << -32769 << false;
    QTest::newRow("far above") << 2147483647 << false;
}

void tst_ButtonProps::mousePointerRange() {
    QFETCH(qint32, value);
    QFETCH(bool, accepted);
    fixture::Button b;
    b->setMousePointer(5);
    QSignalSpy spy(&b.site, &ControlSite::propertyChanged);
    QString error;
    QCOMPARE(b->setMousePointer(value, &error), accepted);
    QCOMPARE(b->MousePointer(), accepted ? value : 5);
    QCOMPARE(spy.size(), accepted ? 1 : 0);
    if (!accepted) {
        QVERIFY2(error.contains(QString::number(value)) && error.contains("MousePointer"),
                 qPrintable(error));
    }
}

void tst_ButtonProps::versionIgnoresWrites() {
    fixture::Button b;
    QCOMPARE(b->version(), QStringLiteral("030102-15"));
    b->setVersion(QStringLiteral("1.0"));
    QCOMPARE(b->version(), QStringLiteral("030102-15"));
    PropertyBag bag;
    b->WriteProperties(bag);
    QVERIFY(!bag.contains("version"));
}

void tst_ButtonProps::fontCopiesSixAttributes() {
    fixture::Button b;
    b->Font()->setCharset(2);
    b->Font()->setWeight(600);
    FontValue f;
    f.name = u"DejaVu Serif";
    f.size = 12;
    f.bold = true;
    f.italic = true;
    f.underline = true;
    f.strikethrough = true;
    f.weight = 900;
    f.charset = 161;
    StdFont given(f);
    QSignalSpy spy(&b.site, &ControlSite::propertyChanged);
    const quint64 before = Button_XPTestAccess::refreshCount(*b);
    quint64 atNotify = 0;
    connect(&b.site, &ControlSite::propertyChanged, this,
            [&](const QString&) { atNotify = Button_XPTestAccess::refreshCount(*b); });
    QVERIFY(b->setFont(&given));
    FontValue want = f;
    want.weight = 600;
    want.charset = 2;
    QCOMPARE(b->Font()->value(), want);
    QCOMPARE(Button_XPTestAccess::surfaceFont(*b), want);
    QCOMPARE(names(spy), QStringList{"Font"});
    QCOMPARE(atNotify - before, 6u);  // every copied attribute repainted before the notice
}

void tst_ButtonProps::fontObjectChangedDirectly() {
    fixture::Button b;
    QSignalSpy spy(&b.site, &ControlSite::propertyChanged);
    const quint64 before = Button_XPTestAccess::refreshCount(*b);
    b->Font()->setItalic(true);
    QVERIFY(Button_XPTestAccess::surfaceFont(*b).italic);
    QCOMPARE(Button_XPTestAccess::refreshCount(*b) - before, 1u);
    QCOMPARE(spy.size(), 0);
}

void tst_ButtonProps::fontRefusesNone() {
    fixture::Button b;
    const FontValue kept = b->Font()->value();
    QSignalSpy spy(&b.site, &ControlSite::propertyChanged);
    QString error;
    QVERIFY(!b->setFont(static_cast<const StdFont*>(nullptr), &error));
    QVERIFY(error.contains("Font"));
    QCOMPARE(b->Font()->value(), kept);
    QCOMPARE(spy.size(), 0);
}

// A disabled container greys the button but is not the button's own setting: saving then
// must not store the button as disabled for good.
void tst_ButtonProps::disabledContainerKeepsEnabled() {
    fixture::Button b;
    b.container.setEnabled(false);
    QVERIFY(!b->isEnabled());
    QVERIFY(b->Enabled());
    PropertyBag bag;
    b->WriteProperties(bag);
    QVERIFY(!BagKeys(bag).contains("enabled"));

    b->setEnabled(false);
    b.container.setEnabled(true);
    QVERIFY(!b->isEnabled());
    QVERIFY(!b->Enabled());
    PropertyBag own;
    b->WriteProperties(own);
    QCOMPARE(own.readAs<bool>("Enabled", true), false);
}

void tst_ButtonProps::ambientChangeRepaints() {
    fixture::Button b;
    const quint64 before = Button_XPTestAccess::refreshCount(*b);
    b.site.setUserMode(false);
    QCOMPARE(Button_XPTestAccess::refreshCount(*b) - before, 1u);
}

QTEST_MAIN(tst_ButtonProps)
#include "tests/support/Button_XPTestAccess.h"
#include "tst_button_props.moc"
