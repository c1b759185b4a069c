#include <QtTest>

#include "controls/button/ButtonColours.h"
#include "controls/button/XPLook.h"
#include "controls/draw/DrawText.h"
#include "controls/draw/qt/QtText.h"
#include "tests/controls/button/XPExpected.h"
#include "tests/support/ButtonFixture.h"

using namespace corvane;

// Whole-button pixels for every style and state, against values worked out from the
// painting rules. Border and background only: the caption's shape depends on the font, so
// the border tests use an empty caption and the caption tests compare against the drawing
// layer's own text.
class tst_ButtonPaint : public QObject {
    Q_OBJECT
private slots:
    void styles_data();
    void styles();
    void xpFace_data();
    void xpFace();
    void xpOwnRingColours();
    void xpShape();
    void focusRect_data();
    void focusRect();
    void caption_data();
    void caption();
    void pressedCaptionShift_data();
    void pressedCaptionShift();
    void minimumSize();
    void style2ColourOutlivesItsStyle();
};

namespace {

// The probes of a W x H button, in the order of the expected strings.
QList<QPoint> probes(int w, int h) {
    return {{0, 0},         {w - 1, 0},     {0, h - 1},     {w - 1, h - 1}, {w / 2, 0},
            {0, h / 2},     {w - 1, h / 2}, {w / 2, h - 1}, {w / 2, 1},     {1, h / 2},
            {w - 2, h / 2}, {w / 2, h - 2}, {w / 2, h / 2}, {4, 4},         {5, 4}};
}

quint32 colourOf(const QString& token) {
    using namespace fixture;
    if (token == u"F")
        return kFace;
    if (token == u"S")
        return kShadow;
    if (token == u"H")
        return kHighlight;
    if (token == u"T")
        return kText;
    if (token == u"O")
        return kHoverFace;
    if (token == u"P")
        return kPressedFace;
    if (token == u"I")
        return kFace ^ 0xFFFFFFu;  // a focus dot on the face
    bool ok = false;
    const quint32 v = token.toUInt(&ok, 16);
    return ok ? v : 0xDEADBEEFu;
}

enum State { Normal, Hover, Pressed, Focused, Disabled, Default, DesignTime };

// A state of the rows in the snapshot that RefreshFace paints.
void apply(ButtonPaintState& s, int state, bool focus, bool pressed, bool over) {
    s.userMode = state != DesignTime;
    s.isDefault = state == Default;
    s.flags = {focus, pressed, over, false};
    s.enabled = state != Disabled;
}

}  // namespace

