#include <QFontMetrics>
#include <QtTest>

#include "controls/draw/Draw.h"
#include "controls/draw/DrawText.h"
#include "tests/controls/draw/AsciiArt.h"
#include "tests/support/RectTest.h"

using namespace corvane;

// The primitives against tiny expected images.
class tst_Draw : public QObject {
    Q_OBJECT
private slots:
    void line_data();
    void line();
    void frame_data();
    void frame();
    void fill_data();
    void fill();
    void setPixelClips();
    void focusRect_data();
    void focusRect();
    void focusRectTwiceRestores();
    void otherFormats();
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
};

void tst_Draw::line_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QLine>("ends");
    QTest::addColumn<QString>("expected");
    const QSize s7(7, 7);
    auto row = [](const char* name, QSize size, int x1, int y1, int x2, int y2, const char* a) {
        QTest::newRow(name) << size << QLine(x1, y1, x2, y2) << QString(a);
    };
    row("zero length", s7, 3, 3, 3, 3, "....... ....... ....... ....... ....... ....... .......");
    row("east", s7, 3, 3, 6, 3, "....... ....... ....... ...###. ....... ....... .......");
    row("west", s7, 3, 3, 0, 3, "....... ....... ....... .###... ....... ....... .......");
    row("south", s7, 3, 3, 3, 6, "....... ....... ....... ...#... ...#... ...#... .......");
    row("north", s7, 3, 3, 3, 0, "....... ...#... ...#... ...#... ....... ....... .......");
    row("south-east", s7, 3, 3, 6, 6, "....... ....... ....... ...#... ....#.. .....#. .......");
    row("north-east", s7, 3, 3, 6, 0, "....... .....#. ....#.. ...#... ....... ....... .......");
    row("south-west", s7, 3, 3, 0, 6, "....... ....... ....... ...#... ..#.... .#..... .......");
    row("north-west", s7, 3, 3, 0, 0, "....... .#..... ..#.... ...#... ....... ....... .......");
    // Exact halves go back toward the start, so the reverse line differs.
    row("shallow tie", QSize(5, 3), 0, 0, 4, 2, "##... ..##. .....");
    row("shallow tie reversed", QSize(5, 3), 4, 2, 0, 0, "..... .##.. ...##");
    row("steep tie", QSize(3, 5), 0, 0, 2, 4, "#.. #.. .#. .#. ...");
    row("shallow thirds", QSize(7, 3), 0, 0, 6, 2, "##..... ..###.. .....#.");
    const QSize s5(5, 4);
    row("clip left and right", s5, -3, 1, 9, 1, "..... ##### ..... .....");
    row("clip right to left", s5, 9, 2, -3, 2, "..... ..... ##### .....");
    row("clip top and bottom", s5, 2, -4, 2, 9, "..#.. ..#.. ..#.. ..#..");
    row("clip diagonal", s5, -2, -2, 8, 8, "#.... .#... ..#.. ...#.");
    row("clip steep", s5, 1, -2, 3, 6, ".#... ..#.. ..#.. ..#..");
    row("end on the edge", s5, 0, 3, 5, 3, "..... ..... ..... #####");
    row("last column", s5, 4, 0, 4, 4, "....# ....# ....# ....#");
    row("wholly outside", s5, -5, -1, 10, -1, "..... ..... ..... .....");
    // Crosses x = 0 exactly half-way between rows 2 and 3: the half goes back to row 2.
    row("far outside", s5, -2000000000, 2, 2000000000, 3, "..... ..... #.... .####");
}

void tst_Draw::line() {
    QFETCH(QSize, size);
    QFETCH(QLine, ends);
    QFETCH(QString, expected);
    QImage img = art::blank(size.width(), size.height());
    DrawLine(img, ends.x1(), ends.y1(), ends.x2(), ends.y2(), art::kInk);
    QCOMPARE(art::toArt(img), expected);
}

void tst_Draw::frame_data() {
    QTest::addColumn<Rect>("ltrb");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* name, int l, int t, int r, int b, const char* a) {
        QTest::newRow(name) << Rect{l, t, r, b} << QString(a);
    };
    row("1x1", 2, 1, 3, 2, "..... ..#.. ..... .....");
    row("3x3", 1, 1, 4, 4, "..... .###. .#.#. .###.");
    row("2x1", 0, 0, 2, 1, "##... ..... ..... .....");
    row("1x3", 4, 0, 5, 3, "....# ....# ....# .....");
    row("empty", 2, 2, 2, 3, "..... ..... ..... .....");
    row("inverted", 3, 3, 1, 1, "..... ..... ..... .....");
    row("past right and bottom", 0, 0, 6, 5, "##### #.... #.... #....");
    row("past left and top", -1, -1, 3, 3, "..#.. ..#.. ###.. .....");
    row("around the image", -1, -1, 6, 5, "..... ..... ..... .....");
}

void tst_Draw::frame() {
    QFETCH(Rect, ltrb);
    QFETCH(QString, expected);
    QImage img = art::blank(5, 4);
    FrameRect(img, ltrb, art::kInk);
    QCOMPARE(art::toArt(img), expected);
}

