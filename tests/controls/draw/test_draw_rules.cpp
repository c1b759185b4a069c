// The drawing layer's pixel rules against tiny expected images, with no toolkit: the same
// source runs natively and, cross-built, under Wine.
#include <doctest.h>

#include <string>
#include <vector>

#include "controls/draw/Draw.h"
#include "controls/draw/Image.h"

using namespace corvane;

namespace {

// Tiny images written as text: '#' is ink (black), '.' paper (white), '?' anything else. Rows
// are separated by spaces, so that an expected image fits on one line of a table row.
constexpr ColourRef kInk = 0x000000;
constexpr ColourRef kPaper = 0xFFFFFF;

Image blank(int w, int h) {
    return Image(w, h, PixelOf(kPaper));
}

std::string toArt(const Image& img) {
    std::string out;
    for (int y = 0; y < img.height(); ++y) {
        if (y > 0) {
            out += ' ';
        }
        for (int x = 0; x < img.width(); ++x) {
            const ColourRef c = ColourOf(img.pixel(x, y));
            out += c == kInk ? '#' : c == kPaper ? '.' : '?';
        }
    }
    return out;
}

struct LineRow {
    const char* name;
    int w, h, x1, y1, x2, y2;
    const char* expected;
};

struct RectRow {
    const char* name;
    Rect ltrb;
    const char* expected;
};

}  // namespace

TEST_CASE("a line leaves out its end point and clips to the image") {
    const LineRow rows[] = {
        {"zero length", 7, 7, 3, 3, 3, 3,
         "....... ....... ....... ....... ....... ....... ......."},
        {"east", 7, 7, 3, 3, 6, 3, "....... ....... ....... ...###. ....... ....... ......."},
        {"west", 7, 7, 3, 3, 0, 3, "....... ....... ....... .###... ....... ....... ......."},
        {"south", 7, 7, 3, 3, 3, 6, "....... ....... ....... ...#... ...#... ...#... ......."},
        {"north", 7, 7, 3, 3, 3, 0, "....... ...#... ...#... ...#... ....... ....... ......."},
        {"south-east", 7, 7, 3, 3, 6, 6, "....... ....... ....... ...#... ....#.. .....#. ......."},
        {"north-east", 7, 7, 3, 3, 6, 0, "....... .....#. ....#.. ...#... ....... ....... ......."},
        {"south-west", 7, 7, 3, 3, 0, 6, "....... ....... ....... ...#... ..#.... .#..... ......."},
        {"north-west", 7, 7, 3, 3, 0, 0, "....... .#..... ..#.... ...#... ....... ....... ......."},
        // Exact halves go back toward the start, so the reverse line differs.
        {"shallow tie", 5, 3, 0, 0, 4, 2, "##... ..##. ....."},
        {"shallow tie reversed", 5, 3, 4, 2, 0, 0, "..... .##.. ...##"},
        {"steep tie", 3, 5, 0, 0, 2, 4, "#.. #.. .#. .#. ..."},
        {"shallow thirds", 7, 3, 0, 0, 6, 2, "##..... ..###.. .....#."},
        {"clip left and right", 5, 4, -3, 1, 9, 1, "..... ##### ..... ....."},
        {"clip right to left", 5, 4, 9, 2, -3, 2, "..... ..... ##### ....."},
        {"clip top and bottom", 5, 4, 2, -4, 2, 9, "..#.. ..#.. ..#.. ..#.."},
        {"clip diagonal", 5, 4, -2, -2, 8, 8, "#.... .#... ..#.. ...#."},
        {"clip steep", 5, 4, 1, -2, 3, 6, ".#... ..#.. ..#.. ..#.."},
        {"end on the edge", 5, 4, 0, 3, 5, 3, "..... ..... ..... #####"},
        {"last column", 5, 4, 4, 0, 4, 4, "....# ....# ....# ....#"},
        {"wholly outside", 5, 4, -5, -1, 10, -1, "..... ..... ..... ....."},
        // Crosses x = 0 exactly half-way between rows 2 and 3: the half goes back to row 2.
        {"far outside", 5, 4, -2000000000, 2, 2000000000, 3, "..... ..... #.... .####"},
    };
    for (const LineRow& r : rows) {
        CAPTURE(r.name);
        Image img = blank(r.w, r.h);
        DrawLine(img, r.x1, r.y1, r.x2, r.y2, kInk);
        CHECK(toArt(img) == r.expected);
    }
}

