// The picture step of a button repaint and the transparent background, checked pixel by
// pixel. Pictures and expected faces are small ASCII-art images; one character per colour.
#include <QTest>
#include <QWidget>

#include "controls/button/PictureDraw.h"
#include "controls/button/qt/QtButtonFace.h"
#include "controls/draw/qt/QtText.h"
#include "controls/host/BackgroundPicture.h"
#include "controls/host/qt/QtSystemColours.h"

using namespace corvane;

namespace {

const QRgb kFace = qRgb(64, 64, 64);
const QRgb kLight = qRgb(250, 240, 230);  // system colour 20 of the test palette
const QRgb kDark = qRgb(100, 90, 80);     // system colour 16
const QRgb kButton = qRgb(10, 200, 30);   // system colour 15

const QList<QPair<QChar, QRgb>> kColours = {
    {'.', kFace},
    {'k', qRgb(0, 0, 0)},
    {'R', qRgb(255, 0, 0)},
    {'G', qRgb(0, 255, 0)},
    {'B', qRgb(0, 0, 255)},
    {'W', qRgb(255, 255, 255)},
    {'s', qRgb(146, 146, 146)},
    {'h', kLight},
    {'d', kDark},
    {'b', kButton},
    {'g', qRgb(32, 160, 32)},  // 50% green over the face
};

QRgb colourOf(QChar c) {
    for (const auto& [ch, rgb] : kColours) {
        if (ch == c) {
            return rgb;
        }
    }
    if (c == ' ') {
        return qRgba(0, 0, 0, 0);  // transparent (icons)
    }
    qFatal("unknown art character");
}

QChar charOf(QRgb rgb) {
    for (const auto& [ch, c] : kColours) {
        if ((c & 0xFFFFFF) == (rgb & 0xFFFFFF)) {
            return ch;
        }
    }
    return '?';
}

QImage art(const QStringList& rows, QImage::Format format = QImage::Format_RGB32) {
    QImage img(static_cast<int>(rows.first().size()), static_cast<int>(rows.size()), format);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            img.setPixel(x, y, colourOf(rows.at(y).at(x)));
        }
    }
    return img;
}

QStringList dump(const QImage& img) {
    QStringList rows;
    for (int y = 0; y < img.height(); ++y) {
        QString row;
        for (int x = 0; x < img.width(); ++x) {
            row += charOf(img.pixel(x, y));
        }
        rows << row;
    }
    return rows;
}

QImage face(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kFace);
    return img;
}

QPalette testPalette() {
    QPalette p;
    p.setColor(QPalette::Light, QColor(kLight));
    p.setColor(QPalette::Dark, QColor(kDark));
    p.setColor(QPalette::Button, QColor(kButton));
    return p;
}

// A button's snapshot with a picture, and the rectangle its layout gave the picture.
struct PictureState : ButtonPaintState {
    Rect pictureRect;
    Picture kept;  // the pixels the snapshot sees
};

void draw(QImage& img, const PictureState& s) {
    DrawPicture(ViewOf(img), s, s.pictureRect);
}

PictureState stateFor(const Picture& picture, int natural, int drawn, Rect rect) {
    PictureState s;
    s.kept = picture;
    SetFacePicture(s, s.kept);
    s.originalPicWidth = s.originalPicHeight = natural;
    s.pictureWidth = s.pictureHeight = drawn;
    s.pictureRect = rect;
    s.palette = PaletteOf(testPalette());
    return s;
}

// '.' in a bitmap is black: the default mask colour.
const QStringList kBitmap = {"RG.B", "W..R", "B.G.", "RRRR"};

QStringList withPictureAt(int w, int h, int left, int top, const QStringList& picture,
                          QChar keyChar) {
    QStringList rows(h, QString(w, '.'));
    for (int y = 0; y < picture.size(); ++y) {
        for (int x = 0; x < picture.at(y).size(); ++x) {
            const QChar c = picture.at(y).at(x);
            if (c != keyChar && left + x >= 0 && left + x < w && top + y >= 0 && top + y < h) {
                rows[top + y][left + x] = c;
            }
        }
    }
    return rows;
}

QStringList blackAsKey(QStringList rows) {
    for (QString& r : rows) {
        r.replace('.', 'k');
    }
    return rows;
}

}  // namespace

class TestContainer : public QWidget, public BackgroundPictureProvider {
public:
    QImage picture;
    const QImage* BackgroundPicture() const override { return &picture; }
};

