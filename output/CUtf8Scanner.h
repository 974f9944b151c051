#pragma once
// Reads bytes as UTF-8 a piece at a time, as an output line is written: whether
// everything fed so far is whole, valid UTF-8 characters (no overlong forms, no
// surrogates, nothing above U+10FFFF), and how many characters the bytes make
// as the line would read if it ended here. A line reads as UTF-8 when it is
// valid UTF-8, else as Latin-1, one character per byte.
//
// Feeding is linear in the bytes fed; runs of ASCII go eight bytes at a time.
#include <cstddef>

class CUtf8Scanner {
public:
    void Reset() { *this = CUtf8Scanner(); }
    void Feed(const char* bytes, std::size_t length);
    // Only the first `length` bytes of what was fed stay; `bytes` is everything
    // that was fed, in order. Cheap when the cut leaves whole characters or
    // keeps the byte that broke the UTF-8; otherwise the rest is read again.
    void Truncate(const char* bytes, std::size_t length);

    // Every byte fed belongs to a whole, valid UTF-8 character.
    bool Valid() const { return !m_bBroken && m_nPending == 0; }
    std::size_t Bytes() const { return m_nBytes; }
    // UTF-8 characters when Valid(), else one per byte.
    std::size_t Characters() const { return Valid() ? m_nBytes - m_nContinuations : m_nBytes; }

    // The whole text at once.
    static bool IsValid(const char* bytes, std::size_t length);
    static bool IsAscii(const char* bytes, std::size_t length);

private:
    void Lead(unsigned char c);

    std::size_t m_nBytes = 0;
    std::size_t m_nContinuations = 0;  // continuation bytes of whole characters
    std::size_t m_nBrokenAt = 0;       // index of the byte that broke the UTF-8
    int m_nPending = 0;                // continuation bytes still expected
    unsigned char m_low = 0x80;        // range of the next continuation byte
    unsigned char m_high = 0xBF;
    bool m_bBroken = false;
};
