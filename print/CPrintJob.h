#pragma once
// One print job: lays a text out on a print device as fixed rows of characters
// in the device's default font, with the title centred on top of every page
// (shortened in its middle when wider than the page, see ShortenedTitle) and
// "Page N" at its foot, while the abort side lets the user cancel.
//
// The layout: every body row starts with 5 spaces; a row holds at most the
// line capacity, indent included, and a longer line wraps onto the next row,
// indented again; a tab is four spaces wherever it stands (fewer when the row
// fills up; the row is then drawn and the rest of the tab dropped); LF ends a
// row; CR and other control characters print nothing. A row that would fall
// on or below the body row limit starts a new page.
//
// Failures end the job with AbortDoc and a message box, shown after the main
// window is usable again: a document or page that cannot start, or a document
// that cannot be finished, "An error has occured while sending data to the
// printer. Print job terminated!"; a failed page end, the message of its error
// (see EndPageMessage). Cancel ends it with AbortDoc and no message.
#include <QString>
#include <string>

#include "print/PrintLayout.h"

class IPrintAbort;
class IPrintDevice;

class CPrintJob {
public:
    CPrintJob(IPrintDevice& device, IPrintAbort& abort);
    CPrintJob(const CPrintJob&) = delete;
    CPrintJob& operator=(const CPrintJob&) = delete;

    // Prints the zero-terminated `text` under `title` (bytes, decoded as the
    // windows show them). The document is named after the title's last path
    // component.
    void Print(const char* text, const char* title);

    // The message (string-table id) for a failed page end, or 0 for none: the
    // job was stopped on purpose (SP_APPABORT, SP_USERABORT) and the user knows.
    static int EndPageMessage(int error);

    const PrintLayout& Layout() const { return m_layout; }

private:
    bool Start(const QString& documentName);
    void PrintBody(const char* text);
    bool AbortProc();
    void Step(char32_t c);
    void Tab();
    bool PageCheck();
    void DrawLine();
    bool EndThePage(bool final);
    void PrintCentred(const QString& text, int row);
    void Finish();
    int LineLength() const { return static_cast<int>(m_line.size()); }

    IPrintDevice& m_device;
    IPrintAbort& m_abort;
    PrintLayout m_layout;
    QString m_title;
    bool m_bUserAbort = false;
    bool m_bError = false;
    int m_nPage = 0;
    int m_nRow = PrintLayout::kFirstBodyRow;
    std::u32string m_line;
    int m_nMessage = 0;  // shown when the job has ended
};
