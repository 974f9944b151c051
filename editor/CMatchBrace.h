#pragma once
// The one table of brace pairs (theMatchBrace) behind Matching Brace and
// Uncommented Matching Brace: built by one scan of an editor's text for one
// kind of brace and one mode, and reused while that window's text, the kind
// and the mode stay the same (and the last scan found nothing to report).
//
// Positions are full ints, so a text of 65535 characters or more pairs its
// braces like any other; no position is cut to 16 bits.
#include <QPointer>
#include <memory>

#include "editor/BraceScan.h"
#include "platform/Win32Types.h"

class CNuvEdit;

class CMatchBrace {
public:
    // Whether the table answers for `edit`, the kind of brace `kind` (any brace
    // of it) and the mode, without a new scan.
    bool Answers(const CNuvEdit* edit, QChar kind, BOOL skipComments) const;
    // Scans the text of `edit` for the kind of `kind` in the mode; every issue
    // the scan meets is shown as it comes (a beep and a box). FALSE, after a beep
    // and "Not enough memory.", when the table cannot be had.
    BOOL BuildTable(CNuvEdit* edit, QChar kind, BOOL skipComments);
    // The partner of the brace at `pos`, or -1 (no such brace recorded, or none
    // partnered, or no valid table).
    int FindMatch(int pos) const;
    qsizetype PairCount() const { return m_nPairs; }

    BOOL m_bValid = FALSE;
    QChar m_chOpen = u'{';
    QChar m_chClose = u'}';
    BOOL m_bSkipComments = FALSE;
    BOOL m_bError = FALSE;
    // The window the table was built for; null once that window is gone, so a
    // new window at the same address never inherits its table.
    QPointer<CNuvEdit> m_pEdit;

    // Tests: the next table allocation fails.
    static void FailNextAllocationForTests();

private:
    std::unique_ptr<BracePair[]> m_pPairs;
    qsizetype m_nPairs = 0;
};

extern CMatchBrace theMatchBrace;

// The opening brace of the kind of `c` ('{', '[' or '('), or a null QChar for a
// character that is no brace.
QChar BraceKind(QChar c);
