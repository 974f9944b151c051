#include "output/COutputView.h"

#include <QGlyphRun>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "output/COutputLineText.h"
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
// While the mouse is held above, below or beside the text, the view scrolls
// one step this often, as editors do.
constexpr int kDragScrollMs = 50;

bool MovesCaret(Key key)
{
    switch (key) {
    case Key::PageUp:
    case Key::PageDown:
    case Key::Home:
    case Key::End:
    case Key::Left:
    case Key::Right:
    case Key::Up:
    case Key::Down: return true;
    default: return false;
    }
}

// The stock fixed-pitch font at normal weight.
QFont DisplayFont()
{
    QFont font = SystemFixedFont();
    font.setWeight(QFont::Normal);
    font.setFixedPitch(true);
    return font;
}

}  // namespace

COutputView::COutputView(const COutputStore* store, QWidget* parent)
    : QAbstractScrollArea(parent), m_pStore(store), m_geometry(store), m_metrics(DisplayFont())
{
    const QFont font = DisplayFont();
    setFont(font);
    viewport()->setFont(font);
    const QFontMetrics metrics(font);
    // W is the advance rounded to whole pixels: the cells, not the font, place
    // the glyphs, so the caret never drifts from them.
    m_geometry.SetMetrics(std::max(qRound(m_metrics.horizontalAdvance(QLatin1Char('M'))), 1),
                          metrics.height() + std::max(metrics.leading(), 0));
    m_nAscent = metrics.ascent();
    m_geometry.Reset();
    m_rawFont = QRawFont::fromFont(font);
    for (char32_t c = 0; c < m_asciiGlyphs.size(); ++c)
        m_asciiGlyphs[c] = c > ' ' && c < 0x7F ? GlyphOf(c) : 0;

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
    connect(horizontalScrollBar(), &QAbstractSlider::sliderReleased, this, [this] {
        if (m_bSyncing)
            return;
        ApplyPendingEnd();
        if (m_geometry.HScroll(G::SB_THUMBPOSITION, horizontalScrollBar()->sliderPosition()))
            ViewMoved();
        else
            SyncScrollBars();
    });

    m_dragTimer.setInterval(kDragScrollMs);
    connect(&m_dragTimer, &QTimer::timeout, this, &COutputView::DragStep);
    m_repaintTimer.setSingleShot(true);
    connect(&m_repaintTimer, &QTimer::timeout, this, &COutputView::PaintPending);
    MeasureClient();
    SyncScrollBars();
}

QSize COutputView::sizeHint() const
{
    return {m_geometry.m_nCharWidth * 82, m_geometry.m_nLineHeight * 20};
}

COutputGeometry& COutputView::Geometry()
{
    ApplyPendingEnd();
    return m_geometry;
}

// Following puts the caret after the last line; a selection (there is none
// while the view follows) would begin there.
void COutputView::ApplyPendingEnd()
{
    if (!m_bEndPending)
        return;
    m_bEndPending = false;
    m_geometry.ScrollToEnd();
    m_selection.Start(CaretPoint());
}

void COutputView::MeasureClient()
{
    ApplyPendingEnd();
    m_geometry.Resized(viewport()->width(), viewport()->height());
}

void COutputView::ResetView()
{
    m_geometry.Reset();
    m_bEndPending = false;
    m_selection.Clear();
    m_bHasSelection = false;
    m_bSelecting = false;
    m_dragTimer.stop();
    SyncScrollBars();
    if (isVisible())
        viewport()->repaint();
}

void COutputView::TextChanged()
{
    RequestRepaint();
}

// A repaint is pending exactly while the timer runs (PaintPending stops it):
// further requests only count, and read the clock now and then.
void COutputView::RequestRepaintSoon()
{
    m_nUnclockedRequests = 0;
    m_bPending = true;
    const qint64 since = m_sinceRepaint.isValid() ? m_sinceRepaint.elapsed() : m_nIntervalMs;
    if (since >= m_nIntervalMs)
        PaintPending();
    else if (!m_repaintTimer.isActive())
        m_repaintTimer.start(static_cast<int>(m_nIntervalMs - since));
}

