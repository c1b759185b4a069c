// The work a click does on the UI thread to play its sound (PlayWave on the process's own
// player), for the program's own click (1.6 KB) and for big waves up to the size limit.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include "bench/OffscreenMain.h"

#include <ctime>

#include "controls/host/qt/SoundPlayer.h"
#include "tests/support/WaveFixture.h"

using namespace corvane;

namespace {

// A 16-bit mono wave of about `bytes` bytes in a folder of its own.
struct WaveFile {
    explicit WaveFile(qint64 bytes) {
        path = dir.filePath(QStringLiteral("sound.wav"));
        wave = test::MakeWave({.frames = static_cast<int>((bytes - 44) / 2)});
        write();
    }
    // Written as if an hour ago (plus `version` seconds), as an installed sound is: a file
    // modified in the last moments is read again at every click.
    void write(int version = 0) const {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(wave) != wave.size()) {
            qFatal("cannot write %s", qPrintable(path));
        }
        f.close();
        const timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 3600 + version, 0}};
        ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
    }
    QTemporaryDir dir;
    QString path;
    QByteArray wave;
};

// Lets whatever the click left to do elsewhere finish, outside the timing.
void Settle() {
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
}

// A click on a file clicked before and unchanged since.
void BM_Click_SameFile(benchmark::State& state) {
    const WaveFile file(state.range(0));
    PlayWave(file.path);
    Settle();
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlayWave(file.path));
        state.PauseTiming();
        Settle();
        state.ResumeTiming();
    }
}

// A click on a file that changed since the last click: another sample, another time stamp.
void BM_Click_ChangedFile(benchmark::State& state) {
    WaveFile file(state.range(0));
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        file.wave[file.wave.size() - 1 - (n++ % 1000)] ^= 1;
        file.write(n);
        state.ResumeTiming();
        benchmark::DoNotOptimize(PlayWave(file.path));
        state.PauseTiming();
        Settle();
        state.ResumeTiming();
    }
}

constexpr qint64 kKiB = 1024;
constexpr qint64 kMiB = 1024 * kKiB;

}  // namespace

BENCHMARK(BM_Click_SameFile)->Arg(1600)->Arg(kMiB)->Arg(15 * kMiB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Click_ChangedFile)
    ->Arg(1600)
    ->Arg(kMiB)
    ->Arg(15 * kMiB)
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return corvane::bench::RunOffscreen(argc, argv);
}
