// frmMain as it opens: frame, menu, controls, places on the screen and the focus order.

#include <QFile>
#include <QTest>

#include "controls/host/PropertyBag.h"
#include "controls/host/qt/QtPicture.h"
#include "tests/support/BagKeys.h"
#include "tests/support/DemoFileFixture.h"
#include "tests/support/WindowDriver.h"

using namespace corvane;
using corvane::test::WindowDriver;

namespace {

// The widget a focus lands in, named by the control it belongs to.
QString ControlName(const frmMain& w, QWidget* focus) {
    const QList<std::pair<QWidget*, QString>> named = {
        {w.cmd_Save, "cmd_Save"},
        {w.TabControl1->tabBar(), "TabControl1"},
        {w.Combos[0], "Combo1"},
        {w.Combos[1], "Combo2"},
        {w.Combos[2], "Combo3"},
        {w.Combos[3], "Combo4"},
        {w.txt[0], "txt(0)"},
        {w.txt[1], "txt(1)"},
        {w.txt[2], "txt(2)"},
        {w.txt[3], "txt(3)"},
        {w.C[0], "C(0)"},
        {w.C[1], "C(1)"},
        {w.C[2], "C(2)"},
        {w.C[10], "C(10)"},
        {w.C[11], "C(11)"},
        {w.C[12], "C(12)"},
        {w.cmd_Color, "cmd_Color"},
        {w.cmd_Color4, "cmd_Color4"},
        {w.Result, "Result"},
        {w.Result4, "Result4"},
        {w.Up, "Up"},
        {w.Up4, "Up4"},
    };
    for (QWidget* p = focus; p; p = p->parentWidget()) {
        for (const auto& [widget, name] : named) {
            if (widget == p) {
                return name;
            }
        }
    }
    return focus ? focus->metaObject()->className() : QStringLiteral("(none)");
}

}  // namespace

