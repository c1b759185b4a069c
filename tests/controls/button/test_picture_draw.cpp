// The picture step of a button repaint and the transparent background, checked pixel by pixel
// without a toolkit (natively and under Wine). Pictures and expected faces are small ASCII-art
// images; one character per colour.
#include <doctest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/button/PictureDraw.h"
#include "controls/draw/Draw.h"

using namespace corvane;

namespace {

using Art = std::vector<std::string>;

constexpr Pixel rgb(int r, int g, int b) {
    return 0xFF000000u | static_cast<Pixel>(r) << 16 | static_cast<Pixel>(g) << 8 |
           static_cast<Pixel>(b);
}
constexpr Pixel rgba(int r, int g, int b, int a) {
    return (rgb(r, g, b) & 0xFFFFFFu) | static_cast<Pixel>(a) << 24;
}

constexpr Pixel kFace = rgb(64, 64, 64);
constexpr Pixel kLight = rgb(250, 240, 230);  // system colour 20 of the test palette
constexpr Pixel kDark = rgb(100, 90, 80);     // system colour 16
constexpr Pixel kButton = rgb(10, 200, 30);   // system colour 15

const struct {
    char c;
    Pixel rgb;
} kColours[] = {
    {'.', kFace},
    {'k', rgb(0, 0, 0)},
    {'R', rgb(255, 0, 0)},
    {'G', rgb(0, 255, 0)},
    {'B', rgb(0, 0, 255)},
    {'W', rgb(255, 255, 255)},
    {'s', rgb(146, 146, 146)},
    {'h', kLight},
    {'d', kDark},
    {'b', kButton},
    {'g', rgb(32, 160, 32)},  // 50% green over the face
};

Pixel colourOf(char c) {
    for (const auto& k : kColours) {
        if (k.c == c) {
            return k.rgb;
        }
    }
    REQUIRE_MESSAGE(c == ' ', "unknown art character");
    return 0;  // transparent (icons)
}

char charOf(Pixel p) {
    for (const auto& k : kColours) {
        if ((k.rgb & 0xFFFFFFu) == (p & 0xFFFFFFu)) {
            return k.c;
        }
    }
    return '?';
}

Image art(const Art& rows) {
    Image img(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            img.view().row(y)[x] =
                colourOf(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
        }
    }
    return img;
}

Art dump(const Image& img) {
    Art rows;
    for (int y = 0; y < img.height(); ++y) {
        std::string row;
        for (int x = 0; x < img.width(); ++x) {
            row += charOf(img.pixel(x, y));
        }
        rows.push_back(row);
    }
    return rows;
}

Image face(int w, int h) {
    return Image(w, h, kFace);
}

SystemPalette testPalette() {
    SystemPalette p;
    p.colours[20] = ColourOf(kLight);
    p.colours[16] = ColourOf(kDark);
    p.colours[15] = ColourOf(kButton);
    return p;
}

// A button's snapshot with a picture, and the rectangle its layout gave the picture.
struct PictureState : ButtonPaintState {
    Rect pictureRect;
    std::shared_ptr<const Image> kept;  // the pixels the snapshot sees
};

void draw(Image& img, const PictureState& s) {
    DrawPicture(img, s, s.pictureRect);
}

PictureState stateFor(FacePicture kind, const Image& picture, int natural, int drawn, Rect rect) {
    PictureState s;
    s.pictureKind = kind;
    s.kept = std::make_shared<const Image>(picture);
    s.picture = *s.kept;
    s.originalPicWidth = s.originalPicHeight = natural;
    s.pictureWidth = s.pictureHeight = drawn;
    s.pictureRect = rect;
    s.palette = testPalette();
    return s;
}
PictureState bitmap(const Art& rows, int natural, int drawn, Rect rect) {
    return stateFor(FacePicture::Bitmap, art(rows), natural, drawn, rect);
}
PictureState icon(const Art& rows, int natural, int drawn, Rect rect) {
    return stateFor(FacePicture::Icon, art(rows), natural, drawn, rect);
}

// '.' in a bitmap is black: the default mask colour.
const Art kBitmap = {"RG.B", "W..R", "B.G.", "RRRR"};

Art withPictureAt(int w, int h, int left, int top, const Art& picture, char keyChar) {
    Art rows(static_cast<std::size_t>(h), std::string(static_cast<std::size_t>(w), '.'));
    for (int y = 0; y < static_cast<int>(picture.size()); ++y) {
        const std::string& line = picture[static_cast<std::size_t>(y)];
        for (int x = 0; x < static_cast<int>(line.size()); ++x) {
            const char c = line[static_cast<std::size_t>(x)];
            if (c != keyChar && left + x >= 0 && left + x < w && top + y >= 0 && top + y < h) {
                rows[static_cast<std::size_t>(top + y)][static_cast<std::size_t>(left + x)] = c;
            }
        }
    }
    return rows;
}

Art blackAsKey(Art rows) {
    for (std::string& r : rows) {
        for (char& c : r) {
            c = c == '.' ? 'k' : c;
        }
    }
    return rows;
}

}  // namespace