TEST_CASE("a frame paints the inside border of its rectangle") {
    const RectRow rows[] = {
        {"1x1", {2, 1, 3, 2}, "..... ..#.. ..... ....."},
        {"3x3", {1, 1, 4, 4}, "..... .###. .#.#. .###."},
        {"2x1", {0, 0, 2, 1}, "##... ..... ..... ....."},
        {"1x3", {4, 0, 5, 3}, "....# ....# ....# ....."},
        {"empty", {2, 2, 2, 3}, "..... ..... ..... ....."},
        {"inverted", {3, 3, 1, 1}, "..... ..... ..... ....."},
        {"past right and bottom", {0, 0, 6, 5}, "##### #.... #.... #...."},
        {"past left and top", {-1, -1, 3, 3}, "..#.. ..#.. ###.. ....."},
        {"around the image", {-1, -1, 6, 5}, "..... ..... ..... ....."},
    };
    for (const RectRow& r : rows) {
        CAPTURE(r.name);
        Image img = blank(5, 4);
        FrameRect(img, r.ltrb, kInk);
        CHECK(toArt(img) == r.expected);
    }
}

TEST_CASE("a fill paints every pixel of its rectangle inside the image") {
    const RectRow rows[] = {
        {"2x2", {1, 1, 3, 3}, "..... .##.. .##.. ....."},
        {"1x1", {4, 3, 5, 4}, "..... ..... ..... ....#"},
        {"clipped", {-2, 2, 9, 9}, "..... ..... ##### #####"},
        {"empty", {3, 1, 3, 4}, "..... ..... ..... ....."},
        {"outside", {5, 0, 9, 4}, "..... ..... ..... ....."},
    };
    for (const RectRow& r : rows) {
        CAPTURE(r.name);
        Image img = blank(5, 4);
        FillRect(img, r.ltrb, kInk);
        CHECK(toArt(img) == r.expected);
    }
}

TEST_CASE("a pixel outside the image is skipped, and a colour is written opaque") {
    Image img = blank(3, 2);
    for (const Point p : {Point{-1, 0}, Point{3, 0}, Point{0, -1}, Point{0, 2}}) {
        SetPixel(img, p.x, p.y, kInk);
    }
    SetPixel(img, 2, 1, kInk);
    CHECK(toArt(img) == "... ..#");
    SetPixel(img, 0, 0, 0xAB332211);  // the top byte is ignored
    CHECK(img.pixel(0, 0) == 0xFF112233u);
}

TEST_CASE("a view draws into memory it does not own, row by row at its stride") {
    std::vector<Pixel> memory(4 * 3, 0x12345678u);  // 3 rows of 4 pixels, 2 of them shown
    const ImageView view{memory.data(), 2, 3, 4};
    FillRect(view, {-1, -1, 9, 9}, kInk);
    DrawLine(view, 1, 0, 1, 3, kPaper);
    for (std::size_t i = 0; i < memory.size(); ++i) {
        CAPTURE(i);
        const std::size_t x = i % 4;
        CHECK(memory[i] == (x >= 2 ? 0x12345678u : x == 1 ? 0xFFFFFFFFu : 0xFF000000u));
    }
}

TEST_CASE("a focus rectangle inverts a checkerboard of its border") {
    const RectRow rows[] = {
        {"whole image", {0, 0, 6, 5}, "#.#.#. .....# #..... .....# #.#.#."},
        {"odd origin", {1, 1, 5, 4}, "...... .#.#.. ....#. .#.#.. ......"},
        {"one row: top and bottom cancel", {0, 2, 6, 3}, "...... ...... ...... ...... ......"},
        {"one column: sides cancel", {2, 0, 3, 5}, "..#... ...... ...... ...... ..#..."},
        {"clipped", {-1, -1, 4, 3}, "...... ...#.. #.#... ...... ......"},
        {"empty", {2, 2, 2, 4}, "...... ...... ...... ...... ......"},
    };
    for (const RectRow& r : rows) {
        CAPTURE(r.name);
        Image img = blank(6, 5);
        DrawFocusRect(img, r.ltrb);
        CHECK(toArt(img) == r.expected);
    }
}

TEST_CASE("a focus rectangle drawn twice restores the image") {
    Image img(9, 7, PixelOf(0x00C48012));
    const Image before = img;
    DrawFocusRect(img, {1, 1, 8, 6});
    CHECK(ColourOf(img.pixel(1, 1)) == 0x003B7FEDu);  // inverted 0x00C48012
    CHECK(ColourOf(img.pixel(2, 1)) == 0x00C48012u);  // skipped
    DrawFocusRect(img, {1, 1, 8, 6});
    CHECK(img == before);
}
