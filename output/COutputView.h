#pragma once
// The output window's drawing surface: the lines of a COutputStore in a fixed
// pitch font, a caret, keys, clicks and both scroll bars. Read only; no
// selection. The decisions are COutputGeometry's; this widget measures, draws
// and turns Qt's events into them.
//
// Following the output: the window calls FollowEnd for stored lines (once per
// chunk of output), which moves the view and asks for a repaint. At most one synchronous repaint happens per
// kRepaintInterval; later requests are gathered into one repaint when the
// interval is up (a timer, run by the next pump), so the final state is always
// painted but a long output does not pay for a repaint per line. While that
// repaint is waiting, the clock is read only every kClockStride requests: a
// request costs less than reading the clock, and being late by a few of them
// does not show.
#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QTimer>

#include "output/COutputGeometry.h"

class COutputStore;

class COutputView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kRepaintIntervalMs = 16;
    static constexpr int kClockStride = 64;

    explicit COutputView(const COutputStore* store, QWidget* parent = nullptr);

    COutputGeometry& Geometry() { return m_geometry; }
    const COutputGeometry& Geometry() const { return m_geometry; }

    // A run starts: top-left, caret at the start of the first row, bars hidden.
    void ResetView();
    // A line was stored: the row after the last line comes into view.
    void FollowEnd();
    // The open line grew or the text changed without a new line.
    void TextChanged();
    // Paints now whatever is pending (the bars and the rows).
    void PaintPending();
    // Scroll bars to the geometry: hidden when the text fits.
    void SyncScrollBars();

    bool HasCaret() const { return m_bHasCaret; }
    bool RepaintPending() const { return m_bPending; }
    QSize sizeHint() const override;

signals:
    // Enter or a double-click: go to the error named by the line under the caret.
    void gotoErrorRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

private:
    void RequestRepaint();
    void OnVerticalAction(int action);
    void OnHorizontalAction(int action);
    void ViewMoved();
    void MeasureClient();

    const COutputStore* m_pStore;
    COutputGeometry m_geometry;
    int m_nAscent = 0;
    bool m_bHasCaret = false;
    bool m_bSyncing = false;
    bool m_bPending = false;
    int m_nUnclockedRequests = 0;  // requests since the clock was last read
    QElapsedTimer m_sinceRepaint;
    QTimer m_repaintTimer;
};
