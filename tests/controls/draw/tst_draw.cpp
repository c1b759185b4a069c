#include <QFontMetrics>
#include <QtTest>

#include "controls/draw/Draw.h"
#include "controls/draw/DrawText.h"
#include "controls/draw/qt/QtText.h"
#include "tests/controls/draw/AsciiArt.h"
#include "tests/support/RectTest.h"

using namespace corvane;

// The text layout over Qt's fonts, drawn into QImages the engine shares. (The pixel rules of
// the primitives are tested without Qt, in test_draw_rules.cpp.)
class tst_Draw : public QObject {
    Q_OBJECT
private slots:
    void measure_data();
    void measure();
    void drawStaysInRect();
    void accessKeyUnderlined();

private:
    static QFont testFont() {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(12);
        return f;
    }
    static int drawText(QImage& image, const QString& text, Rect& rect, unsigned format,
                        const QFont& font, ColourRef colour, const DrawTextParams* params) {
        return DrawTextEx(ViewOf(image), QtText(), TextOf(text), rect, format, FontOf(font), colour,
                          params);
    }
};

void tst_Draw::measure_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");          // wrap width of the rectangle
    QTest::addColumn<QStringList>("lines");  // the lines the text must wrap into, as shown
    QTest::newRow("one word") << "Save" << 200 << QStringList{"Save"};
    QTest::newRow("access key hidden") << "&Save" << 200 << QStringList{"Save"};
    QTest::newRow("doubled ampersand") << "Save && Exit" << 200 << QStringList{"Save & Exit"};
    QTest::newRow("trailing ampersand") << "Save&" << 200 << QStringList{"Save"};
    // Just wide enough for the widest word: every word on a line of its own.
    const QFontMetrics fm(testFont());
    const int oneWord =
        2 * fm.averageCharWidth() + std::max({fm.horizontalAdvance(QStringLiteral("Save")),
                                              fm.horizontalAdvance(QStringLiteral("the")),
                                              fm.horizontalAdvance(QStringLiteral("file"))});
    QTest::newRow("wraps at spaces")
        << "Save the file" << oneWord << QStringList{"Save", "the", "file"};
    QTest::newRow("fits exactly") << "Save the"
                                  << 2 * fm.averageCharWidth() +
                                         fm.horizontalAdvance(QStringLiteral("Save the"))
                                  << QStringList{"Save the"};
    // Many kerned words: lines are measured as drawn, not as the sum of their words.
    const QString thirty = QStringLiteral("Ta ").repeated(30).trimmed();
    QTest::newRow("many words, each line fits exactly")
        << QStringLiteral("%1 %1 %1").arg(thirty)
        << 2 * fm.averageCharWidth() + fm.horizontalAdvance(thirty)
        << QStringList{thirty, thirty, thirty};
    QTest::newRow("long word stays whole")
        << "Savetheworld now" << 30 << QStringList{"Savetheworld", "now"};
    QTest::newRow("hard break") << "a\r\nbb\nc" << 200 << QStringList{"a", "bb", "c"};
}

void tst_Draw::measure() {
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QStringList, lines);
    const QFont font = testFont();
    const QFontMetrics fm(font);
    const DrawTextParams params{1, 1, 1};
    QImage img = art::blank(4, 4);
    const QImage before = img.copy();
    Rect r{7, 5, 7 + width, 50};
    const int h = drawText(img, text, r, dt::CalcRect | dt::WordBreak | dt::Center | dt::VCenter,
                           font, 0, &params);
    int widest = 0;
    for (const QString& l : lines) {
        widest = std::max(widest, fm.horizontalAdvance(l));
    }
    const int lineHeight = fm.height();
    QCOMPARE(h, lineHeight * lines.size());
    // Left and top stay; the width is the widest line plus one average character each side.
    QCOMPARE(r, (Rect{7, 5, 7 + widest + 2 * fm.averageCharWidth(), 5 + h}));
    QCOMPARE(img, before);  // measuring paints nothing
}

void tst_Draw::drawStaysInRect() {
    const QFont font = testFont();
    QImage img = art::blank(80, 30);
    Rect r{10, 8, 70, 22};
    const Rect kept = r;
    drawText(img, QStringLiteral("Save the file now please"), r, dt::WordBreak | dt::Center, font,
             art::kInk, nullptr);
    QCOMPARE(r, kept);
    int inside = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const bool in = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            if (GetPixel(img, x, y) != art::kPaper) {
                QVERIFY2(in, qPrintable(QStringLiteral("ink outside at %1,%2").arg(x).arg(y)));
                ++inside;
            }
        }
    }
    QVERIFY(inside > 0);
    // Measuring an empty text keeps the rectangle and reports no height.
    Rect e{1, 2, 3, 4};
    QCOMPARE(drawText(img, QString(), e, dt::CalcRect, font, 0, nullptr), 0);
    QCOMPARE(e, (Rect{1, 2, 3, 4}));
}

void tst_Draw::accessKeyUnderlined() {
    // "&x" and "x" draw the same glyph; only the marked one has a line under it.
    const QFont font = testFont();
    QImage a = art::blank(40, 20);
    QImage b = art::blank(40, 20);
    Rect ra{0, 0, 40, 20};
    Rect rb = ra;
    drawText(a, QStringLiteral("&x"), ra, dt::Center, font, art::kInk, nullptr);
    drawText(b, QStringLiteral("x"), rb, dt::Center, font, art::kInk, nullptr);
    QVERIFY(a != b);
    const int baseline = QFontMetrics(font).ascent();
    for (int y = 0; y < baseline; ++y) {
        for (int x = 0; x < 40; ++x) {
            QCOMPARE(a.pixel(x, y), b.pixel(x, y));
        }
    }
    QImage c = art::blank(40, 20);
    Rect rc{0, 0, 40, 20};
    drawText(c, QStringLiteral("&&"), rc, dt::Center, font, art::kInk, nullptr);
    QImage d = art::blank(40, 20);
    Rect rd{0, 0, 40, 20};
    drawText(d, QStringLiteral("&"), rd, dt::Center | dt::NoPrefix, font, art::kInk, nullptr);
    QCOMPARE(c, d);
}

QTEST_MAIN(tst_Draw)
#include "tst_draw.moc"
