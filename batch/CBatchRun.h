#pragma once
// One headless run, in the environment's order: the model is checked, the
// output prepared, the interpreter library loaded and its entry points
// resolved (refused while busy, or waited for), the settings applied, the
// model run, the execution-time line added, the listing fetched, the library
// released, the output put in place. Each failure says so in one line on
// standard error and gives its own exit status (ExitStatus.h).
#include "batch/CBatchOptions.h"
#include "batch/ExitStatus.h"

class CInterpreterEntryPoints;
class CReplacingFile;

class CBatchRun {
public:
    explicit CBatchRun(const CBatchOptions& options) : m_options(options) {}

    ExitStatus Run();

private:
    bool ModelReadable() const;
    ExitStatus LoadLibrary(CInterpreterEntryPoints& library) const;
    ExitStatus RunLoaded(CInterpreterEntryPoints& library, int fd, CReplacingFile* file) const;
    const char* OutputName() const;

    const CBatchOptions& m_options;
};
