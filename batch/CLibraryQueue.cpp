#include "batch/CLibraryQueue.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "platform/BreakSignals.h"
#include "run/CInterpreterEntryPoints.h"

namespace {

std::string QueuePath()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/')
        return std::string(runtime) + "/nuv-run.queue";
    return "/tmp/nuv-run-" + std::to_string(::getuid()) + ".queue";
}

void Pause()
{
    const timespec pause{0, 10 * 1000 * 1000};
    ::nanosleep(&pause, nullptr);
}

}  // namespace

CLibraryQueue::~CLibraryQueue()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

// Polled rather than blocking, so that a signal ends the wait at once. A
// queue file that cannot be had (no writable folder, another user's file)
// leaves the run to the library's own rule.
bool CLibraryQueue::Enter()
{
    m_fd = ::open(QueuePath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    struct stat st {};
    if (m_fd >= 0 && (::fstat(m_fd, &st) != 0 || st.st_uid != ::getuid() || !S_ISREG(st.st_mode))) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_fd < 0)
        return true;
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return true;
        if (BreakSignals::Requested())
            return false;
        Pause();
    }
    return true;
}

bool CLibraryQueue::WaitForTurn(const CInterpreterEntryPoints& library)
{
    if (!Enter())
        return false;
    while (library.IsBusy()) {
        if (BreakSignals::Requested())
            return false;
        Pause();
    }
    return !BreakSignals::Requested();
}
