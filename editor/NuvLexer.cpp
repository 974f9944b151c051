#include "editor/NuvLexer.h"

#include "editor/KeywordList.h"

namespace {

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsHexDigit(QChar c)
{
    return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool IsWordStart(QChar c)
{
    return c == u'_' || c.isLetter();
}

bool IsWordChar(QChar c)
{
    return c == u'_' || c.isLetterOrNumber();
}

}  // namespace

NuvLexer::NuvLexer(QStringView piece, LexState state, bool atTextStart, bool atTextEnd, const KeywordList* keywords)
    : m_piece(piece), m_text(piece), m_state(state), m_atStart(atTextStart), m_atEnd(atTextEnd),
      m_keywords(keywords)
{
    const qsizetype zero = piece.indexOf(QChar(0));
    if (zero >= 0)
        m_text = piece.first(zero);
}

// Outside the piece: nothing at the text's ends (a zero is one), else the line
// break that bounds it.
QChar NuvLexer::At(qsizetype i) const
{
    if (i < 0)
        return m_atStart ? QChar() : QChar(u'\n');
    if (i >= m_text.size())
        return m_atEnd || m_text.size() < m_piece.size() ? QChar() : QChar(u'\r');
    return m_text[i];
}

bool NuvLexer::Next(LexToken* token)
{
    const qsizetype i = m_pos;
    if (i >= m_piece.size())
        return false;
    const QChar c = i < m_text.size() ? m_text[i] : QChar();
    const QChar next = At(i + 1);
    if (m_state == LexState::Ended || i == m_text.size()) {
        m_state = LexState::Ended;
        *token = {TokenKind::Code, i, m_piece.size()};
    } else if (m_state != LexState::Code) {
        // A comment or string begun before the piece.
        *token = m_state == LexState::Comment ? Until(TokenKind::Comment, i, CommentEnd(i))
                                               : Until(TokenKind::String, i, StringEnd(i));
    } else if (c == u'/' && next == u'/') {
        *token = {TokenKind::Comment, i, LineEnd(i)};
    } else if (c == u'/' && next == u'*') {
        *token = Until(TokenKind::Comment, i, CommentEnd(i + 2));
    } else if (c == u'"' && OpensString(i)) {
        *token = Until(TokenKind::String, i, StringEnd(i + 1));
    } else if (c == u'*' && next == u'/') {
        *token = {TokenKind::StrayCommentEnd, i, i + 2};
    } else if (m_keywords && IsDigit(c) && !IsWordChar(At(i - 1)) && !IsWordChar(At(NumberEnd(i)))) {
        *token = {TokenKind::Number, i, NumberEnd(i)};
    } else if (m_keywords && IsWordStart(c) && m_keywords->Contains(m_text.sliced(i, WordEnd(i) - i))) {
        *token = {TokenKind::Keyword, i, WordEnd(i)};
    } else {
        *token = Code(i);
    }
    m_pos = token->end;
    return true;
}

// A comment or string from `i` to `end`; without an end (-1) it runs on past
// the piece, and so does the state.
LexToken NuvLexer::Until(TokenKind kind, qsizetype i, qsizetype end)
{
    if (end < 0) {
        m_state = kind == TokenKind::Comment ? LexState::Comment : LexState::String;
        return {kind, i, m_text.size()};
    }
    m_state = LexState::Code;
    return {kind, i, end};
}

// Code up to where a rule, a number or a keyword starts. A word is taken whole,
// so a digit inside it starts no number.
LexToken NuvLexer::Code(qsizetype i)
{
    qsizetype j = i;
    do {
        j = m_keywords && IsWordStart(m_text[j]) ? WordEnd(j) : m_keywords ? j + 1 : NextRuleCharacter(j + 1);
    } while (j < m_text.size() && !StartsRule(j));
    return {TokenKind::Code, i, j};
}

// Without words and numbers only '/', '*' and '"' can start anything.
qsizetype NuvLexer::NextRuleCharacter(qsizetype j) const
{
    const QChar* text = m_text.data();
    const qsizetype n = m_text.size();
    while (j < n && text[j] != u'/' && text[j] != u'*' && text[j] != u'"')
        ++j;
    return j;
}

bool NuvLexer::StartsRule(qsizetype i) const
{
    const QChar c = m_text[i];
    const QChar next = At(i + 1);
    if ((c == u'/' && (next == u'/' || next == u'*')) || (c == u'*' && next == u'/'))
        return true;
    if (c == u'"')
        return OpensString(i);
    if (!m_keywords)
        return false;
    if (IsDigit(c))
        return !IsWordChar(At(NumberEnd(i)));
    return IsWordStart(c) && m_keywords->Contains(m_text.sliced(i, WordEnd(i) - i));
}

// A quotation mark opens a string unless it is the text's first or last
// character, follows a backslash, or stands between two single quotes ('"').
bool NuvLexer::OpensString(qsizetype i) const
{
    const QChar before = At(i - 1);
    const QChar after = At(i + 1);
    if (before.isNull() || after.isNull())
        return false;
    return before != u'\\' && !(before == u'\'' && after == u'\'');
}

qsizetype NuvLexer::LineEnd(qsizetype i) const
{
    const qsizetype cr = m_text.indexOf(u'\r', i);
    return cr < 0 ? m_text.size() : cr;
}

// One past the first "*/" starting at or after `from`, or -1.
qsizetype NuvLexer::CommentEnd(qsizetype from) const
{
    const qsizetype star = m_text.indexOf(u"*/", from);
    return star < 0 ? -1 : star + 2;
}

// One past the first '"' at or after `from` that follows neither a single quote
// nor a backslash, or -1.
qsizetype NuvLexer::StringEnd(qsizetype from) const
{
    for (qsizetype j = m_text.indexOf(u'"', from); j >= 0; j = m_text.indexOf(u'"', j + 1)) {
        const QChar before = At(j - 1);
        if (before != u'\'' && before != u'\\')
            return j + 1;
    }
    return -1;
}

// Decimal digits with an optional fraction and exponent, or 0x and hex digits.
qsizetype NuvLexer::NumberEnd(qsizetype i) const
{
    const qsizetype n = m_text.size();
    auto digits = [&](qsizetype j, bool (*is)(QChar)) {
        while (j < n && is(m_text[j]))
            ++j;
        return j;
    };
    if (m_text[i] == u'0' && (At(i + 1) == u'x' || At(i + 1) == u'X') && IsHexDigit(At(i + 2)))
        return digits(i + 2, IsHexDigit);
    qsizetype j = digits(i, IsDigit);
    if (At(j) == u'.' && IsDigit(At(j + 1)))
        j = digits(j + 1, IsDigit);
    const QChar sign = At(j + 1);
    if ((At(j) == u'e' || At(j) == u'E') && (IsDigit(sign) || ((sign == u'+' || sign == u'-') && IsDigit(At(j + 2)))))
        j = digits(j + (IsDigit(sign) ? 1 : 2), IsDigit);
    return j;
}

qsizetype NuvLexer::WordEnd(qsizetype i) const
{
    qsizetype j = i + 1;
    while (j < m_text.size() && IsWordChar(m_text[j]))
        ++j;
    return j;
}
