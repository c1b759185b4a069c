#include <QtTest>

#include "controls/button/AccessKey.h"
#include "controls/button/ButtonColours.h"
#include "controls/button/ButtonLayout.h"
#include "controls/button/ButtonPaintState.h"
#include "controls/button/XPLook.h"
#include "tests/support/RectTest.h"

using namespace corvane;

// The button's plain rules: colour arithmetic, the access key, the XP shade steps, layout.
class tst_ButtonLogic : public QObject {
    Q_OBJECT
private slots:
    void shiftColor_data();
    void shiftColor();
    void lightenColor_data();
    void lightenColor();
    void splitColor();
    void accessKey_data();
    void accessKey();
    void xpShade_data();
    void xpShade();
    void layout_data();
    void layout();
};

void tst_ButtonLogic::shiftColor_data() {
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<int>("amount");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("grey darker: blue by its share") << 0x00808080u << -32 << 0x006B6060u;
    QTest::newRow("grey lighter") << 0x00808080u << 48 << 0x00A0B0B0u;
    QTest::newRow("face +48") << 0x00C0C0C0u << 48 << 0x00F0F0F0u;
    QTest::newRow("blue share truncates toward zero") << 0x00F0F0F0u << -5 << 0x00EAEBEBu;
    QTest::newRow("limited at 255") << 0x00F0F0F0u << 16 << 0x00FFFFFFu;
    QTest::newRow("limited at 0") << 0x00102030u << -64 << 0x000B0000u;
    QTest::newRow("no blue stays no blue") << 0x0000FFFFu << -100 << 0x00009B9Bu;
    QTest::newRow("huge amount") << 0x00808080u << 2147483647 << 0x00FFFFFFu;
    QTest::newRow("huge negative") << 0x00808080u << (-2147483647 - 1) << 0x00000000u;
}

void tst_ButtonLogic::shiftColor() {
    QFETCH(quint32, colour);
    QFETCH(int, amount);
    QFETCH(quint32, expected);
    QCOMPARE(ShiftColor(colour, amount), expected);
}

void tst_ButtonLogic::lightenColor_data() {
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<int>("amount");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("same for every component") << 0x00C0C0C0u << 8 << 0x00C8C8C8u;
    QTest::newRow("limited at 255") << 0x00F8F0E0u << 16 << 0x00FFFFF0u;
    QTest::newRow("negative depth limited at 0") << 0x00200510u << -16 << 0x00100000u;
}

void tst_ButtonLogic::lightenColor() {
    QFETCH(quint32, colour);
    QFETCH(int, amount);
    QFETCH(quint32, expected);
    QCOMPARE(LightenColor(colour, amount), expected);
}

void tst_ButtonLogic::splitColor() {
    const SplitRgb s = SplitColor(0x006A240Au);
    QCOMPARE(s.red, 10.0);
    QCOMPARE(s.green, 36.0);
    QCOMPARE(s.blue, 106.0);
    QCOMPARE(JoinRgb(10 + 171, 36 + 154, 106 + 108), 0x00D6BEB5u);  // the style-2 hover
    QCOMPARE(JoinRgb(300, -4, 255), 0x00FF00FFu);
}

void tst_ButtonLogic::accessKey_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("key");
    QTest::newRow("first letter") << "&Save"
                                  << "s";
    QTest::newRow("doubled only") << "Save && Exit"
                                  << "";
    QTest::newRow("after a doubled pair") << "&&x&y"
                                          << "y";
    QTest::newRow("third group never looked at") << "a&&b&&c&d"
                                                 << "";
    QTest::newRow("inside a word") << "Op&en"
                                   << "e";
    QTest::newRow("upper case lowered") << "E&XIT"
                                        << "x";
    QTest::newRow("trailing ampersand") << "Save&"
                                        << "";
    QTest::newRow("only an ampersand pair") << "&&"
                                            << "";
    QTest::newRow("too short") << "&"
                               << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("no ampersand") << "Save"
                                  << "";
    QTest::newRow("pair then trailing") << "a&&b&"
                                        << "";
    QTest::newRow("pair then pair") << "&&&&x"
                                    << "";
    QTest::newRow("space marked") << "a& b"
                                  << " ";
}

void tst_ButtonLogic::accessKey() {
    QFETCH(QString, caption);
    QFETCH(QString, key);
    QCOMPARE(ParseAccessKey(caption), key);
}

