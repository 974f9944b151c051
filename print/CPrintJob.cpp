#include "print/CPrintJob.h"

#include "platform/IPrintDevice.h"
#include "platform/Win32Types.h"
#include "print/IPrintAbort.h"
#include "print/PrintCharacters.h"
#include "res/StringTable.h"
#include "shell/MessageFromTable.h"

namespace {

const std::u32string kIndent(PrintLayout::kIndent, U' ');

// The title without its directories.
QString DocumentName(const QString& title)
{
    return title.mid(title.lastIndexOf(QLatin1Char('/')) + 1);
}

}  // namespace

CPrintJob::CPrintJob(IPrintDevice& device, IPrintAbort& abort) : m_device(device), m_abort(abort) {}

int CPrintJob::EndPageMessage(int error)
{
    switch (error) {
    case SP_APPABORT:
    case SP_USERABORT: return 0;
    case SP_OUTOFDISK: return IDS_PRINT_NO_DISK;
    case SP_OUTOFMEMORY: return IDS_PRINT_NO_MEMORY;
    default: return IDS_PRINT_ERROR;  // a failed job never ends in silence
    }
}

void CPrintJob::Print(const char* text, const char* title)
{
    const QString decodedTitle = DecodeText(title ? title : "");
    m_layout = PrintLayout::Measure(m_device);
    // Centred without a bound, a long path would lose both ends off the page.
    m_title = ShortenedTitle(ShownText(decodedTitle, m_device), m_layout.pageColumns);
    if (!Start(DocumentName(decodedTitle)))
        return;
    PrintBody(text ? text : "");
    // The last row needs no line feed. It is drawn without a page check, so it
    // may take the row just below the body rows.
    if (!m_bError && !m_bUserAbort && LineLength() > PrintLayout::kIndent)
        DrawLine();
    if (!m_bError && !m_bUserAbort && !EndThePage(true))
        m_bError = true;
    Finish();
}

// Line by line, so that a large output is never held decoded as a whole.
void CPrintJob::PrintBody(const char* text)
{
    std::u32string line;
    while (!m_bError && !m_bUserAbort) {
        const std::size_t size = DecodeLine(text, &line);
        if (size == 0)
            return;
        text += size;
        for (std::size_t i = 0; i < line.size() && !m_bError && !m_bUserAbort; ++i)
            Step(line[i]);
    }
}

bool CPrintJob::Start(const QString& documentName)
{
    m_bError = false;
    m_bUserAbort = false;
    m_nMessage = 0;
    m_abort.Begin();
    m_line = kIndent;
    m_device.SetAbortProc([this] { return AbortProc(); });
    bool started = m_device.StartDoc(documentName) > 0;
    if (started && m_device.StartPage() <= 0) {
        m_device.AbortDoc();
        started = false;
    }
    if (!started) {
        m_device.SetAbortProc(nullptr);
        m_abort.End();
        MessageFromTable(IDS_PRINT_ERROR, MB_ICONHAND);
        return false;
    }
    m_nPage = 0;
    PrintCentred(m_title, PrintLayout::kTitleRow);
    m_nRow = PrintLayout::kFirstBodyRow;
    return true;
}

bool CPrintJob::AbortProc()
{
    if (!m_bUserAbort && !m_abort.Continue())
        m_bUserAbort = true;
    return !m_bUserAbort;
}

void CPrintJob::Step(char32_t c)
{
    if (c == U'\t') {
        Tab();
        return;
    }
    if (c == U'\n') {
        if (PageCheck())
            DrawLine();
        return;
    }
    const char32_t shown = ShownCharacter(c, m_device);
    if (!shown)
        return;
    if (LineLength() >= m_layout.lineCapacity) {
        if (!PageCheck())
            return;
        DrawLine();
    }
    m_line.push_back(shown);
}

void CPrintJob::Tab()
{
    for (int i = 0; i < 4; ++i) {
        if (LineLength() >= m_layout.lineCapacity) {
            if (PageCheck())
                DrawLine();
            return;
        }
        m_line.push_back(U' ');
    }
}

bool CPrintJob::PageCheck()
{
    if (m_nRow >= m_layout.bodyRowLimit && !EndThePage(false)) {
        m_bError = true;
        return false;
    }
    return true;
}

void CPrintJob::DrawLine()
{
    m_device.TextOut(0, m_nRow * m_layout.lineHeight,
                     QString::fromUcs4(m_line.data(), static_cast<qsizetype>(m_line.size())));
    m_line = kIndent;
    ++m_nRow;
}

bool CPrintJob::EndThePage(bool final)
{
    ++m_nPage;
    PrintCentred(QStringLiteral("Page %1").arg(m_nPage), m_layout.PageNumberRow());
    const int result = m_device.EndPage();
    if (result < 0) {
        m_nMessage = EndPageMessage(result);
        return false;
    }
    if (final)
        return true;
    // A page that cannot start would take the rest of the text with it.
    if (m_device.StartPage() <= 0) {
        m_nMessage = IDS_PRINT_ERROR;
        return false;
    }
    PrintCentred(m_title, PrintLayout::kTitleRow);
    m_nRow = PrintLayout::kFirstBodyRow;
    return true;
}

void CPrintJob::PrintCentred(const QString& text, int row)
{
    const int x = m_device.HorzRes() / 2 - m_device.TextExtent(text).width() / 2;
    m_device.TextOut(x, row * m_layout.lineHeight, text);
}

void CPrintJob::Finish()
{
    if (m_bUserAbort || m_bError) {
        m_device.AbortDoc();
    } else if (m_device.EndDoc() <= 0) {
        m_nMessage = IDS_PRINT_ERROR;
    }
    m_device.SetAbortProc(nullptr);
    m_abort.End();
    if (m_nMessage)
        MessageFromTable(m_nMessage, MB_ICONHAND);
}
