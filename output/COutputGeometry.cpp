#include "output/COutputGeometry.h"

#include <algorithm>
#include <climits>

#include "output/COutputLineText.h"
#include "output/COutputStore.h"

void COutputGeometry::SetMetrics(int charWidth, int lineHeight)
{
    m_nCharWidth = std::max(charWidth, 1);
    m_nLineHeight = std::max(lineHeight, 1);
}

void COutputGeometry::SetClientSize(int width, int height)
{
    m_nWidth = std::max(width, 0);
    m_nHeight = std::max(height, 0);
}

void COutputGeometry::Reset()
{
    m_nTopLine = 0;
    m_nLeftColumn = 0;
    m_nCaretX = m_nCharWidth;
    m_nCaretY = 0;
}

int COutputGeometry::LineCount() const
{
    return m_pStore ? m_pStore->m_nCount : 0;
}

int COutputGeometry::LongestLine() const
{
    return m_pStore ? m_pStore->m_nLongest : 0;
}

// In characters, as the line is shown.
int COutputGeometry::LineLength(int index) const
{
    if (index < 0 || index >= LineCount())
        return 0;
    return m_pStore->LineText(index).Length();
}

// Clamped so that a very long text cannot overflow the pixel arithmetic.
int COutputGeometry::RowAfterLastY() const
{
    const long long y0 = static_cast<long long>(m_nLineHeight) * (LineCount() - m_nTopLine);
    return static_cast<int>(std::clamp<long long>(y0, INT_MIN / 2, INT_MAX / 2));
}

int COutputGeometry::CaretLineIndex() const
{
    return m_nCaretY / m_nLineHeight + m_nTopLine;
}

int COutputGeometry::CaretColumnNumber() const
{
    return (m_nCaretX - m_nCharWidth) / m_nCharWidth + m_nLeftColumn + 1;
}

bool COutputGeometry::VerticalFits() const
{
    return m_nTopLine == 0 && static_cast<long long>(m_nLineHeight) * LineCount() < m_nHeight - m_nLineHeight;
}

bool COutputGeometry::HorizontalFits() const
{
    return m_nLeftColumn == 0 &&
           static_cast<long long>(m_nCharWidth) * (LongestLine() + 1LL) < m_nWidth - m_nCharWidth;
}

bool COutputGeometry::VScroll(int code, int position)
{
    const int n = LineCount();
    long long d = 0;
    switch (code) {
    case SB_LINEUP: d = -1; break;
    case SB_LINEDOWN: d = 1; break;
    case SB_PAGEUP: d = -std::max(m_nHeight / m_nLineHeight, 1); break;
    case SB_PAGEDOWN: d = std::max(m_nHeight / m_nLineHeight, 1); break;
    case SB_THUMBTRACK: d = static_cast<long long>(position) - m_nTopLine; break;
    case SB_TOP: d = -m_nTopLine; break;
    case SB_BOTTOM: d = static_cast<long long>(n) - 1 - m_nTopLine; break;
    default: break;
    }
    d = std::max<long long>(-m_nTopLine, std::min<long long>(d, static_cast<long long>(n) - 1 - m_nTopLine));
    if (d == 0)
        return false;
    m_nTopLine += static_cast<int>(d);
    return true;
}

bool COutputGeometry::HScroll(int code, int position)
{
    long long d = 0;
    switch (code) {
    case SB_LINELEFT: d = -1; break;
    case SB_LINERIGHT: d = 1; break;
    case SB_PAGELEFT: d = -8; break;
    case SB_PAGERIGHT: d = 8; break;
    case SB_THUMBPOSITION: d = static_cast<long long>(position) - m_nLeftColumn; break;
    case SB_LEFT: d = -m_nLeftColumn; break;
    default: break;
    }
    d = std::max<long long>(-m_nLeftColumn, std::min<long long>(d, static_cast<long long>(LongestLine()) - m_nLeftColumn));
    if (d == 0)
        return false;
    m_nLeftColumn += static_cast<int>(d);
    return true;
}

