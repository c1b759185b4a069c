// At a scale factor of 2 (set for this test in CMake): the window keeps its logical layout and
// is drawn at twice the size; Button_XP's lines and bevels become exact 2 x 2 blocks of the
// 1x face, its caption is drawn at device resolution, and its cut corners stay at the corners.
#include <QtTest>

#include "controls/button/ButtonPainter.h"
#include "controls/button/qt/QtButtonFace.h"
#include "controls/draw/qt/QtText.h"
#include "controls/updown/qt/ucUpDownBox.h"
#include "tests/support/ButtonFixture.h"
#include "tests/support/Button_XPTestAccess.h"
#include "ui/frmMain.h"

using namespace corvane;

namespace {

constexpr int kRatio = 2;

// The face the button would have at 1x: the same snapshot, painted at ratio 1.
QImage FaceAt1x(const Button_XP& b) {
    ButtonPaintState s = Button_XPTestAccess::paintState(b);
    s.devicePixelRatio = 1.0;
    QImage face;
    RefreshFace(face, s);
    return face;
}

ColourRef Rgb(const QImage& img, int x, int y) {
    const QRgb p = img.pixel(x, y);
    return static_cast<ColourRef>(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16));
}

bool BlockIsUniform(const QImage& img, int lx, int ly) {
    const QRgb first = img.pixel(lx * kRatio, ly * kRatio);
    for (int dy = 0; dy < kRatio; ++dy) {
        for (int dx = 0; dx < kRatio; ++dx) {
            if (img.pixel(lx * kRatio + dx, ly * kRatio + dy) != first) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

class tst_HiDpi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void buttonFace_data();
    void buttonFace();
    void captionAtDeviceResolution();
    void windowLayoutStaysLogical_data();
    void windowLayoutStaysLogical();
    void upDownBoxAtTwiceTheSize();
};

void tst_HiDpi::initTestCase() {
    QCOMPARE(qApp->devicePixelRatio(), qreal(kRatio));
    // Twips convert to logical pixels: 15 per pixel whatever the scale.
    QCOMPARE(ControlSite::TwipsPerPixelX(), 15.0);
    QCOMPARE(ControlSite::TwipsPerPixelY(), 15.0);
}

void tst_HiDpi::buttonFace_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("focus");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<bool>("over");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("XP normal") << 3 << QSize(60, 24) << false << false << false << true;
    QTest::newRow("XP hover") << 3 << QSize(60, 24) << false << false << true << true;
    QTest::newRow("XP pressed") << 3 << QSize(60, 24) << true << true << true << true;
    QTest::newRow("XP focused, save size") << 3 << QSize(249, 33) << true << false << false << true;
    QTest::newRow("XP disabled") << 3 << QSize(61, 25) << false << false << false << false;
    QTest::newRow("raised, focus dots") << 0 << QSize(60, 24) << true << false << false << true;
    QTest::newRow("raised pressed") << 0 << QSize(60, 24) << true << true << true << true;
    QTest::newRow("flat hover") << 1 << QSize(45, 21) << false << false << true << true;
    QTest::newRow("highlight hover") << 2 << QSize(45, 21) << false << false << true << true;
}

// Every pixel of the face but the caption's is the 1x pixel as an exact 2 x 2 block (no
// blur, no half-pixel lines); the cut corners show the container, and only them.
void tst_HiDpi::buttonFace() {
    QFETCH(int, style);
    QFETCH(QSize, size);
    QFETCH(bool, focus);
    QFETCH(bool, pressed);
    QFETCH(bool, over);
    QFETCH(bool, enabled);
    fixture::Button b(size.width(), size.height());
    b->setButtonStyle(style);
    b->setCaption(QStringLiteral("Save"));
    b->setEnabled(enabled);
    b.flags(focus, pressed, over);
    const int w = size.width();
    const int h = size.height();

    const QImage& surface = Button_XPTestAccess::surfaceImage(*b);
    QCOMPARE(surface.devicePixelRatio(), qreal(kRatio));
    QCOMPARE(surface.size(), size * kRatio);

    const QImage one = FaceAt1x(*b.button);
    const QPixmap grabbed = b.container.grab();
    QCOMPARE(grabbed.devicePixelRatio(), qreal(kRatio));
    const QImage two = grabbed.toImage();
    const QRgb background = two.pixel(two.width() - 1, two.height() - 1);  // the container

    // The caption's rectangle, widened by the pressed and engraved offsets.
    const Rect text = Button_XPTestAccess::faceLayout(*b).text;
    const QRect caption(text.left, text.top, text.width() + 1, text.height() + 1);
    // The XP shape leaves out two pixels of the corner row and one of the next, at each corner.
    QRegion shape(0, 0, w, h);
    if (style == 3) {
        for (const QPoint c :
             {QPoint(0, 0), QPoint(w - 2, 0), QPoint(0, h - 1), QPoint(w - 2, h - 1)}) {
            shape -= QRegion(c.x(), c.y(), 2, 1);
        }
        for (const QPoint c :
             {QPoint(0, 1), QPoint(w - 1, 1), QPoint(0, h - 2), QPoint(w - 1, h - 2)}) {
            shape -= QRegion(c.x(), c.y(), 1, 1);
        }
    }
    QCOMPARE(b->mask(), style == 3 ? shape : QRegion());  // in logical pixels
    int cut = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!shape.contains(QPoint(x, y))) {
                ++cut;
                for (int d = 0; d < kRatio * kRatio; ++d) {
                    const QPoint at(x * kRatio + d % kRatio, y * kRatio + d / kRatio);
                    QVERIFY2(
                        two.pixel(at) == background,
                        qPrintable(QStringLiteral("cut corner (%1, %2) is painted").arg(x).arg(y)));
                }
                continue;
            }
            if (caption.contains(x, y)) {
                continue;
            }
            const bool same = BlockIsUniform(two, x, y) &&
                              Rgb(two, x * kRatio, y * kRatio) == GetPixel(one, x, y);
            QVERIFY2(same, qPrintable(QStringLiteral("(%1, %2): 2x %3, 1x %4")
                                          .arg(x)
                                          .arg(y)
                                          .arg(Rgb(two, x * kRatio, y * kRatio), 6, 16)
                                          .arg(GetPixel(one, x, y), 6, 16)));
        }
    }
    QCOMPARE(cut, style == 3 ? 12 : 0);  // three pixels at each corner
}

