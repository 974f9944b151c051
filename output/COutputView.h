#pragma once
// The output window's drawing surface: the lines of a COutputStore in a fixed
// pitch font, a caret, keys, clicks and both scroll bars, and a selection made
// as in an editor (a drag, a double-clicked word, Shift with the caret keys,
// Select All) and drawn in the palette's highlight colours. Read only. The
// decisions are COutputGeometry's and COutputSelection's; this widget
// measures, draws and turns Qt's events into them.
//
// One measure for everything: character c of a line (COutputLineText's
// characters) is drawn in its cell at x = W*(1 + c - L), where the caret and
// clicks put it too. The font's own advance is fractional and would drift from
// the cells along a line, so glyphs are placed cell by cell; a character the
// font lacks (an emoji) comes from a fallback font, squeezed into its one cell
// when it is wider, so that nothing after it moves.
//
// Following the output: the window calls FollowEnd for stored lines (once per
// chunk of output), which marks the end to be followed and asks for a repaint;
// the view moves to the end when it next paints or is asked where it stands
// (Geometry), not once per chunk. At most one synchronous repaint happens per
// kRepaintIntervalMs, or per kPaintShare times the last repaint's duration
// when that is longer (up to kMaxRepaintIntervalMs); later requests are
// gathered into one repaint when the interval is up (a timer, run by the next
// pump), so the final state is always painted but a long output does not pay
// for a repaint per line. While that repaint is waiting, the clock is read only
// every kClockStride requests: a request costs less than reading the clock, and
// being late by a few of them does not show.
//
// A selection holds the view: while one is being made or is not empty, stored
// lines no longer move the view or the caret to the end (the bars still grow),
// so that what the user selects stays where it is while output arrives.
// Clearing it lets the next stored line be followed again.
#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QHash>
#include <QRawFont>
#include <QTimer>
#include <array>
#include <string>

#include "output/COutputGeometry.h"
#include "output/COutputSelection.h"

class COutputStore;

class COutputView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kRepaintIntervalMs = 16;
    static constexpr int kMaxRepaintIntervalMs = 1000;
    static constexpr int kPaintShare = 8;
    static constexpr int kClockStride = 64;

    explicit COutputView(const COutputStore* store, QWidget* parent = nullptr);

    // Where the view stands, a follow still waiting for its repaint applied.
    COutputGeometry& Geometry();
    // Where the view stands as it was last painted or moved: the status panes
    // show this caret, so they change with the screen, not once per line.
    const COutputGeometry& ShownGeometry() const { return m_geometry; }

    // A run starts: top-left, caret at the start of the first row, bars hidden.
    void ResetView();
    // A line was stored: the row after the last line comes into view (unless
    // a selection holds the view). Called once per chunk of output: kept short.
    void FollowEnd()
    {
        if (m_bSelecting)
            CheckDragHeld();
        if (!m_bSelecting && !m_bHasSelection)
            m_bEndPending = true;
        RequestRepaint();
    }
    // The open line grew or the text changed without a new line.
    void TextChanged();
    // Paints now whatever is pending (the bars and the rows).
    void PaintPending();
    // Scroll bars to the geometry: hidden when the text fits.
    void SyncScrollBars();

    const COutputSelection& Selection() const { return m_selection; }
    bool HasSelection() const { return m_bHasSelection; }
    // Everything, the caret to the end of the text (the row after the last line).
    void SelectAll();
    void ClearSelection();

    bool HasCaret() const { return m_bHasCaret; }
    bool RepaintPending() const { return m_bPending; }
    QSize sizeHint() const override;

signals:
    // Enter: go to the error named by the line under the caret.
    void gotoErrorRequested();
    // A double-click selected the word under it; the caret is on its line.
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

private:
    void RequestRepaint()
    {
        if (m_bPending && ++m_nUnclockedRequests < kClockStride)
            return;
        RequestRepaintSoon();
    }
    void RequestRepaintSoon();
    void ApplyPendingEnd();
    void OnVerticalAction(int action);
    void OnHorizontalAction(int action);
    void ViewMoved();
    void MeasureClient();
    void DrawCharacters(QPainter& painter, int baseline);
    void DrawLine(QPainter& painter, int line, const QRect& textArea);
    COutputSelection::Point CaretPoint() const;
    void SelectionChanged();
    void DragStep();
    void CheckDragHeld();
    quint32 GlyphOf(char32_t character);
    void DrawFallback(QPainter& painter, int x, int baseline, char32_t character);

    const COutputStore* m_pStore;
    COutputGeometry m_geometry;
    int m_nAscent = 0;
    QRawFont m_rawFont;                   // the display font's own glyphs
    QFontMetricsF m_metrics;              // with its fallbacks
    std::array<quint32, 128> m_asciiGlyphs{};
    QHash<char32_t, quint32> m_glyphs;    // characters looked up so far; 0: not in the font
    std::u32string m_characters;          // painting's work buffers, reused
    QList<quint32> m_runGlyphs;
    QList<QPointF> m_runPositions;
    COutputSelection m_selection;
    bool m_bHasSelection = false;  // m_selection is not empty
    bool m_bSelecting = false;     // the left button is down after a press in the text
    QPoint m_dragPoint;            // where the mouse is while it is
    QTimer m_dragTimer;            // scrolls while the mouse is held outside the text
    bool m_bHasCaret = false;
    bool m_bSyncing = false;
    bool m_bPending = false;
    bool m_bEndPending = false;  // FollowEnd has not moved the geometry yet
    int m_nUnclockedRequests = 0;  // requests since the clock was last read
    qint64 m_nIntervalMs = kRepaintIntervalMs;  // before the next synchronous repaint
    QElapsedTimer m_sinceRepaint;
    QTimer m_repaintTimer;
};