class tst_PictureDraw : public QObject {
    Q_OBJECT
private slots:
    void bitmapOffsets_data();
    void bitmapOffsets();
    void styleTwoHoverDrawsSilhouetteUnderRaisedPicture();
    void maskColour_data();
    void maskColour();
    void shrinkThenKey();
    void shrinkKeepsOddRowsAndColumns();
    void enlargeRepeatsPixels();
    void disabledBitmapIsEmbossed();
    void iconKeepsItsAlpha();
    void disabledIconIsEmbossed();
    void styleTwoHoverIconSilhouette();
    void notDrawn_data();
    void notDrawn();
    void clipsAtTheFaceEdges();
    void copyParentBackground_data();
    void copyParentBackground();
    void copyParentBackgroundFromWidgets();
};

void tst_PictureDraw::bitmapOffsets_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("mouseOver");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<int>("offset");
    for (int style : {0, 1, 3, 4}) {
        const QByteArray s = QByteArray::number(style);
        QTest::newRow("style " + s + " normal") << style << false << false << 0;
        QTest::newRow("style " + s + " hover") << style << true << false << 0;
        QTest::newRow("style " + s + " pressed") << style << true << true << 1;
        QTest::newRow("style " + s + " held outside") << style << false << true << 1;
    }
    QTest::newRow("style 2 normal") << 2 << false << false << 0;
    QTest::newRow("style 2 pressed does not move") << 2 << true << true << 0;
    QTest::newRow("style 7 pressed") << 7 << false << true << 1;
}

void tst_PictureDraw::bitmapOffsets() {
    QFETCH(int, style);
    QFETCH(bool, mouseOver);
    QFETCH(bool, pressed);
    QFETCH(int, offset);
    PictureState s = stateFor(Picture::bitmap(art(blackAsKey(kBitmap))), 4, 4, {4, 4, 8, 8});
    s.buttonStyle = AsFaceStyle(style);
    s.flags.MouseOver = mouseOver;
    s.flags.Pressed = pressed;
    QImage img = face(12, 12);
    draw(img, s);
    QCOMPARE(dump(img), withPictureAt(12, 12, 4 + offset, 4 + offset, kBitmap, '.'));
}

void tst_PictureDraw::styleTwoHoverDrawsSilhouetteUnderRaisedPicture() {
    PictureState s = stateFor(Picture::bitmap(art(blackAsKey(kBitmap))), 4, 4, {4, 4, 8, 8});
    s.buttonStyle = FaceStyle::Highlight;
    s.flags.MouseOver = true;
    QImage img = face(10, 10);
    draw(img, s);
    // Silhouette at (4,4): everything but black (mask) and white; the picture at (1,1) over it.
    QCOMPARE(dump(img), (QStringList{
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
                        }));
}

void tst_PictureDraw::maskColour_data() {
    QTest::addColumn<quint32>("mask");
    QTest::addColumn<QStringList>("expected");
    const QStringList picture = {"RkbW", "bRRk"};
    QTest::newRow("black by default") << quint32(0) << QStringList{"R.bW", "bRR."};
    QTest::newRow("red, 0x000000FF") << quint32(0x0000FF) << QStringList{".kbW", "b..k"};
    QTest::newRow("white") << quint32(0xFFFFFF) << QStringList{"Rkb.", "bRRk"};
    QTest::newRow("near-black keys nothing") << quint32(0x010000) << picture;
    QTest::newRow("system button face") << quint32(0x8000000F) << QStringList{"Rk.W", ".RRk"};
}

void tst_PictureDraw::maskColour() {
    QFETCH(quint32, mask);
    QFETCH(QStringList, expected);
    PictureState s = stateFor(Picture::bitmap(art({"RkbW", "bRRk"})), 2, 2, {0, 0, 4, 2});
    s.originalPicWidth = s.pictureWidth = 4;
    s.maskColor = mask;
    QImage img = face(4, 2);
    draw(img, s);
    QCOMPARE(dump(img), expected);
}

void tst_PictureDraw::shrinkThenKey() {
    // 32x32 of 2x2 blocks drawn at 16x16: the key applies to the shrunk pixels.
    const QStringList blocks = {"RkGk", "kBWk", "GGkR", "kkkB"};
    QStringList big;
    for (const QString& row : blocks) {
        QString wide;
        for (QChar c : row) {
            wide += QString(8, c);
        }
        for (int i = 0; i < 8; ++i) {
            big << wide;
        }
    }
    PictureState s = stateFor(Picture::bitmap(art(big)), 32, 16, {2, 2, 18, 18});
    QImage img = face(20, 20);
    draw(img, s);
    QStringList small;
    for (const QString& row : blocks) {
        QString wide;
        for (QChar c : row) {
            wide += QString(4, c == 'k' ? '.' : c);
        }
        for (int i = 0; i < 4; ++i) {
            small << wide;
        }
    }
    QCOMPARE(dump(img), withPictureAt(20, 20, 2, 2, small, '.'));
}

