// Start-up of the main window, from construction to its first painted frame, beside a bare
// window built from the same plain Qt widgets without our controls, adapters or artwork.
// Run each benchmark in a process of its own (--benchmark_filter) to compare peak RSS.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleFactory>
#include <QTabWidget>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

#include "ui/frmMain.h"

namespace {

// Sets `painted` when the watched widget receives its first paint event.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            painted = true;
        }
        return false;
    }
};

// The same widget tree as frmMain, from plain widgets only.
std::unique_ptr<QMainWindow> BareWindow() {
    auto w = std::make_unique<QMainWindow>();
    w->setWindowTitle(QStringLiteral("Corvane"));
    QMenu* menu = w->menuBar()->addMenu(QStringLiteral("Menu"));
    menu->addAction(QStringLiteral("Open"));
    menu->addSeparator();
    menu->addAction(QStringLiteral("Save"))->setEnabled(false);
    auto* client = new QWidget;
    client->setFixedSize(497, 297);
    w->setCentralWidget(client);
    w->layout()->setSizeConstraint(QLayout::SetFixedSize);
    auto* tabs = new QTabWidget(client);
    tabs->setGeometry(0, 0, 489, 249);
    auto* teams = new QWidget;
    auto* colours = new QWidget;
    tabs->addTab(teams, QStringLiteral("Team Manager"));
    tabs->addTab(colours, QStringLiteral("Pes Color Manager"));
    auto* exhibition = new QGroupBox(QStringLiteral("Exhibition"), teams);
    exhibition->setGeometry(8, 8, 257, 209);
    (new QLabel(teams))->setGeometry(272, 8, 209, 217);
    for (int i = 0; i < 4; ++i) {
        auto* g = new QGroupBox(QString::number(i + 1), exhibition);
        g->setGeometry(8, 16 + 48 * i, 241, 41);
        (new QLineEdit(g))->setGeometry(8, 16, 57, 17);
        auto* combo = new QComboBox(g);
        combo->setEditable(true);
        combo->setGeometry(72, 16, 161, 21);
    }
    for (int side = 0; side < 2; ++side) {
        auto* g = new QGroupBox(QStringLiteral("Pes Fonts Color"), colours);
        g->setGeometry(8 + 240 * side, 8, 233, 137);
        for (int i = 0; i < 3; ++i) {
            (new QLineEdit(g))->setGeometry(8, 16 + 24 * i, 49, 17);
        }
        (new QPushButton(g))->setGeometry(64, 16, 161, 65);
        (new QLineEdit(g))->setGeometry(112, 48, 73, 17);
        auto* frame = new QGroupBox(QStringLiteral("TRANSPARENT"), g);
        frame->setGeometry(8, 88, 217, 41);
        auto* spin = new QSpinBox(frame);
        spin->setRange(0, 255);
        spin->setGeometry(8, 16, 201, 21);
    }
    tabs->setEnabled(false);
    auto* save = new QPushButton(QStringLiteral("Save"), client);
    save->setGeometry(8, 256, 249, 33);
    save->setEnabled(false);
    return w;
}

template <typename Make>
void StartUp(benchmark::State& state, Make make) {
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        auto window = make();
        PaintWatch watch;
        window->centralWidget()->installEventFilter(&watch);
        window->show();
        while (!watch.painted) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
        window->centralWidget()->removeEventFilter(&watch);
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_BareWindowFirstFrame(benchmark::State& state) {
    StartUp(state, BareWindow);
}

void BM_frmMainFirstFrame(benchmark::State& state) {
    StartUp(state, [] { return std::make_unique<corvane::frmMain>(); });
}

// The offscreen platform warns on every fixed-size window; the warning is not what is measured.
void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (!message.contains(QStringLiteral("propagateSizeHints"))) {
        fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, {}, message)));
    }
}

}  // namespace

BENCHMARK(BM_BareWindowFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_frmMainFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

// The first window of a fresh process, fonts and style included: what a user waits for. Run
// each alone (--benchmark_filter=Cold...) so that its peak RSS is that of one window.
void BM_BareWindowColdFirstFrame(benchmark::State& state) {
    StartUp(state, BareWindow);
}
void BM_frmMainColdFirstFrame(benchmark::State& state) {
    StartUp(state, [] { return std::make_unique<corvane::frmMain>(); });
}
BENCHMARK(BM_BareWindowColdFirstFrame)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_frmMainColdFirstFrame)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Qt delays a window's repaint by an idle interval (5 ms by default) that both windows
    // would pay alike; without it the numbers are the work of building and painting.
    if (qEnvironmentVariableIsEmpty("QT_QPA_UPDATE_IDLE_TIME")) {
        qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    }
    qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
