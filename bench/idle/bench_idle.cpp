// The CPU a shown window costs while nobody touches it: the main window beside an empty Qt
// window of the same size, each idling in the event loop for five seconds. Run each in a
// process of its own (--benchmark_filter) so that neither pays for the other's timers.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QStyleFactory>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

#include "frmMain.h"

namespace {

struct Usage {
    double cpuSeconds;
    long switches;  // voluntary and involuntary: about one per wake-up of the event loop
};

Usage Now() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec * 1e-6; };
    return {seconds(u.ru_utime) + seconds(u.ru_stime), u.ru_nvcsw + u.ru_nivcsw};
}

// A precise timer: a coarse one may end five seconds up to 5% early or late.
void RunEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// The measured idling, a function of its own so that
// `valgrind --tool=callgrind --collect-atstart=no --toggle-collect='*IdleFor*'` counts the
// instructions of exactly this.
[[gnu::noinline]] void IdleFor(int ms) {
    RunEventLoop(ms);
}

// Sets `painted` when the watched widget receives its first paint event.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* e) override {
        painted = painted || e->type() == QEvent::Paint;
        return false;
    }
};

template <typename Make>
void Idle(benchmark::State& state, Make make) {
    const int seconds = static_cast<int>(state.range(0));
    std::unique_ptr<QWidget> window = make();
    window->move(400, 300);  // away from the cursor's resting place, so nothing is hovered
    PaintWatch watch;
    window->installEventFilter(&watch);
    window->show();
    // The first paint and whatever start-up work follows it end before the count starts.
    while (!watch.painted) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    window->removeEventFilter(&watch);
    RunEventLoop(500);
    double cpu = 0;
    long switches = 0;
    for (auto _ : state) {
        const Usage before = Now();
        QElapsedTimer timer;
        timer.start();
        IdleFor(seconds * 1000);
        const Usage after = Now();
        cpu += after.cpuSeconds - before.cpuSeconds;
        switches += after.switches - before.switches;
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["idle_cpu_ms"] = cpu * 1e3 / n;
    state.counters["wakeups"] = static_cast<double>(switches) / n;
}

void BM_IdleEmptyWindow(benchmark::State& state) {
    Idle(state, [] {
        auto w = std::make_unique<QWidget>();
        w->resize(497, 318);  // the main window's client area and menu bar
        return w;
    });
}

void BM_IdleMainWindow(benchmark::State& state) {
    Idle(state, [] { return std::make_unique<corvane::frmMain>(); });
}

void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (!message.contains(QStringLiteral("propagateSizeHints"))) {
        fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, {}, message)));
    }
}

}  // namespace

BENCHMARK(BM_IdleEmptyWindow)->Arg(5)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_IdleMainWindow)->Arg(5)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
