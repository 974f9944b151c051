#pragma once
// The text Find and Replace All search, and the find text as it reads there.
//
// Where it can, the search runs over the edit control's own text, in which a
// line break is the one character U+2029: one copy of the characters, with
// positions converted only where a match is. The find text's CR LF pairs then
// become that character. A find text with a lone CR or LF (which matches half
// of a break) or a U+2029 of its own (which matches nothing) is searched for in
// the text with CR LF breaks instead, as the control counts positions.
#include <QString>
#include <QStringView>

class CEditControl;

class CSearchText {
public:
    CSearchText(const CEditControl& edit, const QString& what);

    QStringView Text() const { return m_text; }
    QStringView What() const { return m_what; }
    // A position of the control (CR LF counting) in Text(), and back; both use
    // the control as it is now.
    qsizetype FromControl(int pos) const;
    int ToControl(qsizetype pos) const;

private:
    const CEditControl& m_edit;
    bool m_raw = false;
    QString m_what;
    QString m_text;
};
