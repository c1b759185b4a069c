// Cost of the picture step of one button repaint: a 32x32 picture on a 249x33 face (the
// size of the main window's Save button), and the transparent background copy.
#include <benchmark/benchmark.h>

#include "bench/OffscreenMain.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include "controls/button/ButtonXPCore.h"
#include "controls/button/PictureDraw.h"
#include "controls/button/qt/QtButtonFace.h"
#include "controls/button/qt/QtButtonInput.h"
#include "controls/draw/qt/QtText.h"
#include "controls/host/qt/QtPicture.h"

using namespace corvane;

namespace {

QImage testBitmap(int size) {
    QImage img(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // A ring of black (the default mask colour) around a coloured disc.
            const int dx = 2 * x - size + 1;
            const int dy = 2 * y - size + 1;
            const bool inside = dx * dx + dy * dy < size * size;
            img.setPixel(x, y, inside ? qRgb(40 + 6 * x, 200 - 5 * y, 120) : qRgb(0, 0, 0));
        }
    }
    return img;
}

QImage testIcon(int size) {
    QImage img = testBitmap(size).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb p = img.pixel(x, y);
            img.setPixel(x, y, qRgba(qRed(p), qGreen(p), qBlue(p), p == 0xFF000000u ? 0 : 255));
        }
    }
    return img;
}

enum Look { Normal, Pressed, StyleTwoHover, Disabled };

void drawPicture(benchmark::State& st, const Picture& picture, int drawn, Look look) {
    QImage face(249, 33, QImage::Format_RGB32);
    ButtonPaintState s;
    SetFacePicture(s, picture);
    s.originalPicWidth = s.originalPicHeight = 32;
    s.pictureWidth = s.pictureHeight = drawn;
    const Rect at{90, (33 - drawn) / 2, 90 + drawn, (33 - drawn) / 2 + drawn};
    s.buttonStyle = look == StyleTwoHover ? FaceStyle::Highlight : FaceStyle::Raised;
    s.flags.MouseOver = look == StyleTwoHover || look == Pressed;
    s.flags.Pressed = look == Pressed;
    s.enabled = look != Disabled;
    for (auto _ : st) {
        face.fill(0xFFD4D0C8u);
        DrawPicture(ViewOf(face), s, at);
        benchmark::ClobberMemory();
    }
}

void BM_Bitmap(benchmark::State& st) {
    drawPicture(st, Picture::bitmap(ImageOf(testBitmap(32))), 32, static_cast<Look>(st.range(0)));
}
BENCHMARK(BM_Bitmap)->ArgName("look")->DenseRange(Normal, Disabled);

void BM_BitmapShrunkTo16(benchmark::State& st) {
    drawPicture(st, Picture::bitmap(ImageOf(testBitmap(32))), 16, Normal);
}
BENCHMARK(BM_BitmapShrunkTo16);

void BM_Icon(benchmark::State& st) {
    drawPicture(st, Picture::icon(ImageOf(testIcon(32))), 32, static_cast<Look>(st.range(0)));
}
BENCHMARK(BM_Icon)->ArgName("look")->DenseRange(Normal, Disabled);

void BM_FaceFillOnly(benchmark::State& st) {
    drawPicture(st, Picture::none(), 32, Normal);
}
BENCHMARK(BM_FaceFillOnly);

void BM_CopyParentBackground(benchmark::State& st) {
    QImage face(249, 33, QImage::Format_RGB32);
    const QImage container = testBitmap(600).scaled(800, 600);
    for (auto _ : st) {
        CopyParentBackground(ViewOf(face), ViewOf(container), {8, 256}, true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyParentBackground);

// One hover-timer tick while the pointer stays over the button (100 of them a second).
void BM_HoverTick(benchmark::State& st) {
    QWidget window;
    window.resize(400, 300);
    QWidget button(&window);
    button.setGeometry(8, 256, 249, 33);
    for (int i = 0; i < 20; ++i) {  // other controls on the window
        (new QWidget(&window))->setGeometry(10 + 15 * i, 10, 12, 12);
    }
    window.show();
    QCursor::setPos(button.mapToGlobal(QPoint(100, 15)));
    bool over = false;
    for (auto _ : st) {
        over = PointerIsOver(&button);
        benchmark::DoNotOptimize(over);
    }
    if (!over) {
        st.SkipWithError("the pointer is not over the button");
    }
}
BENCHMARK(BM_HoverTick);

}  // namespace

int main(int argc, char** argv) {
    return corvane::bench::RunOffscreen(argc, argv);
}
