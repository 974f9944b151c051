#include "platform/FileWriter.h"

#include <cerrno>
#include <unistd.h>

namespace {
FileWriter g_plainWriter;
FileWriter* g_writer = nullptr;
}  // namespace

ssize_t FileWriter::Write(int fd, const void* data, std::size_t size)
{
    return ::write(fd, data, size);
}

bool WriteAll(FileWriter& writer, int fd, const char* data, std::size_t size)
{
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

FileWriter& CurrentFileWriter()
{
    return g_writer ? *g_writer : g_plainWriter;
}

void SetFileWriter(FileWriter* writer)
{
    g_writer = writer;
}