TEST_CASE("a bitmap moves with the pressed look") {
    struct Row {
        int style;
        bool mouseOver, pressed;
        int offset;
    };
    std::vector<Row> rows;
    for (int style : {0, 1, 3, 4}) {
        rows.push_back({style, false, false, 0});  // normal
        rows.push_back({style, true, false, 0});   // hover
        rows.push_back({style, true, true, 1});    // pressed
        rows.push_back({style, false, true, 1});   // held outside
    }
    rows.push_back({2, false, false, 0});
    rows.push_back({2, true, true, 0});  // style 2 pressed does not move
    rows.push_back({7, false, true, 1});
    for (const Row& r : rows) {
        CAPTURE(r.style);
        CAPTURE(r.mouseOver);
        CAPTURE(r.pressed);
        PictureState s = bitmap(blackAsKey(kBitmap), 4, 4, {4, 4, 8, 8});
        s.buttonStyle = AsFaceStyle(r.style);
        s.flags.MouseOver = r.mouseOver;
        s.flags.Pressed = r.pressed;
        Image img = face(12, 12);
        draw(img, s);
        CHECK(dump(img) == withPictureAt(12, 12, 4 + r.offset, 4 + r.offset, kBitmap, '.'));
    }
}

TEST_CASE("a style-2 hover draws a silhouette under the raised picture") {
    PictureState s = bitmap(blackAsKey(kBitmap), 4, 4, {4, 4, 8, 8});
    s.buttonStyle = FaceStyle::Highlight;
    s.flags.MouseOver = true;
    Image img = face(10, 10);
    draw(img, s);
    // Silhouette at (4,4): everything but black (mask) and white; the picture at (1,1) over it.
    CHECK(dump(img) == Art{
                           "..........",
                           ".RG.B.....",
                           ".W..R.....",
                           ".B.G......",
                           ".RRRRs.s..",
                           ".......s..",
                           "....s.s...",
                           "....ssss..",
                           "..........",
                           "..........",
                       });
}

TEST_CASE("the mask colour is left out") {
    const Art picture = {"RkbW", "bRRk"};
    const struct {
        const char* name;
        std::uint32_t mask;
        Art expected;
    } rows[] = {
        {"black by default", 0, {"R.bW", "bRR."}},
        {"red, 0x000000FF", 0x0000FF, {".kbW", "b..k"}},
        {"white", 0xFFFFFF, {"Rkb.", "bRRk"}},
        {"near-black keys nothing", 0x010000, picture},
        {"system button face", 0x8000000F, {"Rk.W", ".RRk"}},
    };
    for (const auto& r : rows) {
        CAPTURE(r.name);
        PictureState s = bitmap(picture, 2, 2, {0, 0, 4, 2});
        s.originalPicWidth = s.pictureWidth = 4;
        s.maskColor = r.mask;
        Image img = face(4, 2);
        draw(img, s);
        CHECK(dump(img) == r.expected);
    }
}

