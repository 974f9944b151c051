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

CPrinterDevice::CPrinterDevice(std::unique_ptr<QPrinter> printer) : CPrinterDevice(*printer)
{
    m_ownPrinter = std::move(printer);
}

CPrinterDevice::CPrinterDevice(QPrinter& printer)
    : m_printer(printer),
      m_font(DefaultFont()),
      m_metrics(m_font, &m_printer),
      m_rawFont(QRawFont::fromFont(m_font))
{
}

// A device dropped in the middle of a document ends it as AbortDoc does.
CPrinterDevice::~CPrinterDevice()
{
    if (m_bDocument)
        AbortDoc();
}

int CPrinterDevice::HorzRes() const
{
    return m_printer.width();
}

int CPrinterDevice::VertRes() const
{
    return m_printer.height();
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
    if (m_bDocument || !m_printer.isValid())
        return SP_ERROR;
    m_printer.setDocName(documentName);
    m_bDocument = true;
    return 1;
}

int CPrinterDevice::StartPage()
{
    if (!m_bDocument || m_bPage)
        return SP_ERROR;
    m_page.clear();
    m_bPage = true;
    return 1;
}

void CPrinterDevice::TextOut(int x, int y, const QString& text)
{
    if (m_bPage)
        m_page.push_back({x, y, text});
    CallHook();
}

int CPrinterDevice::EndPage()
{
    if (!m_bPage)
        return SP_ERROR;
    m_bPage = false;
    const bool handed = HandOver();
    CallHook();
    return handed ? 1 : SP_ERROR;
}

int CPrinterDevice::EndDoc()
{
    if (!m_bDocument || m_bPage)
        return SP_ERROR;
    m_bDocument = false;
    return !m_painter.isActive() || m_painter.end() ? 1 : SP_ERROR;
}

int CPrinterDevice::AbortDoc()
{
    m_page.clear();
    m_bDocument = false;
    m_bPage = false;
    if (m_painter.isActive()) {
        m_printer.abort();
        m_painter.end();
    }
    return 1;
}

// The page just ended, drawn on the printer: the first one begins the
// document there. TextOut places the top of the character cell; QPainter the
// base line.
bool CPrinterDevice::HandOver()
{
    if (!m_painter.isActive()) {
        if (!m_painter.begin(&m_printer))
            return false;
        m_painter.setFont(m_font);
        m_painter.setPen(Qt::black);
    } else if (!m_printer.newPage()) {
        return false;
    }
    const int ascent = m_metrics.ascent();
    for (const Text& text : m_page)
        m_painter.drawText(text.x, text.y + ascent, text.text);
    m_page.clear();
    return true;
}
