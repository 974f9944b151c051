// The update rule of Next Error and Previous Error runs at every idle pass: what
// it costs with a million lines of output, once all are read (a pass with no
// new line) and for reading them the first time.
#include <benchmark/benchmark.h>
#include <string>

#include "app/CErrorLines.h"
#include "output/COutputStore.h"

namespace {

constexpr int kLines = 1000000;

// A million lines of output, one in a thousand an error line.
void Fill(COutputStore& store)
{
    for (int i = 0; i < kLines; ++i) {
        const std::string line = i % 1000 == 999 ? "/m/model.nuv(" + std::to_string(i) + "): run-time error"
                                                 : "step " + std::to_string(i) + ": x = " + std::to_string(i * 7);
        store.AddLine(line.c_str());
    }
}

void BM_ErrorLinesIdlePass(benchmark::State& state)
{
    COutputStore store;
    Fill(store);
    CErrorLines lines;
    lines.Sync(store);
    for (auto _ : state) {
        lines.Sync(store);
        benchmark::DoNotOptimize(lines.Any());
    }
}
BENCHMARK(BM_ErrorLinesIdlePass)->Unit(benchmark::kMicrosecond);

void BM_ErrorLinesFirstRead(benchmark::State& state)
{
    COutputStore store;
    Fill(store);
    for (auto _ : state) {
        CErrorLines lines;
        lines.Sync(store);
        benchmark::DoNotOptimize(lines.Any());
    }
}
BENCHMARK(BM_ErrorLinesFirstRead)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