TEST_CASE("a shrunk bitmap is keyed after shrinking") {
    // 32x32 of 2x2 blocks drawn at 16x16: the key applies to the shrunk pixels.
    const Art blocks = {"RkGk", "kBWk", "GGkR", "kkkB"};
    const auto scaled = [&blocks](std::size_t n, bool keyAsFace) {
        Art out;
        for (const std::string& row : blocks) {
            std::string wide;
            for (char c : row) {
                wide += std::string(n, keyAsFace && c == 'k' ? '.' : c);
            }
            for (std::size_t i = 0; i < n; ++i) {
                out.push_back(wide);
            }
        }
        return out;
    };
    PictureState s = bitmap(scaled(8, false), 32, 16, {2, 2, 18, 18});
    Image img = face(20, 20);
    draw(img, s);
    CHECK(dump(img) == withPictureAt(20, 20, 2, 2, scaled(4, true), '.'));
}

TEST_CASE("shrinking keeps the odd rows and columns") {
    // Like StretchBlt without blending: each drawn pixel is the source pixel under its centre.
    // Even columns are black (left out), odd ones red; even rows of the last column blue.
    Art big;
    for (int y = 0; y < 32; ++y) {
        std::string row;
        for (int x = 0; x < 32; ++x) {
            row += (x % 2) ? ((x == 31 && y % 2 == 0) ? 'B' : 'R') : 'k';
        }
        big.push_back(row);
    }
    PictureState s = bitmap(big, 32, 16, {0, 0, 16, 16});
    Image img = face(16, 16);
    draw(img, s);
    CHECK(dump(img) == Art(16, std::string(16, 'R')));
}

TEST_CASE("enlarging repeats pixels") {
    PictureState s = bitmap({"Rk", "GB"}, 2, 4, {0, 0, 4, 4});
    Image img = face(4, 4);
    draw(img, s);
    CHECK(dump(img) == Art{"RR..", "RR..", "GGBB", "GGBB"});
}

TEST_CASE("a disabled bitmap is embossed") {
    // Mask colour and white are background; every other pixel is ink: a highlight copy one
    // pixel down and right under a shadow copy.
    PictureState s = bitmap({"kRW", "Rkk", "kkG"}, 3, 3, {2, 2, 5, 5});
    s.enabled = false;
    Image img = face(8, 8);
    draw(img, s);
    CHECK(dump(img) == Art{
                           "........",
                           "........",
                           "...d....",
                           "..d.h...",
                           "...hd...",
                           ".....h..",
                           "........",
                           "........",
                       });
    // Pressed in style 0 it sinks by one pixel like the normal look.
    s.buttonStyle = FaceStyle::Raised;
    s.flags.Pressed = true;
    Image pressed = face(8, 8);
    draw(pressed, s);
    CHECK(dump(pressed) == Art{
                               "........",
                               "........",
                               "........",
                               "....d...",
                               "...d.h..",
                               "....hd..",
                               "......h.",
                               "........",
                           });
}

TEST_CASE("an icon keeps its alpha") {
    Image img2(2, 2);
    img2.view().row(0)[0] = rgba(255, 0, 0, 255);
    img2.view().row(0)[1] = rgba(0, 0, 255, 0);
    img2.view().row(1)[0] = rgba(0, 255, 0, 128);
    img2.view().row(1)[1] = rgba(0, 0, 0, 255);  // black stays: icons have no key colour
    PictureState s = stateFor(FacePicture::Icon, img2, 2, 4, {1, 1, 5, 5});
    Image img = face(6, 6);
    draw(img, s);
    CHECK(dump(img) == Art{
                           "......",
                           ".RR...",
                           ".RR...",
                           ".ggkk.",
                           ".ggkk.",
                           "......",
                       });
}

TEST_CASE("a disabled icon is embossed") {
    // Ink is every pixel that is not white once laid on white; the embossing happens at the
    // natural size, so a highlight falling off the icon's own square is lost.
    PictureState s = icon({"R  ", " W ", "  k"}, 3, 3, {1, 1, 4, 4});
    s.enabled = false;
    Image img = face(6, 6);
    draw(img, s);
    CHECK(dump(img) == Art{
                           "......",
                           ".d....",
                           "..h...",
                           "...d..",
                           "......",
                           "......",
                       });
}

