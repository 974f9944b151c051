#include "output/COutputView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cstring>

#include "output/COutputStore.h"
#include "platform/FontConversion.h"
#include "platform/Prompts.h"

namespace {

using Key = COutputGeometry::Key;
using G = COutputGeometry;

Key KeyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Enter;
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock: return Key::Modifier;
    case Qt::Key_PageUp: return Key::PageUp;
    case Qt::Key_PageDown: return Key::PageDown;
    case Qt::Key_Home: return Key::Home;
    case Qt::Key_End: return Key::End;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Down: return Key::Down;
    default: return Key::Other;
    }
}

// The scroll code a scroll-bar action stands for; -1 for none.
int CodeOf(int action, bool sliderDown)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return G::SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd: return G::SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub: return G::SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd: return G::SB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum: return G::SB_TOP;
    case QAbstractSlider::SliderToMaximum: return G::SB_BOTTOM;
    case QAbstractSlider::SliderMove: return sliderDown ? G::SB_THUMBTRACK : G::SB_THUMBPOSITION;
    default: return -1;
    }
}

constexpr int kCaretWidth = 2;

}  // namespace

COutputView::COutputView(const COutputStore* store, QWidget* parent)
    : QAbstractScrollArea(parent), m_pStore(store), m_geometry(store)
{
    // The stock fixed-pitch font at normal weight, made once.
    QFont font = SystemFixedFont();
    font.setWeight(QFont::Normal);
    font.setFixedPitch(true);
    setFont(font);
    viewport()->setFont(font);
    const QFontMetrics metrics(font);
    // In a fixed-pitch font every advance is the average width; measuring an
    // advance keeps the columns exactly where the characters are drawn.
    m_geometry.SetMetrics(metrics.horizontalAdvance(QLatin1Char('M')), metrics.height() + std::max(metrics.leading(), 0));
    m_nAscent = metrics.ascent();
    m_geometry.Reset();

    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    viewport()->setPalette(palette);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(false);
    viewport()->setCursor(Qt::IBeamCursor);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The horizontal bar moves the text only when its thumb is released.
    horizontalScrollBar()->setTracking(false);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, &COutputView::OnVerticalAction);
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this, &COutputView::OnHorizontalAction);
    connect(verticalScrollBar(), &QAbstractSlider::sliderReleased, this, [this] {
        if (!m_bSyncing)
            SyncScrollBars();  // an ignored drag snaps back
    });
    connect(horizontalScrollBar(), &QAbstractSlider::sliderReleased, this, [this] {
        if (m_bSyncing)
            return;
        if (m_geometry.HScroll(G::SB_THUMBPOSITION, horizontalScrollBar()->sliderPosition()))
            ViewMoved();
        else
            SyncScrollBars();
    });

    m_repaintTimer.setSingleShot(true);
    connect(&m_repaintTimer, &QTimer::timeout, this, &COutputView::PaintPending);
    MeasureClient();
    SyncScrollBars();
}

QSize COutputView::sizeHint() const
{
    return {m_geometry.m_nCharWidth * 82, m_geometry.m_nLineHeight * 20};
}

void COutputView::MeasureClient()
{
    m_geometry.Resized(viewport()->width(), viewport()->height());
}

void COutputView::ResetView()
{
    m_geometry.Reset();
    SyncScrollBars();
    if (isVisible())
        viewport()->repaint();
}

void COutputView::FollowEnd()
{
    m_geometry.ScrollToEnd();
    RequestRepaint();
}

void COutputView::TextChanged()
{
    RequestRepaint();
}

void COutputView::RequestRepaint()
{
    m_bPending = true;
    if (m_repaintTimer.isActive() && ++m_nUnclockedRequests < kClockStride)
        return;
    m_nUnclockedRequests = 0;
    if (!m_sinceRepaint.isValid() || m_sinceRepaint.elapsed() >= kRepaintIntervalMs) {
        PaintPending();
    } else if (!m_repaintTimer.isActive()) {
        m_repaintTimer.start(kRepaintIntervalMs - static_cast<int>(m_sinceRepaint.elapsed()));
    }
}

void COutputView::PaintPending()
{
    if (!m_bPending)
        return;
    m_bPending = false;
    m_repaintTimer.stop();
    SyncScrollBars();
    if (isVisible())
        viewport()->repaint();
    m_sinceRepaint.restart();
}

// Showing or hiding a bar resizes the client area, which can change whether
// the other bar is needed; a few rounds settle it.
void COutputView::SyncScrollBars()
{
    if (m_bSyncing)
        return;
    m_bSyncing = true;
    for (int round = 0; round < 3; ++round) {
        const QSize before = viewport()->size();
        const G& g = m_geometry;
        QScrollBar* vertical = verticalScrollBar();
        QScrollBar* horizontal = horizontalScrollBar();
        if (g.VerticalFits())
            vertical->setRange(0, 0);
        else
            vertical->setRange(0, std::max(g.LineCount() - 1, g.m_nTopLine));
        vertical->setPageStep(std::max(g.m_nHeight / g.m_nLineHeight, 1));
        vertical->setValue(g.m_nTopLine);
        if (g.HorizontalFits())
            horizontal->setRange(0, 0);
        else
            horizontal->setRange(0, std::max(g.LongestLine(), g.m_nLeftColumn));
        horizontal->setPageStep(std::max(g.m_nWidth / g.m_nCharWidth - 1, 1));
        horizontal->setValue(g.m_nLeftColumn);
        if (viewport()->size() == before)
            break;
        MeasureClient();
    }
    m_bSyncing = false;
}

