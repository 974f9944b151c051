#pragma once
// A selection in the output window's text: from an anchor, where the caret
// was last put (or the selection begun), to an active end, where the caret
// took it. Both are points of the text in
// characters as the view shows them (COutputLineText), so a selection stays on
// the same text whatever the view does and while more lines are stored.
//
// A point's column may lie beyond its line's end (the caret moves freely
// there); it then stands for the line's end. Line N, one past the last line,
// stands for the end of the text. Between two lines lies one line break.
//
// The text is copied as UTF-8: a line that reads as UTF-8 gives its bytes, a
// Latin-1 line its characters encoded in UTF-8; a line break is "\n".
#include <compare>
#include <cstddef>

class COutputStore;

class COutputSelection {
public:
    struct Point {
        int line = 0;
        int column = 0;  // characters
        auto operator<=>(const Point&) const = default;
    };

    enum class CopyResult { Ok, TooLarge, NoMemory };

    // Nothing selected; the anchor moves to `at`.
    void Start(Point at) { m_anchor = m_active = at; }
    void Clear() { Start(Point()); }
    void ExtendTo(Point at) { m_active = at; }
    void Set(Point anchor, Point active);

    // Nothing lies between the two ends, once both are taken to the text.
    bool Empty(const COutputStore& store) const;
    Point Anchor() const { return m_anchor; }
    Point Active() const { return m_active; }
    Point Begin() const { return m_anchor < m_active ? m_anchor : m_active; }
    Point End() const { return m_anchor < m_active ? m_active : m_anchor; }

    // The part of line `line` (`length` characters long) that is selected:
    // columns [*from, *to) and whether the line break after it is, too. False
    // when nothing of the line or its break is.
    bool PartOfLine(int line, int length, int* from, int* to, bool* lineBreak) const;

    // The selected text, at most `limit` bytes, into a block from OutputMalloc
    // that the caller frees with OutputFree (not NUL-terminated). TooLarge:
    // the text would exceed `limit`, found without building it.
    CopyResult Text(const COutputStore& store, std::size_t limit, char** text, std::size_t* length) const;

    // The word (letters, digits and '_'), run of blanks or single other
    // character at `column` of `line`: columns [*from, *to). Empty at or
    // beyond the line's end.
    static void WordAt(const COutputStore& store, int line, int column, int* from, int* to);

private:
    Point m_anchor;
    Point m_active;
};
