#pragma once
// A stored output line as a person reads it: characters, not bytes. The line
// reads as UTF-8 when its bytes are valid UTF-8, else as Latin-1 (one character
// per byte), decided for the whole line; the bytes themselves are never
// changed. Every column the output view shows or points at (drawing, caret,
// End, clicks, horizontal scrolling, the column pane) is an index into these
// characters; an emoji is one column like any other character.
//
// Plain ASCII lines, the usual output, take a fast path: their columns are
// their bytes.
#include <cstddef>
#include <string>

class COutputLineText {
public:
    // `bytes` must outlive the object.
    COutputLineText(const char* bytes, std::size_t length);
    // The same bytes read before: whether they are UTF-8, and how many
    // characters they make.
    COutputLineText(const char* bytes, std::size_t length, bool utf8, int characters);

    bool IsUtf8() const { return m_bUtf8; }
    int Length() const { return m_nLength; }  // in characters
    const char* Bytes() const { return m_pBytes; }
    std::size_t ByteLength() const { return m_nBytes; }
    // Where character `column` starts; the byte length for a column at or
    // beyond the end.
    std::size_t ByteOf(int column) const;
    // Up to `count` characters from `column` on, as code points, into `out`
    // (emptied first; its room is reused).
    void Characters(int column, int count, std::u32string& out) const;

    // The length in characters of the given bytes.
    static int CharacterCount(const char* bytes, std::size_t length);
    // The code point of the valid UTF-8 character at `bytes`, which takes
    // `*size` bytes.
    static char32_t DecodeAt(const char* bytes, int* size);

private:
    const char* m_pBytes;
    std::size_t m_nBytes;
    int m_nLength = 0;
    bool m_bUtf8 = false;
    bool m_bAscii = false;
};
