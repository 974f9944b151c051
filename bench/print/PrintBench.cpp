// How long printing takes: the layout of a large output (decoding and counting
// characters, no drawing), and whole jobs on the real QPrinter path into a PDF
// file, with the abort dialog's event pump running between drawing operations
// and the longest stretch in which that pump did not run (Cancel could not answer).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <string>

#include "FakeFrame.h"
#include "platform/IPrintDevice.h"
#include "print/CPrintJob.h"
#include "print/CPrintProgress.h"
#include "print/CPrinterDevice.h"
#include "print/IPrintAbort.h"

namespace {

// A device that draws nothing: what is left is the routine's own work.
class NullDevice : public IPrintDevice {
public:
    int HorzRes() const override { return 9583; }
    int VertRes() const override { return 13699; }
    QSize TextExtent(const QString& text) const override { return QSize(101 * static_cast<int>(text.size()), 194); }
    int ExternalLeading() const override { return 0; }
    int TextCharacterExtra() const override { return 0; }
    bool CanShow(char32_t) const override { return true; }
    void SetAbortProc(std::function<bool()> hook) override { m_hook = std::move(hook); }
    int StartDoc(const QString&) override { return 1; }
    int StartPage() override { return 1; }
    void TextOut(int, int, const QString& text) override
    {
        characters += text.size();
        m_hook();
    }
    int EndPage() override { return 1; }
    int EndDoc() override { return 1; }
    int AbortDoc() override { return 1; }

    long long characters = 0;

private:
    std::function<bool()> m_hook;
};

// The real abort side, timing the longest stretch in which the job let no
// event through: how long the dialog could not answer Cancel.
class TimedProgress : public IPrintAbort {
public:
    explicit TimedProgress(QWidget* mainWindow) : m_progress(mainWindow) {}
    void Begin() override
    {
        m_progress.Begin();
        m_timer.start();
    }
    bool Continue() override
    {
        Lap();
        return m_progress.Continue();
    }
    void End() override
    {
        Lap();
        m_progress.End();
    }
    double longestWaitMs = 0;

private:
    void Lap() { longestWaitMs = std::max(longestWaitMs, static_cast<double>(m_timer.restart())); }

    CPrintProgress m_progress;
    QElapsedTimer m_timer;
};

class NoAbort : public IPrintAbort {
public:
    void Begin() override {}
    bool Continue() override { return true; }
    void End() override {}
};

// `lines` output lines of 60 characters, with a tab and an é in each.
std::string Text(int lines)
{
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += "line " + std::to_string(i) + "\tcaf\xc3\xa9 " + std::string(44, 'x') + "\r\n";
    return text;
}

void BM_LayoutOnly(benchmark::State& state)
{
    const std::string text = Text(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        NullDevice device;
        NoAbort abort;
        CPrintJob job(device, abort);
        job.Print(text.c_str(), "/bench/model.nuv");
        benchmark::DoNotOptimize(device.characters);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(text.size()));
}
BENCHMARK(BM_LayoutOnly)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_JobToPdf(benchmark::State& state)
{
    FakeFrame frame;
    frame.show();
    QTemporaryDir dir;
    const std::string text = Text(static_cast<int>(state.range(0)));
    double longestWaitMs = 0;
    for (auto _ : state) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setOutputFileName(dir.filePath("bench.pdf"));
        CPrinterDevice device(std::move(printer));
        TimedProgress progress(&frame);
        CPrintJob job(device, progress);
        job.Print(text.c_str(), "/bench/model.nuv");
        longestWaitMs = std::max(longestWaitMs, progress.longestWaitMs);
    }
    state.counters["pages"] = static_cast<double>(state.range(0)) / 55.0;
    state.counters["longest_wait_ms"] = longestWaitMs;
}
BENCHMARK(BM_JobToPdf)->Arg(550)->Arg(5500)->Unit(benchmark::kMillisecond);
// The long job: 150,000 lines of output, about 2,700 pages.
BENCHMARK(BM_JobToPdf)->Arg(150'000)->Iterations(1)->Unit(benchmark::kMillisecond);

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
