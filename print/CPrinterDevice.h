#pragma once
// The print device on a QPrinter: the system's default printer, or a PDF file
// standing in for it.
//
// Its default font is fixed-pitch (DefaultFont), since the print routine lays
// text out by counting characters. A page goes to the printer as soon as it
// ends, and the abort hook runs after it as after every drawing operation, so
// that the dialog answers all through a long job. The printer has the document
// from the first page handed over: AbortDoc drops the page being made and asks
// the printer to abort, but a QPrinter on CUPS cannot take back what it was
// given, so the pages handed over before are printed as a shorter job. A job
// ended before its first page was handed over leaves nothing.
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRawFont>
#include <functional>
#include <memory>
#include <vector>

#include "platform/IPrintDevice.h"

class QPrinter;

class CPrinterDevice : public IPrintDevice {
public:
    explicit CPrinterDevice(std::unique_ptr<QPrinter> printer);
    // Prints on `printer`, which outlives the device (the session's printer).
    explicit CPrinterDevice(QPrinter& printer);
    ~CPrinterDevice() override;
    CPrinterDevice(const CPrinterDevice&) = delete;
    CPrinterDevice& operator=(const CPrinterDevice&) = delete;

    // DejaVu Sans Mono (which the set-up installs), else the system's fixed-pitch
    // font, at 10 points: about 12 characters to the inch.
    static QFont DefaultFont();

    int HorzRes() const override;
    int VertRes() const override;
    QSize TextExtent(const QString& text) const override;
    int ExternalLeading() const override;
    int TextCharacterExtra() const override;
    bool CanShow(char32_t character) const override;
    void SetAbortProc(std::function<bool()> hook) override;
    int StartDoc(const QString& documentName) override;
    int StartPage() override;
    void TextOut(int x, int y, const QString& text) override;
    int EndPage() override;
    int EndDoc() override;
    int AbortDoc() override;

private:
    struct Text {
        int x;
        int y;
        QString text;
    };
    void CallHook();
    bool HandOver();

    std::unique_ptr<QPrinter> m_ownPrinter;
    QPrinter& m_printer;
    QFont m_font;
    QFontMetrics m_metrics;
    QRawFont m_rawFont;
    std::function<bool()> m_hook;
    QPainter m_painter;        // active from the first page handed over to the document's end
    std::vector<Text> m_page;  // the page being made
    bool m_bDocument = false;
    bool m_bPage = false;
};
