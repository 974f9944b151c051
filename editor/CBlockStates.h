#pragma once
// The lexer's state at the start of every line of a document, for the colours
// and the brace shading, which look at a few lines and must know whether they
// begin inside a comment or a string.
//
// Each line's end state is kept in its block's user state. They are correct for
// a prefix of the document, which an edit shortens to the line it touched and
// a question lengthens as far as it needs: a keystroke costs the lines between
// the edit and what is shown, and a jump to the end of a large model one pass.
#include <QObject>
#include <QPointer>
#include <QTextBlock>

#include "editor/NuvLexer.h"

class QTextDocument;

class CBlockStates : public QObject {
public:
    explicit CBlockStates(QTextDocument* document);

    // The state the lines before `block` leave.
    LexState StartOf(const QTextBlock& block);
    // A line lexed from its start state, with the text's ends where they are.
    static NuvLexer Lexer(const QTextBlock& block, const QString& text, LexState start,
                          const KeywordList* keywords = nullptr);

private:
    void OnContentsChange(int position);

    QPointer<QTextDocument> m_document;
    int m_valid = 0;  // lines whose end state is known, from the first
};