void tst_Draw::fill_data() {
    QTest::addColumn<Rect>("ltrb");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* name, int l, int t, int r, int b, const char* a) {
        QTest::newRow(name) << Rect{l, t, r, b} << QString(a);
    };
    row("2x2", 1, 1, 3, 3, "..... .##.. .##.. .....");
    row("1x1", 4, 3, 5, 4, "..... ..... ..... ....#");
    row("clipped", -2, 2, 9, 9, "..... ..... ##### #####");
    row("empty", 3, 1, 3, 4, "..... ..... ..... .....");
    row("outside", 5, 0, 9, 4, "..... ..... ..... .....");
}

void tst_Draw::fill() {
    QFETCH(Rect, ltrb);
    QFETCH(QString, expected);
    QImage img = art::blank(5, 4);
    FillRect(img, ltrb, art::kInk);
    QCOMPARE(art::toArt(img), expected);
}

void tst_Draw::setPixelClips() {
    QImage img = art::blank(3, 2);
    for (const QPoint p : {QPoint(-1, 0), QPoint(3, 0), QPoint(0, -1), QPoint(0, 2)}) {
        SetPixel(img, p.x(), p.y(), art::kInk);
    }
    SetPixel(img, 2, 1, art::kInk);
    QCOMPARE(art::toArt(img), QStringLiteral("... ..#"));
    SetPixel(img, 0, 0, 0x00332211);
    QCOMPARE(img.pixel(0, 0), qRgb(0x11, 0x22, 0x33));
    QCOMPARE(GetPixel(img, 0, 0), 0x00332211u);
}

void tst_Draw::focusRect_data() {
    QTest::addColumn<Rect>("ltrb");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* name, int l, int t, int r, int b, const char* a) {
        QTest::newRow(name) << Rect{l, t, r, b} << QString(a);
    };
    row("whole image", 0, 0, 6, 5, "#.#.#. .....# #..... .....# #.#.#.");
    row("odd origin", 1, 1, 5, 4, "...... .#.#.. ....#. .#.#.. ......");
    row("one row: top and bottom cancel", 0, 2, 6, 3, "...... ...... ...... ...... ......");
    row("one column: sides cancel", 2, 0, 3, 5, "..#... ...... ...... ...... ..#...");
    row("clipped", -1, -1, 4, 3, "...... ...#.. #.#... ...... ......");
    row("empty", 2, 2, 2, 4, "...... ...... ...... ...... ......");
}

void tst_Draw::focusRect() {
    QFETCH(Rect, ltrb);
    QFETCH(QString, expected);
    QImage img = art::blank(6, 5);
    DrawFocusRect(img, ltrb);
    QCOMPARE(art::toArt(img), expected);
}

void tst_Draw::focusRectTwiceRestores() {
    QImage img(9, 7, QImage::Format_RGB32);
    img.fill(qRgb(0x12, 0x80, 0xC4));
    const QImage before = img.copy();
    DrawFocusRect(img, {1, 1, 8, 6});
    QCOMPARE(GetPixel(img, 1, 1), 0x003B7FEDu);  // inverted 0x00C48012
    QCOMPARE(GetPixel(img, 2, 1), 0x00C48012u);  // skipped
    DrawFocusRect(img, {1, 1, 8, 6});
    QCOMPARE(img, before);
}

void tst_Draw::otherFormats() {
    // Non-32-bit images take the slow path with the same rules.
    QImage img = art::blank(5, 4, QImage::Format_RGB888);
    FrameRect(img, {1, 1, 4, 4}, art::kInk);
    DrawLine(img, 0, 0, 5, 0, art::kInk);
    QCOMPARE(art::toArt(img.convertToFormat(QImage::Format_RGB32)),
             QStringLiteral("##### .###. .#.#. .###."));
}

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
    const int h = DrawTextEx(img, text, r, dt::CalcRect | dt::WordBreak | dt::Center | dt::VCenter,
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
    DrawTextEx(img, QStringLiteral("Save the file now please"), r, dt::WordBreak | dt::Center, font,
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
    QCOMPARE(DrawTextEx(img, QString(), e, dt::CalcRect, font, 0, nullptr), 0);
    QCOMPARE(e, (Rect{1, 2, 3, 4}));
}

void tst_Draw::accessKeyUnderlined() {
    // "&x" and "x" draw the same glyph; only the marked one has a line under it.
    const QFont font = testFont();
    QImage a = art::blank(40, 20);
    QImage b = art::blank(40, 20);
    Rect ra{0, 0, 40, 20};
    Rect rb = ra;
    DrawTextEx(a, QStringLiteral("&x"), ra, dt::Center, font, art::kInk, nullptr);
    DrawTextEx(b, QStringLiteral("x"), rb, dt::Center, font, art::kInk, nullptr);
    QVERIFY(a != b);
    const int baseline = QFontMetrics(font).ascent();
    for (int y = 0; y < baseline; ++y) {
        for (int x = 0; x < 40; ++x) {
            QCOMPARE(a.pixel(x, y), b.pixel(x, y));
        }
    }
    QImage c = art::blank(40, 20);
    Rect rc{0, 0, 40, 20};
    DrawTextEx(c, QStringLiteral("&&"), rc, dt::Center, font, art::kInk, nullptr);
    QImage d = art::blank(40, 20);
    Rect rd{0, 0, 40, 20};
    DrawTextEx(d, QStringLiteral("&"), rd, dt::Center | dt::NoPrefix, font, art::kInk, nullptr);
    QCOMPARE(c, d);
}

QTEST_MAIN(tst_Draw)
#include "tst_draw.moc"
