// Output window speed and memory: storing lines hidden and while the view
// follows the end, the bytes a stored line costs beyond its text, one frame
// of a window of ten million lines, and writing an output file of a million
// lines against the floor of a bare C host.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

#include "output/CNuvOutput.h"
#include "output/COutputStore.h"
#include "output/COutputView.h"
#include "FakeFrame.h"

namespace {

// A test frame, shown, as the output window sees the real one.
struct BenchFrame : FakeFrame {
    BenchFrame()
    {
        resize(1000, 700);
        show();
    }
};

constexpr int kLines = 1'000'000;

std::string Line60()
{
    std::string line(59, 'x');
    for (std::size_t i = 0; i < line.size(); ++i)
        line[i] = static_cast<char>('a' + i % 26);
    return line + "\n";
}

void AddLines(benchmark::State& state, bool shown)
{
    BenchFrame frame;
    auto output = std::make_unique<CNuvOutput>(FALSE, nullptr);
    if (shown)
        output->ShowOutputWindow(nullptr);
    const std::string line = Line60();
    for (auto _ : state) {
        state.PauseTiming();
        output->StartOutput("/bench/model.nuv");
        state.ResumeTiming();
        for (int i = 0; i < kLines; ++i)
            output->AddOutput(line.c_str());
        output->EndOutput(3);  // paints the final state
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * kLines);
    state.counters["lines_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kLines,
                                                       benchmark::Counter::kIsRate);
}

void BM_AddOutputHidden(benchmark::State& state)
{
    AddLines(state, false);
}
BENCHMARK(BM_AddOutputHidden)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_AddOutputShownFollowing(benchmark::State& state)
{
    AddLines(state, true);
}
BENCHMARK(BM_AddOutputShownFollowing)->Unit(benchmark::kMillisecond)->Iterations(5);

std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Bytes each stored line costs beyond its own text (its bytes and its NUL).
void BM_StoreMemoryPerLine(benchmark::State& state)
{
    const int lines = 10'000'000;
    const int length = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        auto store = std::make_unique<COutputStore>();
        std::string text(static_cast<std::size_t>(length), 'q');
        for (int i = 0; i < lines; ++i) {
            text[0] = static_cast<char>('a' + i % 26);
            store->AddLine(text.c_str());
        }
        store->FreeExtra();
        const double used = static_cast<double>(HeapInUse() - before);
        const double textBytes = static_cast<double>(lines) * (length + 1);
        state.counters["text_bytes_per_line"] = length + 1;
        state.counters["overhead_bytes_per_line"] = (used - textBytes) / lines;
        state.counters["total_bytes_per_line"] = used / lines;
    }
}
BENCHMARK(BM_StoreMemoryPerLine)->Arg(8)->Arg(24)->Arg(60)->Unit(benchmark::kMillisecond)->Iterations(1);

// One synchronous repaint of the whole view over ten million lines.
void BM_PaintTenMillionLines(benchmark::State& state)
{
    BenchFrame frame;
    auto output = std::make_unique<CNuvOutput>(FALSE, nullptr);
    const std::string line = Line60();
    for (int i = 0; i < 10'000'000; ++i)
        output->m_pStore->AddLine(line.c_str());
    output->ShowOutputWindow(nullptr);
    output->showMaximized();
    QApplication::processEvents();
    COutputView* view = output->View();
    if (state.range(0) == 1) {  // the middle
        view->Geometry().m_nTopLine = 5'000'000;
        view->SyncScrollBars();
    }
    for (auto _ : state)
        view->viewport()->repaint();
    state.counters["rows"] = view->Geometry().m_nHeight / view->Geometry().m_nLineHeight;
}
BENCHMARK(BM_PaintTenMillionLines)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Send To File of a million 60-byte lines (61 MB): replacing (0) and
// appending to a file of the same size (1). The file is synced, so the figure
// includes the disk; appending copies the old contents, so that the file is
// never left holding half of what was added.
void BM_WriteOutputFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("run.out").toStdString();
    COutputStore store;
    std::string line = Line60();
    line.pop_back();
    for (int i = 0; i < kLines; ++i)
        store.AddLine(line.c_str());
    for (auto _ : state) {
        state.PauseTiming();
        store.m_bAppend = FALSE;
        store.WriteToFile(path.c_str());
        store.m_bAppend = state.range(0) == 1 ? TRUE : FALSE;
        state.ResumeTiming();
        if (!store.WriteToFile(path.c_str()))
            state.SkipWithError("not written");
    }
    state.SetBytesProcessed(state.iterations() * kLines * 62);
}
BENCHMARK(BM_WriteOutputFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

// The floor: the same lines written with stdio into the file in place,
// appended (1) or replaced (0), and synced; nothing more.
void BM_WriteOutputFileFloor(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("run.out").toStdString();
    std::string line = Line60();
    line.back() = '\r';
    line += '\n';
    const auto write = [&](const char* mode) {
        std::FILE* file = std::fopen(path.c_str(), mode);
        for (int i = 0; file && i < kLines; ++i)
            std::fwrite(line.data(), 1, line.size(), file);
        const bool ok = file && std::fflush(file) == 0 && ::fsync(fileno(file)) == 0;
        return (file && std::fclose(file) == 0) && ok;
    };
    for (auto _ : state) {
        state.PauseTiming();
        write("wb");
        state.ResumeTiming();
        if (!write(state.range(0) == 1 ? "ab" : "wb"))
            state.SkipWithError("not written");
    }
    state.SetBytesProcessed(state.iterations() * kLines * 62);
}
BENCHMARK(BM_WriteOutputFileFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