// End stops just after the line's last character, scrolling sideways so that
// it is in view: right when the line ends left of the view, left when it ends
// beyond the right edge.
void COutputGeometry::EndKey()
{
    const int w = m_nCharWidth;
    const int len = LineLength(m_nTopLine + m_nCaretY / m_nLineHeight);
    if (len < m_nLeftColumn) {
        m_nLeftColumn = std::max(len - 1, 0);
    } else if (static_cast<long long>(len - m_nLeftColumn + 1) * w > m_nWidth - w) {
        const int d = len + (2 * w - m_nWidth) / w - m_nLeftColumn;
        m_nLeftColumn = std::clamp(m_nLeftColumn + d, 0, std::max(LongestLine(), 0));
    }
    m_nCaretX = (len - m_nLeftColumn + 1) * w;
}

COutputGeometry::KeyResult COutputGeometry::KeyDown(Key key, bool ctrl, bool shift)
{
    const int w = m_nCharWidth;
    const int h = m_nLineHeight;
    const int y0 = RowAfterLastY();
    KeyResult result = KeyResult::None;
    switch (key) {
    case Key::Enter: result = KeyResult::GotoError; break;
    case Key::Modifier: break;
    case Key::PageUp:
        if (m_nTopLine > 0)
            VScroll(SB_PAGEUP);
        else
            m_nCaretY = 0;
        break;
    case Key::PageDown:
        if (y0 < m_nHeight)
            m_nCaretY = y0;
        else
            VScroll(SB_PAGEDOWN);
        m_nCaretY = std::min(m_nCaretY, RowAfterLastY());
        break;
    case Key::Home:
        if (ctrl) {
            if (m_nTopLine > 0)
                VScroll(SB_TOP);
            if (m_nLeftColumn > 0)
                HScroll(SB_LEFT);
            m_nCaretX = w;
            m_nCaretY = 0;
        } else if (m_nCaretY < y0) {
            if (m_nLeftColumn > 0)
                HScroll(SB_LEFT);
            m_nCaretX = w;
        }
        break;
    case Key::End:
        if (ctrl) {
            if (y0 >= m_nHeight)
                VScroll(SB_BOTTOM);
            if (m_nLeftColumn > 0)
                HScroll(SB_LEFT);
            m_nCaretY = RowAfterLastY();
            m_nCaretX = w;
        } else if (m_nCaretY < y0) {
            EndKey();
        }
        break;
    case Key::Left:
        if (m_nCaretX - w >= w)
            m_nCaretX -= w;
        else if (m_nLeftColumn > 0)
            HScroll(SB_LINELEFT);
        break;
    case Key::Right:
        if (m_nCaretX + w <= m_nWidth - w)
            m_nCaretX += w;
        else if (static_cast<long long>(LongestLine() - m_nLeftColumn + 1) * w >= m_nWidth - w)
            HScroll(SB_LINERIGHT);
        break;
    case Key::Up:
        if (m_nCaretY - h >= 0)
            m_nCaretY -= h;
        else if (m_nTopLine > 0)
            VScroll(SB_LINEUP);
        break;
    case Key::Down:
        if (m_nCaretY < y0) {
            m_nCaretY += h;
            if (m_nCaretY + h > m_nHeight) {
                m_nCaretY -= h;
                VScroll(SB_LINEDOWN);
            }
        }
        break;
    case Key::Other:
        if (!ctrl && !shift)
            result = KeyResult::Beep;
        break;
    }
    if (m_nCaretY > RowAfterLastY()) {
        m_nCaretY = RowAfterLastY();
        m_nCaretX = w;
    }
    return result;
}

void COutputGeometry::Click(int x, int y)
{
    if (x <= 0 || x >= m_nWidth || y < 0 || y >= m_nHeight)
        return;
    const int w = m_nCharWidth;
    PlaceCaret(std::max((x / w) * w + 1, w), (y / m_nLineHeight) * m_nLineHeight);
}

