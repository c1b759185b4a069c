// Renders every Button_XP style in every state into one PNG, enlarged with nearest-neighbour
// scaling so that single pixels can be checked by eye. The last rows carry a bitmap and an icon
// picture, to show the picture's offsets, its disabled emboss and the style-2 silhouette.
//
//   corvane-gallery [output.png] [scale]
#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <cstdio>
#include <memory>

#include "controls/button/qt/Button_XP.h"
#include "controls/host/qt/ControlSite.h"
#include "controls/host/qt/QtPicture.h"
#include "controls/host/qt/QtSystemColours.h"
#include "tests/support/Button_XPTestAccess.h"

using namespace corvane;

namespace {

struct Row {
    const char* label;
    int style;
    qint16 bevel;
    bool ownColours;                           // XPDefaultColors off
    PictureKind picture = PictureKind::Empty;  // Empty: no picture
};

struct Column {
    const char* label;
    bool focus, pressed, over, enabled, isDefault, userMode;
};

const Row kRows[] = {
    {"0 raised", 0, 1, false},
    {"0 bevel 2", 0, 2, false},
    {"1 flat", 1, 1, false},
    {"1 bevel 2", 1, 2, false},
    {"2 highlight", 2, 1, false},
    {"3 XP", 3, 1, false},
    {"3 XP own colours", 3, 1, true},
    {"4 no border", 4, 1, false},
    {"2 bitmap", 2, 1, false, PictureKind::Bitmap},
    {"2 icon", 2, 1, false, PictureKind::Icon},
    {"3 bitmap", 3, 1, false, PictureKind::Bitmap},
    {"3 icon", 3, 1, false, PictureKind::Icon},
};

const Column kColumns[] = {
    {"normal", false, false, false, true, false, true},
    {"hover", false, false, true, true, false, true},
    {"pressed", false, true, true, true, false, true},
    {"focused", true, false, false, true, false, true},
    {"focus+hover", true, false, true, true, false, true},
    {"disabled", false, false, false, false, false, true},
    {"default", false, false, false, true, true, true},
    {"design time", false, false, false, true, false, false},
};

// A classic desktop scheme, so that the gallery looks the same on every machine.
QPalette classicPalette() {
    QPalette p;
    const auto set = [&p](QPalette::ColorRole role, int r, int g, int b) {
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            p.setColor(group, role, QColor(r, g, b));
        }
    };
    set(QPalette::Button, 212, 208, 200);
    set(QPalette::Window, 212, 208, 200);
    set(QPalette::Dark, 128, 128, 128);
    set(QPalette::Light, 255, 255, 255);
    set(QPalette::Shadow, 64, 64, 64);
    set(QPalette::Midlight, 212, 208, 200);
    set(QPalette::ButtonText, 0, 0, 0);
    set(QPalette::Highlight, 10, 36, 106);
    return p;
}

// A 16 x 16 bitmap on black, which the default MaskColor 0 leaves out: a red square with a white
// band (white counts as background in the disabled emboss) and a blue centre.
Picture bitmapPicture() {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int y = 2; y < 14; ++y) {
        for (int x = 2; x < 14; ++x) {
            image.setPixel(x, y, y < 5 ? qRgb(255, 255, 255) : qRgb(200, 30, 30));
        }
    }
    for (int y = 7; y < 11; ++y) {
        for (int x = 6; x < 10; ++x) {
            image.setPixel(x, y, qRgb(30, 60, 220));
        }
    }
    return Picture::bitmap(ImageOf(image));
}

// A 16 x 16 icon with its own transparency: a green disc with a dark outline.
Picture iconPicture() {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int d = (2 * x - 15) * (2 * x - 15) + (2 * y - 15) * (2 * y - 15);
            if (d <= 169) {
                image.setPixel(x, y, d > 100 ? qRgba(0, 80, 0, 255) : qRgba(60, 200, 60, 255));
            }
        }
    }
    return Picture::icon(ImageOf(image));
}

