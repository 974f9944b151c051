#include "editor/ModelFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "editor/FileNames.h"
#include "platform/SystemMemory.h"

namespace {

bool IsPlainFile(const char* path)
{
    struct stat st {};
    return ::stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

// The backup step of a first save: a copy of the last saved contents under the
// backup name, written as safely as the save itself and as private as the
// model. The model's own file is not touched, so whatever fails later it keeps
// its contents under its name.
bool MakeBackup(const char* path, const std::string& target)
{
    const std::string backup = BackupName(path);
    if (backup == path || SafeFile::TargetOf(backup.c_str()) == target || !IsPlainFile(target.c_str()))
        return false;  // a backup of the backup itself would replace the file
    FileBuffer contents;
    std::size_t length = 0;
    if (ReadWholeFile(target.c_str(), SIZE_MAX / 2, &contents, &length) != LoadStatus::Ok)
        return false;
    SafeFile file;
    return file.Open(backup.c_str()) && file.TakeAttributesOf(target.c_str()) && file.Write(contents.get(), length) &&
           file.Commit();
}

// The bytes of the line break at `i`, 0 for none: CR LF, LF, CR, and U+2029,
// U+FDD0 or U+FDD1 in UTF-8, where the control breaks its lines too.
std::size_t BreakAt(const char* bytes, std::size_t length, std::size_t i)
{
    const auto at = [bytes](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    if (at(i) == '\n')
        return 1;
    if (at(i) == '\r')
        return i + 1 < length && at(i + 1) == '\n' ? 2 : 1;
    if (i + 2 >= length || (at(i) != 0xE2 && at(i) != 0xEF))
        return 0;
    const bool paragraph = at(i) == 0xE2 && at(i + 1) == 0x80 && at(i + 2) == 0xA9;
    const bool frame = at(i) == 0xEF && at(i + 1) == 0xB7 && (at(i + 2) == 0x90 || at(i + 2) == 0x91);
    return paragraph || frame ? 3 : 0;
}

}  // namespace

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

TextShape ShapeOfText(const char* bytes, std::size_t length, const TextShape& limit)
{
    TextShape shape;
    std::size_t lineStart = 0;
    std::size_t i = 0;
    while (i < length && bytes[i] != 0 && shape.lines <= limit.lines && i - lineStart <= limit.longestLine) {
        const std::size_t breakLength = BreakAt(bytes, length, i);
        if (breakLength == 0) {
            ++i;
            continue;
        }
        shape.longestLine = std::max(shape.longestLine, i - lineStart);
        ++shape.lines;
        i += breakLength;
        lineStart = i;
    }
    shape.longestLine = std::max(shape.longestLine, i - lineStart);
    return shape;
}

std::size_t MemoryForText(const TextShape& shape, std::size_t length)
{
    return 8 * length + 512 * shape.lines;
}

LoadStatus ReadModelFile(const char* path, FileBuffer* contents, std::size_t* length)
{
    FileBuffer read;
    std::size_t size = 0;
    const LoadStatus status = ReadWholeFile(path, kMaxModelFileSize, &read, &size);
    if (status != LoadStatus::Ok)
        return status;
    const TextShape limit{kMaxModelLines, kMaxModelLineLength};
    const TextShape shape = ShapeOfText(read.get(), size, limit);
    if (shape.longestLine > limit.longestLine || shape.lines > limit.lines ||
        MemoryForText(shape, size) > AvailableMemory())
        return LoadStatus::TooLarge;
    *contents = std::move(read);
    *length = size;
    return LoadStatus::Ok;
}

SaveResult SaveModelFile(const char* path, const char* data, std::size_t size, bool makeBackup)
{
    SaveResult result;
    const std::string target = SafeFile::TargetOf(path);
    if (makeBackup)
        result.backupMade = MakeBackup(path, target);
    SafeFile file;
    result.ok = file.Open(target.c_str()) && file.Write(data, size) && file.Commit();
    return result;
}
