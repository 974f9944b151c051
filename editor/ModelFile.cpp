#include "editor/ModelFile.h"

#include <cerrno>
#include <climits>
#include <cstdint>
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

// A symbolic link is written through: the file it names gets the new contents
// and the link stays a link. A link whose file does not exist yet names the
// file to create.
std::string WriteTarget(const char* path)
{
    struct stat st {};
    if (::lstat(path, &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path, resolved))
        return resolved;
    char link[PATH_MAX];
    const ssize_t n = ::readlink(path, link, sizeof link - 1);
    if (n <= 0)
        return path;
    link[n] = '\0';
    const std::string own(path);
    const std::size_t slash = own.rfind('/');
    if (link[0] == '/' || slash == std::string::npos)
        return link;
    return own.substr(0, slash + 1) + link;
}

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t ModeFor(const std::string& target, mode_t modeIfNew)
{
    struct stat st {};
    return ::stat(target.c_str(), &st) == 0 ? st.st_mode & 07777 : modeIfNew;
}

// What a new file gets from open(2): read and write for all, less the umask.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteReplacing(const std::string& target, const char* data, std::size_t size)
{
    return WriteFileReplacing(target, data, size, CurrentFileWriter(), NewFileMode());
}

// The backup step of a first save: a copy of the last saved contents under the
// backup name, written as safely as the save itself. The model's own file is
// not touched, so whatever fails later it keeps its contents under its name.
bool MakeBackup(const char* path, const std::string& target)
{
    const std::string backup = BackupName(path);
    if (backup == path || backup == target || !IsPlainFile(target.c_str()))
        return false;  // a backup of the backup itself would replace the file
    FileBuffer contents;
    std::size_t length = 0;
    return ReadWholeFile(target.c_str(), SIZE_MAX / 2, &contents, &length) == LoadStatus::Ok &&
           WriteReplacing(WriteTarget(backup.c_str()), contents.get(), length);
}

}  // namespace

bool WriteFileReplacing(const std::string& target, const char* data, std::size_t size, FileWriter& writer,
                        mode_t modeIfNew)
{
    std::string temp = DirectoryOf(target) + "/.nuv-save-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    const bool written = ::fchmod(fd, ModeFor(target, modeIfNew)) == 0 && WriteAll(writer, fd, data, size) &&
                         ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temp.c_str(), target.c_str()) == 0)
        return true;
    ::unlink(temp.c_str());
    return false;
}

LoadStatus ReadWholeFile(const char* path, std::size_t limit, FileBuffer* contents, std::size_t* length)
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
    if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > limit) {
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

LoadStatus ReadModelFile(const char* path, FileBuffer* contents, std::size_t* length)
{
    return ReadWholeFile(path, kMaxModelFileSize, contents, length);
}

SaveResult SaveModelFile(const char* path, const char* data, std::size_t size, bool makeBackup)
{
    SaveResult result;
    const std::string target = WriteTarget(path);
    if (makeBackup)
        result.backupMade = MakeBackup(path, target);
    result.ok = WriteReplacing(target, data, size);
    return result;
}
