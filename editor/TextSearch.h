#pragma once
// Find and Replace All over an editor text, without a window. Texts are the
// characters the user sees (UTF-16, line breaks as CR LF) and positions count
// as the editor does. Without match case only the letters A to Z are folded:
// "É" and "é" stay different, as do all other characters.
#include <QString>
#include <QStringView>

// Whether `what` (not empty) occurs at `pos`, wholly inside `text`.
bool MatchesAt(QStringView text, QStringView what, qsizetype pos, bool matchCase);

// The first occurrence of `what` found by testing `start`, then each following
// position (down) or each preceding one (up), with no wrap-around at either end
// of the text; -1 when there is none or `what` is empty.
qsizetype FindInText(QStringView text, QStringView what, qsizetype start, bool down, bool matchCase);

// Every occurrence of `what` at or after `start`, each searched for after the
// previous one ends, replaced by `with` in one pass. The changed span of the
// text is [first, end): it becomes `replacement`. count 0 changes nothing.
struct ReplaceAllResult {
    int count = 0;
    qsizetype first = 0;
    qsizetype end = 0;
    QString replacement;
};
ReplaceAllResult ReplaceAllInText(QStringView text, QStringView what, QStringView with, qsizetype start,
                                  bool matchCase);
