// The team catalogue's exact-match lookups and the colour helpers with their hex text.
#include <QTest>

#include "core/Colour.h"
#include "core/TeamCatalogue.h"

using namespace corvane;

class tst_CatalogueColour : public QObject {
    Q_OBJECT

private slots:
    void catalogueOrder();
    void nameForId_data();
    void nameForId();
    void idForName_data();
    void idForName();
    void colourHelpers_data();
    void colourHelpers();
    void hexText_data();
    void hexText();
};

// The combo lists show the clubs in this order, which is not sorted by ID or name.
void tst_CatalogueColour::catalogueOrder() {
    QStringList names;
    QList<int> ids;
    for (const Team& t : kTeamCatalogue) {
        names << QString::fromUtf8(t.name.data(), qsizetype(t.name.size()));
        ids << t.id;
    }
    QCOMPARE(names, (QStringList{"MANCHESTER UNITED", "A.C. MILAN", "S.S.C. NAPOLI", "FC PORTO",
                                 "CLUB AMERICA", "SANTOS", "INTERNACIONAL", "PENAROL"}));
    QCOMPARE(ids, (QList<int>{100, 121, 327, 192, 1264, 1254, 1252, 1263}));
}

void tst_CatalogueColour::nameForId_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("name");  // null: no match
    QTest::newRow("100") << QByteArray("100") << "MANCHESTER UNITED";
    QTest::newRow("1264") << QByteArray("1264") << "CLUB AMERICA";
    QTest::newRow("last entry") << QByteArray("1263") << "PENAROL";
    QTest::newRow("leading zero") << QByteArray("0100") << QString();
    QTest::newRow("leading blank") << QByteArray(" 100") << QString();
    QTest::newRow("trailing blank") << QByteArray("100 ") << QString();
    QTest::newRow("plus sign") << QByteArray("+100") << QString();
    QTest::newRow("fraction") << QByteArray("100.0") << QString();
    QTest::newRow("unknown 0") << QByteArray("0") << QString();
    QTest::newRow("unknown -1") << QByteArray("-1") << QString();
    QTest::newRow("unknown 200") << QByteArray("200") << QString();
    QTest::newRow("empty") << QByteArray("") << QString();
}

void tst_CatalogueColour::nameForId() {
    QFETCH(QByteArray, text);
    QFETCH(QString, name);
    const auto found = TeamNameForId(std::string_view(text.constData(), text.size()));
    QCOMPARE(found.has_value(), !name.isNull());
    if (found) {
        QCOMPARE(QString::fromUtf8(found->data(), qsizetype(found->size())), name);
    }
}

void tst_CatalogueColour::idForName_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("id");  // -1: no match
    QTest::newRow("PENAROL") << QByteArray("PENAROL") << 1263;
    QTest::newRow("A.C. MILAN") << QByteArray("A.C. MILAN") << 121;
    QTest::newRow("first entry") << QByteArray("MANCHESTER UNITED") << 100;
    QTest::newRow("lower case") << QByteArray("santos") << -1;
    QTest::newRow("trailing blank") << QByteArray("SANTOS ") << -1;
    QTest::newRow("missing blank") << QByteArray("A.C.MILAN") << -1;
    QTest::newRow("accented") << QByteArray("PEÑAROL") << -1;
    QTest::newRow("an ID") << QByteArray("1263") << -1;
    QTest::newRow("empty") << QByteArray("") << -1;
}

void tst_CatalogueColour::idForName() {
    QFETCH(QByteArray, name);
    QFETCH(int, id);
    const auto found = TeamIdForName(std::string_view(name.constData(), name.size()));
    QCOMPARE(found.has_value() ? int(*found) : -1, id);
}

void tst_CatalogueColour::colourHelpers_data() {
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

void tst_CatalogueColour::colourHelpers() {
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

void tst_CatalogueColour::hexText_data() {
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

void tst_CatalogueColour::hexText() {
    QFETCH(uint, colour);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(ColourHexText(colour)), text);
}

QTEST_APPLESS_MAIN(tst_CatalogueColour)
#include "tst_catalogue_colour.moc"