void tst_ButtonPaint::styles_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("focus");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<bool>("over");
    QTest::addColumn<int>("bevel");
    QTest::addColumn<bool>("borderAlways");
    QTest::addColumn<bool>("xpDefaultColors");
    QTest::addColumn<QString>("expected");
    // Probe order: four corners TL TR BL BR; the outer edges top, left, right, bottom at their
    // middles; the second ring top, left, right, bottom; the centre; (4, 4) and (5, 4).
    // F face, S shadow, H highlight, T text, O/P the style-2 hover/pressed face, I a focus
    // dot; six hex digits are a colour 0xBBGGRR.
    auto row = [](const char* name, int style, int state, bool f, bool p, bool o, const char* e,
                  int bevel = 1, bool always = false, bool xpDefault = true) {
        QTest::newRow(name) << style << state << f << p << o << bevel << always << xpDefault
                            << QString(e);
    };
    const char* raised = "H H H S H H S S F F F F F F F";
    const char* sunken = "S S S H S S H H F F F F F F F";
    const char* plain = "F F F F F F F F F F F F F F F";
    const char* focusOnly = "F F F F F F F F F F F F F I F";
    // 0: raised, sunken when pressed; the default border also when focused.
    row("0 normal", 0, Normal, false, false, false, raised);
    row("0 hover", 0, Hover, false, false, true, raised);
    row("0 pressed", 0, Pressed, false, true, true, sunken);
    row("0 focused: default border and dots", 0, Focused, true, false, false,
        "H H H S H H S S F F S S F I F");
    row("0 focused and pressed: no default border", 0, Focused, true, true, true,
        "S S S H S S H H F F F F F I F");
    row("0 disabled", 0, Disabled, false, false, false, raised);
    row("0 default", 0, Default, false, false, false, "H H H S H H S S F F S S F F F");
    row("0 design time ignores the default", 0, DesignTime, false, false, false, raised);
    // 1: flat until hovered.
    row("1 normal", 1, Normal, false, false, false, plain);
    row("1 hover", 1, Hover, false, false, true, raised);
    row("1 pressed", 1, Pressed, false, true, true, sunken);
    row("1 focused: no default border", 1, Focused, true, false, false, focusOnly);
    row("1 disabled", 1, Disabled, false, false, false, plain);
    row("1 default", 1, Default, false, false, false, "H H H F H H F F F F S S F F F");
    row("1 default pressed", 1, Default, false, true, true, "H H H H H H H H F F S S F F F");
    row("1 design time", 1, DesignTime, false, false, false, raised);
    // 2: highlight colours, a text-coloured frame on hover.
    row("2 normal", 2, Normal, false, false, false, plain);
    row("2 hover", 2, Hover, false, false, true, "T T T T T T T T O O O O O O O");
    row("2 pressed", 2, Pressed, false, true, true, "T T T T T T T T P P P P P P P");
    row("2 held outside", 2, Pressed, false, true, false, "P P P P P P P P P P P P P P P");
    row("2 focused", 2, Focused, true, false, false, focusOnly);
    row("2 disabled", 2, Disabled, false, false, false, plain);
    row("2 default: no default border", 2, Default, false, false, false, plain);
    row("2 border always", 2, Normal, false, false, false, "T T T T T T T T F F F F F F F", 1,
        true);
    row("2 design time: no border", 2, DesignTime, false, false, false, plain, 1, true);
    // Own colours instead of the highlight's: XPColor_Hover (3D light) and XPColor_Pressed
    // (button highlight) by default.
    row("2 hover, own colours", 2, Hover, false, false, true,
        "T T T T T T T T E0E0E0 E0E0E0 E0E0E0 E0E0E0 E0E0E0 E0E0E0 E0E0E0", 1, false, false);
    row("2 pressed, own colours", 2, Pressed, false, true, true,
        "T T T T T T T T FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF", 1, false, false);
    // 4: never a border.
    row("4 normal", 4, Normal, false, false, false, plain);
    row("4 hover", 4, Hover, false, false, true, plain);
    row("4 pressed", 4, Pressed, false, true, true, plain);
    row("4 focused", 4, Focused, true, false, false, focusOnly);
    row("4 disabled", 4, Disabled, false, false, false, plain);
    row("4 default", 4, Default, false, false, false, plain);
    row("4 design time", 4, DesignTime, false, false, false, plain);
    // Unknown styles draw like 1 at run time and raised at design time.
    row("7 normal", 7, Normal, false, false, false, plain);
    row("7 hover", 7, Hover, false, false, true, raised);
    row("-1 pressed", -1, Pressed, false, true, true, sunken);
    row("7 design time", 7, DesignTime, false, false, false, raised);
    // Bevels of three rings on the face: darker outward on the right and bottom, lighter
    // outward on the top and left, the top-right and bottom-left corners dark.
    row("0 bevel 2 raised", 0, Normal, false, false, false,
        "D8D8D8 AAA8A8 AAA8A8 AAA8A8 D8D8D8 D8D8D8 AAA8A8 AAA8A8 D0D0D0 D0D0D0 B1B0B0 B1B0B0 F F F",
        2);
    row("0 bevel 2 sunken", 0, Pressed, false, true, true,
        "AAA8A8 D8D8D8 D8D8D8 D8D8D8 AAA8A8 AAA8A8 D8D8D8 D8D8D8 B1B0B0 B1B0B0 D0D0D0 D0D0D0 F F F",
        2);
    // Default with bevels: a raised bevel of depth 8 + 3.
    row("1 default bevel 2", 1, Default, false, false, false,
        "E1E1E1 A29F9F A29F9F A29F9F E1E1E1 E1E1E1 A29F9F A29F9F D6D6D6 D6D6D6 ABAAAA ABAAAA F F F",
        2);
}

