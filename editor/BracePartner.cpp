#include "editor/BracePartner.h"

#include <vector>

#include "editor/CBlockStates.h"
#include "editor/CMatchBrace.h"

namespace {

QChar ClosingOf(QChar open)
{
    return open == u'(' ? u')' : open == u'[' ? u']' : u'}';
}

// The braces of kind `open` in the code of one line, in text order (as
// +1 opening, -1 closing, with their offsets), and the state it leaves.
struct LineBraces {
    std::vector<std::pair<int, int>> braces;
    LexState end = LexState::Code;
    bool atInCode = false;  // whether offset `at` lies in code
};

LineBraces BracesOf(const QTextBlock& block, LexState start, QChar open, int at = -1)
{
    LineBraces line;
    const QString text = block.text();
    const QChar close = ClosingOf(open);
    NuvLexer lexer = CBlockStates::Lexer(block, text, start);
    LexToken token;
    while (lexer.Next(&token)) {
        if (token.kind != TokenKind::Code)
            continue;
        if (at >= token.start && at < token.end)
            line.atInCode = true;
        for (qsizetype i = token.start; i < token.end; ++i) {
            if (text[i] == open || text[i] == close)
                line.braces.emplace_back(static_cast<int>(i), text[i] == open ? 1 : -1);
        }
    }
    line.end = lexer.State();
    return line;
}

BraceLookup With(BraceLookup result, BraceLookup::Outcome outcome, int partner = -1)
{
    result.outcome = outcome;
    result.partner = partner;
    return result;
}

// Walks from the brace at `offset` of `start` (whose braces are `line`) toward
// its partner: forward from an opening brace, backward from a closing one.
// Forward, each line's start state is the one the line before left; backward,
// the recorded states give it.
BraceLookup Walk(CBlockStates& states, const QTextBlock& start, LineBraces line, int offset, BraceLookup result,
                 qsizetype limit, bool forward)
{
    const QChar open = BraceKind(start.text()[offset]);
    const int sign = forward ? 1 : -1;
    int depth = 0;
    qsizetype scanned = 0;
    for (QTextBlock block = start; block.isValid(); block = forward ? block.next() : block.previous()) {
        if (block != start)
            line = BracesOf(block, forward ? line.end : states.StartOf(block), open);
        const qsizetype count = static_cast<qsizetype>(line.braces.size());
        for (qsizetype k = 0; k < count; ++k) {
            const auto& [at, step] = line.braces[static_cast<std::size_t>(forward ? k : count - 1 - k)];
            if (block == start && sign * (at - offset) < 0)
                continue;
            depth += sign * step;
            if (depth == 0)
                return With(result, BraceLookup::Matched, block.position() + at);
        }
        if ((scanned += block.length()) > limit)
            return With(result, BraceLookup::TooFar);
    }
    return With(result, BraceLookup::Unmatched);
}

}  // namespace

BraceLookup FindBracePartner(CBlockStates& states, const QTextBlock& block, int offset, qsizetype limit)
{
    BraceLookup result;
    const QString text = block.text();
    if (offset < 0 || offset >= text.size() || BraceKind(text[offset]).isNull())
        return result;
    const QChar open = BraceKind(text[offset]);
    const LineBraces line = BracesOf(block, states.StartOf(block), open, offset);
    if (!line.atInCode)
        return result;
    result.brace = block.position() + offset;
    return Walk(states, block, line, offset, result, limit, text[offset] == open);
}
