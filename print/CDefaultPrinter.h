#pragma once
// The system's default printer for one session of the program: what Print and
// Print Selection print on, without a print dialog, and what Printer Setup sets
// up. The session keeps one QPrinter for it, so that the paper, orientation and
// margins chosen in Printer Setup hold for every job that follows until the
// program ends (the layout follows the page). When the system's default
// printer changes, the next job prints on the new one, with its own settings.
#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

class CDefaultPrinter {
public:
    CDefaultPrinter();
    ~CDefaultPrinter();
    CDefaultPrinter(const CDefaultPrinter&) = delete;
    CDefaultPrinter& operator=(const CDefaultPrinter&) = delete;

    // The session's printer, made at first use; nullptr when the system has no
    // default printer (or the printer cannot be had).
    QPrinter* Printer();

    // The print routine: `text` under `title` (zero-terminated bytes) on the
    // printer, behind the "Print job is in progress" dialog owned by
    // `mainWindow`. Without a printer: "An error has occured while sending data
    // to the printer. Print job terminated!". A request that arrives while a job
    // runs (through the job's event pump) is dropped.
    void Print(const char* text, const char* title, QWidget* mainWindow);

    // Tests: the session's printer comes from `factory` (which may give none)
    // instead of the system; an empty factory goes back to the system.
    using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
    static void SetPrinterFactory(PrinterFactory factory);

private:
    std::unique_ptr<QPrinter> m_printer;
    QString m_printerName;  // the system's default printer m_printer was made for
    bool m_bPrinting = false;
};
