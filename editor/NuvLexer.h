#pragma once
// The one lexer of model text: it decides what is comment and what is string
// for the syntax colours and for the brace matching that skips comments and
// quotations, so a brace drawn as comment is exactly a brace that matching skips.
//
// It reads a piece of an editor text: the whole text (line breaks as CR LF) or
// one line of it, with the state the text before the piece left. At each
// position outside comments and strings the rules are tried in this order:
//   a. "//" runs to the end of its line (the next CR, or the end of the piece);
//   b. "/*" runs past the first "*/" after it; none: to the end of the text;
//   c. a '"' that is neither the text's first nor its last character, nor after
//      a backslash, nor between two single quotes, runs past the first later
//      '"' that is after neither a single quote nor a backslash; none: to the
//      end of the text;
//   d. "*/" outside a comment is a stray comment end, and lexing goes on after it;
//   e. with a keyword list: a number (decimal, or 0x hexadecimal) or a word
//      of the list;
//   f. anything else is code.
// A zero character ends the text: everything from it on is code to no rule.
#include <QStringView>
#include <cstdint>

class KeywordList;

// Where a piece starts: in code, inside a comment or a string begun before it,
// or past the text's end (a zero character came before).
enum class LexState : std::uint8_t { Code, Comment, String, Ended };

enum class TokenKind : std::uint8_t { Code, Comment, String, Number, Keyword, StrayCommentEnd };

struct LexToken {
    TokenKind kind;
    qsizetype start;
    qsizetype end;  // one past the last character
};

class NuvLexer {
public:
    // `atTextStart` / `atTextEnd`: the piece begins / ends the whole text. A piece
    // that is not at an end is bounded by line breaks. Without `keywords`, words
    // and numbers are code (what brace matching needs, and faster).
    NuvLexer(QStringView piece, LexState state, bool atTextStart, bool atTextEnd,
             const KeywordList* keywords = nullptr);

    // The next token, in order and without gaps; false at the end of the piece.
    bool Next(LexToken* token);
    // The state the piece leaves for the text after it (once Next returned false).
    LexState State() const { return m_state; }

private:
    LexToken Until(TokenKind kind, qsizetype i, qsizetype end);
    LexToken Code(qsizetype i);
    qsizetype LineEnd(qsizetype i) const;
    qsizetype CommentEnd(qsizetype from) const;
    qsizetype StringEnd(qsizetype from) const;
    bool OpensString(qsizetype i) const;
    bool StartsRule(qsizetype i) const;
    qsizetype NextRuleCharacter(qsizetype j) const;
    qsizetype NumberEnd(qsizetype i) const;
    qsizetype WordEnd(qsizetype i) const;
    QChar At(qsizetype i) const;

    QStringView m_piece;
    QStringView m_text;  // the piece up to its first zero character
    qsizetype m_pos = 0;
    LexState m_state;
    bool m_atStart;
    bool m_atEnd;
    const KeywordList* m_keywords;
};
