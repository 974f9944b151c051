#pragma once
// The measures a print job lays its pages out with: fixed rows of one line
// height, fixed character cells of the width of "M". Rows count from the top of
// the printable area: row 2 holds the title, rows 5 up to bodyRowLimit - 1 the
// body, row rowsPerPage - 2 the page number.
class IPrintDevice;

struct PrintLayout {
    static constexpr int kTitleRow = 2;
    static constexpr int kFirstBodyRow = 5;
    static constexpr int kIndent = 5;  // spaces before every body row
    static constexpr int kMaxLineCapacity = 255;

    int lineHeight = 1;    // height of "M" plus the font's external leading
    int rowsPerPage = 0;   // VERTRES / line height
    int bodyRowLimit = 0;  // rows per page - 10, not below 0
    int charWidth = 1;     // width of "M" plus the character extra
    int lineCapacity = 0;  // HORZRES / character width - 10, within 0..255; the indent counts
    int pageColumns = 0;   // HORZRES / character width: the characters a row holds from edge to edge

    // The measures of `device`. A device whose "M" has no height or width is
    // taken as one unit, so that nothing divides by zero.
    static PrintLayout Measure(const IPrintDevice& device);

    int PageNumberRow() const { return rowsPerPage - 2; }
};
