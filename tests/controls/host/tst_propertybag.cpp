#include <QtTest>

#include "controls/host/PropertyBag.h"

using namespace corvane;

namespace {

QVariant colour(quint32 v) {
    return QVariant::fromValue(OleColour{v});
}

FontValue centralEuropean() {
    FontValue f;
    f.name = QStringLiteral("MS Sans Serif");
    f.size = 8.25;
    f.charset = 238;
    return f;
}

QImage patterned(int w, int h, QImage::Format format) {
    QImage img(w, h, format);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            img.setPixel(x, y,
                         qRgba(x * 40, y * 60, (x + y) * 20,
                               format == QImage::Format_ARGB32 ? x * 60 : 255));
        }
    }
    return img;
}

// What a picture is, independent of object identity.
void comparePictures(const Picture& got, const Picture& want) {
    QCOMPARE(got.isNone(), want.isNone());
    QCOMPARE(got.kind(), want.kind());
    QCOMPARE(got.himetricWidth(), want.himetricWidth());
    QCOMPARE(got.himetricHeight(), want.himetricHeight());
    QCOMPARE(got.image().size(), want.image().size());
    for (int y = 0; y < want.image().height(); ++y) {
        for (int x = 0; x < want.image().width(); ++x) {
            QCOMPARE(got.image().pixel(x, y), want.image().pixel(x, y));
        }
    }
}

}  // namespace

class tst_PropertyBag : public QObject {
    Q_OBJECT
private slots:
    void keysMatchWithoutCase();
    void absentKeyReadsDefault_data();
    void absentKeyReadsDefault();
    void writeLeavesOutDefaults_data();
    void writeLeavesOutDefaults();
    void readConverts_data();
    void readConverts();
    void textRoundTrip();
    void textRoundTripKeepsPictures_data();
    void textRoundTripKeepsPictures();
    void malformedTextIsRejected_data();
    void malformedTextIsRejected();
};

void tst_PropertyBag::keysMatchWithoutCase() {
    PropertyBag bag;
    bag.write("BackColor", colour(0xFF), colour(0x80000005));
    bag.write("Max", 255, 100);
    bag.write("BACKCOLOR", colour(0x1234), colour(0x80000005));

    QCOMPARE(bag.keys(), (QStringList{"backcolor", "max"}));
    QVERIFY(bag.contains("backCOLOR"));
    QCOMPARE(bag.readAs<OleColour>("backcolor", OleColour{0}).value, 0x1234u);
    QCOMPARE(bag.read("MAX", 100).toInt(), 255);

    // Writing the default under another spelling removes the stored key.
    bag.write("bAcKcOlOr", colour(0x80000005), colour(0x80000005));
    QCOMPARE(bag.keys(), QStringList{"max"});
}

void tst_PropertyBag::absentKeyReadsDefault_data() {
    QTest::addColumn<QVariant>("def");
    QTest::newRow("int") << QVariant(100);
    QTest::newRow("negative int") << QVariant(-7);
    QTest::newRow("bool") << QVariant(true);
    QTest::newRow("colour") << colour(0x80000008);
    QTest::newRow("text") << QVariant(QStringLiteral(".\\resources\\click.wav"));
    QTest::newRow("font") << QVariant::fromValue(centralEuropean());
    QTest::newRow("empty picture") << QVariant::fromValue(Picture::empty());
}

void tst_PropertyBag::absentKeyReadsDefault() {
    QFETCH(QVariant, def);
    PropertyBag bag;
    bag.write("Other", 1, 0);
    const QVariant got = bag.read("Missing", def);
    QCOMPARE(got.metaType(), def.metaType());
    QVERIFY(PropertyBag::sameValue(got, def));
}

