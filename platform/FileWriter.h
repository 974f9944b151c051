#pragma once
// The one place file contents are written, so that tests can make a write fail
// the way a full disk does (CI runs as root, where permissions provoke nothing).
#include <cstddef>
#include <sys/types.h>

class FileWriter {
public:
    virtual ~FileWriter() = default;
    // write(2): the number of bytes written, or -1 with errno set.
    virtual ssize_t Write(int fd, const void* data, std::size_t size);
};

// Writes all `size` bytes through `writer`, going on after EINTR and short
// writes; false when a write fails (errno says why).
bool WriteAll(FileWriter& writer, int fd, const char* data, std::size_t size);

// The writer in force: the plain one unless a test installed its own.
FileWriter& CurrentFileWriter();
// Installs `writer` (not owned); nullptr goes back to the plain writer.
void SetFileWriter(FileWriter* writer);
