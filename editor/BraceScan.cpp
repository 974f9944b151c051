#include "editor/BraceScan.h"

#include "editor/NuvLexer.h"

namespace {

class Scanner {
public:
    Scanner(QStringView text, QChar open, QChar close, BracePair* pairs, int* stack,
            const std::function<void(BraceIssue, int)>& report)
        : m_text(text), m_n(text.size()), m_open(open), m_close(close), m_pairs(pairs), m_stack(stack),
          m_report(report)
    {
    }

    qsizetype Run(bool skipComments)
    {
        if (!skipComments) {
            Braces(0, m_n);
            return m_count;
        }
        NuvLexer lexer(m_text, LexState::Code, true, true);
        LexToken token{TokenKind::Code, 0, 0};
        while (lexer.Next(&token)) {
            if (token.kind == TokenKind::Code)
                Braces(token.start, token.end);
            else if (token.kind == TokenKind::StrayCommentEnd)
                Report(BraceIssue::MisplacedCommentEnd, token.start);
        }
        if (lexer.State() == LexState::Comment)
            Report(BraceIssue::CommentToEnd, token.start);
        else if (lexer.State() == LexState::String)
            Report(BraceIssue::StringToEnd, token.start);
        return m_count;
    }

private:
    void Braces(qsizetype from, qsizetype to)
    {
        for (qsizetype i = from; i < to; ++i)
            Brace(i);
    }

    void Brace(qsizetype i)
    {
        const QChar c = m_text[i];
        if (c == m_open) {
            m_pairs[m_count] = {static_cast<int>(i), BracePair::kNone};
            m_stack[m_depth++] = static_cast<int>(m_count++);
        } else if (c == m_close && m_depth > 0) {
            m_pairs[m_stack[--m_depth]].close = static_cast<int>(i);
        }
    }

    void Report(BraceIssue issue, qsizetype at)
    {
        if (m_report)
            m_report(issue, LineOf(at));
    }

    // The 1-based line of `pos`, counted forward: issues come in text order, so
    // every line feed is passed once and a whole scan costs one pass.
    int LineOf(qsizetype pos)
    {
        for (; m_counted < pos; ++m_counted) {
            if (m_text[m_counted] == u'\n')
                ++m_line;
        }
        return m_line;
    }

    QStringView m_text;
    qsizetype m_n;
    QChar m_open;
    QChar m_close;
    BracePair* m_pairs;
    int* m_stack;
    const std::function<void(BraceIssue, int)>& m_report;
    qsizetype m_count = 0;
    qsizetype m_depth = 0;
    qsizetype m_counted = 0;
    int m_line = 1;
};

}  // namespace

qsizetype ScannedLength(QStringView text)
{
    const qsizetype zero = text.indexOf(QChar(0));
    return zero < 0 ? text.size() : zero;
}

qsizetype CountOpenBraces(QStringView text, QChar open)
{
    return text.first(ScannedLength(text)).count(open);
}

qsizetype ScanBraces(QStringView text, QChar open, QChar close, bool skipComments, BracePair* pairs, int* stack,
                     const std::function<void(BraceIssue, int)>& report)
{
    return Scanner(text.first(ScannedLength(text)), open, close, pairs, stack, report).Run(skipComments);
}
