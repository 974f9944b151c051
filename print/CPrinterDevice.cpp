#include "print/CPrinterDevice.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace {

constexpr int kPointSize = 10;

}  // namespace

QFont CPrinterDevice::DefaultFont()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"), kPointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(kPointSize);
    }
    return font;
}

CPrinterDevice::CPrinterDevice(std::unique_ptr<QPrinter> printer)
    : m_printer(std::move(printer)),
      m_font(DefaultFont()),
      m_metrics(m_font, m_printer.get()),
      m_rawFont(QRawFont::fromFont(m_font))
{
}

CPrinterDevice::~CPrinterDevice() = default;

int CPrinterDevice::HorzRes() const
{
    return m_printer->width();
}

int CPrinterDevice::VertRes() const
{
    return m_printer->height();
}

QSize CPrinterDevice::TextExtent(const QString& text) const
{
    return QSize(m_metrics.horizontalAdvance(text), m_metrics.height());
}

int CPrinterDevice::ExternalLeading() const
{
    return std::max(m_metrics.leading(), 0);
}

int CPrinterDevice::TextCharacterExtra() const
{
    return 0;
}

bool CPrinterDevice::CanShow(char32_t character) const
{
    return m_rawFont.supportsCharacter(character);
}

void CPrinterDevice::SetAbortProc(std::function<bool()> hook)
{
    m_hook = std::move(hook);
}

void CPrinterDevice::CallHook()
{
    if (m_hook)
        m_hook();
}

int CPrinterDevice::StartDoc(const QString& documentName)
{
    if (m_bDocument || !m_printer->isValid())
        return SP_ERROR;
    m_printer->setDocName(documentName);
    m_pages.clear();
    m_bDocument = true;
    return 1;
}

int CPrinterDevice::StartPage()
{
    if (!m_bDocument || m_bPage)
        return SP_ERROR;
    m_pages.emplace_back();
    m_bPage = true;
    return 1;
}

void CPrinterDevice::TextOut(int x, int y, const QString& text)
{
    if (m_bPage)
        m_pages.back().push_back({x, y, text});
    CallHook();
}

int CPrinterDevice::EndPage()
{
    if (!m_bPage)
        return SP_ERROR;
    m_bPage = false;
    CallHook();
    return 1;
}

int CPrinterDevice::EndDoc()
{
    if (!m_bDocument || m_bPage)
        return SP_ERROR;
    const bool printed = Replay();
    m_pages.clear();
    m_bDocument = false;
    return printed ? 1 : SP_ERROR;
}

int CPrinterDevice::AbortDoc()
{
    m_pages.clear();
    m_bDocument = false;
    m_bPage = false;
    return 1;
}

// The spooled pages, drawn on the printer in one go. TextOut places the top of
// the character cell; QPainter the base line.
bool CPrinterDevice::Replay()
{
    QPainter painter;
    if (!painter.begin(m_printer.get()))
        return false;
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    const int ascent = QFontMetrics(m_font, m_printer.get()).ascent();
    bool pagesOk = true;
    for (std::size_t i = 0; i < m_pages.size() && pagesOk; ++i) {
        if (i > 0)
            pagesOk = m_printer->newPage();
        for (const Text& text : m_pages[i])
            painter.drawText(text.x, text.y + ascent, text.text);
    }
    return painter.end() && pagesOk;
}
