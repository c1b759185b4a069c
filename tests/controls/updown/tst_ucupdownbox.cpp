// The up-down box in a small host, driven with key and mouse events.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QtTest>

#include <memory>

#include "controls/updown/qt/ucUpDownBox.h"
#include "tests/support/BagKeys.h"

using namespace corvane;

namespace {

FontValue msSansSerif() {
    FontValue f;
    f.name = u"MS Sans Serif";
    f.size = 8.25;
    f.weight = 400;
    f.charset = 238;
    return f;
}

// A window holding one box and a plain field to move the focus to.
struct Host {
    QWidget window;
    ControlSite site;
    ucUpDownBox* box;
    QLineEdit* other;
    std::unique_ptr<QSignalSpy> changes;

    explicit Host(const PropertyBag* bag = nullptr, QSize twips = {3015, 315}) {
        window.resize(400, 200);
        box = new ucUpDownBox(&site, &window);
        if (bag) {
            box->ReadProperties(*bag);
        } else {
            box->InitProperties();
        }
        box->setGeometry(10, 10, twips.width() / 15, twips.height() / 15);
        other = new QLineEdit(&window);
        other->setGeometry(10, 100, 100, 20);
        changes = std::make_unique<QSignalSpy>(box, &ucUpDownBox::Change);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    QLineEdit* field() const { return box->txtValue(); }
    int lineHeight() const { return QFontMetrics(field()->font()).height(); }
    int barWidth() const { return box->ucBar()->width(); }

    // Moves the focus into the field afresh (showing the window may have put it there).
    void focusField() {
        other->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(other->hasFocus());
        field()->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(field()->hasFocus());
    }
    void type(const QString& keys) { QTest::keyClicks(field(), keys); }
    QPoint arrowCentre(QStyle::SubControl arrow) const {
        QScrollBar* bar = box->ucBar();
        QStyleOptionSlider opt;
        opt.initFrom(bar);
        opt.subControls = QStyle::SC_All;
        opt.orientation = bar->orientation();
        opt.minimum = bar->minimum();
        opt.maximum = bar->maximum();
        opt.sliderPosition = bar->sliderPosition();
        opt.sliderValue = bar->value();
        opt.singleStep = bar->singleStep();
        opt.pageStep = bar->pageStep();
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, arrow, bar).center();
    }
};

}  // namespace

class tst_ucUpDownBox : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void typingSequence();
    void typingBelowMinAndDeleting();
    void stepsAtBounds_data();
    void stepsAtBounds();
    void arrowsStep();
    void valueWritesClamp_data();
    void valueWritesClamp();
    void boundWritesRecheckNothing();
    void rejectedKeys_data();
    void rejectedKeys();
    void contextMenuPaste_data();
    void contextMenuPaste();
    void focusSelectsAll();
    void focusOutShowsValue_data();
    void focusOutShowsValue();
    void layout_data();
    void layout();
    void fontWriteLaysOut();
    void propertyRoundTrip();
    void defaultsStoreNothing();
    void valueLoadsAgainstLoadedBounds();
    void mainWindowBoxes();
    void systemColours();
    void settersNotify();
    void disabledIgnoresInput();
    void deletedByItsOwnChange_data();
    void deletedByItsOwnChange();
};

void tst_ucUpDownBox::initTestCase() {
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
}

void tst_ucUpDownBox::typingSequence() {
    Host h;
    h.box->setMax(255);
    h.focusField();
    QCOMPARE(h.field()->selectedText(), QStringLiteral("0"));

    const QList<int> values{3, 30, 30};
    const QString keys = QStringLiteral("300");
    for (int i = 0; i < keys.size(); ++i) {
        QTest::keyClick(h.field(), keys[i].toLatin1());
        QCOMPARE(h.box->Value(), values[i]);
    }
    QCOMPARE(h.field()->text(), QStringLiteral("300"));
    QCOMPARE(h.changes->count(), 2);

    QTest::keyClick(h.field(), Qt::Key_Up);
    QCOMPARE(h.box->Value(), 31);
    QCOMPARE(h.field()->text(), QStringLiteral("31"));
    QCOMPARE(h.field()->selectedText(), QStringLiteral("31"));
    QCOMPARE(h.changes->count(), 3);
    QCOMPARE(h.box->ucBar()->value(), 0);
}

