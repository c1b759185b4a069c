// The button's plain rules without a toolkit: colour arithmetic, the access key, the XP shade
// steps and shape, the layout, the enlargement for high-density screens. The same source runs
// natively and, cross-built, under Wine.
#include <doctest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/button/AccessKey.h"
#include "controls/button/ButtonColours.h"
#include "controls/button/ButtonLayout.h"
#include "controls/button/ButtonPaintState.h"
#include "controls/button/ButtonPainter.h"
#include "controls/button/XPLook.h"

using namespace corvane;

namespace {

struct ColourRow {
    const char* name;
    std::uint32_t colour;
    int amount;
    std::uint32_t expected;
};

}  // namespace

TEST_CASE("ShiftColor moves blue by its own share") {
    const ColourRow rows[] = {
        {"grey darker: blue by its share", 0x00808080u, -32, 0x006B6060u},
        {"grey lighter", 0x00808080u, 48, 0x00A0B0B0u},
        {"face +48", 0x00C0C0C0u, 48, 0x00F0F0F0u},
        {"blue share truncates toward zero", 0x00F0F0F0u, -5, 0x00EAEBEBu},
        {"limited at 255", 0x00F0F0F0u, 16, 0x00FFFFFFu},
        {"limited at 0", 0x00102030u, -64, 0x000B0000u},
        {"no blue stays no blue", 0x0000FFFFu, -100, 0x00009B9Bu},
        {"huge amount", 0x00808080u, 2147483647, 0x00FFFFFFu},
        {"huge negative", 0x00808080u, -2147483647 - 1, 0x00000000u},
    };
    for (const ColourRow& r : rows) {
        CAPTURE(r.name);
        CHECK(ShiftColor(r.colour, r.amount) == r.expected);
    }
}

TEST_CASE("LightenColor adds the same to every component") {
    const ColourRow rows[] = {
        {"same for every component", 0x00C0C0C0u, 8, 0x00C8C8C8u},
        {"limited at 255", 0x00F8F0E0u, 16, 0x00FFFFF0u},
        {"negative depth limited at 0", 0x00200510u, -16, 0x00100000u},
    };
    for (const ColourRow& r : rows) {
        CAPTURE(r.name);
        CHECK(LightenColor(r.colour, r.amount) == r.expected);
    }
}

TEST_CASE("SplitColor and JoinRgb") {
    const SplitRgb s = SplitColor(0x006A240Au);
    CHECK(s.red == 10.0);
    CHECK(s.green == 36.0);
    CHECK(s.blue == 106.0);
    CHECK(JoinRgb(10 + 171, 36 + 154, 106 + 108) == 0x00D6BEB5u);  // the style-2 hover
    CHECK(JoinRgb(300, -4, 255) == 0x00FF00FFu);
}

TEST_CASE("the access key is the character after the first ampersand groups") {
    const struct {
        const char16_t* caption;
        const char16_t* key;
    } rows[] = {
        {u"&Save", u"S"},
        {u"Save && Exit", u""},
        {u"&&x&y", u"y"},               // after a doubled pair
        {u"a&&b&&c&d", u""},            // a third group is never looked at
        {u"Op&en", u"e"},               // inside a word
        {u"E&XIT", u"X"},               // as written: a shell lowers it
        {u"Save&", u""},                // trailing ampersand
        {u"&&", u""},                   // only an ampersand pair
        {u"&", u""},                    // too short
        {u"", u""},                     // empty
        {u"Save", u""},                 // no ampersand
        {u"a&&b&", u""},                // a pair, then a trailing one
        {u"&&&&x", u""},                // a pair, then a pair
        {u"a& b", u" "},                // a space marked
        {u"&\xD83D\xDE00", u"\xD83D"},  // one UTF-16 unit, a lone surrogate included
    };
    for (const auto& r : rows) {
        const std::u16string caption = r.caption;
        CAPTURE(std::string(caption.begin(), caption.end()));
        CHECK(ParseAccessKey(caption) == std::u16string(r.key));
    }
}

TEST_CASE("XP shade steps round halves to even") {
    const struct {
        int height, range, i, expected;
    } rows[] = {
        // 25 / 33 in single precision is 0.757575750...
        {33, 25, 1, -1},
        {33, 25, 2, -2},
        {33, 25, 3, -2},
        {33, 25, 10, -8},
        {33, 25, 33, -25},
        // 25 / 50 is exactly 0.5: exact halves round to even.
        {50, 25, 1, 0},
        {50, 25, 3, -2},
        {50, 25, 5, -2},
        {30, 15, 1, 0},
        {30, 15, 15, -8},  // pressed
    };
    for (const auto& r : rows) {
        CAPTURE(r.height);
        CAPTURE(r.i);
        const float step = static_cast<float>(r.range) / static_cast<float>(r.height);
        CHECK(XPShade(step, r.i) == r.expected);
    }
}

