#include "editor/FileWriter.h"

#include <unistd.h>

namespace {
FileWriter g_plainWriter;
FileWriter* g_writer = nullptr;
}  // namespace

ssize_t FileWriter::Write(int fd, const void* data, std::size_t size)
{
    return ::write(fd, data, size);
}

FileWriter& CurrentFileWriter()
{
    return g_writer ? *g_writer : g_plainWriter;
}

void SetFileWriter(FileWriter* writer)
{
    g_writer = writer;
}
