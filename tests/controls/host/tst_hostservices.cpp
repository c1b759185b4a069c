#include <QtTest>

#include "controls/host/Picture.h"
#include "controls/host/qt/ControlSite.h"
#include "controls/host/qt/QtPicture.h"
#include "controls/host/qt/QtSystemColours.h"
#include "controls/host/qt/StdFont.h"

using namespace corvane;

class tst_HostServices : public QObject {
    Q_OBJECT
private slots:
    void systemColoursFollowThePalette_data();
    void systemColoursFollowThePalette();
    void plainColoursPassUnchanged();
    void fontObjectReportsEveryAssignment();
    void fontValueBoldAndWeight_data();
    void fontValueBoldAndWeight();
    void himetricToPixelsRoundsHalfToEven_data();
    void himetricToPixelsRoundsHalfToEven();
    void siteNotifiesAndScales();
    void picturesThroughPng_data();
    void picturesThroughPng();
};

void tst_HostServices::systemColoursFollowThePalette_data() {
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<int>("role");
    QTest::newRow("window background") << 0x80000005u << int(QPalette::Base);
    QTest::newRow("window text") << 0x80000008u << int(QPalette::Text);
    QTest::newRow("selection") << 0x8000000Du << int(QPalette::Highlight);
    QTest::newRow("button face") << 0x8000000Fu << int(QPalette::Button);
    QTest::newRow("button shadow") << 0x80000010u << int(QPalette::Dark);
    QTest::newRow("button text") << 0x80000012u << int(QPalette::ButtonText);
    QTest::newRow("button highlight") << 0x80000014u << int(QPalette::Light);
    QTest::newRow("3D dark shadow") << 0x80000015u << int(QPalette::Shadow);
    QTest::newRow("3D light") << 0x80000016u << int(QPalette::Midlight);
    // The number is the low three bytes, not the low byte.
    QTest::newRow("0x80000110 is no known number, not button shadow")
        << 0x80000110u << int(QPalette::Window);
    QTest::newRow("0x80000105 is no known number, not window background")
        << 0x80000105u << int(QPalette::Window);
    QTest::newRow("0x800FFF12 is no known number, not button text")
        << 0x800FFF12u << int(QPalette::Window);
    QTest::newRow("top bits other than the first: button text")
        << 0x7F000012u << int(QPalette::ButtonText);
    QTest::newRow("all top bits: button face") << 0xFF00000Fu << int(QPalette::Button);
}

void tst_HostServices::systemColoursFollowThePalette() {
    QFETCH(quint32, colour);
    QFETCH(int, role);
    // Every role a distinct colour, so that a wrong row of the table shows.
    QPalette p;
    for (int r = 0; r < QPalette::NColorRoles; ++r) {
        p.setColor(static_cast<QPalette::ColorRole>(r), QColor(r * 9, 255 - r * 7, r * 3));
    }
    const QColor want = p.color(static_cast<QPalette::ColorRole>(role));
    QCOMPARE(TranslateColor(colour, p), QtToOle(want));
    QCOMPARE(SystemColour(static_cast<int>(colour & 0xFFFFFF), p), want);
}

void tst_HostServices::plainColoursPassUnchanged() {
    const QPalette p;
    QCOMPARE(TranslateColor(0u, p), 0u);
    QCOMPARE(TranslateColor(0x00C08040u, p), 0x00C08040u);
    QCOMPARE(TranslateColor(0x00FFFFFFu, p), 0x00FFFFFFu);
    // 0x00BBGGRR: red is the low byte.
    QCOMPARE(OleToQt(0x00C08040u), QColor(0x40, 0x80, 0xC0));
    QCOMPARE(QtToOle(QColor(0x40, 0x80, 0xC0)), 0x00C08040u);
}

void tst_HostServices::fontObjectReportsEveryAssignment() {
    StdFont font;
    QSignalSpy spy(&font, &StdFont::FontChanged);
    font.setName("Tahoma");
    font.setSize(8.25);  // equal to the current size: still reported
    font.setBold(true);
    font.setCharset(238);
    QCOMPARE(spy.count(), 4);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("Name"));
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("Size"));
    QCOMPARE(spy.at(3).at(0).toString(), QStringLiteral("Charset"));
    QCOMPARE(font.value().charset, 238);

    font.assign(FontValue{});
    QCOMPARE(spy.count(), 5);
    QCOMPARE(font.value(), FontValue{});
}