void tst_ucUpDownBox::typingBelowMinAndDeleting() {
    Host h;
    h.box->setValue(7);
    h.changes->clear();
    h.focusField();
    h.type(QStringLiteral("-5"));
    QCOMPARE(h.field()->text(), QStringLiteral("-5"));
    QCOMPARE(h.box->Value(), 0);  // "-" is no number; "-5" is below Min
    QCOMPARE(h.changes->count(), 1);

    h.type(QStringLiteral("\b\b12"));
    QCOMPARE(h.box->Value(), 12);
    QTest::keyClick(h.field(), Qt::Key_Backspace);
    QTest::keyClick(h.field(), Qt::Key_Backspace);
    QCOMPARE(h.field()->text(), QString());
    QCOMPARE(h.box->Value(), 0);
}

void tst_ucUpDownBox::stepsAtBounds_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    QTest::newRow("Up at Max") << 255 << int(Qt::Key_Up) << 255;
    QTest::newRow("Down at Min") << 0 << int(Qt::Key_Down) << 0;
    QTest::newRow("Up below Max") << 254 << int(Qt::Key_Up) << 255;
    QTest::newRow("Down above Min") << 1 << int(Qt::Key_Down) << 0;
}

void tst_ucUpDownBox::stepsAtBounds() {
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, value);

    Host h;
    h.box->setMax(255);
    h.box->setValue(start);
    h.focusField();
    h.field()->setCursorPosition(0);  // nothing selected
    // A stale text at the bound is rewritten by the step.
    h.field()->setText(QStringLiteral("0") + QString::number(start));
    h.changes->clear();

    QTest::keyClick(h.field(), Qt::Key(key));
    QCOMPARE(h.box->Value(), value);
    QCOMPARE(h.field()->text(), QString::number(value));
    QCOMPARE(h.field()->selectedText(), QString::number(value));
    QCOMPARE(h.changes->count(), 1);  // also when Value stayed
}

void tst_ucUpDownBox::arrowsStep() {
    Host h;
    h.box->setValue(5);
    h.changes->clear();
    QScrollBar* bar = h.box->ucBar();
    QCOMPARE(bar->minimum(), -1);
    QCOMPARE(bar->maximum(), 1);

    // The upper arrow steps up, the lower one down; the bar goes back to the middle.
    QTest::mouseClick(bar, Qt::LeftButton, {}, h.arrowCentre(QStyle::SC_ScrollBarSubLine));
    QCOMPARE(h.box->Value(), 6);
    QCOMPARE(bar->value(), 0);
    QTest::mouseClick(bar, Qt::LeftButton, {}, h.arrowCentre(QStyle::SC_ScrollBarAddLine));
    QTest::mouseClick(bar, Qt::LeftButton, {}, h.arrowCentre(QStyle::SC_ScrollBarAddLine));
    QCOMPARE(h.box->Value(), 4);
    QCOMPARE(h.field()->text(), QStringLiteral("4"));
    QCOMPARE(bar->value(), 0);
    QCOMPARE(h.changes->count(), 3);
}

void tst_ucUpDownBox::valueWritesClamp_data() {
    QTest::addColumn<int>("written");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("changes");
    QTest::newRow("300") << 300 << "255" << 255 << 1;
    QTest::newRow("-7") << -7 << "0" << 0 << 0;
    QTest::newRow("128") << 128 << "128" << 128 << 1;
    QTest::newRow("0") << 0 << "0" << 0 << 0;
}

void tst_ucUpDownBox::valueWritesClamp() {
    QFETCH(int, written);
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(int, changes);

    Host h;
    h.box->setMax(255);
    h.box->setValue(written);
    QCOMPARE(h.field()->text(), text);
    QCOMPARE(h.box->Value(), value);
    QCOMPARE(h.changes->count(), changes);
    // Writing it again changes nothing and raises nothing.
    h.box->setValue(written);
    QCOMPARE(h.changes->count(), changes);
}

