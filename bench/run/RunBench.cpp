// The cost of the run's services: IsBreak polled in a tight loop with nothing
// waiting, and a model printing a million lines with the output window shown
// against the same run whose OutputResult throws the text away.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>

#include "FakeFrame.h"
#include "output/CNuvOutput.h"
#include "output/COutputStore.h"
#include "platform/Prompts.h"
#include "run/CEnvironmentSettings.h"
#include "run/CInterpreterLibrary.h"
#include "run/CRunContext.h"
#include "run/CRunController.h"
#include "run/CRunPump.h"
#include "run/Services.h"

namespace {

// Answers nothing and beeps silently: the runs below ask no question.
class SilentPrompts : public IPrompts {
public:
    int MessageBox(QWidget*, const QString&, const QString&, int) override { return IDOK; }
    void Beep(UINT) override {}
    bool FileDialog(const FileDialogRequest&, QString*) override { return false; }
    bool FontDialog(QWidget*, LOGFONTA*) override { return false; }
    bool PrintSetupDialog(QWidget*, QPrinter*) override { return true; }
};

struct Environment {
    SilentPrompts prompts;
    FakeFrame frame;
    CNuvOutput* output;
    CEnvironmentSettings settings;
    CRunController controller{frame, settings, [] {}};
    QTemporaryDir dir;
    std::string model;

    Environment()
    {
        SetPrompts(&prompts);
        output = new CNuvOutput(FALSE, nullptr);
        frame.show();
        CInterpreterLibrary::SetFileName(TAVO_LIBRARY);
        model = (dir.path() + "/million.nuv").toStdString();
        QFile file(QString::fromStdString(model));
        if (file.open(QIODevice::WriteOnly))
            file.write("i = 0;\nwhile (i < 1000000) { print \"line \", i, \"\\n\"; i++; }\n");
    }
    ~Environment()
    {
        delete output;
        SetPrompts(nullptr);
    }
};

// Made in main, inside the application's lifetime, and gone before it ends.
Environment* g_environment = nullptr;

Environment& Env()
{
    return *g_environment;
}

void BM_IsBreakNothingPending(benchmark::State& state)
{
    Environment& env = Env();
    CRunPump pump(env.frame, [] {}, *env.output);
    pump.Install();
    CRunContext context(env.output, &pump);
    for (auto _ : state)
        benchmark::DoNotOptimize(IsBreak());
    pump.Remove();
}
BENCHMARK(BM_IsBreakNothingPending);

void BM_MillionLinesShown(benchmark::State& state)
{
    Environment& env = Env();
    for (auto _ : state) {
        env.controller.RunModel(env.model.c_str());
        state.counters["lines"] = env.output->m_pStore->m_nCount;
    }
}
BENCHMARK(BM_MillionLinesShown)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

int Discard(const char*)
{
    return 1;
}

void* DiscardingLookup(const char* name)
{
    if (name && std::strcmp(name, "OutputResult") == 0)
        return reinterpret_cast<void*>(&Discard);
    return LookupService(name);
}

void BM_MillionLinesDiscarded(benchmark::State& state)
{
    Environment& env = Env();
    for (auto _ : state) {
        CInterpreterLibrary library;
        library.Load();
        library.ApplySettings(FALSE, 20, TRUE);
        CRunPump pump(env.frame, [] {}, *env.output);
        pump.Install();
        CRunContext context(env.output, &pump);
        benchmark::DoNotOptimize(library.Run(env.model.c_str(), &DiscardingLookup));
        pump.Remove();
    }
}
BENCHMARK(BM_MillionLinesDiscarded)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    auto* environment = new Environment;
    g_environment = environment;
    benchmark::RunSpecifiedBenchmarks();
    g_environment = nullptr;
    delete environment;
    benchmark::Shutdown();
    return 0;
}
