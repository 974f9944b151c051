#include "print/CDefaultPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QScopedValueRollback>
#include <new>

#include "platform/Win32Types.h"
#include "print/CPrintJob.h"
#include "print/CPrintProgress.h"
#include "print/CPrinterDevice.h"
#include "res/StringTable.h"
#include "shell/MessageFromTable.h"

namespace {

CDefaultPrinter::PrinterFactory& Factory()
{
    static CDefaultPrinter::PrinterFactory factory;
    return factory;
}

}  // namespace

CDefaultPrinter::CDefaultPrinter() = default;

CDefaultPrinter::~CDefaultPrinter() = default;

void CDefaultPrinter::SetPrinterFactory(PrinterFactory factory)
{
    Factory() = std::move(factory);
}

QPrinter* CDefaultPrinter::Printer()
{
    if (Factory()) {
        if (!m_printer)
            m_printer = Factory()();
        return m_printer.get();
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        m_printer.reset();
        return nullptr;
    }
    if (!m_printer || info.printerName() != m_printerName) {
        m_printer.reset(new (std::nothrow) QPrinter(info, QPrinter::HighResolution));
        m_printerName = info.printerName();
    }
    return m_printer && m_printer->isValid() ? m_printer.get() : nullptr;
}

void CDefaultPrinter::Print(const char* text, const char* title, QWidget* mainWindow)
{
    if (m_bPrinting)
        return;
    const QScopedValueRollback<bool> running(m_bPrinting, true);
    QPrinter* printer = Printer();
    std::unique_ptr<CPrinterDevice> device(printer ? new (std::nothrow) CPrinterDevice(*printer) : nullptr);
    if (!device) {
        MessageFromTable(IDS_PRINT_ERROR, MB_ICONHAND);
        return;
    }
    CPrintProgress progress(mainWindow);
    CPrintJob job(*device, progress);
    job.Print(text, title);
}
