#pragma once
// The partner of one brace of a document by the rules of Uncommented Matching
// Brace (comments and strings skipped, a closing brace pairs with the latest
// opening one without a partner), found by walking outward from the brace over
// the lines' lexed states instead of scanning the whole text: what the caret's
// brace shading asks at every move.
#include <QTextBlock>

class CBlockStates;

struct BraceLookup {
    enum Outcome { NoBrace, Matched, Unmatched, TooFar };
    Outcome outcome = NoBrace;
    int brace = -1;    // document positions
    int partner = -1;  // with Matched
};

// The brace at `offset` in `block` and its partner. A brace inside a comment or
// string is NoBrace; a search that passes `limit` characters gives up (TooFar).
BraceLookup FindBracePartner(CBlockStates& states, const QTextBlock& block, int offset, qsizetype limit);
