#include "batch/CStreamSink.h"

#include <cstring>

#include "batch/COutputWriter.h"

namespace {
constexpr char kLineEnd[] = "\r\n";
constexpr std::uint64_t kCountWrap = 1u << 30;  // a multiple of 4
}  // namespace

BOOL CStreamSink::AddOutputText(const char* text, std::size_t length)
{
    if (!CloseLine() || !m_writer.Write(text, length))
        return FALSE;
    ++m_nLines;
    m_bLineOpen = true;
    return TRUE;
}

BOOL CStreamSink::AddOutputEmptyLine()
{
    return AddOutputText("", 0);
}

// Like the store's AppendToLine: there must be a last line to append to.
BOOL CStreamSink::AppendToLastLine(const char* text)
{
    if (m_nLines == 0)
        return FALSE;
    return m_writer.Write(text, std::strlen(text)) ? TRUE : FALSE;
}

int CStreamSink::OutputLineCount() const
{
    return static_cast<int>(m_nLines % kCountWrap);
}

bool CStreamSink::CloseLine()
{
    if (!m_bLineOpen)
        return true;
    m_bLineOpen = false;
    return m_writer.Write(kLineEnd, 2);
}
