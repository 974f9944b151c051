#include "RunLock.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace tavo {

std::string RunLockPath()
{
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/')
        return std::string(runtime) + "/libtavo.lock";
    return "/tmp/libtavo-" + std::to_string(::getuid()) + ".lock";
}

namespace {

// A lock file planted by another user must not decide for us.
bool OwnedByUs(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 && st.st_uid == ::getuid() && S_ISREG(st.st_mode);
}

int LockNow(int fd, int operation)
{
    int rc;
    do
        rc = ::flock(fd, operation | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    return rc;
}

} // namespace

RunLock::~RunLock()
{
    if (fd_ >= 0)
        ::close(fd_); // releases the lock
}

bool RunLock::Acquire()
{
    fd_ = ::open(RunLockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ >= 0 && !OwnedByUs(fd_)) {
        ::close(fd_);
        fd_ = -1;
    }
    if (fd_ < 0)
        return true;
    // Busy() takes a shared lock for an instant; a few retries ride over such a probe.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (LockNow(fd_, LOCK_EX) == 0)
            return true;
        if (errno != EWOULDBLOCK)
            return true;
        const timespec pause{0, 5 * 1000 * 1000};
        ::nanosleep(&pause, nullptr);
    }
    ::close(fd_);
    fd_ = -1;
    return false;
}

bool RunLock::Busy()
{
    const int fd = ::open(RunLockPath().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false; // no file: nobody ever ran here
    if (!OwnedByUs(fd)) {
        ::close(fd);
        return false;
    }
    // A shared lock, so that two processes probing at once do not see each other as busy.
    const bool busy = LockNow(fd, LOCK_SH) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return busy;
}

} // namespace tavo
