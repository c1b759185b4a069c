// Repainting the Save button (249 x 33, the XP look) against a stock Fusion QPushButton of
// the same size rendered into an image, in the same process.
#include <QApplication>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>

#include <benchmark/benchmark.h>

#include "bench/OffscreenMain.h"

#include <memory>

#include "controls/button/ButtonPainter.h"
#include "controls/button/XPLook.h"
#include "controls/button/qt/Button_XP.h"
#include "controls/button/qt/QtButtonFace.h"
#include "controls/host/qt/ControlSite.h"
#include "tests/support/Button_XPTestAccess.h"

using namespace corvane;

namespace {

constexpr int kW = 249;
constexpr int kH = 33;

struct SaveButton {
    SaveButton() {
        FontValue f;
        f.name = u"DejaVu Sans";
        f.size = 8;
        site.setAmbientFont(f);
        site.setDisplayName(QStringLiteral("cmd_Save"));
        // A child, as on the main window: its shape is a widget mask, not a window mask.
        button = std::make_unique<Button_XP>(&site, &container);
        button->InitProperties();
        button->setCaption(QStringLiteral("Save"));
        button->resize(kW, kH);
        container.resize(kW + 20, kH + 20);
        container.show();
        button->setButtonStyle(3);
    }
    QWidget container;
    ControlSite site;
    std::unique_ptr<Button_XP> button;
};

void Refresh(benchmark::State& state, bool hovered) {
    SaveButton b;
    Button_XPTestAccess::setFlags(*b.button, {false, false, hovered, false});
    for (auto _ : state) {
        b.button->Refresh();
        benchmark::DoNotOptimize(Button_XPTestAccess::surfaceImage(*b.button).constBits());
    }
}

void BM_Button_XP_Refresh_Normal(benchmark::State& state) {
    Refresh(state, false);
}
void BM_Button_XP_Refresh_Hovered(benchmark::State& state) {
    Refresh(state, true);
}

// The face without a caption: only the pixel work of the XP look.
void BM_Button_XP_PixelsOnly(benchmark::State& state) {
    SaveButton b;
    b.button->setCaption(QString());
    Button_XPTestAccess::setFlags(*b.button, {false, false, state.range(0) != 0, false}, false);
    const ButtonPaintState s = Button_XPTestAccess::paintState(*b.button);
    QImage img;
    for (auto _ : state) {
        RefreshFace(img, s);
        benchmark::DoNotOptimize(img.constBits());
    }
}

// A caption of 50,000 words ("a a a ...") in a button state.range(0) pixels wide: the repaint
// that lays it out afresh, as after a change of the caption (each run ends it in another
// number, so no kept layout fits).
QString ManyWords(int last) {
    return QStringLiteral("a ").repeated(50000) + QString::number(last);
}

void BM_Button_XP_ManyWords_NewCaption(benchmark::State& state) {
    SaveButton b;
    b.button->resize(static_cast<int>(state.range(0)), kH);
    int n = 0;
    for (auto _ : state) {
        b.button->setCaption(ManyWords(++n));  // repaints
        benchmark::DoNotOptimize(Button_XPTestAccess::surfaceImage(*b.button).constBits());
    }
}

// Two such buttons repainted in turn, as when the pointer moves from one to the other: each
// should find its layout kept.
void BM_Button_XP_ManyWords_TwoButtonsInTurn(benchmark::State& state) {
    SaveButton first;
    SaveButton second;
    first.button->resize(static_cast<int>(state.range(0)), kH);
    second.button->resize(static_cast<int>(state.range(0)), kH);
    first.button->setCaption(ManyWords(1));
    second.button->setCaption(ManyWords(2));
    for (auto _ : state) {
        first.button->Refresh();
        second.button->Refresh();
        benchmark::DoNotOptimize(Button_XPTestAccess::surfaceImage(*second.button).constBits());
    }
}

void Fusion(benchmark::State& state, bool hovered) {
    std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Fusion")));
    QPushButton button(QStringLiteral("Save"));
    button.setStyle(style.get());
    button.resize(kW, kH);
    button.setAttribute(Qt::WA_UnderMouse, hovered);
    QImage img(kW, kH, QImage::Format_RGB32);
    for (auto _ : state) {
        button.render(&img);
        benchmark::DoNotOptimize(img.constBits());
    }
}

void BM_Fusion_QPushButton_Render_Normal(benchmark::State& state) {
    Fusion(state, false);
}
void BM_Fusion_QPushButton_Render_Hovered(benchmark::State& state) {
    Fusion(state, true);
}

}  // namespace

BENCHMARK(BM_Button_XP_Refresh_Normal);
BENCHMARK(BM_Button_XP_Refresh_Hovered);
BENCHMARK(BM_Button_XP_PixelsOnly)->Arg(0)->Arg(1);
BENCHMARK(BM_Button_XP_ManyWords_NewCaption)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Button_XP_ManyWords_TwoButtonsInTurn)
    ->Arg(1000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fusion_QPushButton_Render_Normal);
BENCHMARK(BM_Fusion_QPushButton_Render_Hovered);

int main(int argc, char** argv) {
    return corvane::bench::RunOffscreen(argc, argv);
}
