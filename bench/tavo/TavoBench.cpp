// How long the interpreter takes for the typical large-output model: a loop printing numbered
// lines, with the environment's OutputResult replaced by one that discards the text.
#include "tavo_abi.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::size_t g_bytes = 0;
int Discard(const char *text)
{
    g_bytes += std::char_traits<char>::length(text);
    return 1;
}
int NeverBreak() { return 0; }
void *Lookup(const char *name)
{
    const std::string n = name;
    if (n == "OutputResult")
        return reinterpret_cast<void *>(&Discard);
    if (n == "IsBreak")
        return reinterpret_cast<void *>(&NeverBreak);
    return nullptr;
}

std::string WriteModel(const std::string &body)
{
    char pattern[] = "/tmp/tavo-bench-XXXXXX";
    const std::string dir = ::mkdtemp(pattern);
    const std::string path = dir + "/bench.nuv";
    std::ofstream(path) << body;
    ::setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    return path;
}

void BM_PrintNumberedLines(benchmark::State &state)
{
    const std::string path =
        WriteModel("for (i = 1; i <= " + std::to_string(state.range(1)) + "; i++) print \"line \", i, \"\\n\";\n");
    SetUpdateLimit(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        g_bytes = 0;
        benchmark::DoNotOptimize(parser_main(path.c_str(), &Lookup));
    }
    state.SetItemsProcessed(state.iterations() * state.range(1));
    state.counters["bytes"] = static_cast<double>(g_bytes);
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
}
BENCHMARK(BM_PrintNumberedLines)->Args({0, 1000000})->Args({20, 1000000})->Unit(benchmark::kMillisecond);

// Runs the model `text` once per iteration.
void RunText(benchmark::State &state, const std::string &text)
{
    const std::string path = WriteModel(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(parser_main(path.c_str(), &Lookup));
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
}

void BM_Arithmetic(benchmark::State &state)
{
    RunText(state, "n = 0; for (i = 0; i < 1000000; i++) { n = (n * 31 + i) % 1000003; }\n");
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_Arithmetic)->Unit(benchmark::kMillisecond);

std::string Lines(const std::string &line, int64_t count)
{
    std::string text;
    text.reserve(line.size() * static_cast<std::size_t>(count));
    for (int64_t i = 0; i < count; ++i)
        text += line;
    return text;
}

// Reading, checking and running a large model: 500,000 statements of 5 parts each (7 MB).
void BM_LargeModel(benchmark::State &state) { RunText(state, Lines("x = 1 + 2 * 3;\n", 500000)); }
BENCHMARK(BM_LargeModel)->Unit(benchmark::kMillisecond);

// A data file of 8 MB run by mistake: the fault on its first line is reported without
// reading the rest as tokens.
void BM_FaultOnTheFirstLineOfALargeModel(benchmark::State &state)
{
    RunText(state, Lines("1,2,3,4,5,6,7,8\n", 500000));
}
BENCHMARK(BM_FaultOnTheFirstLineOfALargeModel)->Unit(benchmark::kMillisecond);

} // namespace