void tst_ButtonPaint::styles() {
    QFETCH(int, style);
    QFETCH(int, state);
    QFETCH(bool, focus);
    QFETCH(bool, pressed);
    QFETCH(bool, over);
    QFETCH(int, bevel);
    QFETCH(bool, borderAlways);
    QFETCH(bool, xpDefaultColors);
    QFETCH(QString, expected);
    ButtonPaintState s = fixture::faceState(40, 24);
    s.buttonStyle = AsFaceStyle(style);
    s.bevel = static_cast<qint16>(bevel);
    s.xpShowBorderAlways = borderAlways;
    s.xpDefaultColors = xpDefaultColors;
    apply(s, state, focus, pressed, over);
    QImage face;
    RefreshFace(face, s);
    const QStringList want = expected.split(u' ', Qt::SkipEmptyParts);
    const QList<QPoint> at = probes(40, 24);
    QCOMPARE(want.size(), at.size());
    for (int i = 0; i < at.size(); ++i) {
        const quint32 got = fixture::pixel(face, at[i].x(), at[i].y());
        QVERIFY2(got == colourOf(want[i]),
                 qPrintable(QStringLiteral("probe %1 at (%2, %3): got "
                                           "%4, want %5 (%6)")
                                .arg(i)
                                .arg(at[i].x())
                                .arg(at[i].y())
                                .arg(got, 6, 16, QChar(u'0'))
                                .arg(colourOf(want[i]), 6, 16, QChar(u'0'))
                                .arg(want[i])));
    }
}

void tst_ButtonPaint::xpFace_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("focus");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<bool>("over");
    QTest::addColumn<int>("probe");
    struct Setup {
        const char* name;
        const char* expectedAs;  // the state of the reference whose pixels it must show
        int state;
        bool focus, pressed, over;
    };
    const Setup setups[] = {
        {"normal", "normal", Normal, false, false, false},
        {"focused", "focused", Focused, true, false, false},
        {"hover", "hover", Hover, false, false, true},
        {"hover over focus", "hover over focus", Focused, true, false, true},
        {"pressed", "pressed", Pressed, false, true, true},
        {"pressed with focus: no ring", "pressed", Pressed, true, true, true},
        {"held outside", "pressed", Pressed, false, true, false},
        {"disabled", "disabled", Disabled, false, false, false},
        {"disabled ignores hover and press", "disabled", Disabled, true, true, true},
        {"default changes nothing", "normal", Default, false, false, false},
        {"design time: never hovered", "normal", DesignTime, false, false, true},
    };
    for (const Setup& s : setups) {
        for (int i = 0; i < static_cast<int>(std::size(kXPProbes)); ++i) {
            const XPProbe& p = kXPProbes[i];
            if (qstrcmp(p.state, s.expectedAs) != 0) {
                continue;
            }
            QTest::addRow("%s, %s %d", s.name, p.axis == 'c' ? "column" : "row", p.index)
                << s.state << s.focus << s.pressed << s.over << i;
        }
    }
}

void tst_ButtonPaint::xpFace() {
    QFETCH(int, state);
    QFETCH(bool, focus);
    QFETCH(bool, pressed);
    QFETCH(bool, over);
    QFETCH(int, probe);
    ButtonPaintState s = fixture::faceState(249, 33);  // the Save button's size
    s.buttonStyle = FaceStyle::XP;
    apply(s, state, focus, pressed, over);
    QImage face;
    RefreshFace(face, s);
    const XPProbe& p = kXPProbes[probe];
    const QStringList want = QString::fromLatin1(p.pixels).split(u' ');
    QStringList got;
    for (int k = 0; k < want.size(); ++k) {
        const int x = p.axis == 'c' ? p.index : kRowX[k];
        const int y = p.axis == 'c' ? k : p.index;
        got << QStringLiteral("%1").arg(fixture::pixel(face, x, y), 6, 16, QChar(u'0')).toUpper();
    }
    QCOMPARE(got.join(u' '), want.join(u' '));
}