void tst_HostServices::fontValueBoldAndWeight_data() {
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("qtWeight");
    QTest::newRow("normal") << false << 400 << 400;
    QTest::newRow("bold flag lifts weight") << true << 400 << 700;
    QTest::newRow("heavy stays heavy") << true << 900 << 900;
    QTest::newRow("not bold caps weight") << false << 700 << 400;
    QTest::newRow("light") << false << 300 << 300;
}

void tst_HostServices::fontValueBoldAndWeight() {
    QFETCH(bool, bold);
    QFETCH(int, weight);
    QFETCH(int, qtWeight);
    FontValue v;
    v.bold = bold;
    v.weight = weight;
    v.size = 9.75;
    const QFont f = QFontOf(v);
    QCOMPARE(static_cast<int>(f.weight()), qtWeight);
    QCOMPARE(f.pointSizeF(), 9.75);
    QCOMPARE(FontValueOf(f).bold, qtWeight >= 700);
}

void tst_HostServices::himetricToPixelsRoundsHalfToEven_data() {
    QTest::addColumn<int>("himetric");
    QTest::addColumn<double>("twipsPerPixel");
    QTest::addColumn<int>("pixels");
    QTest::newRow("32 px") << 847 << 15.0 << 32;
    QTest::newRow("16 px") << 423 << 15.0 << 16;
    QTest::newRow("zero") << 0 << 15.0 << 0;
    // 127 HIMETRIC = 72 twips and 381 HIMETRIC = 216 twips exactly, so these sit on the half.
    QTest::newRow("0.5 -> 0") << 127 << 144.0 << 0;
    QTest::newRow("1.5 -> 2") << 127 << 48.0 << 2;
    QTest::newRow("4.5 -> 4") << 381 << 48.0 << 4;
    QTest::newRow("13.5 -> 14") << 381 << 16.0 << 14;
    QTest::newRow("120 dpi") << 847 << 12.0 << 40;
}

void tst_HostServices::himetricToPixelsRoundsHalfToEven() {
    QFETCH(int, himetric);
    QFETCH(double, twipsPerPixel);
    QFETCH(int, pixels);
    QCOMPARE(Picture::himetricToPixels(himetric, twipsPerPixel), pixels);
}

void tst_HostServices::siteNotifiesAndScales() {
    ControlSite site;
    QSignalSpy changed(&site, &ControlSite::propertyChanged);
    QSignalSpy ambient(&site, &ControlSite::ambientChanged);
    site.PropertyChanged("Max");
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("Max"));

    FontValue f;
    f.charset = 238;
    site.setAmbientFont(f);
    QCOMPARE(ambient.count(), 1);
    QCOMPARE(ambient.at(0).at(0).toString(), QStringLiteral("Font"));
    QCOMPARE(site.AmbientFont().charset, 238);

    // The offscreen screen is 96 dots per inch.
    QCOMPARE(ControlSite::TwipsPerPixelX(), 15.0);
    QCOMPARE(ControlSite::TwipsPerPixelY(), 15.0);
}

void tst_HostServices::picturesThroughPng_data() {
    QTest::addColumn<QImage::Format>("format");
    QTest::addColumn<int>("kind");
    QTest::newRow("bitmap") << QImage::Format_RGB32 << int(PictureKind::Bitmap);
    QTest::newRow("icon keeps alpha") << QImage::Format_ARGB32 << int(PictureKind::Icon);
}

// The property set's text form keeps a picture's pixels as PNG through Qt's codec.
void tst_HostServices::picturesThroughPng() {
    QFETCH(QImage::Format, format);
    QFETCH(int, kind);
    QImage img(5, 3, format);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            img.setPixel(x, y, qRgba(x * 40, y * 60, (x + y) * 20, 255 - x * 60));
        }
    }
    const Picture p = kind == int(PictureKind::Bitmap) ? Picture::bitmap(ImageOf(img), 120, 144)
                                                       : Picture::icon(ImageOf(img));
    PropertyBag bag;
    bag.write("Picture", p);
    PropertyBag back;
    std::string error;
    QVERIFY2(back.fromText(bag.toText(&QtPictures()), &error, &QtPictures()), error.c_str());
    const Picture got = back.readAs<Picture>("picture", Picture::none());
    QCOMPARE(int(got.kind()), kind);
    QCOMPARE(got.himetricWidth(), p.himetricWidth());
    QCOMPARE(got.himetricHeight(), p.himetricHeight());
    QVERIFY(got.image() == p.image());
    // Shown to Qt as it was given.
    QCOMPARE(QImageOf(got).convertToFormat(format), img);
}

QTEST_MAIN(tst_HostServices)
#include "tst_hostservices.moc"
