#include "platform/EditControl.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "platform/LineBreaks.h"
#include "platform/NoWrapResizeFilter.h"

namespace {

// setViewportMargins and the geometry of the visible blocks are protected. Left
// of the viewport lie the gutter (a child widget) and then the margin, the
// formatting rectangle's left edge.
class EditWidget : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

    void SetMargins(int gutter, int margin)
    {
        m_gutterWidth = gutter;
        setViewportMargins(gutter + margin, 0, 0, 0);
        PlaceGutter();
    }
    void SetGutter(QWidget* gutter)
    {
        m_gutter = gutter;
        PlaceGutter();
    }
    void SetBeforePaint(std::function<void(const QRect&)> hook) { m_beforePaint = std::move(hook); }
    QTextBlock FirstVisible() const { return firstVisibleBlock(); }
    QRectF Geometry(const QTextBlock& block) const
    {
        return blockBoundingGeometry(block).translated(contentOffset());
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (m_beforePaint)
            m_beforePaint(event->rect());
        QPlainTextEdit::paintEvent(event);
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QPlainTextEdit::resizeEvent(event);
        PlaceGutter();
    }

private:
    void PlaceGutter()
    {
        if (!m_gutter)
            return;
        const QRect area = contentsRect();
        m_gutter->setGeometry(area.left(), area.top(), m_gutterWidth, area.height());
        m_gutter->setVisible(m_gutterWidth > 0);
    }

    QPointer<QWidget> m_gutter;
    int m_gutterWidth = 0;
    std::function<void(const QRect&)> m_beforePaint;
};

EditWidget* Edit(const QPointer<QPlainTextEdit>& widget)
{
    return static_cast<EditWidget*>(widget.data());
}

QString WithCrLf(QString text)
{
    text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    return text;
}

}  // namespace

CEditControl::CEditControl(QWidget* parent) : m_widget(new EditWidget(parent))
{
    m_widget->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_widget->setFrameStyle(QFrame::NoFrame);
    m_widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_widget->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_widget->document()->setDocumentMargin(0);
    new NoWrapResizeFilter(m_widget);  // owned by the widget
    // The margin strip left of the viewport belongs to the frame; paint it as the text's background.
    QPalette palette = m_widget->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    m_widget->setPalette(palette);
    m_widget->setAutoFillBackground(true);
    QObject::connect(m_widget, &QPlainTextEdit::textChanged, m_widget, [this] {
        if (!m_settingText && m_onChange)
            m_onChange();
    });
}

CEditControl::~CEditControl()
{
    delete m_widget.data();
}

int CEditControl::FromDocument(int documentPos) const
{
    const QTextBlock block = m_widget->document()->findBlock(documentPos);
    return documentPos + std::max(0, block.blockNumber());
}

int CEditControl::ToDocument(int pos) const
{
    const QTextDocument* doc = m_widget->document();
    pos = std::clamp(pos, 0, GetTextLength());
    // Line k starts at block(k).position() + k; find the last line starting at or before pos.
    int low = 0;
    int high = doc->blockCount() - 1;
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= pos)
            low = mid;
        else
            high = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(low);
    const int offset = std::min(pos - (block.position() + low), block.length() - 1);
    return block.position() + offset;
}

void CEditControl::GetSel(int* start, int* end) const
{
    const QTextCursor cursor = m_widget->textCursor();
    *start = FromDocument(cursor.selectionStart());
    *end = FromDocument(cursor.selectionEnd());
}

int CEditControl::GetCaret() const
{
    return FromDocument(m_widget->textCursor().position());
}

void CEditControl::SetSel(int start, int end)
{
    QTextCursor cursor = m_widget->textCursor();
    if (start == -1) {
        cursor.clearSelection();
    } else {
        if (end == -1)
            end = GetTextLength();
        cursor.setPosition(ToDocument(start));
        cursor.setPosition(ToDocument(end), QTextCursor::KeepAnchor);
    }
    m_widget->setTextCursor(cursor);
}

int CEditControl::LineIndex(int line) const
{
    const QTextDocument* doc = m_widget->document();
    if (line == -1)
        line = m_widget->textCursor().blockNumber();
    if (line < 0 || line >= doc->blockCount())
        return -1;
    return doc->findBlockByNumber(line).position() + line;
}

int CEditControl::LineFromChar(int pos) const
{
    if (pos == -1)
        return m_widget->document()->findBlock(m_widget->textCursor().selectionStart()).blockNumber();
    return m_widget->document()->findBlock(ToDocument(pos)).blockNumber();
}

