// Start-up with and without a workspace: from CNuvApp::InitInstance to the main
// window painted, in a directory without _nuv_.cfg and in one whose workspace
// holds ten editor windows (models of about 8 KB, or the largest a window
// loads, 65533 bytes). The goal: the workspace start within twice the time of
// the plain one. Also the exit that writes the ten windows' workspace.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CNuvApp.h"

namespace {

QTemporaryDir* g_root = nullptr;

QByteArray ModelText(int size)
{
    QByteArray text;
    for (int i = 0; text.size() < size; ++i)
        text += "x" + QByteArray::number(i) + " = (a + b) * c[" + QByteArray::number(i % 17) + "];  // step\n";
    text.truncate(size);
    return text;
}

// A directory holding ten models of `size` bytes; with `workspace`, also the
// _nuv_.cfg an exit writes for them open in ten windows.
QString Directory(const char* name, int size, bool workspace)
{
    const QString path = g_root->path() + "/" + name;
    QDir().mkpath(path);
    QStringList models;
    for (int i = 0; i < 10; ++i) {
        models << path + QString("/model%1.nuv").arg(i);
        QFile file(models.last());
        if (file.open(QIODevice::WriteOnly))
            file.write(ModelText(size));
    }
    if (workspace) {
        QDir::setCurrent(path);
        CNuvApp app;
        std::vector<std::string> names;
        for (const QString& model : models)
            names.push_back(model.toStdString());
        app.InitInstance(names);
        app.Frame()->m_bSaveSettings = TRUE;
        app.Frame()->close();
        app.ExitInstance();
    }
    return path;
}

double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Notes when the main frame is first painted, in wall time and in the CPU time
// of this thread (steadier on a loaded machine).
class FirstFramePaint : public QObject {
public:
    FirstFramePaint() : m_cpuStart(ThreadCpuMs())
    {
        m_clock.start();
        qApp->installEventFilter(this);
    }
    ~FirstFramePaint() override { qApp->removeEventFilter(this); }
    double Ms() const { return m_ms; }
    double CpuMs() const { return m_cpuMs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_ms < 0 && event->type() == QEvent::Paint && qobject_cast<CMainFrame*>(watched)) {
            m_ms = static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
            m_cpuMs = ThreadCpuMs() - m_cpuStart;
        }
        return false;
    }

private:
    QElapsedTimer m_clock;
    double m_cpuStart;
    double m_ms = -1;
    double m_cpuMs = -1;
};

// One start: the program comes up, restores what the directory holds, and
// everything is painted. The counters frame_ms and frame_cpu_ms are when the
// main window itself was first painted.
void Start(benchmark::State& state, const QString& directory, const std::vector<std::string>& arguments = {})
{
    QDir::setCurrent(directory);
    double frameMs = 0;
    double frameCpuMs = 0;
    for (auto _ : state) {
        FirstFramePaint firstPaint;
        auto app = std::make_unique<CNuvApp>();
        if (!app->InitInstance(arguments)) {
            state.SkipWithError("start-up failed");
            return;
        }
        QApplication::processEvents();
        frameMs += firstPaint.Ms();
        frameCpuMs += firstPaint.CpuMs();
        state.PauseTiming();
        app.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["frame_ms"] = frameMs / static_cast<double>(state.iterations());
    state.counters["frame_cpu_ms"] = frameCpuMs / static_cast<double>(state.iterations());
}

void BM_StartWithoutWorkspace(benchmark::State& state)
{
    static const QString directory = Directory("plain", 8000, false);
    Start(state, directory);
}
BENCHMARK(BM_StartWithoutWorkspace)->Unit(benchmark::kMillisecond);

void BM_StartWithTenWindows(benchmark::State& state)
{
    static const QString directory = Directory("ten", 8000, true);
    Start(state, directory);
}
BENCHMARK(BM_StartWithTenWindows)->Unit(benchmark::kMillisecond);

void BM_StartWithTenLargestModels(benchmark::State& state)
{
    static const QString directory = Directory("largest", 65533, true);
    Start(state, directory);
}
BENCHMARK(BM_StartWithTenLargestModels)->Unit(benchmark::kMillisecond);

// For comparison: the same ten models named on the command line.
void BM_StartWithTenFilesNamed(benchmark::State& state)
{
    static const QString directory = Directory("named", 8000, false);
    std::vector<std::string> names;
    for (int i = 0; i < 10; ++i)
        names.push_back("model" + std::to_string(i) + ".nuv");
    Start(state, directory, names);
}
BENCHMARK(BM_StartWithTenFilesNamed)->Unit(benchmark::kMillisecond);

// The exit with Save Settings on Exit: ten windows closed and recorded.
void BM_ExitWritingTenWindows(benchmark::State& state)
{
    static const QString directory = Directory("exit", 8000, true);
    QDir::setCurrent(directory);
    for (auto _ : state) {
        state.PauseTiming();
        auto app = std::make_unique<CNuvApp>();
        app->InitInstance({});
        QApplication::processEvents();
        state.ResumeTiming();
        app->Frame()->close();
        state.PauseTiming();
        app.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExitWritingTenWindows)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication application(argc, argv);
    QTemporaryDir root;
    g_root = &root;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