TEST_CASE("the XP shape loses three pixels at each corner") {
    const struct {
        int w, h;
        std::vector<Rect> rows;
    } rows[] = {
        {249,
         33,
         {{2, 0, 247, 1}, {1, 1, 248, 2}, {0, 2, 249, 31}, {1, 31, 248, 32}, {2, 32, 247, 33}}},
        {10, 4, {{2, 0, 8, 1}, {1, 1, 9, 3}, {2, 3, 8, 4}}},
        {3, 3, {{1, 1, 2, 2}}},  // the cuts meet
        {0, 5, {}},
    };
    for (const auto& r : rows) {
        CAPTURE(r.w);
        CAPTURE(r.h);
        CHECK(XPRegion(r.w, r.h) == r.rows);
    }
}

TEST_CASE("layout of picture and caption") {
    // Content area (4, 4, 96, 56) of a 100 x 60 button; the caption measures 30 x 14.
    const Rect prevPic{1, 2, 3, 4};
    const Rect prevText{5, 6, 7, 8};
    const struct {
        const char* name;
        int w, h;
        bool hasPicture, captionEmpty;
        int position, pictureSize;
        Rect picture, text;
    } rows[] = {
        {"above", 100, 60, true, false, 0, 32, {34, 5, 66, 37}, {35, 41, 65, 55}},
        {"left", 100, 60, true, false, 1, 32, {17, 14, 49, 46}, {53, 23, 83, 37}},
        {"right", 100, 60, true, false, 2, 32, {51, 14, 83, 46}, {17, 23, 47, 37}},
        {"below", 100, 60, true, false, 3, 32, {34, 23, 66, 55}, {35, 5, 65, 19}},
        {"unknown position keeps the picture",
         100,
         60,
         true,
         false,
         7,
         32,
         prevPic,
         {35, 23, 65, 37}},
        {"no picture: caption centred", 100, 60, false, false, 1, 32, prevPic, {35, 23, 65, 37}},
        {"picture alone: centred, caption kept",
         100,
         60,
         true,
         true,
         1,
         32,
         {34, 14, 66, 46},
         prevText},
        // Larger than the area: (22 - 33) / 2 truncates to -5, not -6.
        {"overhang truncates toward zero", 30, 20, true, true, 1, 33, {-1, -6, 32, 27}, prevText},
    };
    for (const auto& r : rows) {
        CAPTURE(r.name);
        ButtonPaintState in;
        in.width = r.w;
        in.height = r.h;
        // An empty picture object counts as a picture.
        in.pictureKind = r.hasPicture ? FacePicture::Other : FacePicture::None;
        in.caption = r.captionEmpty ? u"" : u"caption";
        in.picturePosition = AsPictureSide(r.position);
        in.pictureWidth = in.pictureHeight = r.pictureSize;
        in.previousLayout.picture = prevPic;
        in.previousLayout.text = prevText;
        const Rect inner = InnerRect(in.width, in.height);
        CHECK(inner == Rect{4, 4, in.width - 4, in.height - 4});
        const Rect measured{inner.left, inner.top, inner.left + 30, inner.top + 14};
        const ButtonLayout out = CalcLayout(in, measured);
        CHECK(out.full == Rect{0, 0, in.width - 1, in.height - 1});
        CHECK(out.inner == inner);
        CHECK(out.picture == r.picture);
        CHECK(out.text == r.text);
    }
}

TEST_CASE("EnlargeNearest gives each logical pixel a block") {
    const struct {
        const char* name;
        std::string logical;  // one row, a letter per pixel
        int dw, dh;
        std::vector<std::string> expected;
    } rows[] = {
        {"whole ratio", "ab", 4, 2, {"aabb", "aabb"}},
        {"ratio 3", "ab", 6, 3, {"aaabbb", "aaabbb", "aaabbb"}},
        {"ratio 1.5", "ab", 3, 2, {"aab", "aab"}},
        {"ratio 4/3", "abc", 4, 1, {"aabc"}},
        {"ratio 1", "abc", 3, 1, {"abc"}},
    };
    const auto colour = [](char c) {
        return 0xFF000000u | static_cast<Pixel>(static_cast<unsigned char>(c)) << 16 |
               static_cast<Pixel>(255 - static_cast<unsigned char>(c));
    };
    for (const auto& r : rows) {
        CAPTURE(r.name);
        Image in(static_cast<int>(r.logical.size()), 1);
        for (int x = 0; x < in.width(); ++x) {
            in.view().row(0)[x] = colour(r.logical[static_cast<std::size_t>(x)]);
        }
        Image out(r.dw, r.dh, 0);
        EnlargeNearest(std::as_const(in), out);
        for (int y = 0; y < r.dh; ++y) {
            for (int x = 0; x < r.dw; ++x) {
                CHECK(out.pixel(x, y) ==
                      colour(r.expected[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
            }
        }
    }
}