int CEditControl::LineLength(int pos) const
{
    const QTextDocument* doc = m_widget->document();
    if (pos == -1) {
        const QTextCursor cursor = m_widget->textCursor();
        const QTextBlock first = doc->findBlock(cursor.selectionStart());
        const QTextBlock last = doc->findBlock(cursor.selectionEnd());
        const int before = cursor.selectionStart() - first.position();
        const int after = last.position() + last.length() - 1 - cursor.selectionEnd();
        return before + after;
    }
    if (pos < 0 || pos > GetTextLength())
        return 0;
    return doc->findBlock(ToDocument(pos)).length() - 1;
}

int CEditControl::GetLineCount() const
{
    return m_widget->document()->blockCount();
}

int CEditControl::GetTextLength() const
{
    const QTextDocument* doc = m_widget->document();
    return doc->characterCount() - 1 + doc->blockCount() - 1;
}

QString CEditControl::GetText() const
{
    return CrLfText(GetRawText());
}

QString CEditControl::GetRawText() const
{
    return m_widget->document()->toRawText();
}

QString CEditControl::CrLfText(const QString& raw)
{
    return ExpandToCrLf(raw, QChar::ParagraphSeparator);
}

bool CEditControl::HoldsText(QStringView text) const
{
    const QTextDocument* doc = m_widget->document();
    qsizetype at = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block != doc->begin()) {
            if (!text.sliced(at).startsWith(u"\r\n"))
                return false;
            at += 2;
        }
        const QString line = block.text();
        if (text.size() - at < line.size() || text.sliced(at, line.size()) != line)
            return false;
        at += line.size();
    }
    return at == text.size();
}

QString CEditControl::GetSelectedText() const
{
    return WithCrLf(m_widget->textCursor().selectedText());
}

QString CEditControl::GetLine(int line) const
{
    const QTextBlock block = m_widget->document()->findBlockByNumber(line);
    return block.isValid() ? block.text() : QString();
}

void CEditControl::SetText(const QString& text)
{
    m_settingText = true;
    m_widget->setPlainText(text);
    m_settingText = false;
}

void CEditControl::ReplaceSel(const QString& text)
{
    m_widget->insertPlainText(text);
}

void CEditControl::Undo()
{
    m_widget->undo();
}

bool CEditControl::CanUndo() const
{
    return m_widget->document()->isUndoAvailable();
}

// An edit block belongs to the document, whichever cursor opens or closes it;
// opened at the caret, Undo puts the caret back there.
void CEditControl::BeginUndoGroup()
{
    m_widget->textCursor().beginEditBlock();
}

void CEditControl::EndUndoGroup()
{
    m_widget->textCursor().endEditBlock();
}

void CEditControl::Cut()
{
    m_widget->cut();
}

void CEditControl::Copy()
{
    m_widget->copy();
}

void CEditControl::Paste()
{
    m_widget->paste();
}

void CEditControl::Clear()
{
    QTextCursor cursor = m_widget->textCursor();
    cursor.removeSelectedText();
    m_widget->setTextCursor(cursor);
}

bool CEditControl::GetModify() const
{
    return m_widget->document()->isModified();
}

void CEditControl::SetModify(bool modified)
{
    m_widget->document()->setModified(modified);
}

void CEditControl::ScrollCaret()
{
    m_widget->ensureCursorVisible();
}

void CEditControl::SetLeftMargin(int pixels)
{
    m_leftMargin = pixels;
    Edit(m_widget)->SetMargins(m_gutterWidth, m_leftMargin);
}

void CEditControl::SetGutter(QWidget* gutter)
{
    Edit(m_widget)->SetGutter(gutter);
}

void CEditControl::SetGutterWidth(int pixels)
{
    if (pixels == m_gutterWidth)
        return;
    m_gutterWidth = pixels;
    Edit(m_widget)->SetMargins(m_gutterWidth, m_leftMargin);
}

void CEditControl::SetBeforePaint(std::function<void(const QRect&)> hook)
{
    Edit(m_widget)->SetBeforePaint(std::move(hook));
}

QTextBlock CEditControl::FirstVisibleBlock() const
{
    return Edit(m_widget)->FirstVisible();
}

QRectF CEditControl::BlockGeometry(const QTextBlock& block) const
{
    return Edit(m_widget)->Geometry(block);
}

int CEditControl::LeftMargin() const
{
    return m_leftMargin;
}

void CEditControl::SetFont(const QFont& font)
{
    m_settingText = true;
    m_widget->setFont(font);
    m_settingText = false;
}

void CEditControl::SetTabStops(int pixels)
{
    m_widget->setTabStopDistance(pixels);
}

void CEditControl::FmtLines(bool) {}
