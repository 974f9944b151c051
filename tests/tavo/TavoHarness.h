// Drives libtavo.so as the environment does: model files in a private temporary directory, a
// lookup function offering recorded fake services, and the outcome kind of parser_main.
#pragma once

#include "RunBudget.h"
#include "tavo_abi.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tavotest {

// The environment side of one run. Only one is active at a time (the lookup is a C function).
struct FakeEnvironment {
    // Services offered by LookupService.
    bool offerOutput = true;
    bool offerIsBreak = true;
    bool offerDllList = true;

    std::vector<std::string> chunks; // every OutputResult text, in order
    int outputAnswer = 1;
    std::function<void()> onOutput;  // runs inside OutputResult, after recording

    int breakOnCall = 0; // IsBreak answers 1 on this call (1-based); 0: never
    int isBreakCalls = 0;

    std::vector<const char *> dlls; // GetDLLName answers; a null entry is a missing name

    std::string Text() const;
};

struct Outcome {
    uint32_t result = 0;
    std::string output;
    int Kind() const { return static_cast<int>(result & 0xFFFF); }
};

// A temporary directory holding model files; removed with the object.
class ModelDir {
public:
    ModelDir();
    ~ModelDir();
    ModelDir(const ModelDir &) = delete;
    ModelDir &operator=(const ModelDir &) = delete;

    // Writes `text` to dir/name (sub-directories are created) and returns the full path.
    std::string Write(const std::string &name, const std::string &text) const;
    const std::string &Path() const { return path_; }

private:
    std::string path_;
};

// Runs the model at `path` with `env` as the environment.
Outcome RunModel(const std::string &path, FakeEnvironment &env);
Outcome RunModel(const std::string &path);

// Runs the model at `path` through the library's own run (not the C entry point) with
// `budget`, default settings and the model on disk: the limits a fuzzer sets.
Outcome RunWithBudget(const std::string &path, const tavo::RunBudget &budget, FakeEnvironment &env);

// The settings the environment sends before every run; tests share one library instance.
struct Settings {
    bool preprocessOnly = false;
    int updateLimit = 20;
    bool rangeCheck = true;
};
void Apply(const Settings &settings);

// Everything GivePreprocText hands over, one entry per receiver call.
std::vector<std::string> FetchPreprocText();

// The lookup function handed to parser_main, bound to the current FakeEnvironment.
void *LookupService(const char *name);

} // namespace tavotest
