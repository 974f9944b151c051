#include "editor/ModelFile.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "editor/FileNames.h"
#include "editor/FileWriter.h"

namespace {

bool IsPlainFile(const char* path)
{
    struct stat st {};
    return ::stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

bool Readable(const char* path)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

// The backup step of a first save: true when the old contents now live under the backup name.
bool MakeBackup(const char* path)
{
    const std::string backup = BackupName(path);
    if (backup == path)
        return false;  // deleting "the old backup" would delete the file itself
    if (Readable(backup.c_str()))
        ::unlink(backup.c_str());
    return IsPlainFile(path) && ::rename(path, backup.c_str()) == 0;
}

// A symbolic link is written through: the file it names gets the new contents.
std::string WriteTarget(const char* path)
{
    struct stat st {};
    if (::lstat(path, &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path, resolved))
            return resolved;
    }
    return path;
}

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t ModeFor(const std::string& target)
{
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    FileWriter& writer = CurrentFileWriter();
    while (size > 0) {
        const ssize_t n = writer.Write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool WriteReplacing(const std::string& target, const char* data, std::size_t size)
{
    std::string temp = DirectoryOf(target) + "/.nuv-save-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    const bool written = ::fchmod(fd, ModeFor(target)) == 0 && WriteAll(fd, data, size) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temp.c_str(), target.c_str()) == 0)
        return true;
    ::unlink(temp.c_str());
    return false;
}

}  // namespace

LoadStatus ReadModelFile(const char* path, FileBuffer* contents, std::size_t* length)
{
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below anyway.
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return LoadStatus::CannotOpen;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return LoadStatus::CannotOpen;
    }
    if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > kMaxModelFileSize) {
        ::close(fd);
        return LoadStatus::TooLarge;
    }
    const std::size_t size = static_cast<std::size_t>(st.st_size);
    FileBuffer buffer(static_cast<char*>(std::malloc(size + 1)));
    if (!buffer) {
        ::close(fd);
        return LoadStatus::NoMemory;
    }
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, buffer.get() + got, size - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return LoadStatus::CannotRead;
        }
        if (n == 0)
            break;  // the file shrank meanwhile: take what is there
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    buffer[got] = '\0';
    *contents = std::move(buffer);
    *length = got;
    return LoadStatus::Ok;
}

SaveResult SaveModelFile(const char* path, const char* data, std::size_t size, bool makeBackup)
{
    SaveResult result;
    if (makeBackup)
        result.backupMade = MakeBackup(path);
    result.ok = WriteReplacing(WriteTarget(path), data, size);
    return result;
}
