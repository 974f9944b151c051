// Output window speed and memory: storing lines hidden and while the view
// follows the end, the bytes a stored line costs beyond its text, and one frame
// of a window of ten million lines.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <memory>
#include <string>

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