void tst_PictureDraw::shrinkKeepsOddRowsAndColumns() {
    // Like StretchBlt without blending: each drawn pixel is the source pixel under its centre.
    // Even columns are black (left out), odd ones red; even rows of the last column blue.
    QStringList big;
    for (int y = 0; y < 32; ++y) {
        QString row;
        for (int x = 0; x < 32; ++x) {
            row += (x % 2) ? ((x == 31 && y % 2 == 0) ? 'B' : 'R') : 'k';
        }
        big << row;
    }
    PictureState s = stateFor(Picture::bitmap(art(big)), 32, 16, {0, 0, 16, 16});
    QImage img = face(16, 16);
    draw(img, s);
    QCOMPARE(dump(img), QStringList(16, QString(16, 'R')));
}

void tst_PictureDraw::enlargeRepeatsPixels() {
    PictureState s = stateFor(Picture::bitmap(art({"Rk", "GB"})), 2, 4, {0, 0, 4, 4});
    QImage img = face(4, 4);
    draw(img, s);
    QCOMPARE(dump(img), (QStringList{"RR..", "RR..", "GGBB", "GGBB"}));
}

void tst_PictureDraw::disabledBitmapIsEmbossed() {
    // Mask colour and white are background; every other pixel is ink: a highlight copy one
    // pixel down and right under a shadow copy.
    PictureState s = stateFor(Picture::bitmap(art({"kRW", "Rkk", "kkG"})), 3, 3, {2, 2, 5, 5});
    s.enabled = false;
    QImage img = face(8, 8);
    draw(img, s);
    QCOMPARE(dump(img), (QStringList{
                            "........",
                            "........",
                            "...d....",
                            "..d.h...",
                            "...hd...",
                            ".....h..",
                            "........",
                            "........",
                        }));
    // Pressed in style 0 it sinks by one pixel like the normal look.
    s.buttonStyle = FaceStyle::Raised;
    s.flags.Pressed = true;
    QImage pressed = face(8, 8);
    draw(pressed, s);
    QCOMPARE(dump(pressed), (QStringList{
                                "........",
                                "........",
                                "........",
                                "....d...",
                                "...d.h..",
                                "....hd..",
                                "......h.",
                                "........",
                            }));
}

void tst_PictureDraw::iconKeepsItsAlpha() {
    QImage icon(2, 2, QImage::Format_ARGB32);
    icon.setPixel(0, 0, qRgba(255, 0, 0, 255));
    icon.setPixel(1, 0, qRgba(0, 0, 255, 0));
    icon.setPixel(0, 1, qRgba(0, 255, 0, 128));
    icon.setPixel(1, 1, qRgba(0, 0, 0, 255));  // black stays: icons have no key colour
    PictureState s = stateFor(Picture::icon(icon), 2, 4, {1, 1, 5, 5});
    QImage img = face(6, 6);
    draw(img, s);
    QCOMPARE(dump(img), (QStringList{
                            "......",
                            ".RR...",
                            ".RR...",
                            ".ggkk.",
                            ".ggkk.",
                            "......",
                        }));
}

void tst_PictureDraw::disabledIconIsEmbossed() {
    // Ink is every pixel that is not white once laid on white; the embossing happens at the
    // natural size, so a highlight falling off the icon's own square is lost.
    const QImage icon = art({"R  ", " W ", "  k"}, QImage::Format_ARGB32);
    PictureState s = stateFor(Picture::icon(icon), 3, 3, {1, 1, 4, 4});
    s.enabled = false;
    QImage img = face(6, 6);
    draw(img, s);
    QCOMPARE(dump(img), (QStringList{
                            "......",
                            ".d....",
                            "..h...",
                            "...d..",
                            "......",
                            "......",
                        }));
}

void tst_PictureDraw::styleTwoHoverIconSilhouette() {
    const QImage icon = art({"RG", " B"}, QImage::Format_ARGB32);
    PictureState s = stateFor(Picture::icon(icon), 2, 2, {4, 4, 6, 6});
    s.buttonStyle = FaceStyle::Highlight;
    s.flags.MouseOver = true;
    QImage img = face(7, 7);
    draw(img, s);
    QCOMPARE(dump(img), (QStringList{
                            ".......",
                            ".RG....",
                            "..B....",
                            ".......",
                            "....ss.",
                            ".....s.",
                            ".......",
                        }));
}