void COutputView::PaintPending()
{
    if (!m_bPending)
        return;
    m_bPending = false;
    m_repaintTimer.stop();
    QElapsedTimer painting;
    painting.start();
    SyncScrollBars();
    if (isVisible())
        viewport()->repaint();
    // A repaint that took long (a large window, a busy display) spaces the
    // next ones out, so that following a flood of output never spends more
    // than about 1/kPaintShare of the time painting.
    m_nIntervalMs = std::clamp<qint64>(painting.nsecsElapsed() * kPaintShare / 1'000'000, kRepaintIntervalMs,
                                       kMaxRepaintIntervalMs);
    m_sinceRepaint.restart();
}

// Showing or hiding a bar resizes the client area, which can change whether
// the other bar is needed; a few rounds settle it.
void COutputView::SyncScrollBars()
{
    if (m_bSyncing)
        return;
    ApplyPendingEnd();
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
    ApplyPendingEnd();
    QScrollBar* bar = verticalScrollBar();
    const int code = CodeOf(action, bar->isSliderDown());
    const bool moved = code >= 0 && m_geometry.VScroll(code, bar->sliderPosition());
    bar->setSliderPosition(m_geometry.m_nTopLine);
    if (moved)
        viewport()->update();
}

void COutputView::OnHorizontalAction(int action)
{
    if (m_bSyncing)
        return;
    ApplyPendingEnd();
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
    ApplyPendingEnd();
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.fillRect(area, Qt::white);
    const G& g = m_geometry;
    const int h = g.m_nLineHeight;
    const int w = g.m_nCharWidth;
    const int first = std::max(g.m_nTopLine + area.top() / h - 1, 0);
    const int last = std::min(g.m_nTopLine + (area.top() + area.height()) / h, g.LineCount() - 1);
    const QRect textArea(w, area.top(), std::max(g.m_nWidth - w, 0), area.height());
    for (int i = first; i <= last; ++i)
        DrawLine(painter, i, textArea);
    painter.setClipping(false);
    if (m_bHasCaret)
        painter.fillRect(g.m_nCaretX, g.m_nCaretY, kCaretWidth, h, Qt::black);
}

// One line in its row: the selected part on the highlight with the
// highlighted text's colour (a selected line break as one cell after the
// line), the rest black on white.
void COutputView::DrawLine(QPainter& painter, int line, const QRect& textArea)
{
    const G& g = m_geometry;
    const int w = g.m_nCharWidth;
    const int y = (line - g.m_nTopLine) * g.m_nLineHeight;
    const COutputLineText text = m_pStore->LineText(line);
    int from = 0, to = 0;
    bool lineBreak = false;
    QRect selected;
    if (m_bHasSelection && m_selection.PartOfLine(line, text.Length(), &from, &to, &lineBreak)) {
        const long long left = static_cast<long long>(w) * (1 + from - g.m_nLeftColumn);
        const long long right = static_cast<long long>(w) * (1 + to - g.m_nLeftColumn + (lineBreak ? 1 : 0));
        const auto x = [&textArea](long long v) {
            return static_cast<int>(std::clamp<long long>(v, textArea.left(), textArea.right() + 1));
        };
        selected = QRect(QPoint(x(left), y), QPoint(x(right) - 1, y + g.m_nLineHeight - 1));
        painter.setClipRect(textArea);
        painter.fillRect(selected, palette().color(QPalette::Highlight));
    }
    if (text.Length() <= g.m_nLeftColumn)
        return;
    text.Characters(g.m_nLeftColumn, g.m_nWidth / w + 2, m_characters);
    const int baseline = y + m_nAscent;
    painter.setClipRect(textArea);
    painter.setPen(Qt::black);
    DrawCharacters(painter, baseline);
    if (from < to && !selected.isEmpty()) {
        painter.setClipRect(selected.intersected(textArea));
        painter.setPen(palette().color(QPalette::HighlightedText));
        DrawCharacters(painter, baseline);
    }
}