void tst_ButtonPaint::xpOwnRingColours() {
    // With the default colours off, the rings are the system highlight (20) and 3D light (22).
    fixture::Button b(249, 33);
    b->setCaption(QString());
    b->setButtonStyle(3);
    b->setXPDefaultColors(false);
    b.flags(true, false, false);
    QCOMPARE(b.pixel(1, 10), fixture::kHighlight);
    QCOMPARE(b.pixel(2, 10), ShiftColor(fixture::kHighlight, 31));
    b.flags(true, false, true);
    QCOMPARE(b.pixel(1, 10), fixture::kLight3D);
    QCOMPARE(b.pixel(100, 1), ShiftColor(fixture::kLight3D, 90));
    QCOMPARE(b.pixel(100, 30), fixture::kLight3D);
    QCOMPARE(b.pixel(100, 31), ShiftColor(fixture::kLight3D, -40));
}

void tst_ButtonPaint::xpShape() {
    fixture::Button b(249, 33);
    b->setButtonStyle(3);
    const QRegion shape = b->mask();
    const int w = 249;
    const int h = 33;
    const QList<QPoint> cut = {{0, 0},     {1, 0},         {0, 1},         {w - 1, 0},
                               {w - 2, 0}, {w - 1, 1},     {0, h - 1},     {1, h - 1},
                               {0, h - 2}, {w - 1, h - 1}, {w - 2, h - 1}, {w - 1, h - 2}};
    for (const QPoint& p : cut) {
        QVERIFY2(
            !shape.contains(p),
            qPrintable(QStringLiteral("(%1, %2) belongs to the button").arg(p.x()).arg(p.y())));
    }
    for (const QPoint& p : {QPoint(1, 1), QPoint(2, 0), QPoint(0, 2), QPoint(w - 3, 0),
                            QPoint(w - 2, h - 2), QPoint(w - 1, h - 3), QPoint(124, 16)}) {
        QVERIFY(shape.contains(p));
    }
    int inside = 0;
    for (const QRect& r : shape) {
        inside += r.width() * r.height();
    }
    QCOMPARE(inside, w * h - 12);
    // The shape follows the size, and leaves with the style.
    b->resize(100, 20);
    QVERIFY(!b->mask().contains(QPoint(98, 19)));
    QVERIFY(b->mask().contains(QPoint(97, 18)));
    b->setButtonStyle(2);
    QVERIFY(b->mask().isEmpty());
}

void tst_ButtonPaint::focusRect_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("show");
    QTest::addColumn<bool>("dots");
    for (int style : {0, 1, 2, 4, 9}) {
        QTest::addRow("style %d", style) << style << true << true;
        QTest::addRow("style %d, ShowFocusRect off", style) << style << false << false;
    }
    QTest::newRow("style 3 never") << 3 << true << false;
}

void tst_ButtonPaint::focusRect() {
    QFETCH(int, style);
    QFETCH(bool, show);
    QFETCH(bool, dots);
    fixture::Button b(40, 24);
    b->setCaption(QString());
    b->setButtonStyle(style);
    b.flags(true, false, false);
    QCOMPARE(Button_XPTestAccess::focusRect(*b), (Rect{4, 4, 36, 20}));
    b->setShowFocusRect(false);
    QImage expected = Button_XPTestAccess::surfaceImage(*b).copy();
    b->setShowFocusRect(show);
    if (dots) {
        DrawFocusRect(ViewOf(expected), {4, 4, 36, 20});
    }
    QCOMPARE(Button_XPTestAccess::surfaceImage(*b), expected);
}

void tst_ButtonPaint::caption_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("enabled");
    for (int style : {1, 4}) {
        QTest::addRow("style %d enabled", style) << style << true;
        QTest::addRow("style %d disabled: engraved", style) << style << false;
    }
}

