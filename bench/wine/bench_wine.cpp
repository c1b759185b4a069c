// Start-up of corvane.exe's window under Wine, from construction to its first painted frame,
// beside a bare Win32 window of the same system controls (bench/win32/startup.cpp, which
// measures inside the Windows process). Each benchmark runs one Windows process on a virtual
// screen of its own: its first window is the cold start (counter cold_us), the others are the
// iterations.
//   CORVANE_STARTUP_EXE  corvane-startup.exe (default: the Windows build's, `make windows`)

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kWindows = 21;  // the first is the cold start

std::string StartupExe() {
    if (const char* given = std::getenv("CORVANE_STARTUP_EXE")) {
        return given;
    }
    for (const char* candidate : {CORVANE_WINDOWS_BUILD "/corvane-startup.exe",
                                  CORVANE_CROSS_BUILD "/corvane-startup.exe"}) {
        if (std::filesystem::exists(candidate)) {
            return candidate;
        }
    }
    return {};
}

// The times of `windows` windows of one process, in microseconds; empty when it did not run.
std::vector<double> Run(const std::string& exe, const char* mode, int windows) {
    const std::string command =
        "xvfb-run -a -s '-screen 0 1024x768x24' env WINEDEBUG=-all "
        "WINEDLLOVERRIDES='mscoree,mshtml=' WINEPREFIX='" CORVANE_BENCH_PREFIX "' '" CORVANE_WINE
        "' '" +
        exe + "' " + mode + " " + std::to_string(windows) + " 2>/dev/null";
    std::vector<double> times;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        double t = 0;
        while (std::fscanf(pipe, "%lf", &t) == 1) {
            times.push_back(t);
        }
        pclose(pipe);
    }
    return times;
}

void FirstFrame(benchmark::State& state, const char* mode) {
    const std::string exe = StartupExe();
    if (exe.empty()) {
        state.SkipWithError("no corvane-startup.exe: `make windows` builds it");
        return;
    }
    const std::vector<double> times = Run(exe, mode, kWindows);
    if (times.size() != kWindows) {
        state.SkipWithError("corvane-startup.exe did not run under Wine");
        return;
    }
    std::size_t i = 1;
    for (auto _ : state) {
        state.SetIterationTime(times[i++] * 1e-6);
    }
    state.counters["cold_us"] = times[0];
}

void BM_Win32BareFirstFrame(benchmark::State& state) {
    FirstFrame(state, "bare");
}
void BM_Win32MainFirstFrame(benchmark::State& state) {
    FirstFrame(state, "main");
}

BENCHMARK(BM_Win32BareFirstFrame)
    ->UseManualTime()
    ->Iterations(kWindows - 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Win32MainFirstFrame)
    ->UseManualTime()
    ->Iterations(kWindows - 1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