void tst_ButtonLogic::xpShade_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("range");  // 25 normal, 15 pressed
    QTest::addColumn<int>("i");
    QTest::addColumn<int>("expected");
    // 25 / 33 in single precision is 0.757575750...
    QTest::newRow("33: first row") << 33 << 25 << 1 << -1;
    QTest::newRow("33: row 2") << 33 << 25 << 2 << -2;
    QTest::newRow("33: row 3") << 33 << 25 << 3 << -2;
    QTest::newRow("33: row 10") << 33 << 25 << 10 << -8;
    QTest::newRow("33: last row") << 33 << 25 << 33 << -25;
    // 25 / 50 is exactly 0.5: exact halves round to even.
    QTest::newRow("50: -0.5 to 0") << 50 << 25 << 1 << 0;
    QTest::newRow("50: -1.5 to -2") << 50 << 25 << 3 << -2;
    QTest::newRow("50: -2.5 to -2") << 50 << 25 << 5 << -2;
    QTest::newRow("30 pressed: -0.5 to 0") << 30 << 15 << 1 << 0;
    QTest::newRow("30 pressed: -7.5 to -8") << 30 << 15 << 15 << -8;
}

void tst_ButtonLogic::xpShade() {
    QFETCH(int, height);
    QFETCH(int, range);
    QFETCH(int, i);
    QFETCH(int, expected);
    const float step = static_cast<float>(range) / static_cast<float>(height);
    QCOMPARE(XPShade(step, i), expected);
}

void tst_ButtonLogic::layout_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("hasPicture");
    QTest::addColumn<bool>("captionEmpty");
    QTest::addColumn<int>("position");
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<Rect>("picture");
    QTest::addColumn<Rect>("text");
    // Content area (4, 4, 96, 56) of a 100 x 60 button; the caption measures 30 x 14.
    const QSize s(100, 60);
    const QSize p32(32, 32);
    const Rect prevPic{1, 2, 3, 4};
    const Rect prevText{5, 6, 7, 8};
    QTest::newRow("above") << s << true << false << 0 << p32 << Rect{34, 5, 66, 37}
                           << Rect{35, 41, 65, 55};
    QTest::newRow("left") << s << true << false << 1 << p32 << Rect{17, 14, 49, 46}
                          << Rect{53, 23, 83, 37};
    QTest::newRow("right") << s << true << false << 2 << p32 << Rect{51, 14, 83, 46}
                           << Rect{17, 23, 47, 37};
    QTest::newRow("below") << s << true << false << 3 << p32 << Rect{34, 23, 66, 55}
                           << Rect{35, 5, 65, 19};
    QTest::newRow("unknown position keeps the picture")
        << s << true << false << 7 << p32 << prevPic << Rect{35, 23, 65, 37};
    QTest::newRow("no picture: caption centred")
        << s << false << false << 1 << p32 << prevPic << Rect{35, 23, 65, 37};
    QTest::newRow("picture alone: centred, caption kept")
        << s << true << true << 1 << p32 << Rect{34, 14, 66, 46} << prevText;
    // Larger than the area: (22 - 33) / 2 truncates to -5, not -6.
    QTest::newRow("overhang truncates toward zero")
        << QSize(30, 20) << true << true << 1 << QSize(33, 33) << Rect{-1, -6, 32, 27} << prevText;
}

void tst_ButtonLogic::layout() {
    QFETCH(QSize, size);
    QFETCH(bool, hasPicture);
    QFETCH(bool, captionEmpty);
    QFETCH(int, position);
    QFETCH(QSize, pictureSize);
    QFETCH(Rect, picture);
    QFETCH(Rect, text);
    ButtonPaintState in;
    in.width = size.width();
    in.height = size.height();
    in.currentPicture = hasPicture ? Picture::empty() : Picture::none();
    in.caption = captionEmpty ? QString() : QStringLiteral("caption");
    in.picturePosition = AsPictureSide(position);
    in.pictureWidth = pictureSize.width();
    in.pictureHeight = pictureSize.height();
    in.previousLayout.picture = {1, 2, 3, 4};
    in.previousLayout.text = {5, 6, 7, 8};
    const Rect inner = InnerRect(in.width, in.height);
    QCOMPARE(inner, (Rect{4, 4, in.width - 4, in.height - 4}));
    const Rect measured{inner.left, inner.top, inner.left + 30, inner.top + 14};
    const ButtonLayout out = CalcLayout(in, measured);
    QCOMPARE(out.full, (Rect{0, 0, in.width - 1, in.height - 1}));
    QCOMPARE(out.inner, inner);
    QCOMPARE(out.picture, picture);
    QCOMPARE(out.text, text);
}

QTEST_MAIN(tst_ButtonLogic)
#include "tst_button_logic.moc"