void tst_ucUpDownBox::boundWritesRecheckNothing() {
    Host h;
    h.box->setMax(255);
    h.box->setValue(200);
    h.changes->clear();
    h.box->setMax(100);
    h.box->setMin(150);
    QCOMPARE(h.box->Value(), 200);
    QCOMPARE(h.field()->text(), QStringLiteral("200"));
    QCOMPARE(h.changes->count(), 0);

    // Above Max, Up cannot step; Down can (Value > Min).
    h.focusField();
    QTest::keyClick(h.field(), Qt::Key_Up);
    QCOMPARE(h.box->Value(), 200);
    QTest::keyClick(h.field(), Qt::Key_Down);
    QCOMPARE(h.box->Value(), 199);
    QCOMPARE(h.changes->count(), 2);
}

void tst_ucUpDownBox::rejectedKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("letter") << int(Qt::Key_A) << int(Qt::NoModifier);
    QTest::newRow("point") << int(Qt::Key_Period) << int(Qt::NoModifier);
    QTest::newRow("space") << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier);
    QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier);
    QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+K") << int(Qt::Key_K) << int(Qt::ControlModifier);
}

void tst_ucUpDownBox::rejectedKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);

    Host h;
    h.box->setValue(12);
    h.focusField();
    QApplication::clipboard()->setText(QStringLiteral("99"));
    // Once with the caret at the end, once with the whole text selected.
    for (const bool selected : {false, true}) {
        if (selected) {
            h.field()->selectAll();
        } else {
            h.field()->end(false);
        }
        h.changes->clear();
        QTest::keyClick(h.field(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(h.field()->text(), QStringLiteral("12"));
        QCOMPARE(h.box->Value(), 12);
        QCOMPARE(h.changes->count(), 0);
    }
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("99"));
}

void tst_ucUpDownBox::contextMenuPaste_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("digits") << "42"
                            << "42" << 42;
    QTest::newRow("negative, below Min") << "-3"
                                         << "-3" << 12;
    QTest::newRow("copied with a line break") << " 42\n"
                                              << "42" << 42;
    QTest::newRow("letters") << "4a2"
                             << "12" << 12;
    QTest::newRow("decimal") << "1.5"
                             << "12" << 12;
    QTest::newRow("blank") << "  "
                           << "12" << 12;
}

void tst_ucUpDownBox::contextMenuPaste() {
    QFETCH(QString, clipboard);
    QFETCH(QString, text);
    QFETCH(int, value);

    Host h;
    h.box->setValue(12);
    h.focusField();
    h.field()->selectAll();
    QApplication::clipboard()->setText(clipboard);

    std::unique_ptr<QMenu> menu(h.box->txtValue()->createContextMenu());
    QAction* paste = nullptr;
    for (QAction* a : menu->actions()) {
        if (a->text().startsWith(QStringLiteral("&Paste"))) {
            paste = a;
        }
    }
    QVERIFY(paste);
    paste->trigger();
    QCOMPARE(h.field()->text(), text);
    QCOMPARE(h.box->Value(), value);
}

void tst_ucUpDownBox::focusSelectsAll() {
    Host h;
    h.box->setValue(42);
    h.other->setFocus();
    QTRY_VERIFY(h.other->hasFocus());

    // By the keyboard.
    h.focusField();
    QCOMPARE(h.field()->selectedText(), QStringLiteral("42"));

    // By a click into the field, which would otherwise place the caret.
    h.other->setFocus();
    QTRY_VERIFY(h.other->hasFocus());
    QTest::mouseClick(h.field(), Qt::LeftButton, {}, QPoint(3, h.field()->height() / 2));
    QVERIFY(h.field()->hasFocus());
    QCOMPARE(h.field()->selectedText(), QStringLiteral("42"));

    // A further click into the focused field places the caret as usual.
    QTest::mouseClick(h.field(), Qt::LeftButton, {}, QPoint(3, h.field()->height() / 2));
    QCOMPARE(h.field()->selectedText(), QString());

    // A popup (the context menu) taking the focus and giving it back keeps the caret.
    h.field()->setCursorPosition(1);
    QMenu menu;
    menu.addAction(QStringLiteral("item"));
    menu.popup(h.field()->mapToGlobal(QPoint(2, 2)));
    QTRY_VERIFY(menu.isVisible());
    menu.close();
    QTRY_VERIFY(h.field()->hasFocus());
    QCOMPARE(h.field()->selectedText(), QString());
    QCOMPARE(h.field()->cursorPosition(), 1);
}