// m_characters, each in its cell from the first text column on: the glyphs
// the font has in one run, the others one by one.
void COutputView::DrawCharacters(QPainter& painter, int baseline)
{
    const int w = m_geometry.m_nCharWidth;
    m_runGlyphs.clear();
    m_runPositions.clear();
    for (std::size_t c = 0; c < m_characters.size(); ++c) {
        const char32_t character = m_characters[c];
        if (character == U' ')
            continue;
        const int x = w * (1 + static_cast<int>(c));
        const quint32 glyph = character < m_asciiGlyphs.size() ? m_asciiGlyphs[character] : GlyphOf(character);
        if (glyph != 0) {
            m_runGlyphs.append(glyph);
            m_runPositions.append(QPointF(x, 0));
        } else {
            DrawFallback(painter, x, baseline, character);
        }
    }
    if (m_runGlyphs.isEmpty())
        return;
    QGlyphRun run;
    run.setRawFont(m_rawFont);
    run.setGlyphIndexes(m_runGlyphs);
    run.setPositions(m_runPositions);
    painter.drawGlyphRun(QPointF(0, baseline), run);
}

quint32 COutputView::GlyphOf(char32_t character)
{
    const auto known = m_glyphs.constFind(character);
    if (known != m_glyphs.constEnd())
        return *known;
    const QString text = QString::fromUcs4(&character, 1);
    quint32 glyph = 0;
    int count = 1;
    const bool found = m_rawFont.isValid() &&
                       m_rawFont.glyphIndexesForChars(text.constData(), static_cast<int>(text.size()), &glyph, &count);
    if (!found || count != 1)
        glyph = 0;
    m_glyphs.insert(character, glyph);
    return glyph;
}

// A character the display font lacks, drawn with the font's fallbacks and
// squeezed to the cell's width when it is wider, so that it takes one column.
void COutputView::DrawFallback(QPainter& painter, int x, int baseline, char32_t character)
{
    const QString text = QString::fromUcs4(&character, 1);
    const qreal width = m_metrics.horizontalAdvance(text);
    const int w = m_geometry.m_nCharWidth;
    if (width <= w) {
        painter.drawText(QPointF(x, baseline), text);
        return;
    }
    painter.save();
    painter.translate(x, baseline);
    painter.scale(w / width, 1.0);
    painter.drawText(QPointF(0, 0), text);
    painter.restore();
}

void COutputView::keyPressEvent(QKeyEvent* event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    ApplyPendingEnd();
    const Key key = KeyOf(event->key());
    const auto result = m_geometry.KeyDown(key, ctrl, shift);
    // Shift extends the selection from its anchor; any other move of the
    // caret drops it and anchors where the caret lands.
    if (MovesCaret(key)) {
        if (shift)
            m_selection.ExtendTo(CaretPoint());
        else
            m_selection.Start(CaretPoint());
        SelectionChanged();
    }
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
    // The press is on what was painted last; a follow not yet painted is
    // dropped, since the press holds the view from now on.
    m_bEndPending = false;
    m_geometry.Click(at.x(), at.y());
    // Shift+click extends the selection as Shift with a key does.
    if (event->modifiers() & Qt::ShiftModifier)
        m_selection.ExtendTo(CaretPoint());
    else
        m_selection.Start(CaretPoint());
    m_bSelecting = true;
    m_dragPoint = at;
    SelectionChanged();
    viewport()->update();
    event->accept();
}

void COutputView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_bSelecting || !(event->buttons() & Qt::LeftButton)) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    m_dragPoint = event->position().toPoint();
    DragStep();
    event->accept();
}