void COutputGeometry::DragTo(int x, int y)
{
    if (m_nWidth <= 0 || m_nHeight <= 0)
        return;
    const int w = m_nCharWidth;
    x = std::clamp(x, 0, m_nWidth - 1);
    y = std::clamp(y, 0, m_nHeight - 1);
    PlaceCaret(std::max(((x + w / 2) / w) * w + 1, w), (y / m_nLineHeight) * m_nLineHeight);
}

// (cx, cy) in a row: on a line, no further right than just after its end; on
// or below the row after the last line, at the start of that row.
void COutputGeometry::PlaceCaret(int cx, int cy)
{
    const int w = m_nCharWidth;
    const int h = m_nLineHeight;
    if (cy <= RowAfterLastY()) {
        const int row = m_nTopLine + cy / h;
        if (row > LineCount() - 1) {
            cx = w;
        } else {
            const long long end = static_cast<long long>(LineLength(row) - m_nLeftColumn + 1) * w;
            cx = static_cast<int>(std::max<long long>(std::min<long long>(cx, end), w));
        }
    } else {
        cx = w;
        cy = RowAfterLastY();
    }
    m_nCaretX = cx;
    m_nCaretY = cy;
}

void COutputGeometry::PutCaretAt(int line, int column)
{
    line = std::clamp(line, 0, LineCount());
    column = std::max(column, 0);
    ScrollIntoView(line, column);
    m_nCaretX = m_nCharWidth * (1 + column - m_nLeftColumn);
    m_nCaretY = m_nLineHeight * (line - m_nTopLine);
}

void COutputGeometry::ScrollToEnd()
{
    const int n = LineCount();
    if (n == 0)
        return;
    m_nLeftColumn = 0;
    if (RowAfterLastY() >= m_nHeight - m_nLineHeight) {
        // The last full row stays free for the next line; truncating division
        // puts a window lower than one line at T = N.
        const int top = n + (m_nLineHeight - m_nHeight) / m_nLineHeight;
        m_nTopLine = std::clamp(top, 0, n);
    }
    m_nCaretX = m_nCharWidth;
    m_nCaretY = RowAfterLastY();
}

void COutputGeometry::ClampToText()
{
    if (!VerticalFits())
        m_nTopLine = std::min(m_nTopLine, std::max(LineCount() - 1, 0));
    if (!HorizontalFits())
        m_nLeftColumn = std::min(m_nLeftColumn, std::max(LongestLine(), 0));
}

// The least scroll that shows the caret's row whole and keeps a caret in
// `column` no further right than width - W.
void COutputGeometry::ScrollIntoView(int line, int column)
{
    const int w = m_nCharWidth;
    const int rows = std::max(m_nHeight / m_nLineHeight, 1);
    if (line < m_nTopLine)
        m_nTopLine = line;
    else if (line >= m_nTopLine + rows)
        m_nTopLine = line - rows + 1;
    const int lastOffset = std::max((m_nWidth - w) / w - 1, 0);
    if (column < m_nLeftColumn)
        m_nLeftColumn = column;
    else if (column - m_nLeftColumn > lastOffset)
        m_nLeftColumn = column - lastOffset;
}

void COutputGeometry::Resized(int width, int height)
{
    const int w = m_nCharWidth;
    const int h = m_nLineHeight;
    const int top = m_nTopLine;
    const int left = m_nLeftColumn;
    const int line = CaretLineIndex();
    const int column = m_nLeftColumn + (m_nCaretX - w) / w;
    SetClientSize(width, height);
    ClampToText();
    ScrollIntoView(line, column);
    // The same pixel within the cell: a click leaves the caret one pixel in.
    m_nCaretY += (top - m_nTopLine) * h;
    m_nCaretX += (left - m_nLeftColumn) * w;
}