// One cell: the control's face, with the pixels its shape leaves out showing the sheet.
QImage renderCell(const Row& row, const Column& col, int w, int h, const QColor& sheet) {
    QWidget container;
    ControlSite site;
    FontValue font;
    font.name = u"DejaVu Sans";
    font.size = 8;
    site.setAmbientFont(font);
    site.setDisplayName(QStringLiteral("cmd_Save"));
    site.setUserMode(col.userMode);
    site.setDefault(col.isDefault);
    auto* b = new Button_XP(&site, &container);
    b->setPalette(classicPalette());
    b->InitProperties();
    b->resize(w, h);
    container.resize(w + 4, h + 4);
    container.show();
    b->setCaption(QStringLiteral("&Save"));
    b->setBEVEL(row.bevel);
    b->setXPDefaultColors(!row.ownColours);
    b->setButtonStyle(row.style);
    if (row.picture != PictureKind::Empty) {
        static const Picture bitmap = bitmapPicture();
        static const Picture icon = iconPicture();
        b->setPictureSize(0);
        b->setPicture(row.picture == PictureKind::Bitmap ? bitmap : icon);
    }
    b->setEnabled(col.enabled);
    Button_XPTestAccess::setFlags(*b, {col.focus, col.pressed, col.over, false});

    QImage cell(w, h, QImage::Format_RGB32);
    cell.fill(sheet);
    const QImage& face = Button_XPTestAccess::surfaceImage(*b);
    const QRegion shape = b->mask();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (shape.isEmpty() || shape.contains(QPoint(x, y))) {
                cell.setPixel(x, y, face.pixel(x, y));
            }
        }
    }
    return cell;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery.png");
    const int scale = argc > 2 ? std::max(1, atoi(argv[2])) : 3;

    constexpr int kCellW = 72;
    constexpr int kCellH = 27;
    constexpr int kGap = 6;
    constexpr int kLabelW = 44;  // in unscaled pixels; labels are drawn at full scale
    constexpr int kHeaderH = 10;
    const int cols = static_cast<int>(std::size(kColumns));
    const int rows = static_cast<int>(std::size(kRows));
    const QColor sheet(0x3A, 0x6E, 0xA5);  // a desktop blue: cut corners show against it

    QImage small(kLabelW + cols * (kCellW + kGap) + kGap, kHeaderH + rows * (kCellH + kGap) + kGap,
                 QImage::Format_RGB32);
    small.fill(sheet);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const QImage cell = renderCell(kRows[r], kColumns[c], kCellW, kCellH, sheet);
            QPainter p(&small);
            p.drawImage(kLabelW + c * (kCellW + kGap) + kGap, kHeaderH + r * (kCellH + kGap) + kGap,
                        cell);
        }
    }

    QImage big = small.scaled(small.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QPainter p(&big);
    QFont labelFont(QStringLiteral("DejaVu Sans"));
    labelFont.setPixelSize(4 * scale);
    p.setFont(labelFont);
    p.setPen(Qt::white);
    for (int c = 0; c < cols; ++c) {
        p.drawText(QRect((kLabelW + c * (kCellW + kGap) + kGap) * scale, 0, kCellW * scale,
                         (kHeaderH + kGap) * scale),
                   Qt::AlignCenter, QString::fromLatin1(kColumns[c].label));
    }
    for (int r = 0; r < rows; ++r) {
        p.drawText(QRect(2 * scale, (kHeaderH + r * (kCellH + kGap) + kGap) * scale,
                         (kLabelW - 2) * scale, kCellH * scale),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                   QString::fromLatin1(kRows[r].label));
    }
    p.end();
    if (!big.save(out)) {
        std::fprintf(stderr, "corvane-gallery: cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("%s: %d styles x %d states at %dx\n", qPrintable(out), rows, cols, scale);
    return 0;
}
