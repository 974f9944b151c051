#pragma once
// The print device on a QPrinter: the system's default printer, or a PDF file
// standing in for it.
//
// Its default font is fixed-pitch (DefaultFont), since the print routine lays
// text out by counting characters. Pages are spooled in memory and go to the
// printer only at EndDoc, so that AbortDoc, on Cancel or after a failure,
// drops the whole document: a QPrinter cannot take back what it was given.
// Whether the printer takes the document is known at EndDoc too.
#include <QFont>
#include <QFontMetrics>
#include <QRawFont>
#include <functional>
#include <memory>
#include <vector>

#include "platform/IPrintDevice.h"

class QPrinter;

class CPrinterDevice : public IPrintDevice {
public:
    explicit CPrinterDevice(std::unique_ptr<QPrinter> printer);
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
    bool Replay();

    std::unique_ptr<QPrinter> m_printer;
    QFont m_font;
    QFontMetrics m_metrics;
    QRawFont m_rawFont;
    std::function<bool()> m_hook;
    std::vector<std::vector<Text>> m_pages;
    bool m_bDocument = false;
    bool m_bPage = false;
};
