#pragma once
// The light shading of the caret's line and, while the caret stands just
// before or just after a brace in code, of that brace and its partner (found by
// the rules of Uncommented Matching Brace); a brace without a partner is shaded
// in a warning colour. Nothing moves, nothing beeps, no message is shown.
#include <QColor>
#include <QObject>

#include "editor/BracePartner.h"

class CBlockStates;
class CEditControl;

class CCaretShading : public QObject {
public:
    // Beyond this many characters the partner is not looked for, and neither
    // brace is shaded, so that no caret move is ever slow.
    static constexpr qsizetype kSearchLimit = 1 << 18;

    CCaretShading(CEditControl& edit, CBlockStates& states);

    // Shades again for where the caret and the text are now.
    void Refresh();
    // The brace shaded now and its partner (NoBrace when none is).
    const BraceLookup& ShadedBraces() const { return m_braces; }

    static QColor LineColour(const QPalette& palette);
    static QColor BraceColour(const QPalette& palette, bool matched);

private:
    BraceLookup BraceAtCaret();

    CEditControl& m_edit;
    CBlockStates& m_states;
    BraceLookup m_braces;
};