// The caret and the selection's end to the mouse; held outside the text, the
// view first scrolls a step towards it, and again at every tick of the timer.
void COutputView::DragStep()
{
    if (m_dragTimer.isActive())
        CheckDragHeld();
    if (!m_bSelecting)
        return;
    ApplyPendingEnd();
    const G& g = m_geometry;
    const QPoint at = m_dragPoint;
    bool scrolled = false;
    if (at.y() < 0)
        scrolled = m_geometry.VScroll(G::SB_LINEUP);
    else if (at.y() >= g.m_nHeight)
        scrolled = m_geometry.VScroll(G::SB_LINEDOWN);
    if (at.x() < g.m_nCharWidth && g.m_nLeftColumn > 0)
        scrolled = m_geometry.HScroll(G::SB_LINELEFT) || scrolled;
    else if (at.x() >= g.m_nWidth && !g.HorizontalFits())
        scrolled = m_geometry.HScroll(G::SB_LINERIGHT) || scrolled;
    m_geometry.DragTo(at.x(), at.y());
    m_selection.ExtendTo(CaretPoint());
    SelectionChanged();
    const bool outside = !QRect(QPoint(0, 0), viewport()->size()).contains(at);
    if (outside && !m_dragTimer.isActive())
        m_dragTimer.start();
    else if (!outside)
        m_dragTimer.stop();
    if (scrolled)
        SyncScrollBars();
    viewport()->update();
}

// A drag ends with its release; should that never reach the view (a window
// that came up meanwhile took it), the button no longer held ends it too, so
// that the view does not stay held.
void COutputView::CheckDragHeld()
{
    if (QGuiApplication::mouseButtons() & Qt::LeftButton)
        return;
    m_bSelecting = false;
    m_dragTimer.stop();
}

void COutputView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_bSelecting = false;
        m_dragTimer.stop();
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

// The word under the pointer is selected and the caret put after it; the
// window decides whether the line names an error to go to.
void COutputView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    mousePressEvent(event);
    m_bSelecting = false;
    const COutputSelection::Point at = CaretPoint();
    int from = 0, to = 0;
    COutputSelection::WordAt(*m_pStore, at.line, at.column, &from, &to);
    m_selection.Set({at.line, from}, {at.line, to});
    m_geometry.PutCaretAt(at.line, to);
    SelectionChanged();
    SyncScrollBars();
    viewport()->update();
    emit doubleClicked();
}

// Scrolling leaves the caret where it stands in the window, which may be
// below the text: there it stands for the text's end.
COutputSelection::Point COutputView::CaretPoint() const
{
    const int lines = m_geometry.LineCount();
    const int line = m_geometry.CaretLineIndex();
    if (line >= lines)
        return {lines, 0};
    return {line, m_geometry.CaretColumnIndex()};
}

void COutputView::SelectionChanged()
{
    const bool had = m_bHasSelection;
    m_bHasSelection = !m_selection.Empty(*m_pStore);
    if (had || m_bHasSelection)
        viewport()->update();
}

void COutputView::ClearSelection()
{
    m_selection.Start(CaretPoint());
    SelectionChanged();
}

void COutputView::SelectAll()
{
    ApplyPendingEnd();
    const int lines = m_geometry.LineCount();
    m_selection.Set({0, 0}, {lines, 0});
    m_geometry.PutCaretAt(lines, 0);
    SelectionChanged();
    SyncScrollBars();
    viewport()->update();
}

void COutputView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    int lines = -delta * 3 / 120;
    if (lines == 0 && delta != 0)
        lines = delta > 0 ? -1 : 1;
    bool moved = false;
    ApplyPendingEnd();
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
    // A dialog that takes the focus in the middle of a drag takes the release
    // with it: the drag ends here.
    m_bSelecting = false;
    m_dragTimer.stop();
    m_bHasCaret = false;
    viewport()->update();
    QAbstractScrollArea::focusOutEvent(event);
}
