#include "platform/SafeFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links as the kernel follows before it gives up (ELOOP).
constexpr int kMaxLinks = 40;

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Best effort: only a privileged program may give a file to another owner, and
// a group only to one the user belongs to; the bits are set afterwards, since
// a change of owner clears the set-id bits.
bool GiveAttributes(int fd, const struct stat& from)
{
    [[maybe_unused]] const bool owned =
        ::fchown(fd, from.st_uid, from.st_gid) == 0 || ::fchown(fd, static_cast<uid_t>(-1), from.st_gid) == 0;
    return ::fchmod(fd, from.st_mode & 07777) == 0;
}

}  // namespace

SafeFile::SafeFile(FileWriter& writer) : m_writer(writer) {}

SafeFile::~SafeFile()
{
    Abandon();
}

std::string SafeFile::TargetOf(const char* path)
{
    std::string target = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        char link[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), link, sizeof link - 1);
        if (n <= 0)
            return target;
        link[n] = '\0';
        target = link[0] == '/' ? std::string(link) : DirectoryOf(target) + "/" + link;
    }
    return target;  // a loop: stat on it fails with ELOOP, and Open refuses it
}

mode_t SafeFile::NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool SafeFile::Open(const char* path, Mode mode, mode_t modeIfNew)
{
    Abandon();
    if (!path || !*path) {
        errno = ENOENT;
        return false;
    }
    m_target = TargetOf(path);
    struct stat st {};
    const bool exists = ::stat(m_target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        return false;
    if (exists && !S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    std::string temp = DirectoryOf(m_target) + "/.nuv-save-XXXXXX";
    m_fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (m_fd < 0)
        return false;
    m_temp = std::move(temp);
    m_failed = false;
    m_used = 0;
    const bool given = exists ? GiveAttributes(m_fd, st) : ::fchmod(m_fd, modeIfNew) == 0;
    if (!given) {
        Abandon();
        return false;
    }
    // A failed copy shows as a failed write: the file could be made.
    if (mode == Mode::Append && exists)
        m_failed = !CopyContentsOf(m_target);
    return true;
}

bool SafeFile::TakeAttributesOf(const char* original)
{
    struct stat st {};
    return m_fd >= 0 && ::stat(original, &st) == 0 && GiveAttributes(m_fd, st);
}

// O_NONBLOCK: should the plain file have become a FIFO meanwhile, opening it
// must not wait for a writer; the check after opening refuses it.
bool SafeFile::CopyContentsOf(const std::string& path)
{
    const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in < 0)
        return errno == ENOENT;  // gone meanwhile: nothing to keep
    struct stat st {};
    bool copied = ::fstat(in, &st) == 0 && S_ISREG(st.st_mode);
    while (copied) {
        const ssize_t n = ::read(in, m_buffer, sizeof m_buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            copied = n == 0;
            break;
        }
        copied = WriteAll(m_writer, m_fd, m_buffer, static_cast<std::size_t>(n));
    }
    ::close(in);
    return copied;
}

bool SafeFile::Write(const void* data, std::size_t size)
{
    if (m_fd < 0 || m_failed)
        return false;
    if (m_used + size > sizeof m_buffer && !Flush())
        return false;
    if (size >= sizeof m_buffer) {
        m_failed = !WriteAll(m_writer, m_fd, static_cast<const char*>(data), size);
        return !m_failed;
    }
    std::memcpy(m_buffer + m_used, data, size);
    m_used += size;
    return true;
}

bool SafeFile::Flush()
{
    if (m_used > 0 && !m_failed)
        m_failed = !WriteAll(m_writer, m_fd, m_buffer, m_used);
    m_used = 0;
    return !m_failed;
}

bool SafeFile::Commit()
{
    if (m_fd < 0)
        return false;
    const bool written = Flush() && ::fsync(m_fd) == 0;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (written && closed && ::rename(m_temp.c_str(), m_target.c_str()) == 0) {
        m_temp.clear();
        return true;
    }
    Abandon();
    return false;
}

void SafeFile::Abandon()
{
    const int saved = errno;  // what failed, not what the clean-up met
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
    m_temp.clear();
    errno = saved;
}

bool WriteFileReplacing(const std::string& target, const char* data, std::size_t size, FileWriter& writer,
                        mode_t modeIfNew)
{
    SafeFile file(writer);
    return file.Open(target.c_str(), SafeFile::Mode::Replace, modeIfNew) && file.Write(data, size) && file.Commit();
}
