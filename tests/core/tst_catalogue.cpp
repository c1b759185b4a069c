// The team catalogue's exact-match lookups.
#include <QTest>

#include "core/TeamCatalogue.h"

using namespace corvane;

class tst_Catalogue : public QObject {
    Q_OBJECT

private slots:
    void catalogueOrder();
    void nameForId_data();
    void nameForId();
    void idForName_data();
    void idForName();
};

// The combo lists show the clubs in this order, which is not sorted by ID or name.
void tst_Catalogue::catalogueOrder() {
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

void tst_Catalogue::nameForId_data() {
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

void tst_Catalogue::nameForId() {
    QFETCH(QByteArray, text);
    QFETCH(QString, name);
    const auto found = TeamNameForId(std::string_view(text.constData(), text.size()));
    QCOMPARE(found.has_value(), !name.isNull());
    if (found) {
        QCOMPARE(QString::fromUtf8(found->data(), qsizetype(found->size())), name);
    }
}

void tst_Catalogue::idForName_data() {
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

void tst_Catalogue::idForName() {
    QFETCH(QByteArray, name);
    QFETCH(int, id);
    const auto found = TeamIdForName(std::string_view(name.constData(), name.size()));
    QCOMPARE(found.has_value() ? int(*found) : -1, id);
}

QTEST_APPLESS_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
