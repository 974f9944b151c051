#include "output/COutputAssembler.h"

#include <cstring>

#include "output/IOutputSink.h"
#include "output/OutputSeams.h"

namespace {
constexpr std::size_t kBufferStep = 250;
constexpr char BEL = 7, BS = 8, TAB = 9, LF = 10, VT = 11, CR = 13;

// Frees the work buffer however Add returns.
struct BufferRelease {
    char*& buffer;
    ~BufferRelease()
    {
        OutputFree(buffer);
        buffer = nullptr;
    }
};
}  // namespace

// Keeps room for `needed` more bytes at the column plus the terminating NUL,
// growing in steps of 250 bytes.
bool COutputAssembler::Reserve(std::size_t needed)
{
    if (m_column + needed < m_size)
        return true;
    std::size_t size = m_size;
    while (m_column + needed >= size)
        size += kBufferStep;
    void* grown = OutputRealloc(m_buffer, size);
    if (!grown)
        return false;
    m_buffer = static_cast<char*>(grown);
    m_size = size;
    return true;
}

// Stores buffer[0 .. p-1]: as a new line, or onto the open last line.
bool COutputAssembler::StoreLine(bool continueOpenLine)
{
    m_buffer[m_column] = '\0';
    return continueOpenLine ? m_sink.AppendToLastLine(m_buffer) : m_sink.AddOutputLine(m_buffer);
}

COutputAssembler::Result COutputAssembler::Add(const char* text, BOOL& atLineStart)
{
    if (!text)
        text = "";
    const std::size_t length = std::strlen(text);
    m_size = length + 1 > kBufferStep ? length + 1 : kBufferStep;
    m_buffer = static_cast<char*>(OutputMalloc(m_size));
    if (!m_buffer)
        return Result::NoBuffer;
    BufferRelease release{m_buffer};
    m_column = 0;
    bool lineFeed = false;

    for (const char* c = text; *c; ++c) {
        switch (*c) {
        case BEL: m_sink.Bell(); break;
        case BS:
            if (m_column > 0)
                --m_column;
            break;
        case CR: m_column = 0; break;
        case TAB: {
            const std::size_t spaces = 4 - m_column % 4;
            if (!Reserve(spaces))
                return Result::NoMemory;
            std::memset(m_buffer + m_column, ' ', spaces);
            m_column += spaces;
            lineFeed = false;
            break;
        }
        case LF:
            if (m_column > 0) {
                if (!StoreLine(!atLineStart))
                    return Result::NoMemory;
                m_column = 0;
                atLineStart = TRUE;
            } else if (atLineStart) {
                // A failed empty line is reported like any other lost line.
                if (!m_sink.AddOutputEmptyLine())
                    return Result::NoMemory;
            } else {
                atLineStart = TRUE;  // completes the open line
            }
            lineFeed = true;
            break;
        case VT: {
            const int empties = 4 - m_sink.OutputLineCount() % 4;
            if (!StoreLine(false))
                return Result::NoMemory;
            for (int i = 0; i < empties; ++i)
                if (!m_sink.AddOutputEmptyLine())
                    return Result::NoMemory;
            std::memset(m_buffer, ' ', m_column);
            break;
        }
        default:
            if (!Reserve(1))
                return Result::NoMemory;
            m_buffer[m_column++] = *c;
            lineFeed = false;
            break;
        }
    }

    if (lineFeed) {
        atLineStart = TRUE;
        return Result::Ok;
    }
    if (!StoreLine(!atLineStart))
        return Result::NoMemory;
    atLineStart = FALSE;
    return Result::Ok;
}
