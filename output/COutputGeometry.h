#pragma once
// Where the output view stands and where its caret is, and how keys, clicks and
// scroll-bar actions move them. Plain arithmetic on whole rows and columns: the
// widget measures, draws and applies; this decides. A column is a character of
// a line as COutputLineText reads it, not a byte.
//
// Row j of the view (y = j*H .. j*H+H-1) shows line T+j; the first W pixels of
// each row are a blank margin and character c of a line is drawn at
// x = W*(1 + c - L). The caret is held in pixels; it never goes below the row
// after the last line, y0 = H*(N - T), where new output appears.
#include "platform/Win32Types.h"

class COutputStore;

class COutputGeometry {
public:
    enum class Key { Enter, Modifier, PageUp, PageDown, Home, End, Left, Right, Up, Down, Other };
    enum class KeyResult { None, Beep, GotoError };
    // Scroll codes, named after the scroll-bar notifications they stand for.
    enum ScrollCode {
        SB_LINEUP = 0, SB_LINELEFT = 0,
        SB_LINEDOWN = 1, SB_LINERIGHT = 1,
        SB_PAGEUP = 2, SB_PAGELEFT = 2,
        SB_PAGEDOWN = 3, SB_PAGERIGHT = 3,
        SB_THUMBPOSITION = 4,
        SB_THUMBTRACK = 5,
        SB_TOP = 6, SB_LEFT = 6,
        SB_BOTTOM = 7, SB_RIGHT = 7,
    };
    explicit COutputGeometry(const COutputStore* store) : m_pStore(store) {}

    void SetMetrics(int charWidth, int lineHeight);
    void SetClientSize(int width, int height);
    // Back to the top-left with the caret at the start of the first row.
    void Reset();

    KeyResult KeyDown(Key key, bool ctrl, bool shift);
    // The caret to the start of the character cell under (x, y), no further
    // right than just after the line's end; a point outside the client area
    // is ignored.
    void Click(int x, int y);
    // The caret to the character boundary nearest to (x, y), the point taken
    // into the client area first: where a mouse drag takes the selection.
    void DragTo(int x, int y);
    // The caret to `column` of `line` (line N: the row after the last line),
    // the view scrolled by the least that brings it into view.
    void PutCaretAt(int line, int column);
    // TRUE when the view moved.
    bool VScroll(int code, int position = 0);
    bool HScroll(int code, int position = 0);
    // The row after the last line in view, the caret at its start.
    void ScrollToEnd();
    // The client area became `width` x `height` (a resize, a bar shown or
    // hidden). T and L stay within the text, and the caret stays on its line
    // and column: when the new size would leave it outside the view, the view
    // scrolls by the least that brings its row fully into view and keeps it no
    // further right than just after the last whole column. Never follows the
    // end: that is for output arriving and for showing the window.
    void Resized(int width, int height);

    // The scroll-bar fit check: the bar is not needed.
    bool VerticalFits() const;
    bool HorizontalFits() const;

    int LineCount() const;     // N
    int LongestLine() const;   // M, in characters
    int CaretLineIndex() const;  // 0-based line under the caret
    // 1-based line and column of the caret, for the status panes.
    int CaretLineNumber() const { return CaretLineIndex() + 1; }
    int CaretColumnNumber() const;
    int CaretColumnIndex() const { return CaretColumnNumber() - 1; }
    int RowAfterLastY() const;  // y0

    int m_nCaretX = 0;
    int m_nCaretY = 0;
    int m_nTopLine = 0;     // T
    int m_nLeftColumn = 0;  // L
    int m_nLineHeight = 1;  // H
    int m_nCharWidth = 1;   // W
    int m_nWidth = 0;       // client area
    int m_nHeight = 0;

private:
    int LineLength(int index) const;
    void EndKey();
    void ClampToText();
    void PlaceCaret(int cx, int cy);
    void ScrollIntoView(int line, int column);

    const COutputStore* m_pStore;
};