void tst_PropertyBag::writeLeavesOutDefaults_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("def");
    QTest::addColumn<bool>("stored");

    QTest::newRow("int equal") << QVariant(100) << QVariant(100) << false;
    QTest::newRow("int differs") << QVariant(255) << QVariant(100) << true;
    QTest::newRow("zero vs one") << QVariant(0) << QVariant(1) << true;
    QTest::newRow("bool equal") << QVariant(true) << QVariant(true) << false;
    QTest::newRow("bool differs") << QVariant(false) << QVariant(true) << true;
    QTest::newRow("colour equal") << colour(0x80000005) << colour(0x80000005) << false;
    QTest::newRow("colour differs") << colour(0x00000005) << colour(0x80000005) << true;
    QTest::newRow("text equal") << QVariant(QString()) << QVariant(QString()) << false;
    QTest::newRow("text differs in case") << QVariant("Save") << QVariant("save") << true;
    QTest::newRow("font equal") << QVariant::fromValue(centralEuropean())
                                << QVariant::fromValue(centralEuropean()) << false;
    FontValue western = centralEuropean();
    western.charset = 0;
    QTest::newRow("font differs in charset")
        << QVariant::fromValue(western) << QVariant::fromValue(centralEuropean()) << true;
    QTest::newRow("no picture vs none")
        << QVariant::fromValue(Picture::none()) << QVariant::fromValue(Picture::none()) << false;
    QTest::newRow("empty picture vs none")
        << QVariant::fromValue(Picture::empty()) << QVariant::fromValue(Picture::none()) << true;
    // Values of another integer type compare by value with their default.
    QTest::newRow("short vs int") << QVariant::fromValue<qint16>(0) << QVariant(0) << false;
    QTest::newRow("uint vs colour")
        << QVariant::fromValue<quint32>(0x80000005u) << colour(0x80000005) << false;
    QTest::newRow("no default stores") << QVariant(0) << QVariant() << true;
}

void tst_PropertyBag::writeLeavesOutDefaults() {
    QFETCH(QVariant, value);
    QFETCH(QVariant, def);
    QFETCH(bool, stored);

    PropertyBag bag;
    bag.write("Key", value, def);
    QCOMPARE(bag.contains("key"), stored);

    // A later write of the default removes what an earlier write stored.
    PropertyBag bag2;
    bag2.write("Key", QVariant(QStringLiteral("something else")), QVariant());
    bag2.write("Key", value, def);
    QCOMPARE(bag2.contains("key"), stored);
    if (stored) {
        QVERIFY(PropertyBag::sameValue(bag2.read("Key", def), value));
    }
}

void tst_PropertyBag::readConverts_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("def");
    QTest::addColumn<QVariant>("expected");

    // A colour kept as a signed 32-bit number (as a text form keeps it) is the same colour.
    QTest::newRow("int to system colour")
        << QVariant(-2147483643) << colour(0) << colour(0x80000005);
    QTest::newRow("int to colour") << QVariant(0xFF) << colour(0) << colour(0xFF);
    QTest::newRow("uint to colour")
        << QVariant::fromValue<quint32>(0x80000012u) << colour(0) << colour(0x80000012);
    QTest::newRow("int to bool false") << QVariant(0) << QVariant(true) << QVariant(false);
    QTest::newRow("int to bool true") << QVariant(-1) << QVariant(false) << QVariant(true);
    QTest::newRow("bool to int") << QVariant(true) << QVariant(0) << QVariant(1);
    QTest::newRow("int to short") << QVariant(-2) << QVariant::fromValue<qint16>(0)
                                  << QVariant::fromValue<qint16>(-2);
    QTest::newRow("short to int") << QVariant::fromValue<qint16>(99) << QVariant(0) << QVariant(99);
    QTest::newRow("int too wide for short")
        << QVariant(70000) << QVariant::fromValue<qint16>(8) << QVariant::fromValue<qint16>(8);
    QTest::newRow("int to text") << QVariant(42) << QVariant(QString()) << QVariant("42");
    QTest::newRow("text to int") << QVariant("12") << QVariant(5) << QVariant(5);
    QTest::newRow("text to colour") << QVariant("255") << colour(7) << colour(7);
    QTest::newRow("font to text") << QVariant::fromValue(centralEuropean()) << QVariant("x")
                                  << QVariant("x");
    QTest::newRow("int to font") << QVariant(3) << QVariant::fromValue(FontValue{})
                                 << QVariant::fromValue(FontValue{});
    QTest::newRow("colour to int") << colour(0xFF) << QVariant(1) << QVariant(1);
}

