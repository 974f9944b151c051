#include "editor/CLineNumberGutter.h"

#include <QPainter>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "platform/EditControl.h"

namespace {

int DigitsOf(int number)
{
    int digits = 1;
    for (; number >= 10; number /= 10)
        ++digits;
    return digits;
}

}  // namespace

CLineNumberGutter::CLineNumberGutter(CEditControl& edit) : QWidget(edit.Widget()), m_edit(edit)
{
    QPlainTextEdit* widget = edit.Widget();
    connect(widget, &QPlainTextEdit::blockCountChanged, this, [this] { Refresh(); });
    connect(widget, &QPlainTextEdit::updateRequest, this, &CLineNumberGutter::OnUpdateRequest);
    // The caret's line number is drawn stronger: the gutter is painted again
    // when the caret goes to another line, not at every key.
    connect(widget, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        const int line = m_edit.Widget()->textCursor().blockNumber();
        if (line != m_caretLine) {
            m_caretLine = line;
            update();
        }
    });
    edit.SetGutter(this);
    Refresh();
}

void CLineNumberGutter::SetOn(bool on)
{
    m_on = on;
    Refresh();
}

int CLineNumberGutter::WantedWidth() const
{
    if (!m_on)
        return 0;
    const QFontMetrics metrics(m_edit.Widget()->font());
    const int digits = DigitsOf(m_edit.Widget()->blockCount());
    return metrics.horizontalAdvance(QLatin1Char('9')) * (digits + 1) + metrics.averageCharWidth();
}

void CLineNumberGutter::Refresh()
{
    setFont(m_edit.Widget()->font());
    m_edit.SetGutterWidth(WantedWidth());
    update();
}

void CLineNumberGutter::OnUpdateRequest(const QRect& rect, int dy)
{
    if (dy != 0)
        scroll(0, dy);
    else
        update(0, rect.y(), width(), rect.height());
}

// Numbers right-aligned, a digit's width short of the text's margin; the
// caret's line in the text colour, the others in the placeholder colour.
void CLineNumberGutter::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QPalette& palette = m_edit.Widget()->palette();
    painter.fillRect(event->rect(), palette.color(QPalette::AlternateBase));
    const int caretLine = m_edit.Widget()->textCursor().blockNumber();
    const int digitWidth = fontMetrics().horizontalAdvance(QLatin1Char('9'));
    const int top = m_edit.Widget()->viewport()->geometry().top() - geometry().top();
    for (QTextBlock block = m_edit.FirstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF line = m_edit.BlockGeometry(block).translated(0, top);
        if (line.top() > event->rect().bottom())
            break;
        if (!block.isVisible() || line.bottom() < event->rect().top())
            continue;
        const bool current = block.blockNumber() == caretLine;
        painter.setPen(palette.color(current ? QPalette::Text : QPalette::PlaceholderText));
        painter.drawText(QRectF(0, line.top(), width() - digitWidth, fontMetrics().height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(block.blockNumber() + 1));
    }
}
