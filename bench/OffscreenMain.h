#pragma once

// main() of a benchmark program whose work needs a QApplication (palettes, widgets, the
// player) but no screen: the offscreen platform unless another is chosen, then Google
// Benchmark with its own options.

#include <QApplication>

#include <benchmark/benchmark.h>

namespace corvane::bench {

inline int RunOffscreen(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace corvane::bench
