// The exported C entry points: settings, the run itself, and the preprocessed text.
#include "tavo_abi.h"

#include "DiskReader.h"
#include "ModelRun.h"
#include "RunLock.h"

#include <new>
#include <string>
#include <utility>

namespace {

// Library state. It lives from load to unload; the environment loads the library for each run.
bool g_preprocessOnly = false;
int g_updateLimit = 20;
bool g_rangeCheck = true;
bool g_running = false;
std::string g_preprocText;

template <typename F>
F Service(NuvLookupService lookup, const char *name)
{
    return reinterpret_cast<F>(lookup(name));
}

// Sends a line that is not tied to a source position (fatal failures).
void Say(const tavo::Services &services, const char *text)
{
    if (services.output)
        services.output(text);
}

uint32_t RunLocked(const char *modelPath, const tavo::Services &services);

uint32_t CheckedRun(const char *modelPath, NuvLookupService lookup)
{
    g_preprocText.clear();
    if (!lookup)
        return TAVO_OUTCOME_FATAL;
    tavo::Services services;
    services.output = Service<NuvOutputResult>(lookup, "OutputResult");
    services.isBreak = Service<NuvIsBreak>(lookup, "IsBreak");
    services.dllCount = Service<NuvGetNumberOfDLLs>(lookup, "GetNumberOfDLLs");
    services.dllName = Service<NuvGetDLLName>(lookup, "GetDLLName");
    if (!services.output)
        return TAVO_OUTCOME_FATAL;
    if (!services.isBreak) {
        Say(services, "libtavo: the environment offers no IsBreak service; the model cannot run.\n");
        return TAVO_OUTCOME_FATAL;
    }
    if (!modelPath || !*modelPath) {
        Say(services, "libtavo: no model file was named.\n");
        return TAVO_OUTCOME_FATAL;
    }

    try {
        return RunLocked(modelPath, services);
    } catch (const std::bad_alloc &) {
        Say(services, "libtavo: not enough memory to run the model.\n");
        return TAVO_OUTCOME_FATAL;
    }
}

uint32_t RunLocked(const char *modelPath, const tavo::Services &services)
{
    tavo::RunLock lock;
    if (!lock.Acquire()) {
        Say(services, "libtavo: another process is running a model with this library.\n");
        return TAVO_OUTCOME_FATAL;
    }
    tavo::ModelRunOptions options;
    options.settings.updateLimit = g_updateLimit;
    options.settings.rangeCheck = g_rangeCheck;
    options.preprocessOnly = g_preprocessOnly;
    const tavo::DiskReader reader;
    tavo::ModelRun run(services, options, reader);
    const uint32_t outcome = run.Run(modelPath);
    g_preprocText = std::move(run.Listing());
    return outcome;
}

} // namespace

extern "C" {

uint32_t parser_main(const char *modelPath, NuvLookupService lookup)
{
    if (g_running) // called again from inside a service during a run
        return TAVO_OUTCOME_FATAL;
    g_running = true;
    uint32_t outcome = TAVO_OUTCOME_FATAL;
    try {
        outcome = CheckedRun(modelPath, lookup);
    } catch (const std::bad_alloc &) {
        g_preprocText.clear();
        outcome = TAVO_OUTCOME_FATAL;
    } catch (...) {
        outcome = TAVO_OUTCOME_FATAL;
    }
    g_running = false;
    return outcome;
}

void PreprocessOnly(int on) { g_preprocessOnly = on != 0; }

int GetUpdateLimit(void) { return g_updateLimit; }

void SetUpdateLimit(int limit) { g_updateLimit = limit < 0 ? 0 : limit > 20 ? 20 : limit; }

void SetRangeCheck(int on) { g_rangeCheck = on != 0; }

int IsBusy(void) { return tavo::RunLock::Busy() ? 1 : 0; }

void GivePreprocText(NuvPreprocReceiver receiver, int /*reserved*/)
{
    if (receiver)
        receiver(g_preprocText.c_str());
}

} // extern "C"
