#include "TavoHarness.h"

#include "DiskReader.h"
#include "ModelRun.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace tavotest {

namespace {

FakeEnvironment *g_env = nullptr;

int OutputResult(const char *text)
{
    g_env->chunks.emplace_back(text);
    if (g_env->onOutput)
        g_env->onOutput();
    return g_env->outputAnswer;
}

int IsBreak()
{
    ++g_env->isBreakCalls;
    return g_env->isBreakCalls == g_env->breakOnCall ? 1 : 0;
}

int GetNumberOfDLLs() { return static_cast<int>(g_env->dlls.size()); }

const char *GetDLLName(int index)
{
    if (index < 0 || index >= static_cast<int>(g_env->dlls.size()))
        return nullptr;
    return g_env->dlls[static_cast<std::size_t>(index)];
}

// The run lock of this test process lives in a private runtime directory, so that these tests
// and other test programs running the library at the same time do not see each other as busy.
struct PrivateRuntimeDir {
    PrivateRuntimeDir()
    {
        char pattern[] = "/tmp/tavo-runtime-XXXXXX";
        if (!::mkdtemp(pattern))
            throw std::runtime_error("mkdtemp failed");
        path = pattern;
        ::setenv("XDG_RUNTIME_DIR", pattern, 1);
    }
    ~PrivateRuntimeDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};
const PrivateRuntimeDir g_runtimeDir;

std::vector<std::string> *g_preproc = nullptr;
int ReceivePreprocText(const char *text)
{
    g_preproc->emplace_back(text);
    return 1;
}

} // namespace

std::string FakeEnvironment::Text() const
{
    std::string all;
    for (const std::string &c : chunks)
        all += c;
    return all;
}

ModelDir::ModelDir()
{
    char pattern[] = "/tmp/tavo-models-XXXXXX";
    if (!::mkdtemp(pattern))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

ModelDir::~ModelDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ModelDir::Write(const std::string &name, const std::string &text) const
{
    const std::filesystem::path file = std::filesystem::path(path_) / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    return file.string();
}

void *LookupService(const char *name)
{
    const std::string n = name;
    if (n == "OutputResult" && g_env->offerOutput)
        return reinterpret_cast<void *>(&OutputResult);
    if (n == "IsBreak" && g_env->offerIsBreak)
        return reinterpret_cast<void *>(&IsBreak);
    if (n == "GetNumberOfDLLs" && g_env->offerDllList)
        return reinterpret_cast<void *>(&GetNumberOfDLLs);
    if (n == "GetDLLName" && g_env->offerDllList)
        return reinterpret_cast<void *>(&GetDLLName);
    return nullptr;
}

Outcome RunModel(const std::string &path, FakeEnvironment &env)
{
    FakeEnvironment *previous = g_env;
    g_env = &env;
    Outcome outcome;
    outcome.result = parser_main(path.c_str(), &LookupService);
    outcome.output = env.Text();
    g_env = previous;
    return outcome;
}

Outcome RunModel(const std::string &path)
{
    FakeEnvironment env;
    return RunModel(path, env);
}

Outcome RunWithBudget(const std::string &path, const tavo::RunBudget &budget, FakeEnvironment &env)
{
    FakeEnvironment *previous = g_env;
    g_env = &env;
    const tavo::Services services{&OutputResult, &IsBreak, &GetNumberOfDLLs, &GetDLLName};
    tavo::ModelRunOptions options;
    options.settings.budget = budget;
    const tavo::DiskReader reader;
    Outcome outcome;
    outcome.result = tavo::ModelRun(services, options, reader).Run(path);
    outcome.output = env.Text();
    g_env = previous;
    return outcome;
}

void Apply(const Settings &settings)
{
    PreprocessOnly(settings.preprocessOnly ? 1 : 0);
    SetUpdateLimit(settings.updateLimit);
    SetRangeCheck(settings.rangeCheck ? 1 : 0);
}

std::vector<std::string> FetchPreprocText()
{
    std::vector<std::string> received;
    g_preproc = &received;
    GivePreprocText(&ReceivePreprocText, 0);
    g_preproc = nullptr;
    return received;
}

} // namespace tavotest
