#pragma once
// The print-device seam: what the print routine asks of a printer's device
// context, in the desktop's terms. The real device prints on a QPrinter; tests
// put a recording device in its place.
//
// Units are the device's own (pixels of the printable area). Text is drawn in
// the device's default font, which is fixed-pitch: every character the font
// shows takes the width of "M", and the routine lays text out by counting
// characters.
#include <QSize>
#include <QString>
#include <functional>

// Results of the page and document operations, as the desktop's spooler gives
// them. A negative result of EndPage is one of these; every small negative value
// has SP_NOTREPORTED set (the error was not shown to the user yet).
inline constexpr int SP_ERROR = -1;
inline constexpr int SP_APPABORT = -2;
inline constexpr int SP_USERABORT = -3;
inline constexpr int SP_OUTOFDISK = -4;
inline constexpr int SP_OUTOFMEMORY = -5;
inline constexpr int SP_NOTREPORTED = 0x4000;

class IPrintDevice {
public:
    virtual ~IPrintDevice() = default;

    // HORZRES and VERTRES: width and height of the printable area.
    virtual int HorzRes() const = 0;
    virtual int VertRes() const = 0;
    // GetTextExtentPoint32: width and height of `text` in the default font.
    virtual QSize TextExtent(const QString& text) const = 0;
    // tmExternalLeading of the default font.
    virtual int ExternalLeading() const = 0;
    // GetTextCharacterExtra: space added after every character.
    virtual int TextCharacterExtra() const = 0;
    // Whether the default font itself has a glyph for `character`. A character
    // it lacks would be drawn from another font, in another width.
    virtual bool CanShow(char32_t character) const = 0;

    // SetAbortProc: the device calls `hook` between drawing operations (after
    // every TextOut and EndPage), so that the user interface stays alive while
    // the job runs. An empty hook removes it.
    virtual void SetAbortProc(std::function<bool()> hook) = 0;

    // StartDoc: positive on success.
    virtual int StartDoc(const QString& documentName) = 0;
    // StartPage: positive on success.
    virtual int StartPage() = 0;
    // TextOut: `text` with its cell's top-left corner at (x, y).
    virtual void TextOut(int x, int y, const QString& text) = 0;
    // EndPage: zero or positive on success, else one of the SP_ values.
    virtual int EndPage() = 0;
    // EndDoc: positive when the document went to the printer.
    virtual int EndDoc() = 0;
    // AbortDoc: the document is dropped; nothing of it is printed.
    virtual int AbortDoc() = 0;
};
