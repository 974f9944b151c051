#include "batch/CReplacingFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/BreakSignals.h"

namespace {

// A symbolic link names the file to write; a link whose file does not exist
// yet names the file to create.
std::string WriteTarget(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved))
        return resolved;
    char link[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), link, sizeof link - 1);
    if (n <= 0)
        return path;
    link[n] = '\0';
    const std::size_t slash = path.rfind('/');
    if (link[0] == '/' || slash == std::string::npos)
        return link;
    return path.substr(0, slash + 1) + link;
}

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// What open(2) would give a new file: read and write for all, less the umask.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

CReplacingFile::~CReplacingFile()
{
    Abort();
}

bool CReplacingFile::Open(const std::string& path, bool append)
{
    Abort();
    m_target = WriteTarget(path);
    struct stat st {};
    const bool exists = ::stat(m_target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    if (!OpenTemporary(exists ? st.st_mode & 07777 : NewFileMode()))
        return false;
    if (append && exists && !CopyExisting()) {
        const int error = errno;
        Abort();
        errno = error;
        return false;
    }
    return true;
}

bool CReplacingFile::OpenTemporary(mode_t mode)
{
    const std::string directory = DirectoryOf(m_target);
    m_fd = ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (m_fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        m_temporary = directory + "/.nuv-run-XXXXXX";
        m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
        if (m_fd < 0)
            m_temporary.clear();
        else
            BreakSignals::SetAbandonedFile(m_temporary.c_str());
    }
    if (m_fd < 0)
        return false;
    if (::fchmod(m_fd, mode) != 0) {
        const int error = errno;
        Abort();
        errno = error;
        return false;
    }
    return true;
}

// The old contents go first, copied in the kernel: by copy_file_range where
// the file systems allow it, else by sendfile.
bool CReplacingFile::CopyExisting()
{
    const int source = ::open(m_target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (source < 0)
        return false;
    bool ranged = true;
    ssize_t n;
    do {
        n = ranged ? ::copy_file_range(source, nullptr, m_fd, nullptr, 1 << 30, 0)
                   : ::sendfile(m_fd, source, nullptr, 1 << 30);
        if (n < 0 && ranged && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
            ranged = false;
            n = 1;
        }
    } while (n > 0 || (n < 0 && errno == EINTR));
    const int error = errno;
    ::close(source);
    errno = error;
    return n == 0;
}

bool CReplacingFile::Commit()
{
    if (m_fd < 0) {
        errno = EBADF;
        return false;
    }
    const bool ok = ::fsync(m_fd) == 0 && PutInPlace();
    const int error = errno;
    if (ok) {
        BreakSignals::SetAbandonedFile(nullptr);
        ::close(m_fd);
        m_fd = -1;
        m_temporary.clear();
    } else {
        Abort();
    }
    errno = error;
    return ok;
}

// An anonymous file gets a hidden name first (linkat cannot replace a file),
// which is then renamed over the target.
bool CReplacingFile::PutInPlace()
{
    if (m_temporary.empty()) {
        const std::string fdPath = "/proc/self/fd/" + std::to_string(m_fd);
        const std::string pattern = DirectoryOf(m_target) + "/.nuv-run-";
        for (int attempt = 0; attempt < 100 && m_temporary.empty(); ++attempt) {
            std::string name = pattern + std::to_string(::getpid()) + "-" + std::to_string(std::rand());
            if (::linkat(AT_FDCWD, fdPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
                m_temporary = name;
            else if (errno != EEXIST)
                return false;
        }
        if (m_temporary.empty())
            return false;
        BreakSignals::SetAbandonedFile(m_temporary.c_str());
    }
    return ::rename(m_temporary.c_str(), m_target.c_str()) == 0;
}

void CReplacingFile::Abort()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty()) {
        BreakSignals::SetAbandonedFile(nullptr);
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}
