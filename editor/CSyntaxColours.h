#pragma once
// Syntax colours of one editor window: comments, strings, numbers and keywords
// in hues of their own, taken from the application palette so that they read
// on light and dark themes alike.
//
// Only the lines about to be painted are coloured, each once until its text,
// its start state or the choice changes; so opening a large model colours one
// screen and a keystroke one line, and the document's text is never touched
// (no undo step, no change notification).
#include <QColor>
#include <QPalette>
#include <QTextCharFormat>

#include "editor/NuvLexer.h"

class CBlockStates;
class CEditControl;
class KeywordList;
class QTextBlock;

class CSyntaxColours {
public:
    CSyntaxColours(CEditControl& edit, CBlockStates& states, const KeywordList& keywords);

    void SetOn(bool on);
    bool IsOn() const { return m_on; }
    // Colours the lines shown now; the edit control calls it before each paint
    // of the part `painting` of its viewport.
    void ColourVisibleLines(const QRect& painting);

    // The colour of each kind on a theme whose text background is `base`.
    static QColor KindColour(TokenKind kind, const QColor& base);

private:
    bool Colour(QTextBlock& block, LexState start);
    void Relayout(const QTextBlock& block, const QRect& painting);
    QTextCharFormat FormatOf(TokenKind kind) const;

    CEditControl& m_edit;
    CBlockStates& m_states;
    const KeywordList& m_keywords;
    bool m_on = true;
    int m_generation = 1;  // changes whenever every line must be coloured anew
    QColor m_base;
};