void tst_ucUpDownBox::focusOutShowsValue_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("value");
    QTest::newRow("beyond Max") << "300"
                                << "30" << 30;
    QTest::newRow("below Min") << "-5"
                               << "0" << 0;
    QTest::newRow("lone minus") << "-"
                                << "0" << 0;
    QTest::newRow("leading zeros") << "007"
                                   << "7" << 7;
    QTest::newRow("accepted") << "255"
                              << "255" << 255;
}

void tst_ucUpDownBox::focusOutShowsValue() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, value);

    Host h;
    h.box->setMax(255);
    h.focusField();
    h.type(typed);
    QCOMPARE(h.field()->text(), typed);
    const qsizetype changes = h.changes->count();

    h.other->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(h.other->hasFocus());
    QCOMPARE(h.field()->text(), shown);
    QCOMPARE(h.box->Value(), value);
    QCOMPARE(h.changes->count(), changes);  // the number did not change
}

void tst_ucUpDownBox::layout_data() {
    QTest::addColumn<int>("borderStyle");
    QTest::addColumn<QSize>("requested");  // pixels
    QTest::addColumn<bool>("widened");

    QTest::newRow("too narrow") << 1 << QSize(20, 21) << true;
    QTest::newRow("no width") << 1 << QSize(0, 0) << true;
    QTest::newRow("too narrow, no border") << 0 << QSize(5, 21) << true;
    QTest::newRow("wide, tall") << 1 << QSize(201, 300) << false;
    QTest::newRow("wide, flat") << 1 << QSize(201, 3) << false;
    QTest::newRow("wide, no border") << 0 << QSize(150, 40) << false;
}