void tst_PictureDraw::notDrawn_data() {
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<int>("natural");
    QTest::newRow("none") << Picture::none() << 4;
    QTest::newRow("empty picture") << Picture::empty() << 4;
    QTest::newRow("metafile") << Picture::metafile(1000, 1000) << 4;
    QTest::newRow("bitmap of natural size 0") << Picture::bitmap(art({"RR", "RR"})) << 0;
    QTest::newRow("icon of natural size 0")
        << Picture::icon(art({"RR", "RR"}, QImage::Format_ARGB32)) << 0;
}

void tst_PictureDraw::notDrawn() {
    QFETCH(Picture, picture);
    QFETCH(int, natural);
    for (bool enabled : {true, false}) {
        PictureState s = stateFor(picture, natural, 4, {1, 1, 5, 5});
        s.enabled = enabled;
        s.buttonStyle = FaceStyle::Highlight;
        s.flags.MouseOver = true;
        QImage img = face(6, 6);
        draw(img, s);
        QCOMPARE(dump(img), QStringList(6, "......"));
    }
}

void tst_PictureDraw::clipsAtTheFaceEdges() {
    PictureState s = stateFor(Picture::bitmap(art(blackAsKey(kBitmap))), 4, 4, {-2, -1, 2, 3});
    QImage img = face(3, 3);
    draw(img, s);
    QCOMPARE(dump(img), (QStringList{".R.", "G..", "RR."}));
    s.enabled = false;  // the highlight copy clips at the far edges too
    s.pictureRect = {1, 1, 5, 5};
    QImage disabled = face(3, 3);
    draw(disabled, s);
    QCOMPARE(dump(disabled), (QStringList{"...", ".dd", "..h"}));
}

namespace {

QRgb pattern(int x, int y) {
    return qRgb(x % 256, y % 256, (x * 7 + y) % 256);
}

QImage patternImage(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            img.setPixel(x, y, pattern(x, y));
        }
    }
    return img;
}

// Pixels of the face that show the picture's block at `at`; the rest must keep the face.
void checkBlock(const QImage& img, QPoint at, QSize picture) {
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const int px = at.x() + x;
            const int py = at.y() + y;
            const bool covered =
                px >= 0 && py >= 0 && px < picture.width() && py < picture.height();
            const QRgb want = covered ? pattern(px, py) : kFace;
            if (img.pixel(x, y) != want) {
                QFAIL(qPrintable(QStringLiteral("pixel (%1,%2) is %3, want %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(img.pixel(x, y), 8, 16)
                                     .arg(want, 8, 16)));
            }
        }
    }
}

}  // namespace

void tst_PictureDraw::copyParentBackground_data() {
    QTest::addColumn<QPoint>("at");
    QTest::newRow("control at 8,256") << QPoint(8, 256);
    QTest::newRow("top-left corner") << QPoint(0, 0);
    QTest::newRow("overhangs the right and bottom") << QPoint(60, 295);
    QTest::newRow("overhangs the left and top") << QPoint(-5, -3);
    QTest::newRow("wholly outside") << QPoint(200, 0);
}

void tst_PictureDraw::copyParentBackground() {
    QFETCH(QPoint, at);
    const QImage picture = patternImage(64, 300);
    QImage img = face(20, 10);
    CopyParentBackground(ViewOf(img), ViewOf(picture), {at.x(), at.y()}, true);
    checkBlock(img, at, picture.size());
}

void tst_PictureDraw::copyParentBackgroundFromWidgets() {
    TestContainer container;
    container.picture = patternImage(64, 300);
    QWidget control(&container);
    control.setGeometry(8, 256, 20, 10);
    QCOMPARE(ContainerBackgroundPicture(control.parentWidget()), &container.picture);

    // A container with a null picture, one that offers none, and no container at all offer
    // nothing, and nothing leaves the cleared face.
    container.picture = QImage();
    QVERIFY(!ContainerBackgroundPicture(&container));
    QWidget plain;
    QVERIFY(!ContainerBackgroundPicture(&plain));
    QVERIFY(!ContainerBackgroundPicture(nullptr));
    QImage noPicture = face(20, 10);
    CopyParentBackground(ViewOf(noPicture), {}, {8, 256}, true);
    QCOMPARE(dump(noPicture), QStringList(10, QString(20, '.')));

    // A picture with alpha is laid over the face.
    QImage translucent(4, 4, QImage::Format_ARGB32);
    translucent.fill(qRgba(0, 255, 0, 128));
    QImage blended = face(2, 2);
    CopyParentBackground(ViewOf(blended), ViewOf(std::as_const(translucent)), {0, 0}, false);
    QCOMPARE(dump(blended), (QStringList{"gg", "gg"}));
}

QTEST_MAIN(tst_PictureDraw)
#include "tst_picture_draw.moc"