void tst_ButtonPaint::caption() {
    QFETCH(int, style);
    QFETCH(bool, enabled);
    fixture::Button b(120, 40);
    b->setButtonStyle(style);
    b->setCaption(QStringLiteral("&Save the file"));
    b->setEnabled(enabled);
    const Rect text = Button_XPTestAccess::faceLayout(*b).text;
    // Centred in the content area with one average character of margin on each side.
    QFontMetrics fm(QFontOf(fixture::font()));
    const int tw =
        fm.horizontalAdvance(QStringLiteral("Save the file")) + 2 * fm.averageCharWidth();
    QCOMPARE(text.width(), tw);
    QCOMPARE(text.left, 4 + (112 - tw) / 2);
    QCOMPARE(text.height(), fm.height());
    QCOMPARE(text.top, 4 + (32 - fm.height()) / 2);

    QImage expected(120, 40, QImage::Format_RGB32);
    FillRect(ViewOf(expected), {0, 0, 120, 40}, fixture::kFace);
    Rect r = text;
    const unsigned flags = dt::WordBreak | dt::Center | dt::VCenter;
    const Font font = FontOf(QFontOf(fixture::font()));
    const QString caption = b->Caption();
    const auto draw = [&](Rect& at, ColourRef colour) {
        DrawTextEx(ViewOf(expected), QtText(), TextOf(caption), at, flags, font, colour,
                   &kCaptionTextParams);
    };
    if (enabled) {
        draw(r, fixture::kText);
    } else {
        Rect light = text.offset(1);
        draw(light, fixture::kHighlight);
        draw(r, fixture::kShadow);
    }
    QCOMPARE(Button_XPTestAccess::surfaceImage(*b), expected);
    QCOMPARE(b->AccessKey(), QStringLiteral("s"));
}

void tst_ButtonPaint::pressedCaptionShift_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("shift");
    QTest::newRow("style 4 moves") << 4 << 1;
    QTest::newRow("style 1 moves") << 1 << 1;
    QTest::newRow("style 3 moves") << 3 << 1;
    QTest::newRow("style 2 stays") << 2 << 0;
}

void tst_ButtonPaint::pressedCaptionShift() {
    QFETCH(int, style);
    QFETCH(int, shift);
    fixture::Button b(120, 40);
    b->setButtonStyle(style);
    b->setCaption(QStringLiteral("Save"));
    const Rect t = Button_XPTestAccess::faceLayout(*b).text;
    b.flags(false, false, false);
    const QImage normal = Button_XPTestAccess::surfaceImage(*b).copy();
    b.flags(false, true, false);
    const QImage pressed = Button_XPTestAccess::surfaceImage(*b).copy();
    // Ink is whatever differs from the face under it; compare where the caption can be.
    const auto ink = [](const QImage& img, int x, int y) {
        return GetPixel(img, x, y) != GetPixel(img, x, 4 + 30);  // same column, below the text
    };
    int inked = 0;
    for (int y = t.top; y < t.bottom; ++y) {
        for (int x = t.left; x < t.right; ++x) {
            const bool a = ink(normal, x, y);
            QCOMPARE(ink(pressed, x + shift, y + shift), a);
            inked += a ? 1 : 0;
        }
    }
    QVERIFY(inked > 0);
    QCOMPARE(Button_XPTestAccess::faceLayout(*b).text, t);  // the shift is for drawing only
}

void tst_ButtonPaint::minimumSize() {
    fixture::Button b(40, 24);
    b->resize(5, 3);
    QCOMPARE(b->size(), QSize(10, 10));
    QCOMPARE(Button_XPTestAccess::surfaceImage(*b).size(), QSize(10, 10));
    QCOMPARE(Button_XPTestAccess::focusRect(*b), (Rect{4, 4, 6, 6}));
    QCOMPARE(Button_XPTestAccess::faceLayout(*b).inner, (Rect{4, 4, 6, 6}));
    b->resize(12, 4);
    QCOMPARE(b->size(), QSize(12, 10));
}

void tst_ButtonPaint::style2ColourOutlivesItsStyle() {
    // The surface keeps the hover colour a style-2 repaint gave it until something sets it
    // again: switching the hovered button to style 4 keeps the hover face.
    fixture::Button b(40, 24);
    b->setCaption(QString());
    b.flags(false, false, true);
    QCOMPARE(b.pixel(20, 12), fixture::kHoverFace);
    b->setButtonStyle(4);
    QCOMPARE(b.pixel(20, 12), fixture::kHoverFace);
    b->setBackColor(0x8000000F);
    QCOMPARE(b.pixel(20, 12), fixture::kFace);
}

QTEST_MAIN(tst_ButtonPaint)
#include "tests/support/Button_XPTestAccess.h"
#include "tst_button_paint.moc"
