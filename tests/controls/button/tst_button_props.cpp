#include <QSignalSpy>
#include <QtTest>

#include <functional>

#include "controls/host/qt/QtPicture.h"
#include "tests/support/BagKeys.h"
#include "tests/support/ButtonFixture.h"

using namespace corvane;

// Properties, their side effects, and the stored property set of Button_XP.
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
    void pictureSizes();
    void hoverPicture();
    void newInstanceSave();
    void saveOrderAndDefaults();
    void disabledContainerKeepsEnabled();
    void roundTrip();
    void loadAbsentValues();
    void loadSaveButtonSet();
    void loadReadsPictureAndFontTwice();
    void loadEffects();
    void loadRefusesOutOfRange();
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
    static const QList<SetterCase> cases = {
        {"Enabled", [](Button_XP& b) { b.setEnabled(false); }, {"Enabled"}, 1},
        {"ShowFocusRect", [](Button_XP& b) { b.setShowFocusRect(false); }, {"ShowFocusRect"}, 1},
        {"URL", [](Button_XP& b) { b.setURL("https://example.org"); }, {"URL"}, 0},
        {"Caption", [](Button_XP& b) { b.setCaption("&Save"); }, {"Caption"}, 1},
        {"ButtonStyle 3 forces TransparentBG off",
         [](Button_XP& b) { b.setButtonStyle(3); },
         {"ButtonStyle", "TransparentBG"},
         2},
        {"ButtonStyle 1", [](Button_XP& b) { b.setButtonStyle(1); }, {"ButtonStyle"}, 1},
        {"PicturePosition", [](Button_XP& b) { b.setPicturePosition(0); }, {"PicturePosition"}, 1},
        {"Picture",
         [](Button_XP& b) { b.setPicture(Picture::metafile(847, 847)); },
         {"Picture"},
         1},
        {"PictureWidth", [](Button_XP& b) { b.setPictureWidth(20); }, {"PictureWidth"}, 1},
        {"PictureHeight", [](Button_XP& b) { b.setPictureHeight(20); }, {"PictureHeight"}, 1},
        {"PictureSize", [](Button_XP& b) { b.setPictureSize(0); }, {"PictureSize"}, 1},
        {"PictureHover",
         [](Button_XP& b) { b.setPictureHover(Picture::none()); },
         {"PictureHover"},
         0},
        {"XPColor_Pressed",
         [](Button_XP& b) { b.setXPColor_Pressed(0xFF); },
         {"XPColor_Pressed"},
         0},
        {"XPColor_Hover", [](Button_XP& b) { b.setXPColor_Hover(0xFF); }, {"XPColor_Hover"}, 0},
        {"XPDefaultColors",
         [](Button_XP& b) { b.setXPDefaultColors(false); },
         {"XPDefaultColors"},
         0},
        {"BackColor", [](Button_XP& b) { b.setBackColor(0x00FF00); }, {"BackColor"}, 1},
        {"ForeColor", [](Button_XP& b) { b.setForeColor(0x00FF00); }, {"ForeColor"}, 1},
        {"SoundOver", [](Button_XP& b) { b.setSoundOver(42); }, {"SoundOver"}, 0},
        {"SoundClick", [](Button_XP& b) { b.setSoundClick("a.wav"); }, {"SoundClick"}, 0},
        {"version", [](Button_XP& b) { b.setVersion("1"); }, {}, 0},
        {"DefCurHand", [](Button_XP& b) { b.setDefCurHand(true); }, {"DefCurHand"}, 0},
        {"XPShowBorderAlways",
         [](Button_XP& b) { b.setXPShowBorderAlways(true); },
         {"XPShowBorderAlways"},
         0},
        {"MaskColor", [](Button_XP& b) { b.setMaskColor(0xFF00FF); }, {"MaskColor"}, 1},
        {"TransparentBG", [](Button_XP& b) { b.setTransparentBG(true); }, {"TransparentBG"}, 1},
        {"BEVEL", [](Button_XP& b) { b.setBEVEL(2); }, {"BEVEL"}, 1},
        {"BEVELDEPTH", [](Button_XP& b) { b.setBEVELDEPTH(-3); }, {"BEVELDEPTH"}, 1},
        {"MousePointer", [](Button_XP& b) { b.setMousePointer(11); }, {"MousePointer"}, 0},
        {"MouseIcon", [](Button_XP& b) { b.setMouseIcon(Picture::empty()); }, {"MouseIcon"}, 0},
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

// A set in which every value differs from its default, in the order a save writes them.
const QStringList kSaveOrder = {"caption",
                                "pictureposition",
                                "buttonstyle",
                                "picture",
                                "picturewidth",
                                "pictureheight",
                                "picturesize",
                                "originalpicsizew",
                                "originalpicsizeh",
                                "picturehover",
                                "enabled",
                                "font",
                                "mouseicon",
                                "mousepointer",
                                "showfocusrect",
                                "url",
                                "xpcolor_pressed",
                                "xpcolor_hover",
                                "xpdefaultcolors",
                                "backcolor",
                                "forecolor",
                                "soundover",
                                "soundclick",
                                "defcurhand",
                                "xpshowborderalways",
                                "maskcolor",
                                "transparentbg",
                                "bevel",
                                "beveldepth"};

void setEverything(Button_XP& b) {
    b.setCaption("&Other");
    b.setPicturePosition(3);
    b.setButtonStyle(0);
    b.setPicture(Picture::bitmap(ImageOf(QImage(8, 4, QImage::Format_RGB32))));
    b.setPictureSize(7);
    b.setPictureWidth(20);
    b.setPictureHeight(21);
    b.setPictureHover(Picture::icon(ImageOf(QImage(2, 2, QImage::Format_ARGB32))));
    b.setEnabled(false);
    FontValue f = fixture::font();
    f.name = u"DejaVu Serif";
    f.italic = true;
    b.setFont(f);
    b.setMouseIcon(Picture::icon(ImageOf(QImage(16, 16, QImage::Format_ARGB32))));
    b.setMousePointer(3);
    b.setShowFocusRect(false);
    b.setURL("mailto:a@b");
    b.setXPColor_Pressed(1);
    b.setXPColor_Hover(2);
    b.setXPDefaultColors(false);
    b.setBackColor(3);
    b.setForeColor(4);
    b.setSoundOver(QString("o.wav"));
    b.setSoundClick("c.wav");
    b.setDefCurHand(true);
    b.setXPShowBorderAlways(true);
    b.setMaskColor(5);
    b.setTransparentBG(true);
    b.setBEVEL(2);
    b.setBEVELDEPTH(9);
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

void tst_ButtonProps::pictureSizes() {
    QCOMPARE(ControlSite::TwipsPerPixelX(), 15.0);  // the offscreen screen is 96 DPI
    fixture::Button b;
    // A new instance has no current picture: natural size means 32 x 32.
    b->setPictureSize(2);
    QCOMPARE(QSize(b->PictureWidth(), b->PictureHeight()), QSize(32, 32));
    // 1270 x 2540 HIMETRIC is half an inch by one inch.
    b->setPicture(Picture::metafile(1270, 2540));
    QCOMPARE(Button_XPTestAccess::naturalPictureSize(*b), QSize(48, 96));
    QCOMPARE(QSize(b->PictureWidth(), b->PictureHeight()), QSize(48, 96));
    b->setPictureWidth(10);
    QCOMPARE(b->PictureSize(), 2);
    b->setPictureSize(0);
    QCOMPARE(QSize(b->PictureWidth(), b->PictureHeight()), QSize(16, 16));
    b->setPictureSize(1);
    QCOMPARE(QSize(b->PictureWidth(), b->PictureHeight()), QSize(32, 32));
    b->setPictureWidth(7);
    b->setPictureSize(5);  // any other value keeps the drawn size
    QCOMPARE(QSize(b->PictureWidth(), b->PictureHeight()), QSize(7, 32));
    b->setPictureSize(2);
    QCOMPARE(QSize(b->PictureWidth(), b->PictureHeight()), QSize(48, 96));
    // No picture while the size follows the picture: 32 x 32 again.
    b->setPicture(Picture::none());
    QVERIFY(b->Picture().isNone());
    QCOMPARE(Button_XPTestAccess::naturalPictureSize(*b), QSize(32, 32));
    QCOMPARE(QSize(b->PictureWidth(), b->PictureHeight()), QSize(32, 32));
}

void tst_ButtonProps::hoverPicture() {
    fixture::Button b;
    // A new instance holds empty pictures but paints none; hovering makes the empty hover
    // picture current.
    QVERIFY(b->Picture().isNone());
    QVERIFY(!b->PictureHover().isNone());
    Button_XPTestAccess::showHoverPicture(*b, true);
    QCOMPARE(b->Picture(), b->PictureHover());
    Button_XPTestAccess::showHoverPicture(*b, false);
    QVERIFY(!b->Picture().isNone());
    QCOMPARE(b->Picture().kind(), PictureKind::Empty);

    const Picture normal = Picture::metafile(10, 10);
    const Picture hover = Picture::metafile(20, 20);
    b->setPicture(normal);
    b->setPictureHover(hover);
    Button_XPTestAccess::showHoverPicture(*b, true);
    QCOMPARE(b->Picture(), hover);
    PropertyBag bag;
    b->WriteProperties(bag);  // a save while hovering stores the hover picture
    QCOMPARE(bag.readAs<Picture>("Picture", Picture::none()), hover);
    Button_XPTestAccess::showHoverPicture(*b, false);
    QCOMPARE(b->Picture(), normal);
    b->setPictureHover(Picture::none());
    Button_XPTestAccess::showHoverPicture(*b, true);
    QCOMPARE(b->Picture(), normal);
}

void tst_ButtonProps::newInstanceSave() {
    fixture::Button b;
    PropertyBag bag;
    b->WriteProperties(bag);
    QCOMPARE(BagKeys(bag),
             (QStringList{"originalpicsizew", "originalpicsizeh", "picturehover", "mousepointer"}));
    QCOMPARE(bag.readAs<qint32>("OriginalPicSizeW", -1), 0);
    QCOMPARE(bag.readAs<qint32>("OriginalPicSizeH", -1), 0);
    QCOMPARE(bag.readAs<Picture>("PictureHover", Picture::none()).kind(), PictureKind::Empty);
    QVERIFY(!bag.readAs<Picture>("PictureHover", Picture::none()).isNone());
    QCOMPARE(bag.readAs<qint32>("MousePointer", 0), 99);
}

void tst_ButtonProps::saveOrderAndDefaults() {
    fixture::Button b;
    setEverything(*b.button);
    PropertyBag bag;
    b->WriteProperties(bag);
    QCOMPARE(BagKeys(bag), kSaveOrder);
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

void tst_ButtonProps::roundTrip() {
    fixture::Button a;
    setEverything(*a.button);
    PropertyBag first;
    a->WriteProperties(first);
    std::string error;
    PropertyBag parsed;
    QVERIFY2(parsed.fromText(first.toText(&QtPictures()), &error, &QtPictures()), error.c_str());

    fixture::Button b;
    b->ReadProperties(parsed);
    PropertyBag second;
    b->WriteProperties(second);
    QCOMPARE(second.toText(), first.toText());
    QCOMPARE(b->Caption(), QStringLiteral("&Other"));
    QCOMPARE(b->AccessKey(), QStringLiteral("o"));
    QCOMPARE(b->ButtonStyle(), 0);
    QCOMPARE(b->PictureSize(), 7);
    QCOMPARE(QSize(b->PictureWidth(), b->PictureHeight()), QSize(20, 21));
    QCOMPARE(Button_XPTestAccess::naturalPictureSize(*b), QSize(8, 4));
    QVERIFY(!b->Enabled());
    QCOMPARE(b->MousePointer(), 3);
    QCOMPARE(b->BackColor(), 3u);
    QCOMPARE(Button_XPTestAccess::surfaceBackColor(*b), 3u);
    QCOMPARE(b->SoundOver().toString(), QStringLiteral("o.wav"));
    QCOMPARE(b->BEVEL(), qint16(2));
    QCOMPARE(b->BEVELDEPTH(), qint16(9));
    QVERIFY(b->TransparentBG());
}

void tst_ButtonProps::loadAbsentValues() {
    fixture::Button b(40, 24, QStringLiteral("cmd_Other"));
    b->ReadProperties(PropertyBag());
    QCOMPARE(b->Caption(), QStringLiteral("cmd_Other"));
    QCOMPARE(b->ButtonStyle(), 2);
    QCOMPARE(b->PicturePosition(), 1);
    QVERIFY(b->Picture().isNone());
    QVERIFY(b->PictureHover().isNone());
    QCOMPARE(Button_XPTestAccess::naturalPictureSize(*b), QSize(32, 32));
    QCOMPARE(b->MousePointer(), 0);
    QVERIFY(b->Enabled());
    QCOMPARE(b->Font()->value(), fixture::font());
    QCOMPARE(b->BackColor(), 0x8000000Fu);
    QCOMPARE(b->ForeColor(), 0x80000012u);
    QCOMPARE(b->XPColor_Pressed(), 0x80000014u);
    QCOMPARE(b->XPColor_Hover(), 0x80000016u);
    QCOMPARE(b->SoundClick(), QStringLiteral(".\\resources\\click.wav"));
    QCOMPARE(b->SoundOver().toString(), QStringLiteral(".\\resources\\over.wav"));
    QCOMPARE(b->BEVEL(), qint16(1));
    QCOMPARE(b->BEVELDEPTH(), qint16(8));
    PropertyBag bag;
    b->WriteProperties(bag);
    QVERIFY(bag.isEmpty());  // everything at its default
}

void tst_ButtonProps::loadSaveButtonSet() {
    // The main window's stored Save button.
    PropertyBag bag;
    bag.write("Caption", std::u16string(u"Save"));
    bag.write("ButtonStyle", 3);
    bag.write("OriginalPicSizeW", 0);
    bag.write("OriginalPicSizeH", 0);
    bag.write("Enabled", false);
    FontValue f;
    f.name = u"Tahoma";
    f.bold = true;
    f.charset = 0;
    bag.write("Font", f);
    bag.write("MousePointer", 99);
    fixture::Button b(249, 33, QStringLiteral("cmd_Save"));
    b->ReadProperties(bag);
    QCOMPARE(b->Caption(), QStringLiteral("Save"));
    QCOMPARE(b->AccessKey(), QString());
    QCOMPARE(b->ButtonStyle(), 3);
    QCOMPARE(Button_XPTestAccess::naturalPictureSize(*b), QSize(0, 0));
    QVERIFY(!b->Enabled());
    QCOMPARE(b->MousePointer(), 99);
    QCOMPARE(b->Font()->value(), f);
    QVERIFY(!b->mask().isEmpty());
    PropertyBag saved;
    b->WriteProperties(saved);
    QCOMPARE(saved.toText(), bag.toText());
}

void tst_ButtonProps::loadReadsPictureAndFontTwice() {
    const Picture p = Picture::bitmap(ImageOf(QImage(4, 4, QImage::Format_RGB32)));
    FontValue f = fixture::font();
    f.underline = true;
    PropertyBag bag;
    bag.write("Picture", p);
    bag.write("Font", f);
    fixture::Button b;
    b->ReadProperties(bag);
    QCOMPARE(b->Picture(), p);  // the painted picture
    Button_XPTestAccess::showHoverPicture(*b, false);
    QCOMPARE(b->Picture(), p);  // and the normal picture
    QCOMPARE(Button_XPTestAccess::surfaceFont(*b), f);
    QCOMPARE(b->Font()->value(), f);
}

void tst_ButtonProps::loadEffects() {
    fixture::Button b;
    QSignalSpy spy(&b.site, &ControlSite::propertyChanged);
    QSignalSpy fontSpy(b->Font(), &StdFont::FontChanged);
    const quint64 before = Button_XPTestAccess::refreshCount(*b);
    PropertyBag bag;
    bag.write("Enabled", false);
    bag.write("ButtonStyle", 3);
    b->ReadProperties(bag);
    // Loading stores fields directly: only MouseIcon goes through its setter, and the
    // resize handler repaints once at the end.
    QCOMPARE(names(spy), QStringList{"MouseIcon"});
    QCOMPARE(Button_XPTestAccess::refreshCount(*b) - before, 1u);
    QCOMPARE(fontSpy.size(), 0);
}

void tst_ButtonProps::loadRefusesOutOfRange() {
    PropertyBag bag;
    bag.write("MousePointer", 70000);
    bag.write("BEVEL", -40000);
    fixture::Button b;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("MousePointer 70000"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("BEVEL -40000"));
    b->ReadProperties(bag);
    QCOMPARE(b->MousePointer(), 0);
    QCOMPARE(b->BEVEL(), qint16(1));
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