void tst_ucUpDownBox::layout() {
    QFETCH(int, borderStyle);
    QFETCH(QSize, requested);
    QFETCH(bool, widened);

    Host h;
    h.box->setBorderStyle(borderStyle);
    h.box->resize(requested);
    QCoreApplication::processEvents();

    const int frame = borderStyle == 1 ? 1 : 0;
    const int b = h.barWidth();
    QCOMPARE(b, h.box->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    const int w = widened ? 2 * b : requested.width() - 2 * frame;
    const int hgt = h.lineHeight() + 4;
    QCOMPARE(h.box->size(), QSize(w + 2 * frame, hgt + 2 * frame));

    // Places in the box's own pixels: the inner area starts after the frame.
    const QRect field(h.field()->mapTo(h.box, QPoint(0, 0)), h.field()->size());
    const QRect bar(h.box->ucBar()->mapTo(h.box, QPoint(0, 0)), h.box->ucBar()->size());
    QCOMPARE(field, QRect(frame + 1, frame + 1, w - b - 1, hgt));
    QCOMPARE(bar, QRect(frame + w - b, frame, b, hgt));
    // The field's bottom row lies outside the inner area, which clips it.
    QCOMPARE(h.field()->parentWidget()->geometry(), QRect(frame, frame, w, hgt));

    // Asking again for the size it took changes nothing.
    const QSize settled = h.box->size();
    h.box->resize(settled);
    QCOMPARE(h.box->size(), settled);
    QCOMPARE(QRect(h.box->ucBar()->mapTo(h.box, QPoint(0, 0)), h.box->ucBar()->size()), bar);
}

void tst_ucUpDownBox::fontWriteLaysOut() {
    Host h;
    FontValue big = msSansSerif();
    big.size = 20;
    h.box->setFont(big);
    QCOMPARE(h.box->Font(), big);
    QCOMPARE(h.box->height(), h.lineHeight() + 4 + 2);
    QVERIFY(h.lineHeight() > 20);
    QCOMPARE(h.field()->height(), h.lineHeight() + 4);
    // A layout asks for what the box would make of itself anyway.
    QCOMPARE(h.box->sizeHint().height(), h.box->height());
    QCOMPARE(h.box->minimumSizeHint(), QSize(2 * h.barWidth() + 2, h.box->height()));
}

void tst_ucUpDownBox::propertyRoundTrip() {
    FontValue bold = msSansSerif();
    bold.bold = true;
    bold.weight = 700;

    PropertyBag saved;
    {
        Host h;
        h.box->setAlignment(1);
        h.box->setBackColor(0x000000FFu);
        h.box->setBorderStyle(0);
        h.box->setForeColor(0x0000FF00u);
        h.box->setFont(bold);
        h.box->setMin(-5);
        h.box->setMax(255);
        h.box->setValue(17);
        h.box->setEnabled(false);
        h.box->WriteProperties(saved);
    }
    QCOMPARE(BagKeys(saved), (QStringList{"alignment", "backcolor", "borderstyle", "forecolor",
                                          "enabled", "font", "min", "max", "value"}));

    PropertyBag loaded;
    std::string error;
    QVERIFY2(loaded.fromText(saved.toText(), &error), error.c_str());

    Host h(&loaded);
    QCOMPARE(h.box->Alignment(), 1);
    QVERIFY(h.field()->alignment() & Qt::AlignRight);
    QCOMPARE(h.box->BackColor(), 0x000000FFu);
    QCOMPARE(h.box->BorderStyle(), 0);
    QCOMPARE(h.box->ForeColor(), 0x0000FF00u);
    QCOMPARE(h.box->Enabled(), false);
    QVERIFY(!h.field()->isEnabled());
    QCOMPARE(h.box->Font(), bold);
    QCOMPARE(h.box->Min(), -5);
    QCOMPARE(h.box->Max(), 255);
    QCOMPARE(h.box->Value(), 17);
    QCOMPARE(h.field()->text(), QStringLiteral("17"));

    PropertyBag again;
    h.box->WriteProperties(again);
    QCOMPARE(again.toText(), saved.toText());
}

void tst_ucUpDownBox::defaultsStoreNothing() {
    Host h;
    QCOMPARE(h.field()->text(), QStringLiteral("0"));
    QCOMPARE(h.box->Min(), 0);
    QCOMPARE(h.box->Max(), 100);
    QCOMPARE(h.box->BorderStyle(), 1);
    QCOMPARE(h.box->BackColor(), 0x80000005u);
    QCOMPARE(h.box->ForeColor(), 0x80000008u);
    QCOMPARE(h.box->Font(), h.site.AmbientFont());
    PropertyBag bag;
    bag.write("Stale", 1, 0);
    h.box->WriteProperties(bag);
    QCOMPARE(BagKeys(bag), QStringList{"stale"});

    // Back at its defaults after a change, nothing of it is stored either.
    PropertyBag bag2;
    h.box->setValue(9);
    h.box->WriteProperties(bag2);
    QCOMPARE(BagKeys(bag2), QStringList{"value"});
    h.box->setValue(0);
    h.box->WriteProperties(bag2);
    QVERIFY(bag2.isEmpty());
}

void tst_ucUpDownBox::valueLoadsAgainstLoadedBounds() {
    PropertyBag bag;
    bag.write("Min", 10, 0);
    bag.write("Max", 20, 100);
    bag.write("Value", 15, 0);
    Host inside(&bag);
    QCOMPARE(inside.box->Value(), 15);

    // A stored value outside the bounds is shown as stored but not taken.
    bag.write("Value", 90, 0);
    Host outside(&bag);
    QCOMPARE(outside.field()->text(), QStringLiteral("90"));
    QCOMPARE(outside.box->Value(), 0);
}

void tst_ucUpDownBox::mainWindowBoxes() {
    // As the main window stores Up and Up4: only Max and the font.
    PropertyBag bag;
    bag.write("Max", 255, 100);
    bag.write("Font", msSansSerif(), FontValue{});
    PropertyBag text;
    QVERIFY(text.fromText(bag.toText()));

    Host h(&text, QSize(3015, 315));
    QCOMPARE(h.field()->text(), QStringLiteral("0"));
    QCOMPARE(h.box->Value(), 0);
    QCOMPARE(h.box->Min(), 0);
    QCOMPARE(h.box->Max(), 255);
    QCOMPARE(h.box->Font().charset, 238);
    QCOMPARE(h.box->Font().size, 8.25);
    QCOMPARE(h.box->width(), 201);
    QCOMPARE(h.box->height(), h.lineHeight() + 4 + 2);

    h.focusField();
    h.type(QStringLiteral("255"));
    QTest::keyClick(h.field(), Qt::Key_Up);
    QCOMPARE(h.box->Value(), 255);
    QTest::keyClick(h.field(), Qt::Key_Down);
    QCOMPARE(h.box->Value(), 254);

    PropertyBag out;
    h.box->setValue(0);
    h.box->WriteProperties(out);
    QCOMPARE(BagKeys(out), (QStringList{"font", "max"}));
}

void tst_ucUpDownBox::systemColours() {
    Host h;
    QPalette p = h.window.palette();
    p.setColor(QPalette::Base, QColor(0x10, 0x20, 0x30));
    p.setColor(QPalette::Text, QColor(0x40, 0x50, 0x60));
    p.setColor(QPalette::Shadow, QColor(0x70, 0x80, 0x90));
    h.window.setPalette(p);

    // The defaults name the window background and text: they follow the host's scheme.
    QCOMPARE(h.field()->palette().color(QPalette::Base), QColor(0x10, 0x20, 0x30));
    QCOMPARE(h.field()->palette().color(QPalette::Active, QPalette::Text),
             QColor(0x40, 0x50, 0x60));
    QImage img = h.box->grab().toImage();
    QCOMPARE(QColor(img.pixel(0, 0)), QColor(0x70, 0x80, 0x90));  // the frame
    QCOMPARE(QColor(img.pixel(1, 1)), QColor(0x10, 0x20, 0x30));  // inner margin left of the field
    QCOMPARE(QColor(img.pixel(img.width() - 1, img.height() - 1)), QColor(0x70, 0x80, 0x90));

    // A plain colour value is 0x00BBGGRR.
    h.box->setBackColor(0x00C08040u);
    img = h.box->grab().toImage();
    QCOMPARE(QColor(img.pixel(1, 1)), QColor(0x40, 0x80, 0xC0));
    QCOMPARE(QColor(img.pixel(2, 2)), QColor(0x40, 0x80, 0xC0));  // the field's own background
}

namespace {
QStringList names(const QSignalSpy& spy) {
    QStringList out;
    for (const auto& args : spy) {
        out << args.at(0).toString();
    }
    return out;
}
}  // namespace

void tst_ucUpDownBox::settersNotify() {
    Host h;
    QSignalSpy spy(&h.site, &ControlSite::propertyChanged);
    h.box->setAlignment(2);
    h.box->setBackColor(1);
    h.box->setBorderStyle(0);
    h.box->setEnabled(true);
    h.box->setFont(msSansSerif());
    h.box->setForeColor(2);
    h.box->setMax(50);
    h.box->setMin(1);
    h.box->setValue(3);
    QCOMPARE(names(spy), (QStringList{"Alignment", "BackColor", "BorderStyle", "Enabled", "Font",
                                      "ForeColor", "Max", "Min", "Value"}));

    // QWidget's own setters, called where only a QWidget is known, set the same properties.
    spy.clear();
    QWidget* widget = h.box;
    widget->setEnabled(false);
    QVERIFY(!h.box->Enabled());
    QVERIFY(!h.field()->isEnabled());
    widget->setEnabled(true);
    QVERIFY(h.box->Enabled());
    QVERIFY(h.field()->isEnabled());
    widget->setFont(QFont(QStringLiteral("DejaVu Serif"), 12));
    QCOMPARE(QString::fromStdU16String(h.box->Font().name), QStringLiteral("DejaVu Serif"));
    QCOMPARE(h.box->Font().size, 12.0);
    QCOMPARE(h.field()->font().family(), QStringLiteral("DejaVu Serif"));
    // A container greying the box leaves its own setting alone.
    h.window.setEnabled(false);
    QVERIFY(h.box->Enabled());
    h.window.setEnabled(true);
    QCOMPARE(names(spy), (QStringList{"Enabled", "Enabled", "Font"}));

    // Values outside an enumeration are refused and change nothing.
    spy.clear();
    h.box->setAlignment(3);
    h.box->setBorderStyle(-1);
    QCOMPARE(h.box->Alignment(), 2);
    QCOMPARE(h.box->BorderStyle(), 0);
    QCOMPARE(spy.count(), 0);
}

void tst_ucUpDownBox::disabledIgnoresInput() {
    Host h;
    h.box->setValue(5);
    h.box->setEnabled(false);
    h.changes->clear();
    QVERIFY(!h.box->ucBar()->isEnabled());
    QTest::mouseClick(h.box->ucBar(), Qt::LeftButton, {},
                      h.arrowCentre(QStyle::SC_ScrollBarSubLine));
    QTest::mouseClick(h.field(), Qt::LeftButton);
    QCOMPARE(h.box->Value(), 5);
    QCOMPARE(h.changes->count(), 0);
    PropertyBag bag;
    h.box->WriteProperties(bag);
    QCOMPARE(BagKeys(bag), (QStringList{"enabled", "value"}));
}

// A plain `delete` of the box in its Change handler, however the change came: the box stops
// there, Qt's code that raised it (inside the field or the bar) finishes without touching
// freed memory, and the window goes on. The sanitizer build checks the reads.
void tst_ucUpDownBox::deletedByItsOwnChange_data() {
    QTest::addColumn<QString>("route");
    QTest::newRow("typing a digit") << "digit";
    QTest::newRow("setValue") << "setValue";
    QTest::newRow("paste") << "paste";
    QTest::newRow("click on the upper arrow") << "arrow";
    QTest::newRow("Up key") << "up";
}

void tst_ucUpDownBox::deletedByItsOwnChange() {
    QFETCH(QString, route);
    Host h;
    h.box->setValue(5);
    h.focusField();
    QPointer<ucUpDownBox> box = h.box;
    QPointer<QLineEdit> field = h.field();
    QPointer<QScrollBar> bar = h.box->ucBar();
    int raised = 0;
    QObject::connect(h.box, &ucUpDownBox::Change, &h.window, [&] {
        ++raised;
        delete box.data();
    });
    QWindow* window = h.window.windowHandle();
    if (route == "digit") {
        QTest::keyClick(window, Qt::Key_7);
    } else if (route == "setValue") {
        h.box->setValue(9);
    } else if (route == "paste") {
        QApplication::clipboard()->setText(QStringLiteral("42"));
        QPointer<QMenu> menu = h.box->txtValue()->createContextMenu();
        for (QAction* a : menu->actions()) {
            if (a->text().startsWith(QStringLiteral("&Paste"))) {
                a->trigger();
            }
        }
        delete menu.data();
    } else if (route == "arrow") {
        const QPoint at = bar->mapTo(&h.window, h.arrowCentre(QStyle::SC_ScrollBarSubLine));
        QTest::mouseClick(window, Qt::LeftButton, {}, at);
    } else {
        QTest::keyClick(window, Qt::Key_Up);
    }
    QVERIFY(box.isNull());
    QCOMPARE(raised, 1);
    QTRY_VERIFY(field.isNull() && bar.isNull());  // deleted after all, once Qt let go of them

    // The window goes on: the pointer and the keys reach what is left.
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(20, 15));
    h.other->setFocus();
    QTRY_VERIFY(h.other->hasFocus());
    QTest::keyClicks(h.other, QStringLiteral("ok"));
    QCOMPARE(h.other->text(), QStringLiteral("ok"));
    QCOMPARE(raised, 1);
}

QTEST_MAIN(tst_ucUpDownBox)
#include "tst_ucupdownbox.moc"
