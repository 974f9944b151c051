#pragma once
// Printing on the system's default printer, without a print dialog: what Print
// and Print Selection do with the text a child window hands over.
#include <functional>
#include <memory>

#include "platform/IPrintDevice.h"

// Makes the device a job prints on, or nullptr when there is none.
using PrintDeviceFactory = std::function<std::unique_ptr<IPrintDevice>()>;

// The default printer's device (QPrinterInfo::defaultPrinter()), or nullptr
// when the system has no default printer.
std::unique_ptr<IPrintDevice> OpenDefaultPrinter();

// Tests put another device in the printer's place; an empty factory goes back
// to OpenDefaultPrinter.
void SetPrintDeviceFactory(PrintDeviceFactory factory);

// The print routine: `text` under `title` (zero-terminated bytes) on the
// default printer, behind the "Print job is in progress" dialog owned by the
// main window. Without a printer: "An error has occured while sending data to
// the printer. Print job terminated!".
void PrintOnDefaultPrinter(const char* text, const char* title);