TEST_CASE("a style-2 hover draws an icon's silhouette") {
    PictureState s = icon({"RG", " B"}, 2, 2, {4, 4, 6, 6});
    s.buttonStyle = FaceStyle::Highlight;
    s.flags.MouseOver = true;
    Image img = face(7, 7);
    draw(img, s);
    CHECK(dump(img) == Art{
                           ".......",
                           ".RG....",
                           "..B....",
                           ".......",
                           "....ss.",
                           ".....s.",
                           ".......",
                       });
}

TEST_CASE("pictures that are not drawn") {
    const struct {
        const char* name;
        FacePicture kind;
        int natural;
    } rows[] = {
        {"none", FacePicture::None, 4},
        {"empty picture or metafile", FacePicture::Other, 4},
        {"bitmap of natural size 0", FacePicture::Bitmap, 0},
        {"icon of natural size 0", FacePicture::Icon, 0},
    };
    for (const auto& r : rows) {
        for (bool enabled : {true, false}) {
            CAPTURE(r.name);
            CAPTURE(enabled);
            PictureState s = stateFor(r.kind, art({"RR", "RR"}), r.natural, 4, {1, 1, 5, 5});
            s.enabled = enabled;
            s.buttonStyle = FaceStyle::Highlight;
            s.flags.MouseOver = true;
            Image img = face(6, 6);
            draw(img, s);
            CHECK(dump(img) == Art(6, "......"));
        }
    }
}

TEST_CASE("pictures clip at the face's edges") {
    PictureState s = bitmap(blackAsKey(kBitmap), 4, 4, {-2, -1, 2, 3});
    Image img = face(3, 3);
    draw(img, s);
    CHECK(dump(img) == Art{".R.", "G..", "RR."});
    s.enabled = false;  // the highlight copy clips at the far edges too
    s.pictureRect = {1, 1, 5, 5};
    Image disabled = face(3, 3);
    draw(disabled, s);
    CHECK(dump(disabled) == Art{"...", ".dd", "..h"});
}

namespace {

Pixel pattern(int x, int y) {
    return rgb(x % 256, y % 256, (x * 7 + y) % 256);
}

Image patternImage(int w, int h) {
    Image img(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            img.view().row(y)[x] = pattern(x, y);
        }
    }
    return img;
}

}  // namespace

TEST_CASE("the container's picture under the control is copied") {
    const Image picture = patternImage(64, 300);
    const struct {
        const char* name;
        Point at;
    } rows[] = {
        {"control at 8,256", {8, 256}},
        {"top-left corner", {0, 0}},
        {"overhangs the right and bottom", {60, 295}},
        {"overhangs the left and top", {-5, -3}},
        {"wholly outside", {200, 0}},
    };
    for (const auto& r : rows) {
        CAPTURE(r.name);
        Image img = face(20, 10);
        CopyParentBackground(img, picture, r.at, true);
        // Pixels of the face that show the picture's block at `at`; the rest keep the face.
        int wrong = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const int px = r.at.x + x;
                const int py = r.at.y + y;
                const bool covered =
                    px >= 0 && py >= 0 && px < picture.width() && py < picture.height();
                wrong += img.pixel(x, y) != (covered ? pattern(px, py) : kFace);
            }
        }
        CHECK(wrong == 0);
    }
    // No picture leaves the cleared face.
    Image noPicture = face(20, 10);
    CopyParentBackground(noPicture, {}, {8, 256}, true);
    CHECK(dump(noPicture) == Art(10, std::string(20, '.')));
    // A picture with alpha is laid over the face.
    const Image translucent(4, 4, rgba(0, 255, 0, 128));
    Image blended = face(2, 2);
    CopyParentBackground(blended, translucent, {0, 0}, false);
    CHECK(dump(blended) == Art{"gg", "gg"});
}