class tst_ui_window : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::UseFixedLook(); }

    void frameAndMenu() {
        WindowDriver d;
        frmMain& w = *d.w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Corvane"));
        QCOMPARE(w.client->size(), QSize(497, 297));
        QCOMPARE(w.client->mapTo(&w, QPoint(0, w.client->height())).y(), w.height());
        QCOMPARE(w.minimumSize(), w.maximumSize());
        const Qt::WindowFlags flags = w.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w.windowIcon().availableSizes(),
                 QList<QSize>({QSize(16, 16), QSize(32, 32), QSize(48, 48)}));

        QCOMPARE(w.menuBar()->actions().size(), 1);
        QCOMPARE(w.Menu->title(), QStringLiteral("Menu"));
        const QList<QAction*> items = w.Menu->actions();
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0]->text(), QStringLiteral("Open"));
        QVERIFY(items[1]->isSeparator());
        QCOMPARE(items[2]->text(), QStringLiteral("Save"));
        QVERIFY(items[0]->isEnabled());
        QVERIFY(!items[2]->isEnabled());
        for (QAction* a : items) {
            QVERIFY(a->shortcut().isEmpty());
        }
    }

    void initialState() {
        WindowDriver d;
        frmMain& w = *d.w;
        QVERIFY(!w.TabControl1->isEnabled());
        QCOMPARE(w.TabControl1->count(), 2);
        QCOMPARE(w.TabControl1->tabText(0), QStringLiteral("Team Manager"));
        QCOMPARE(w.TabControl1->tabText(1), QStringLiteral("Pes Color Manager"));
        QCOMPARE(w.TabControl1->currentIndex(), 0);
        QVERIFY(!w.cmd_Save->isEnabled());
        QCOMPARE(w.cmd_Save->Caption(), QStringLiteral("Save"));
        QCOMPARE(w.cmd_Save->ButtonStyle(), 3);
        QCOMPARE(w.cmd_Save->MousePointer(), 99);
        QCOMPARE(w.FileName(), QString());

        QCOMPARE(w.GroupBox5->title(), QStringLiteral("Exhibition"));
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(w.TeamGroups[i]->title(), QString::number(i + 1));
            QCOMPARE(w.txt[i]->Text(), QString());
            QCOMPARE(w.Combos[i]->Text(), QString());
            QCOMPARE(w.Combos[i]->count(), 0);
        }
        QCOMPARE(w.GroupBox7->title(), QStringLiteral("Loading Icon (Exhibition)"));
        QCOMPARE(w.GroupBox9->title(), QStringLiteral("Pes Fonts Color"));
        QCOMPARE(w.GroupBox8->title(), QStringLiteral("TRANSPARENT"));
        QCOMPARE(w.GroupBox10->title(), QStringLiteral("TRANSPARENT"));
        for (int i = 0; i < 13; ++i) {
            QCOMPARE(w.C[i] != nullptr, i <= 2 || i >= 10);
            if (w.C[i]) {
                QCOMPARE(w.C[i]->Text(), QString());
            }
        }
        QCOMPARE(w.Result->Text(), QString());
        QCOMPARE(w.Result4->Text(), QString());
        for (ucUpDownBox* box : {w.Up, w.Up4}) {
            QCOMPARE(box->Value(), 0);
            QCOMPARE(box->Min(), 0);
            QCOMPARE(box->Max(), 255);
            QCOMPARE(QString::fromStdU16String(box->Font().name), QStringLiteral("MS Sans Serif"));
            QCOMPARE(box->Font().charset, 238);
        }
        for (ColourButton* b : {w.cmd_Color, w.cmd_Color4}) {
            QCOMPARE(b->BackColor(), 0x8000000Fu);
            QCOMPARE(b->text(), QString());
        }
        QCOMPARE(w.Image1->Picture().size(), QSize(265, 184));
        // Stretched to the control, in colour although the tab control is disabled.
        const QImage shown = w.Image1->grab().toImage();
        const QImage picture = w.Image1->Picture().toImage();
        QCOMPARE(shown.size(), QSize(209, 217));
        const auto near = [](QColor a, QColor b) {
            return qAbs(a.red() - b.red()) <= 8 && qAbs(a.green() - b.green()) <= 8 &&
                   qAbs(a.blue() - b.blue()) <= 8;
        };
        QVERIFY(near(shown.pixelColor(0, 0), picture.pixelColor(0, 0)));
        QVERIFY(near(shown.pixelColor(208, 216), picture.pixelColor(264, 183)));
    }

    // Before a file is opened only Open works: Save in the menu and the button do nothing.
    void saveDoesNothingBeforeOpen() {
        WindowDriver d;
        const QStringList before = d.Snapshot();
        d.ClickMenu(d.w->mnuSave);
        d.ClickSave();
        QCOMPARE(d.messages.shown.size(), 0);
        QCOMPARE(d.Snapshot(), before);
    }

    // Every control at its place in the layout table, on the client area, at 15 twips per
    // pixel. Heights that the controls fix themselves from their font are left out.
    void geometry_data() {
        QTest::addColumn<int>("id");
        for (const layout::Control& c : layout::kControls) {
            QTest::newRow(c.name.data()) << static_cast<int>(c.id);
        }
    }
    void geometry() {
        QFETCH(int, id);
        const layout::Control& c = layout::ControlOf(static_cast<layout::Ctl>(id));
        const layout::Twips t = layout::OnClient(c.id);
        const auto px = [](int twips) { return layout::ToPixels(twips, 96); };
        WindowDriver d;
        frmMain& w = *d.w;
        QWidget* control = w.Control(c.id);
        QVERIFY(control);
        w.TabControl1->setCurrentIndex(c.page == layout::kNoPage ? 0 : c.page);
        QTRY_VERIFY(control->isVisible());
        // On the screen, relative to the client area's top-left corner.
        const QPoint onScreen =
            control->mapToGlobal(QPoint(0, 0)) - w.client->mapToGlobal(QPoint(0, 0));
        QCOMPARE(onScreen, QPoint(px(t.left), px(t.top)));
        QCOMPARE(control->width(), px(t.width));
        if (c.kind != layout::Kind::UpDown) {
            QCOMPARE(control->height(), px(t.height));
        }
    }

    // Tab walks the designed order: the save button, the tab strip, then the selected page's
    // fields.
    void tabOrder_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Team Manager")
            << 0 << QStringList{"cmd_Save", "TabControl1", "Combo4", "txt(3)", "Combo3",  "txt(2)",
                                "Combo2",   "txt(1)",      "Combo1", "txt(0)", "cmd_Save"};
        QTest::newRow("Pes Color Manager")
            << 1 << QStringList{"cmd_Save", "TabControl1", "cmd_Color4", "Up4",       "Result4",
                                "C(12)",    "C(11)",       "C(10)",      "cmd_Color", "Up",
                                "C(2)",     "C(1)",        "C(0)",       "Result",    "cmd_Save"};
    }
    void tabOrder() {
        QFETCH(int, page);
        QFETCH(QStringList, expected);
        test::DemoFileFixture demo;
        QVERIFY(demo.isValid());
        WindowDriver d;
        d.Open(demo.path());  // enables the tab control and the save button
        d.w->TabControl1->setCurrentIndex(page);
        d.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.w.get()));
        d.w->cmd_Save->setFocus();
        QStringList walked{ControlName(*d.w, QApplication::focusWidget())};
        for (qsizetype i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << ControlName(*d.w, QApplication::focusWidget());
        }
        QCOMPARE(walked, expected);
    }

    // The stored property sets of the custom controls are part of the form.
    void storedPropertySets_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("cmd_Save") << "cmd_Save"
                                  << QStringList{"caption",          "buttonstyle",
                                                 "originalpicsizew", "originalpicsizeh",
                                                 "enabled",          "font",
                                                 "mousepointer"};
        QTest::newRow("Up") << "Up" << QStringList{"font", "max"};
        QTest::newRow("Up4") << "Up4" << QStringList{"font", "max"};
    }
    void storedPropertySets() {
        QFETCH(QString, name);
        QFETCH(QStringList, keys);
        QFile file(QStringLiteral(":/forms/%1.json").arg(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        PropertyBag bag;
        std::string error;
        QVERIFY2(bag.fromText(file.readAll().toStdString(), &error, &QtPictures()), error.c_str());
        QCOMPARE(BagKeys(bag), keys);
        const FontValue font = bag.readAs<FontValue>("Font", FontValue{});
        QCOMPARE(QString::fromStdU16String(font.name), QStringLiteral("MS Sans Serif"));
        QCOMPARE(font.size, 8.25);
        QCOMPARE(font.weight, 400);
        QCOMPARE(font.charset, 238);
    }
};

QTEST_MAIN(tst_ui_window)
#include "tst_ui_window.moc"
