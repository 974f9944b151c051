#pragma once
// The scan behind brace matching, without a window: one pass over an editor
// text (line breaks as CR LF, positions as the editor counts them) that pairs
// the braces of one kind.
//
// With comments skipped, the lexer of NuvLexer.h decides what is comment and
// string; a stray "*/" is reported as MisplacedCommentEnd, a comment or string
// that runs to the end as CommentToEnd or StringToEnd, and in code:
//   e. a brace of the kind: an opening one is recorded, a closing one pairs
//      with the latest opening one still without a partner (or is dropped).
// Without skipping comments only rule e applies. The text ends at its first
// zero character. Positions are full ints: no text is too long for them.
#include <QChar>
#include <QStringView>
#include <functional>

struct BracePair {
    static constexpr int kNone = -1;
    int open;
    int close;  // kNone while no partner was found
};

enum class BraceIssue { CommentToEnd, StringToEnd, MisplacedCommentEnd };

// The length of `text` up to its first zero character.
qsizetype ScannedLength(QStringView text);

// The opening braces `open` in the scanned part of `text`: room enough for
// the pairs (and the scan's stack) of any scan of it.
qsizetype CountOpenBraces(QStringView text, QChar open);

// Scans `text` for the pair `open`/`close`, writing the pairs in the order of
// their opening braces into `pairs` and using `stack` as work space (both with
// room for CountOpenBraces elements). `report` hears each issue with the
// 1-based line where it starts, in text order. Returns the number of pairs.
qsizetype ScanBraces(QStringView text, QChar open, QChar close, bool skipComments, BracePair* pairs, int* stack,
                     const std::function<void(BraceIssue issue, int line)>& report);
