#include "batch/COutputWriter.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

COutputWriter::COutputWriter(int fd, bool streaming)
    : m_fd(fd), m_streaming(streaming), m_buffer(static_cast<char*>(std::malloc(kBufferBytes)))
{
    if (!m_buffer)
        m_error = ENOMEM;
}

COutputWriter::~COutputWriter()
{
    std::free(m_buffer);
}

bool COutputWriter::Write(const char* data, std::size_t bytes)
{
    if (m_error != 0)
        return false;
    if (m_used + bytes <= kBufferBytes) {
        std::memcpy(m_buffer + m_used, data, bytes);
        m_used += bytes;
        return true;
    }
    // What does not fit goes out together with what is buffered, in order;
    // a piece larger than the buffer is not copied at all.
    if (!Flush())
        return false;
    if (bytes >= kBufferBytes)
        return WriteThrough(data, bytes);
    std::memcpy(m_buffer, data, bytes);
    m_used = bytes;
    return true;
}

bool COutputWriter::Flush()
{
    if (m_error != 0)
        return false;
    const std::size_t used = m_used;
    m_used = 0;
    m_lastFlush = std::chrono::steady_clock::now();
    return used == 0 || WriteThrough(m_buffer, used);
}

void COutputWriter::FlushSoon()
{
    if (!m_streaming || m_used == 0)
        return;
    if (std::chrono::steady_clock::now() - m_lastFlush >= std::chrono::milliseconds(1))
        Flush();
}

bool COutputWriter::WriteThrough(const char* data, std::size_t bytes)
{
    while (bytes > 0) {
        const ssize_t n = ::write(m_fd, data, bytes);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_error = n < 0 ? errno : EIO;
            return false;
        }
        data += n;
        bytes -= static_cast<std::size_t>(n);
    }
    return true;
}
