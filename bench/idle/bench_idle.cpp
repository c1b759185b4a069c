// The CPU a shown window costs while nobody touches it: the main window beside an empty Qt
// window of the same size, each idling in the event loop for five seconds. Run each in a
// process of its own (--benchmark_filter) so that neither pays for the other's timers.
//
// The measurement must not wake the window it measures: a process that ends its own idle
// spell with a timer pays 0.1 to 0.9 ms for that one wake-up on a virtual machine (cold
// caches after seconds of sleep), whatever window it shows, and that drowned what the
// window itself does. So a watcher thread reads the scheduler's account of every other
// thread of the process (/proc/self/task/*/schedstat: nanoseconds on a CPU and the number
// of times scheduled) before and after the spell, and only then asks the event loop to quit.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QStyleFactory>
#include <QTimer>

#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

#include "ui/frmMain.h"

namespace {

struct Account {
    double cpuNs = 0;
    double slices = 0;  // times a thread was put on a CPU: a wake-up each, while idle
};

// The scheduler's account of every thread of this process except `exceptTid`.
Account ThreadsExcept(long exceptTid) {
    Account total;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (tid.toLong() == exceptTid) {
            continue;
        }
        QFile stat(tasks.filePath(tid + QStringLiteral("/schedstat")));
        if (!stat.open(QIODevice::ReadOnly)) {
            continue;  // a thread that ended meanwhile
        }
        const QList<QByteArray> fields = stat.readAll().simplified().split(' ');
        if (fields.size() >= 3) {
            total.cpuNs += fields[0].toDouble();
            total.slices += fields[2].toDouble();
        }
    }
    return total;
}

// Idles in the event loop for `ms` while a watcher thread takes the account; returns the
// CPU and wake-ups of the idle spell.
Account IdleFor(int ms) {
    QEventLoop loop;
    Account spent;
    std::thread watcher([&] {
        const long self = static_cast<long>(syscall(SYS_gettid));
        // Let the loop settle into its wait first.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const Account before = ThreadsExcept(self);
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        const Account after = ThreadsExcept(self);
        spent = {after.cpuNs - before.cpuNs, after.slices - before.slices};
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    watcher.join();
    return spent;
}

void RunEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
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
    Account spent;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const Account a = IdleFor(seconds * 1000);
        spent.cpuNs += a.cpuNs;
        spent.slices += a.slices;
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["idle_cpu_ms"] = spent.cpuNs * 1e-6 / n;
    state.counters["wakeups"] = spent.slices / n;
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

// The control: a window that wakes every 10 ms, as a hover poll left running would. It shows
// that the watcher sees such work.
void BM_IdleTickingWindow(benchmark::State& state) {
    Idle(state, [] {
        auto w = std::make_unique<QWidget>();
        w->resize(497, 318);
        auto* tick = new QTimer(w.get());
        tick->start(10);
        return w;
    });
}

void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (!message.contains(QStringLiteral("propagateSizeHints"))) {
        fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, {}, message)));
    }
}

}  // namespace

BENCHMARK(BM_IdleEmptyWindow)->Arg(5)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_IdleMainWindow)->Arg(5)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_IdleTickingWindow)->Arg(5)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

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