void COutputView::ViewMoved()
{
    SyncScrollBars();
    viewport()->update();
}

void COutputView::scrollContentsBy(int, int)
{
    // The geometry decides every move; the bars only report actions.
}

bool COutputView::focusNextPrevChild(bool)
{
    return false;  // Tab is a key like any other here
}

void COutputView::OnVerticalAction(int action)
{
    if (m_bSyncing)
        return;
    QScrollBar* bar = verticalScrollBar();
    const int code = CodeOf(action, bar->isSliderDown());
    const bool moved = code >= 0 && m_geometry.VScroll(code, bar->sliderPosition());
    // An ignored drag leaves the thumb under the mouse until it is released.
    const bool ignoredDrag = code == G::SB_THUMBTRACK && !moved;
    if (!ignoredDrag)
        bar->setSliderPosition(m_geometry.m_nTopLine);
    if (moved)
        viewport()->update();
}

void COutputView::OnHorizontalAction(int action)
{
    if (m_bSyncing)
        return;
    QScrollBar* bar = horizontalScrollBar();
    int code = CodeOf(action, bar->isSliderDown());
    if (code == G::SB_BOTTOM)
        code = -1;  // the horizontal bar has no "right edge" step
    if (code == G::SB_THUMBTRACK)
        return;  // the thumb moves; the text follows on release
    const bool moved = code >= 0 && m_geometry.HScroll(code, bar->sliderPosition());
    bar->setSliderPosition(m_geometry.m_nLeftColumn);
    if (moved)
        viewport()->update();
}

void COutputView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    MeasureClient();
    SyncScrollBars();
    viewport()->update();
}

// Draws only the lines that meet the invalid rectangle, and the one above it.
void COutputView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.fillRect(area, Qt::white);
    painter.setPen(Qt::black);
    const G& g = m_geometry;
    const int h = g.m_nLineHeight;
    const int w = g.m_nCharWidth;
    const int first = std::max(g.m_nTopLine + area.top() / h - 1, 0);
    const int last = std::min(g.m_nTopLine + (area.top() + area.height()) / h, g.LineCount() - 1);
    const int visibleColumns = g.m_nWidth / w + 2;
    painter.setClipRect(QRect(w, area.top(), std::max(g.m_nWidth - w, 0), area.height()));
    for (int i = first; i <= last; ++i) {
        const char* line = m_pStore->GetLine(i);
        const int length = static_cast<int>(std::strlen(line));
        if (length <= g.m_nLeftColumn)
            continue;
        const int shown = std::min(length - g.m_nLeftColumn, visibleColumns);
        painter.drawText(w, (i - g.m_nTopLine) * h + m_nAscent, QString::fromUtf8(line + g.m_nLeftColumn, shown));
    }
    painter.setClipping(false);
    if (m_bHasCaret)
        painter.fillRect(g.m_nCaretX, g.m_nCaretY, kCaretWidth, h, Qt::black);
}

void COutputView::keyPressEvent(QKeyEvent* event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const auto result = m_geometry.KeyDown(KeyOf(event->key()), ctrl, shift);
    SyncScrollBars();
    viewport()->update();
    event->accept();
    if (result == COutputGeometry::KeyResult::Beep)
        Prompts().Beep(BEEP_SIMPLE);
    else if (result == COutputGeometry::KeyResult::GotoError)
        emit gotoErrorRequested();
}

void COutputView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    m_geometry.Click(at.x(), at.y());
    viewport()->update();
    event->accept();
}

void COutputView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    mousePressEvent(event);
    emit gotoErrorRequested();
}

void COutputView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    int lines = -delta * 3 / 120;
    if (lines == 0 && delta != 0)
        lines = delta > 0 ? -1 : 1;
    bool moved = false;
    for (int i = 0; i < std::abs(lines); ++i)
        moved = m_geometry.VScroll(lines < 0 ? G::SB_LINEUP : G::SB_LINEDOWN) || moved;
    if (moved)
        ViewMoved();
    event->accept();
}

void COutputView::focusInEvent(QFocusEvent* event)
{
    m_bHasCaret = true;
    viewport()->update();
    QAbstractScrollArea::focusInEvent(event);
}

void COutputView::focusOutEvent(QFocusEvent* event)
{
    m_bHasCaret = false;
    viewport()->update();
    QAbstractScrollArea::focusOutEvent(event);
}
