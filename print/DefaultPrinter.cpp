#include "print/DefaultPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QScopedValueRollback>
#include <new>

#include "print/CPrintJob.h"
#include "print/CPrintProgress.h"
#include "print/CPrinterDevice.h"
#include "res/StringTable.h"
#include "shell/IMainFrame.h"
#include "shell/MessageFromTable.h"

namespace {

PrintDeviceFactory& Factory()
{
    static PrintDeviceFactory factory;
    return factory;
}

}  // namespace

std::unique_ptr<IPrintDevice> OpenDefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    std::unique_ptr<QPrinter> printer(new (std::nothrow) QPrinter(info, QPrinter::HighResolution));
    if (!printer || !printer->isValid())
        return nullptr;
    return std::unique_ptr<IPrintDevice>(new (std::nothrow) CPrinterDevice(std::move(printer)));
}

void SetPrintDeviceFactory(PrintDeviceFactory factory)
{
    Factory() = std::move(factory);
}

void PrintOnDefaultPrinter(const char* text, const char* title)
{
    // One job at a time: a request that reaches a job's event pump waits for
    // no one and is dropped, as the main window is disabled meanwhile.
    static bool printing = false;
    if (printing)
        return;
    const QScopedValueRollback<bool> running(printing, true);
    const std::unique_ptr<IPrintDevice> device = Factory() ? Factory()() : OpenDefaultPrinter();
    if (!device) {
        MessageFromTable(IDS_PRINT_ERROR, MB_ICONHAND);
        return;
    }
    IMainFrame* frame = TheFrame();
    CPrintProgress progress(frame ? frame->Window() : nullptr);
    CPrintJob job(*device, progress);
    job.Print(text, title);
}