// The caption is drawn for the device's pixels: its glyphs have detail finer than a 2 x 2
// block, which an enlarged 1x caption could not have.
void tst_HiDpi::captionAtDeviceResolution() {
    fixture::Button b(80, 30);
    b->setButtonStyle(3);
    b->setCaption(QStringLiteral("Save"));
    const QImage& two = Button_XPTestAccess::surfaceImage(*b);
    const Rect text = Button_XPTestAccess::faceLayout(*b).text;
    int ink = 0;
    int fineBlocks = 0;
    for (int y = text.top; y < text.bottom; ++y) {
        for (int x = text.left; x < text.right; ++x) {
            if (!BlockIsUniform(two, x, y)) {
                ++fineBlocks;
            }
            for (int d = 0; d < kRatio * kRatio; ++d) {
                ink += qGray(two.pixel(x * kRatio + d % kRatio, y * kRatio + d / kRatio)) < 96;
            }
        }
    }
    QVERIFY2(ink > 20, qPrintable(QString::number(ink)));
    QVERIFY2(fineBlocks > 10, qPrintable(QString::number(fineBlocks)));
}

void tst_HiDpi::windowLayoutStaysLogical_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("cmd_Save") << "cmd_Save" << QRect(8, 256, 249, 33);
    QTest::newRow("TabControl1") << "TabControl1" << QRect(0, 0, 489, 249);
    QTest::newRow("txt(0)") << "txt(0)" << QRect(8, 16, 57, 17);
    QTest::newRow("Combo4") << "Combo4" << QRect(72, 16, 161, 21);
    QTest::newRow("Up") << "Up" << QRect(8, 16, 201, 19);
}

// Twips become logical pixels at 15 per pixel, as at 1x (places relative to the parent); Qt
// doubles them on the screen.
void tst_HiDpi::windowLayoutStaysLogical() {
    QFETCH(QString, name);
    QFETCH(QRect, expected);
    frmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QHash<QString, QWidget*> controls = {
        {"client", w.client}, {"cmd_Save", w.cmd_Save}, {"TabControl1", w.TabControl1},
        {"txt(0)", w.txt[0]}, {"Combo4", w.Combos[3]},  {"Up", w.Up}};
    QWidget* control = controls.value(name);
    QCOMPARE(control->geometry(), expected);
    const QPixmap shot = control->grab();
    QCOMPARE(shot.devicePixelRatio(), qreal(kRatio));
    QCOMPARE(shot.size(), expected.size() * kRatio);
    QCOMPARE(w.client->size(), QSize(497, 297));
    QCOMPARE(w.grab().size(), w.size() * kRatio);
}

// The box's one-pixel frame is one logical pixel: two device pixels, all around.
void tst_HiDpi::upDownBoxAtTwiceTheSize() {
    QWidget host;
    ControlSite site;
    auto* box = new ucUpDownBox(&site, &host);
    box->InitProperties();
    box->setGeometry(4, 4, 201, 21);
    host.resize(220, 40);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    const QImage two = box->grab().toImage();
    QCOMPARE(two.size(), box->size() * kRatio);
    const QRgb frame = two.pixel(0, 0);
    for (int x = 0; x < two.width(); ++x) {
        QCOMPARE(two.pixel(x, 1), frame);
        QCOMPARE(two.pixel(x, two.height() - 1), frame);
    }
    QVERIFY(two.pixel(2, 2) != frame);  // the client area starts after two device pixels
    QCOMPARE(box->txtValue()->geometry().height() * kRatio,
             box->txtValue()->grab().size().height());
}

QTEST_MAIN(tst_HiDpi)
#include "tst_hidpi.moc"
