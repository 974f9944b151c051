#pragma once
// A disk that fills up: writes succeed for `budget` bytes, then fail with ENOSPC.
// Installs itself for its lifetime.
#include <algorithm>
#include <cerrno>
#include <unistd.h>

#include "platform/FileWriter.h"

class FailingWriter : public FileWriter {
public:
    explicit FailingWriter(std::size_t budget) : m_budget(budget) { SetFileWriter(this); }
    ~FailingWriter() override { SetFileWriter(nullptr); }
    ssize_t Write(int fd, const void* data, std::size_t size) override
    {
        if (m_budget == 0) {
            errno = ENOSPC;
            return -1;
        }
        const ssize_t n = ::write(fd, data, std::min(size, m_budget));
        if (n > 0)
            m_budget -= static_cast<std::size_t>(n);
        return n;
    }

private:
    std::size_t m_budget;
};
