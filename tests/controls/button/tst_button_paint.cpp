#include <QtTest>

#include "controls/draw/DrawText.h"
#include "controls/draw/qt/QtText.h"
#include "tests/support/ButtonFixture.h"

using namespace corvane;

// The widget's own pixels: the caption against the drawing layer's own text (its shape depends
// on the font), the window shape, the minimum size and the face colour kept between repaints.
// The border and background of every style and state are the engine's (test_button_paint.cpp).
class tst_ButtonPaint : public QObject {
    Q_OBJECT
private slots:
    void xpShape();
    void caption_data();
    void caption();
    void pressedCaptionShift_data();
    void pressedCaptionShift();
    void minimumSize();
    void style2ColourOutlivesItsStyle();
};

void tst_ButtonPaint::xpShape() {
    // The engine's shape (test_button_rules) is the widget's mask, exactly: three pixels cut at
    // each corner.
    fixture::Button b(249, 33);
    b->setButtonStyle(3);
    QCOMPARE(b->mask(), QRegion(2, 0, 245, 1) + QRegion(1, 1, 247, 1) + QRegion(0, 2, 249, 29) +
                            QRegion(1, 31, 247, 1) + QRegion(2, 32, 245, 1));
    // The shape follows the size, and leaves with the style.
    b->resize(100, 20);
    QVERIFY(!b->mask().contains(QPoint(98, 19)));
    QVERIFY(b->mask().contains(QPoint(97, 18)));
    b->setButtonStyle(2);
    QVERIFY(b->mask().isEmpty());
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
