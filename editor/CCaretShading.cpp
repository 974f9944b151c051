#include "editor/CCaretShading.h"

#include <QPalette>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "platform/EditControl.h"

namespace {

QColor Mix(const QColor& a, const QColor& b, double share)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * share, a.greenF() + (b.greenF() - a.greenF()) * share,
                            a.blueF() + (b.blueF() - a.blueF()) * share);
}

QTextEdit::ExtraSelection Shade(QTextCursor cursor, const QColor& colour)
{
    QTextEdit::ExtraSelection selection;
    selection.cursor = cursor;
    selection.format.setBackground(colour);
    return selection;
}

QTextEdit::ExtraSelection ShadeCharacter(QTextDocument* document, int position, const QColor& colour)
{
    QTextCursor cursor(document);
    cursor.setPosition(position);
    cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
    return Shade(cursor, colour);
}

}  // namespace

CCaretShading::CCaretShading(CEditControl& edit, CBlockStates& states)
    : QObject(edit.Widget()), m_edit(edit), m_states(states)
{
    QPlainTextEdit* widget = edit.Widget();
    connect(widget, &QPlainTextEdit::cursorPositionChanged, this, &CCaretShading::Refresh);
    // Deleting after the caret changes what stands beside it without moving it.
    connect(widget->document(), &QTextDocument::contentsChanged, this, &CCaretShading::Refresh);
    Refresh();
}

QColor CCaretShading::LineColour(const QPalette& palette)
{
    return Mix(palette.color(QPalette::Base), palette.color(QPalette::Highlight), 0.10);
}

QColor CCaretShading::BraceColour(const QPalette& palette, bool matched)
{
    const QColor base = palette.color(QPalette::Base);
    return matched ? Mix(base, palette.color(QPalette::Highlight), 0.35) : Mix(base, QColor(230, 40, 30), 0.45);
}

// The brace just after the caret, else the one just before it.
BraceLookup CCaretShading::BraceAtCaret()
{
    const QTextCursor caret = m_edit.Widget()->textCursor();
    const QTextBlock block = caret.block();
    const int offset = caret.positionInBlock();
    BraceLookup after = FindBracePartner(m_states, block, offset, kSearchLimit);
    if (after.outcome != BraceLookup::NoBrace)
        return after;
    return FindBracePartner(m_states, block, offset - 1, kSearchLimit);
}

void CCaretShading::Refresh()
{
    QPlainTextEdit* widget = m_edit.Widget();
    const QPalette& palette = widget->palette();
    QList<QTextEdit::ExtraSelection> shades;
    QTextEdit::ExtraSelection line = Shade(widget->textCursor(), LineColour(palette));
    line.format.setProperty(QTextFormat::FullWidthSelection, true);
    line.cursor.clearSelection();
    shades.append(line);
    m_braces = BraceAtCaret();
    const bool shaded = m_braces.outcome == BraceLookup::Matched || m_braces.outcome == BraceLookup::Unmatched;
    if (shaded) {
        const QColor colour = BraceColour(palette, m_braces.outcome == BraceLookup::Matched);
        shades.append(ShadeCharacter(widget->document(), m_braces.brace, colour));
        if (m_braces.outcome == BraceLookup::Matched)
            shades.append(ShadeCharacter(widget->document(), m_braces.partner, colour));
    }
    widget->setExtraSelections(shades);
}