void tst_PropertyBag::readConverts() {
    QFETCH(QVariant, stored);
    QFETCH(QVariant, def);
    QFETCH(QVariant, expected);

    PropertyBag bag;
    bag.write("K", stored, QVariant());
    const QVariant got = bag.read("k", def);
    QCOMPARE(got.metaType(), expected.metaType());
    QVERIFY2(PropertyBag::sameValue(got, expected), qPrintable(got.toString()));
}

void tst_PropertyBag::textRoundTrip() {
    FontValue bold = centralEuropean();
    bold.name = QStringLiteral("Tahoma \"bold\" \u0141\u00f3d\u017a");
    bold.size = 9.75;
    bold.bold = true;
    bold.weight = 700;
    bold.italic = true;
    bold.underline = true;
    bold.strikethrough = true;

    PropertyBag bag;
    bag.write("Caption", QStringLiteral("Zapisz \u017c\u00f3\u0142w \"&Save\"\n"), QString());
    bag.write("Max", 255, 100);
    bag.write("Min", std::numeric_limits<qint32>::min(), 0);
    bag.write("Value", std::numeric_limits<qint32>::max(), 0);
    bag.write("Enabled", false, true);
    bag.write("BackColor", colour(0x80000005), colour(0));
    bag.write("ForeColor", colour(0xFFFFFF), colour(0x80000008));
    bag.write("MaskColor", QVariant::fromValue<quint32>(0x8000000Fu), colour(0));
    bag.write("Font", QVariant::fromValue(bold), QVariant::fromValue(FontValue{}));
    bag.write("Font2", QVariant::fromValue(centralEuropean()), QVariant::fromValue(FontValue{}));

    const QString text = bag.toText();
    PropertyBag back;
    QString error;
    QVERIFY2(back.fromText(text, &error), qPrintable(error));

    QCOMPARE(back.keys(), bag.keys());
    QCOMPARE(back.read("caption", QString()).toString(),
             QStringLiteral("Zapisz \u017c\u00f3\u0142w \"&Save\"\n"));
    QCOMPARE(back.read("max", 100).toInt(), 255);
    QCOMPARE(back.read("min", 0).toInt(), std::numeric_limits<qint32>::min());
    QCOMPARE(back.read("value", 0).toInt(), std::numeric_limits<qint32>::max());
    QCOMPARE(back.read("enabled", true).toBool(), false);
    QCOMPARE(back.readAs<OleColour>("backcolor", OleColour{0}).value, 0x80000005u);
    QCOMPARE(back.readAs<OleColour>("forecolor", OleColour{0}).value, 0xFFFFFFu);
    QCOMPARE(back.readAs<OleColour>("maskcolor", OleColour{0}).value, 0x8000000Fu);
    // Read as a 32-bit signed number it does not fit, so the default comes back.
    QCOMPARE(back.read("maskcolor", 3).toInt(), 3);
    QCOMPARE(back.readAs<FontValue>("font", FontValue{}), bold);
    QCOMPARE(back.readAs<FontValue>("font2", FontValue{}), centralEuropean());
    QCOMPARE(back.readAs<FontValue>("font2", FontValue{}).charset, 238);

    // The text form of what was read back is the same text.
    QCOMPARE(back.toText(), text);
}

void tst_PropertyBag::textRoundTripKeepsPictures_data() {
    QTest::addColumn<Picture>("picture");
    QTest::newRow("none") << Picture::none();
    QTest::newRow("empty") << Picture::empty();
    QTest::newRow("bitmap") << Picture::bitmap(patterned(5, 3, QImage::Format_RGB32));
    // The natural size comes from the HIMETRIC size, which a bitmap made at another
    // resolution keeps through the text form.
    QTest::newRow("bitmap at 120 dpi")
        << Picture::bitmap(patterned(5, 3, QImage::Format_RGB32), 120, 144);
    QTest::newRow("icon keeps alpha") << Picture::icon(patterned(4, 4, QImage::Format_ARGB32));
    QTest::newRow("metafile") << Picture::metafile(2117, 529);
}

