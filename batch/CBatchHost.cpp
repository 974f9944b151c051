#include "batch/CBatchHost.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "batch/BatchMessages.h"
#include "batch/COutputWriter.h"
#include "platform/BreakSignals.h"
#include "res/StringTable.h"
#include "run/ListingFormat.h"

namespace {

void WriteToStandardError(const char* text)
{
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t n = ::write(STDERR_FILENO, text, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        text += n;
        left -= static_cast<std::size_t>(n);
    }
}

}  // namespace

CBatchHost::CBatchHost(COutputWriter& writer, bool preprocessOnly)
    : m_writer(writer), m_sink(writer), m_assembler(m_sink), m_bPreprocessOnly(preprocessOnly),
      m_previousHost(SetCurrentRunHost(this))
{
    m_assembler.KeepBuffer(true);
}

CBatchHost::~CBatchHost()
{
    SetCurrentRunHost(m_previousHost);
}

int CBatchHost::OutputResult(const char* text)
{
    if (m_bPreprocessOnly) {
        WriteToStandardError(text);
        return 1;
    }
    const COutputAssembler::Result result = m_assembler.Add(text, m_bAtLineStart);
    // A write that failed ends the run through IsBreak; the text is taken.
    if (m_writer.Failed())
        return 1;
    if (result == COutputAssembler::Result::NoBuffer) {
        ReportMessage(IDS_NO_MEMORY);
        return 0;
    }
    if (result == COutputAssembler::Result::NoMemory) {
        ReportMessage(IDS_NO_MEMORY_OUTPUT);
        return 0;
    }
    if (m_bAtLineStart)
        m_sink.CloseLine();
    m_writer.FlushSoon();
    return 1;
}

int CBatchHost::IsBreak()
{
    m_writer.FlushSoon();
    return BreakSignals::Requested() != 0 || m_writer.Failed() ? 1 : 0;
}

// The two lines of the environment's listing file: the heading and the text.
int CBatchHost::ReceivePreprocText(const char* text)
{
    m_sink.AddOutputText(kListingHeading, sizeof kListingHeading - 1);
    m_sink.AddOutputText(text, std::strlen(text));
    return 1;
}

bool CBatchHost::Finish()
{
    m_sink.CloseLine();
    return m_writer.Flush();
}
