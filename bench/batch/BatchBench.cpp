// nuv-run's costs against the least a host must do:
//   start-up: nuv-run hello.nuv > /dev/null against a bare C host that only
//     loads the library and runs the model (whole processes; target +10 ms);
//   per call: a million 61-byte lines, one OutputResult call each, through
//     nuv-run's host into its output file, against services that append to
//     one buffer and write it at the end (target 1.5x);
//   a sweep: 200 small models through nuv-sweep -j <cores> against the sum of
//     their single runs divided by the cores (target 1.3x).
// Processes are started with posix_spawn; their standard output goes to
// /dev/null.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "batch/CBatchHost.h"
#include "batch/COutputWriter.h"
#include "batch/CReplacingFile.h"
#include "run/CInterpreterEntryPoints.h"
#include "run/Services.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int kLines = 1000000;

struct Folder {
    std::string path;
    Folder()
    {
        char pattern[] = "/tmp/nuv-batch-bench-XXXXXX";
        path = ::mkdtemp(pattern);
    }
    ~Folder() { fs::remove_all(path); }
    std::string Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(path + "/" + name, std::ios::binary) << text;
        return path + "/" + name;
    }
};

const Folder& Models()
{
    static const Folder folder;
    return folder;
}

// Runs the program to its end with standard output on /dev/null; its status.
int Spawn(std::vector<std::string> argv)
{
    std::vector<char*> args;
    for (std::string& arg : argv)
        args.push_back(arg.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    int status = -1;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) == 0)
        ::waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return status;
}

const char* const kHello = "print \"Hello!\\n\";\nfor (i = 1; i <= 3; i++) { print \"line \", i, \"\\n\"; }\n";

void BM_StartNuvRun(benchmark::State& state)
{
    const std::string model = Models().Write("hello.nuv", kHello);
    for (auto _ : state) {
        if (Spawn({NUV_RUN, model}) != 0)
            state.SkipWithError("nuv-run failed");
    }
}
BENCHMARK(BM_StartNuvRun)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(20)->UseRealTime();

void BM_StartBareHost(benchmark::State& state)
{
    const std::string model = Models().Write("hello.nuv", kHello);
    for (auto _ : state) {
        if (Spawn({BARE_HOST, model}) != 0)
            state.SkipWithError("the bare host failed");
    }
}
BENCHMARK(BM_StartBareHost)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(20)->UseRealTime();

std::string MillionLineModel()
{
    return Models().Write("million.nuv",
                          "for (i = 0; i < 1000000; i++) {\n"
                          "    print \"abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefgh\\n\";\n}\n");
}

// nuv-run's path: its host, its writer, its replacing output file.
void BM_MillionLinesNuvRunHost(benchmark::State& state)
{
    const std::string model = MillionLineModel();
    const std::string out = Models().path + "/million.out";
    CInterpreterEntryPoints::SetFileName(TAVO_LIBRARY);
    for (auto _ : state) {
        CInterpreterEntryPoints library;
        CReplacingFile file;
        if (library.Load() != CInterpreterEntryPoints::LoadResult::Loaded || !file.Open(out, false)) {
            state.SkipWithError("cannot run");
            break;
        }
        library.ApplySettings(FALSE, 1, TRUE);  // every print statement in a call of its own
        COutputWriter writer(file.Descriptor(), false);
        {
            CBatchHost host(writer, false);
            library.Run(model.c_str(), &LookupService);
            if (!host.Finish() || !file.Commit())
                state.SkipWithError("the output was not written");
        }
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(out));
}
BENCHMARK(BM_MillionLinesNuvRunHost)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

std::string g_appended;

int Append(const char* text)
{
    g_appended += text;
    return 1;
}

int NoBreak()
{
    return 0;
}

void* AppendingLookup(const char* name)
{
    if (std::strcmp(name, "OutputResult") == 0)
        return reinterpret_cast<void*>(&Append);
    if (std::strcmp(name, "IsBreak") == 0)
        return reinterpret_cast<void*>(&NoBreak);
    return nullptr;
}

