#include "editor/CBlockStates.h"

#include <QTextDocument>
#include <algorithm>

CBlockStates::CBlockStates(QTextDocument* document) : QObject(document), m_document(document)
{
    connect(document, &QTextDocument::contentsChange, this,
            [this](int position, int, int) { OnContentsChange(position); });
}

void CBlockStates::OnContentsChange(int position)
{
    const QTextBlock block = m_document->findBlock(position);
    const int changed = block.isValid() ? block.blockNumber() : 0;
    m_valid = std::min(m_valid, changed);
}

NuvLexer CBlockStates::Lexer(const QTextBlock& block, const QString& text, LexState start,
                             const KeywordList* keywords)
{
    return NuvLexer(text, start, !block.previous().isValid(), !block.next().isValid(), keywords);
}

LexState CBlockStates::StartOf(const QTextBlock& block)
{
    const int wanted = block.blockNumber();
    if (wanted <= 0)
        return LexState::Code;
    QTextBlock line = m_document->findBlockByNumber(m_valid);
    LexState state = m_valid == 0 ? LexState::Code : static_cast<LexState>(line.previous().userState());
    for (; m_valid < wanted && line.isValid(); ++m_valid, line = line.next()) {
        const QString text = line.text();
        NuvLexer lexer = Lexer(line, text, state);
        LexToken token;
        while (lexer.Next(&token)) {
        }
        state = lexer.State();
        line.setUserState(static_cast<int>(state));
    }
    return static_cast<LexState>(block.previous().userState());
}