void tst_PropertyBag::textRoundTripKeepsPictures() {
    QFETCH(Picture, picture);
    // A default that differs from every row, so that the picture is stored.
    const Picture other = Picture::bitmap(patterned(1, 1, QImage::Format_RGB32));
    PropertyBag bag;
    bag.write("Picture", QVariant::fromValue(picture), QVariant::fromValue(other));
    QVERIFY(bag.contains("picture"));

    PropertyBag back;
    QString error;
    QVERIFY2(back.fromText(bag.toText(), &error), qPrintable(error));
    QVERIFY(back.contains("picture"));
    comparePictures(back.readAs<Picture>("Picture", other), picture);
}

void tst_PropertyBag::malformedTextIsRejected_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("not json") << "[[\"Max\", 255]"
                              << "offset";
    QTest::newRow("empty text") << ""
                                << "property set";
    QTest::newRow("object") << "{\"Max\": 255}"
                            << "list";
    QTest::newRow("short pair") << "[[\"Max\"]]"
                                << "entry 0";
    QTest::newRow("long pair") << "[[\"Min\", 0], [\"Max\", 1, 2]]"
                               << "entry 1";
    QTest::newRow("number key") << "[[5, 1]]"
                                << "entry 0";
    QTest::newRow("empty key") << "[[\"\", 1]]"
                               << "entry 0";
    QTest::newRow("fraction") << "[[\"Max\", 2.5]]"
                              << "\"Max\"";
    QTest::newRow("too small") << "[[\"Min\", -2147483649]]"
                               << "32-bit";
    QTest::newRow("too big") << "[[\"Max\", 4294967296]]"
                             << "32-bit";
    QTest::newRow("null") << "[[\"Max\", null]]"
                          << "\"Max\"";
    QTest::newRow("array value") << "[[\"Max\", [1]]]"
                                 << "\"Max\"";
    QTest::newRow("unknown tag") << "[[\"Max\", {\"number\": 1}]]"
                                 << "number";
    QTest::newRow("two tags") << "[[\"X\", {\"colour\": 1, \"font\": {}}]]"
                              << "\"X\"";
    QTest::newRow("negative colour") << "[[\"BackColor\", {\"colour\": -1}]]"
                                     << "colour";
    QTest::newRow("colour too big") << "[[\"BackColor\", {\"colour\": 4294967296}]]"
                                    << "colour";
    QTest::newRow("colour as text") << "[[\"BackColor\", {\"colour\": \"red\"}]]"
                                    << "colour";
    QTest::newRow("font without name") << "[[\"Font\", {\"font\": {\"size\": 8}}]]"
                                       << "name";
    QTest::newRow("picture not png")
        << "[[\"Picture\", {\"picture\": {\"kind\": 1, \"png\": \"AAAA\"}}]]"
        << "PNG";
    QTest::newRow("picture kind") << "[[\"Picture\", {\"picture\": {\"kind\": 9}}]]"
                                  << "kind 9";
    QTest::newRow("duplicate key") << "[[\"Max\", 1], [\"MAX\", 2]]"
                                   << "twice";
    // The repeated key is found after many others (bench_propertybag shows that the search
    // does not grow with their number).
    QString many = "[";
    for (int i = 0; i < 20000; ++i) {
        many += QStringLiteral("[\"Key%1\", %1], ").arg(i);
    }
    QTest::newRow("duplicate key after 20,000 keys") << many + "[\"KEY0\", 1]]"
                                                     << "\"key0\" appears twice";
}

void tst_PropertyBag::malformedTextIsRejected() {
    QFETCH(QString, text);
    QFETCH(QString, mentions);

    PropertyBag bag;
    bag.write("Existing", 1, 0);
    QString error;
    QVERIFY(!bag.fromText(text, &error));
    QVERIFY(bag.isEmpty());
    QVERIFY2(error.contains(mentions), qPrintable(error));

    // Without a place for the message it still fails cleanly.
    PropertyBag quiet;
    QVERIFY(!quiet.fromText(text));
    QVERIFY(quiet.isEmpty());
}

QTEST_GUILESS_MAIN(tst_PropertyBag)
#include "tst_propertybag.moc"
