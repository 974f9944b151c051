#include "editor/CSyntaxColours.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QAbstractTextDocumentLayout>
#include <QSignalBlocker>
#include <QTextLayout>

#include "editor/CBlockStates.h"
#include "platform/EditControl.h"

namespace {

// What a line was last coloured for: its text, its start state and the choice.
class ColourStamp : public QTextBlockUserData {
public:
    ColourStamp(int revision, LexState start, int generation)
        : m_revision(revision), m_start(start), m_generation(generation)
    {
    }
    bool Matches(int revision, LexState start, int generation) const
    {
        return m_revision == revision && m_start == start && m_generation == generation;
    }
    void Set(int revision, LexState start, int generation)
    {
        m_revision = revision;
        m_start = start;
        m_generation = generation;
    }

private:
    int m_revision;
    LexState m_start;
    int m_generation;
};

}  // namespace

CSyntaxColours::CSyntaxColours(CEditControl& edit, CBlockStates& states, const KeywordList& keywords)
    : m_edit(edit), m_states(states), m_keywords(keywords)
{
}

void CSyntaxColours::SetOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    ++m_generation;
    m_edit.Widget()->viewport()->update();
}

// Clear hues at a lightness that stands out from the background: darker ones on
// a light background, lighter ones on a dark one. None is grey.
QColor CSyntaxColours::KindColour(TokenKind kind, const QColor& base)
{
    const bool dark = base.lightnessF() < 0.5;
    switch (kind) {
    case TokenKind::Comment: return QColor::fromHslF(120 / 360.0, 0.75, dark ? 0.62 : 0.30);
    case TokenKind::String: return QColor::fromHslF(12 / 360.0, 0.80, dark ? 0.68 : 0.40);
    case TokenKind::Number: return QColor::fromHslF(285 / 360.0, 0.70, dark ? 0.75 : 0.42);
    case TokenKind::Keyword: return QColor::fromHslF(215 / 360.0, 0.90, dark ? 0.70 : 0.40);
    default: return {};
    }
}

QTextCharFormat CSyntaxColours::FormatOf(TokenKind kind) const
{
    QTextCharFormat format;
    format.setForeground(KindColour(kind, m_base));
    return format;
}

void CSyntaxColours::ColourVisibleLines(const QRect& painting)
{
    QPlainTextEdit* widget = m_edit.Widget();
    const QColor base = widget->palette().color(QPalette::Base);
    if (base != m_base) {
        m_base = base;
        ++m_generation;
    }
    const int bottom = widget->viewport()->height();
    for (QTextBlock block = m_edit.FirstVisibleBlock(); block.isValid(); block = block.next()) {
        if (m_edit.BlockGeometry(block).top() > bottom)
            break;
        if (Colour(block, m_states.StartOf(block)))
            Relayout(block, painting);
    }
}

// The document's layout would take a line's new formats for a change of more
// than that line and repaint the whole view; colours move nothing, so it is
// told quietly and only the line is painted again, when this paint misses it.
void CSyntaxColours::Relayout(const QTextBlock& block, const QRect& painting)
{
    QPlainTextEdit* widget = m_edit.Widget();
    QTextDocument* document = widget->document();
    {
        const QSignalBlocker quiet(document->documentLayout());
        document->markContentsDirty(block.position(), block.length());
    }
    const QRectF geometry = m_edit.BlockGeometry(block);
    const QRect line(0, static_cast<int>(geometry.top()), widget->viewport()->width(),
                     static_cast<int>(geometry.height()) + 1);
    if (!painting.contains(line))
        widget->viewport()->update(line);
}

// Whether the line's formats changed.
bool CSyntaxColours::Colour(QTextBlock& block, LexState start)
{
    auto* stamp = static_cast<ColourStamp*>(block.userData());
    if (stamp && stamp->Matches(block.revision(), start, m_generation))
        return false;
    QList<QTextLayout::FormatRange> ranges;
    if (m_on) {
        const QString text = block.text();
        NuvLexer lexer = CBlockStates::Lexer(block, text, start, &m_keywords);
        LexToken token;
        while (lexer.Next(&token)) {
            if (token.kind != TokenKind::Code && token.kind != TokenKind::StrayCommentEnd)
                ranges.append({static_cast<int>(token.start), static_cast<int>(token.end - token.start),
                                FormatOf(token.kind)});
        }
    }
    if (stamp)
        stamp->Set(block.revision(), start, m_generation);
    else
        block.setUserData(new ColourStamp(block.revision(), start, m_generation));
    if (ranges.isEmpty() && block.layout()->formats().isEmpty())
        return false;
    block.layout()->setFormats(ranges);
    return true;
}
