#include "batch/CBatchRun.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "batch/BatchMessages.h"
#include "batch/CBatchHost.h"
#include "batch/CLibraryQueue.h"
#include "batch/COutputWriter.h"
#include "batch/CReplacingFile.h"
#include "platform/BreakSignals.h"
#include "platform/ProfileFile.h"
#include "res/StringTable.h"
#include "run/CInterpreterEntryPoints.h"
#include "run/DllList.h"
#include "run/RunOutcome.h"
#include "run/Services.h"

namespace {

constexpr int kUpdateLimit = 20;  // the environment's default; the profile does not keep it

// A setting given on the command line, else the environment's from its profile.
bool Setting(int given, const char* key, int defaultValue)
{
    return given >= 0 ? given != 0 : ProfileFile::GetInt("Options", key, defaultValue) != 0;
}

// The execution-time line counts whole seconds, as the environment's clock
// counts its one-second ticks, and wraps at 24 hours like it.
std::string ExecutionTime(std::chrono::steady_clock::duration elapsed)
{
    const long long seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
    return ExecutionTimeLine(static_cast<int>(seconds / 3600 % 24), static_cast<int>(seconds / 60 % 60),
                             static_cast<int>(seconds % 60));
}

}  // namespace

ExitStatus CBatchRun::Run()
{
    if (!ModelReadable())
        return kExitModelUnreadable;
    CReplacingFile file;
    if (m_options.m_bToFile && !file.Open(m_options.m_output, m_options.m_bAppend)) {
        ReportMessage(IDS_CANNOT_CREATE_FILE, {m_options.m_output.c_str()}, std::strerror(errno));
        return kExitOutputUnwritable;
    }
    CInterpreterEntryPoints library;
    CLibraryQueue queue;
    if (const ExitStatus loaded = LoadLibrary(library); loaded != kExitFinished)
        return loaded;
    if (m_options.m_bWait && !queue.WaitForTurn(library))
        return kExitStopped;
    if (!m_options.m_bWait && library.IsBusy()) {
        ReportMessage(IDS_LIBRARY_BUSY, {CInterpreterEntryPoints::FileName().c_str()});
        return kExitLibraryBusy;
    }
    return RunLoaded(library, m_options.m_bToFile ? file.Descriptor() : STDOUT_FILENO,
                     m_options.m_bToFile ? &file : nullptr);
}

// Checked here rather than left to the library, so that a missing model has a
// status of its own. O_NONBLOCK: opening a FIFO must not wait for a writer.
bool CBatchRun::ModelReadable() const
{
    const char* model = m_options.m_model.c_str();
    const int fd = ::open(model, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        ReportMessage(IDS_CANNOT_OPEN, {model}, std::strerror(errno));
        return false;
    }
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    if (!regular)
        ReportMessage(IDS_CANNOT_OPEN, {model}, S_ISDIR(st.st_mode) ? "a directory" : "not a regular file");
    return regular;
}

ExitStatus CBatchRun::LoadLibrary(CInterpreterEntryPoints& library) const
{
    switch (library.Open()) {
    case CInterpreterEntryPoints::LoadResult::CannotLoad:
        ReportMessage(IDS_CANNOT_LOAD_LIBRARY, {}, library.LoadError());
        return kExitNoLibrary;
    case CInterpreterEntryPoints::LoadResult::CannotUse:
        ReportMessage(IDS_CANNOT_USE_LIBRARY, {}, CInterpreterEntryPoints::FileName() + ": an entry point is missing");
        return kExitLibraryUnusable;
    default: return kExitFinished;
    }
}

ExitStatus CBatchRun::RunLoaded(CInterpreterEntryPoints& library, int fd, CReplacingFile* file) const
{
    const bool preprocessOnly = m_options.m_bPreprocessOnly;
    const bool timer = Setting(m_options.m_nTimer, "Timer", 0);
    theDllList = m_options.m_dlls;
    COutputWriter writer(fd, file == nullptr);
    ExitStatus status = kExitFinished;
    bool written = false;
    {
        CBatchHost host(writer, preprocessOnly);
        library.ApplySettings(preprocessOnly, kUpdateLimit, Setting(m_options.m_nRangeCheck, "RangeCheck", 1));
        const auto start = std::chrono::steady_clock::now();
        const DWORD outcome = library.Run(m_options.m_model.c_str(), &LookupService);
        BreakSignals::Disarm();
        if (timer && PrintsExecutionTime(outcome))
            OutputResult(ExecutionTime(std::chrono::steady_clock::now() - start).c_str());
        status = StatusForOutcome(outcome);
        if (preprocessOnly && !library.GivePreprocText(&ReceivePreprocText)) {
            ReportLine(kNoListingMessage);
            status = kExitLibraryUnusable;
        }
        library.Release();
        written = host.Finish();
    }
    const int error = writer.Failed() ? writer.Error() : 0;
    if (written && file && !file->Commit())
        written = false;
    if (!written) {
        ReportMessage(IDS_CANNOT_WRITE_OUTPUT, {OutputName()}, std::strerror(error ? error : errno));
        return kExitOutputUnwritable;
    }
    return status;
}

const char* CBatchRun::OutputName() const
{
    return m_options.m_bToFile ? m_options.m_output.c_str() : "standard output";
}