// The floor: one buffer, written to the file at the end.
void BM_MillionLinesFloor(benchmark::State& state)
{
    const std::string model = MillionLineModel();
    const std::string out = Models().path + "/floor.out";
    CInterpreterEntryPoints::SetFileName(TAVO_LIBRARY);
    for (auto _ : state) {
        std::string().swap(g_appended);
        CInterpreterEntryPoints library;
        if (library.Load() != CInterpreterEntryPoints::LoadResult::Loaded) {
            state.SkipWithError("cannot run");
            break;
        }
        library.ApplySettings(FALSE, 1, TRUE);
        library.Run(model.c_str(), &AppendingLookup);
        const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const bool written = fd >= 0 && ::write(fd, g_appended.data(), g_appended.size()) ==
                                            static_cast<ssize_t>(g_appended.size());
        if (fd >= 0)
            ::close(fd);
        if (!written)
            state.SkipWithError("the floor's file was not written");
    }
    state.counters["bytes"] = static_cast<double>(g_appended.size());
    std::string().swap(g_appended);
}
BENCHMARK(BM_MillionLinesFloor)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// Largest resident size of nuv-run for a model of `lines` lines to a file, in KB.
void BM_ResidentSizeAgainstOutputLength(benchmark::State& state)
{
    const std::string model = Models().Write(
        "lines.nuv", "for (i = 0; i < " + std::to_string(state.range(0)) + "; i++) { print \"line \", i, \"\\n\"; }\n");
    for (auto _ : state) {
        const pid_t child = ::fork();
        if (child == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, STDOUT_FILENO);
            ::execl(NUV_RUN, NUV_RUN, model.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        int status = 0;
        rusage usage {};
        ::wait4(child, &status, 0, &usage);
        state.counters["maxRssKB"] = static_cast<double>(usage.ru_maxrss);
    }
}
BENCHMARK(BM_ResidentSizeAgainstOutputLength)->Arg(1000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

const Folder& SweepModels()
{
    static const Folder folder = [] {
        Folder made;
        for (int i = 0; i < 200; ++i)
            made.Write("model" + std::to_string(i) + ".nuv",
                       "for (n = 0; n < " + std::to_string(20 + i % 7) + "; n++) { print \"row \", n, \"\\n\"; }\n");
        return made;
    }();
    return folder;
}

double Seconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

// The sweep against its floor: each model run alone, one after the other,
// the sum divided by the cores.
void BM_SweepOf200(benchmark::State& state)
{
    const Folder& models = SweepModels();
    const long cores = ::sysconf(_SC_NPROCESSORS_ONLN);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 200; ++i) {
            const std::string model = models.path + "/model" + std::to_string(i) + ".nuv";
            Spawn({NUV_RUN, "-o", models.path + "/single.out", model});
        }
        const double singles = Seconds(std::chrono::steady_clock::now() - start);
        const auto sweepStart = std::chrono::steady_clock::now();
        if (Spawn({NUV_SWEEP, models.path, "-j", std::to_string(cores)}) != 0)
            state.SkipWithError("the sweep failed");
        const double sweep = Seconds(std::chrono::steady_clock::now() - sweepStart);
        state.SetIterationTime(sweep);
        state.counters["singlesSum_s"] = singles;
        state.counters["floor_s"] = singles / static_cast<double>(cores);
        state.counters["ratio"] = sweep / (singles / static_cast<double>(cores));
    }
}
BENCHMARK(BM_SweepOf200)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->UseManualTime();

}  // namespace

// The library's run lock lives in a runtime folder of the benchmark's own:
// other programs running models on this machine must not make it busy.
int main(int argc, char** argv)
{
    const Folder runtime;
    ::setenv("XDG_RUNTIME_DIR", runtime.path.c_str(), 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
