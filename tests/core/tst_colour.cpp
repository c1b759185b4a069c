// The colour helpers and their hex text.
#include <QTest>

#include "core/Colour.h"

using namespace corvane;

class tst_Colour : public QObject {
    Q_OBJECT

private slots:
    void colourHelpers_data();
    void colourHelpers();
    void hexText_data();
    void hexText();
};

void tst_Colour::colourHelpers_data() {
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<uint>("colour");
    QTest::newRow("brown") << 18 << 52 << 86 << 0x563412u;
    QTest::newRow("orange") << 255 << 128 << 0 << 33023u;
    QTest::newRow("black") << 0 << 0 << 0 << 0u;
    QTest::newRow("white") << 255 << 255 << 255 << 0xFFFFFFu;
    QTest::newRow("pure blue") << 0 << 0 << 255 << 0xFF0000u;
}

void tst_Colour::colourHelpers() {
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(uint, colour);
    QCOMPARE(MakeColour(std::int16_t(red), std::int16_t(green), std::int16_t(blue)), colour);
    QCOMPARE(int(RedOf(colour)), red);
    QCOMPARE(int(GreenOf(colour)), green);
    QCOMPARE(int(BlueOf(colour)), blue);
    // The top byte (a system colour's flag) never leaks into a component.
    QCOMPARE(int(BlueOf(colour | 0x80000000u)), blue);
}

void tst_Colour::hexText_data() {
    QTest::addColumn<uint>("colour");
    QTest::addColumn<QString>("text");
    QTest::newRow("black") << 0u << "0";
    QTest::newRow("pure red") << 0xFFu << "FF";
    QTest::newRow("orange") << 0x80FFu << "80FF";
    QTest::newRow("pure blue") << 0xFF0000u << "FF0000";
    QTest::newRow("brown") << 0x563412u << "563412";
    QTest::newRow("white") << 0xFFFFFFu << "FFFFFF";
    QTest::newRow("inner zeros") << 0x010001u << "10001";
    QTest::newRow("system colour") << 0x8000000Fu << "8000000F";
}

void tst_Colour::hexText() {
    QFETCH(uint, colour);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(ColourHexText(colour)), text);
}

QTEST_APPLESS_MAIN(tst_Colour)
#include "tst_colour.moc"
