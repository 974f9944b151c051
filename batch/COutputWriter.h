#pragma once
// The bytes of a headless run on their way to a file descriptor (standard
// output or the temporary output file): gathered in a buffer of fixed size and
// written with write(2), so that memory does not grow with the output and a
// long line goes out in pieces. The first failure (a full disk, a closed
// descriptor) is kept; nothing is written after it.
#include <chrono>
#include <cstddef>

class COutputWriter {
public:
    static constexpr std::size_t kBufferBytes = 64 * 1024;

    // `fd` is not owned. `streaming`: a reader may be waiting for the bytes
    // (standard output), so FlushSoon hands them over.
    COutputWriter(int fd, bool streaming);
    ~COutputWriter();
    COutputWriter(const COutputWriter&) = delete;
    COutputWriter& operator=(const COutputWriter&) = delete;

    bool Write(const char* data, std::size_t bytes);
    // Everything buffered to the descriptor now.
    bool Flush();
    // For a streaming writer: everything buffered to the descriptor unless
    // that was done less than a millisecond ago (the next call then does it),
    // so a line reaches a waiting reader at once while a model printing
    // millions of lines is not slowed by a write per line.
    void FlushSoon();

    bool Failed() const { return m_error != 0; }
    int Error() const { return m_error; }  // errno of the first failure

private:
    bool WriteThrough(const char* data, std::size_t bytes);

    int m_fd;
    bool m_streaming;
    char* m_buffer;
    std::size_t m_used = 0;
    int m_error = 0;
    std::chrono::steady_clock::time_point m_lastFlush{};
};
