// The stored property set's text reader against the number of keys: the time a key must stay
// the same however many keys came before it (the check for a repeated key included).
// Google Benchmark fits the growth and prints it as the "BigO" row.
#include <benchmark/benchmark.h>

#include <string>

#include "controls/host/PropertyBag.h"

namespace {

std::string TextWithKeys(int keys) {
    std::string text = "[";
    for (int i = 0; i < keys; ++i) {
        const std::string n = std::to_string(i);
        text += "[\"Key" + n + "\", " + n + "]" + (i + 1 < keys ? ", " : "");
    }
    return text + "]";
}

void BM_PropertyBagFromText(benchmark::State& state) {
    const std::string text = TextWithKeys(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        corvane::PropertyBag bag;
        if (!bag.fromText(text)) {
            state.SkipWithError("the text was refused");
        }
        benchmark::DoNotOptimize(bag);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PropertyBagFromText)
    ->RangeMultiplier(4)
    ->Range(1 << 8, 1 << 16)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
