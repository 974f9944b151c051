// A model that hands over each of a million 61-byte lines in an OutputResult
// call of its own (update limit 1), run with Ctrl+R in the real program with the
// output window shown and following, against the floor: the same run through
// the same library and pump, its text appended to one growing buffer.
//
// Offscreen unless QT_QPA_PLATFORM says otherwise: QT_QPA_PLATFORM=xcb under an
// X server measures the windows as a person sees them (and with
// NUV_BENCH_XSERVER_PID, what the server spends on them). The floor of any
// environment is bench/host's bare C host (bare_host), which loads the same
// library without Qt and keeps the text in one buffer.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include "app/CMainFrame.h"
#include "app/CNuvApp.h"
#include "output/CNuvOutput.h"
#include "output/COutputStore.h"
#include "platform/Prompts.h"
#include "res/CommandIds.h"
#include "run/CInterpreterLibrary.h"
#include "run/CRunContext.h"
#include "run/CRunPump.h"
#include "run/Services.h"

namespace {

constexpr int kLines = 1'000'000;

// Beeps silently; the runs below ask no question, and a message (a library
// that cannot be loaded, say) is printed and remembered.
class SilentPrompts : public IPrompts {
public:
    int MessageBox(QWidget*, const QString& text, const QString&, int) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        ++messages;
        return IDOK;
    }
    void Beep(UINT) override {}
    bool FileDialog(const FileDialogRequest&, QString*) override { return false; }
    bool FontDialog(QWidget*, LOGFONTA*) override { return false; }
    bool PrintSetupDialog(QWidget*, QPrinter*) override { return false; }
    int messages = 0;
};

// The program started on the model, in a directory of its own.
struct Program {
    SilentPrompts prompts;
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    std::string model;
    std::unique_ptr<CNuvApp> app;

    Program()
    {
        SetPrompts(&prompts);
        QDir::setCurrent(dir.path());
        model = (dir.path() + "/percall.nuv").toStdString();
        QFile file(QString::fromStdString(model));
        const QByteArray loop = "i = 0;\nwhile (i < " + QByteArray::number(kLines) + ") { print \"" + Line() + "\\n\"; i++; }\n";
        if (file.open(QIODevice::WriteOnly))
            file.write(loop);
        file.close();
        app = std::make_unique<CNuvApp>();
        if (!app->InitInstance({model}))
            app.reset();
    }
    ~Program()
    {
        if (app)
            app->ExitInstance();
        app.reset();
        QDir::setCurrent(previous);
        SetPrompts(nullptr);
    }
    static QByteArray Line()
    {
        QByteArray line(60, ' ');
        for (int i = 0; i < line.size(); ++i)
            line[i] = static_cast<char>('a' + i % 26);
        return line;
    }
};

double ProcessCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The processor time the X server has used, when NUV_BENCH_XSERVER_PID names
// it: what a shown run costs the server (drawing what the program sends) does
// not show in this process's own time. -1 without it.
double XServerCpuMs()
{
    const QByteArray pid = qgetenv("NUV_BENCH_XSERVER_PID");
    QFile stat("/proc/" + pid + "/schedstat");
    if (pid.isEmpty() || !stat.open(QIODevice::ReadOnly))
        return -1;
    return stat.readAll().split(' ').value(0).toDouble() / 1e6;
}

void BM_PerCallRunShown(benchmark::State& state)
{
    Program program;
    if (!program.app) {
        state.SkipWithError("the program did not start");
        return;
    }
    CMainFrame& frame = *program.app->Frame();
    frame.m_settings.m_nUpdateLimit = 1;  // every print statement in a call of its own
    frame.resize(1000, 700);
    frame.show();
    QApplication::processEvents();
    QMdiSubWindow* editor = frame.MdiArea()->activeSubWindow();
    CNuvOutput* output = frame.m_pOutput;
    double cpu = 0, server = 0;
    for (auto _ : state) {
        // Ctrl+R in the model's editor, as after the first run a person
        // clicks back into it; the last run's text is cleared so that a run
        // that did not take place shows.
        state.PauseTiming();
        output->StartOutput(nullptr);
        frame.MdiArea()->setActiveSubWindow(editor);
        QApplication::processEvents();
        state.ResumeTiming();
        const double cpuBefore = ProcessCpuMs(), serverBefore = XServerCpuMs();
        frame.OnCommand(ID_RUN_ACTIVE);  // the output window is shown and follows
        QApplication::processEvents();   // what the run left to paint
        cpu += ProcessCpuMs() - cpuBefore;
        server += XServerCpuMs() - serverBefore;
        if (output->m_pStore->m_nCount != kLines) {
            state.SkipWithError("the model did not run");
            break;
        }
    }
    state.counters["process_cpu_ms"] = cpu / static_cast<double>(state.iterations());
    if (XServerCpuMs() >= 0)
        state.counters["xserver_cpu_ms"] = server / static_cast<double>(state.iterations());
    if (program.prompts.messages > 0)
        state.SkipWithError("a message was shown");
}
BENCHMARK(BM_PerCallRunShown)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
// One run, for a profiler: valgrind --tool=callgrind --toggle-collect='CInterpreterLibrary::Run*'
// app_bench --benchmark_filter=PerCallRunShownOnce
BENCHMARK(BM_PerCallRunShown)->Name("BM_PerCallRunShownOnce")->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

std::string g_appended;

int Append(const char* text)
{
    g_appended += text;
    return 1;
}

void* AppendingLookup(const char* name)
{
    if (name && std::strcmp(name, "OutputResult") == 0)
        return reinterpret_cast<void*>(&Append);
    return LookupService(name);
}

void BM_PerCallFloor(benchmark::State& state)
{
    Program program;
    if (!program.app) {
        state.SkipWithError("the program did not start");
        return;
    }
    CMainFrame& frame = *program.app->Frame();
    // Arg 0: a buffer that grows from nothing, as the store does; 1: a buffer
    // with room for the whole text, its pages already touched, that never
    // grows (a stricter floor).
    const bool growing = state.range(0) == 0;
    if (!growing)
        g_appended.assign(static_cast<std::size_t>(kLines) * 61 + 1, ' ');
    for (auto _ : state) {
        if (growing)
            std::string().swap(g_appended);
        else
            g_appended.clear();
        CInterpreterLibrary library;
        if (!library.Load()) {
            state.SkipWithError("the library cannot be loaded");
            break;
        }
        library.ApplySettings(FALSE, 1, TRUE);
        CRunPump pump(frame, [&frame] { frame.OnIdle(); }, *frame.m_pOutput);
        pump.Install();
        CRunContext context(frame.m_pOutput, &pump);
        benchmark::DoNotOptimize(library.Run(program.model.c_str(), &AppendingLookup));
        pump.Remove();
        state.counters["bytes"] = static_cast<double>(g_appended.size());
    }
    std::string().swap(g_appended);
}
BENCHMARK(BM_PerCallFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
