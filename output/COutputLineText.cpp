#include "output/COutputLineText.h"

#include <climits>

#include "output/CUtf8Scanner.h"

namespace {

bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

int ClampToInt(std::size_t value)
{
    return value > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(value);
}

}  // namespace

char32_t COutputLineText::DecodeAt(const char* bytes, int* size)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    if (p[0] < 0x80) {
        *size = 1;
        return p[0];
    }
    if (p[0] < 0xE0) {
        *size = 2;
        return (char32_t(p[0] & 0x1F) << 6) | (p[1] & 0x3F);
    }
    if (p[0] < 0xF0) {
        *size = 3;
        return (char32_t(p[0] & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    }
    *size = 4;
    return (char32_t(p[0] & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) | (char32_t(p[2] & 0x3F) << 6) |
           (p[3] & 0x3F);
}

COutputLineText::COutputLineText(const char* bytes, std::size_t length) : m_pBytes(bytes), m_nBytes(length)
{
    m_bAscii = CUtf8Scanner::IsAscii(bytes, length);
    if (m_bAscii) {
        m_bUtf8 = true;
        m_nLength = ClampToInt(length);
        return;
    }
    CUtf8Scanner scanner;
    scanner.Feed(bytes, length);
    m_bUtf8 = scanner.Valid();
    m_nLength = ClampToInt(scanner.Characters());
}

// Valid UTF-8 has as many characters as bytes exactly when it is ASCII.
COutputLineText::COutputLineText(const char* bytes, std::size_t length, bool utf8, int characters)
    : m_pBytes(bytes), m_nBytes(length), m_nLength(characters), m_bUtf8(utf8),
      m_bAscii(utf8 && static_cast<std::size_t>(characters) == length)
{
}

int COutputLineText::CharacterCount(const char* bytes, std::size_t length)
{
    return COutputLineText(bytes, length).Length();
}

std::size_t COutputLineText::ByteOf(int column) const
{
    if (column <= 0)
        return 0;
    if (column >= m_nLength)
        return m_nBytes;
    if (m_bAscii || !m_bUtf8)
        return static_cast<std::size_t>(column);
    const auto* p = reinterpret_cast<const unsigned char*>(m_pBytes);
    int seen = 0;
    std::size_t i = 0;
    for (; i < m_nBytes; ++i) {
        if (!IsContinuation(p[i]) && seen++ == column)
            break;
    }
    return i;
}

void COutputLineText::Characters(int column, int count, std::u32string& characters) const
{
    characters.clear();
    if (count <= 0 || column >= m_nLength)
        return;
    const std::size_t from = ByteOf(column);
    const char* p = m_pBytes + from;
    const char* const end = m_pBytes + m_nBytes;
    const std::size_t wanted = static_cast<std::size_t>(count);
    characters.reserve(wanted < static_cast<std::size_t>(end - p) ? wanted : static_cast<std::size_t>(end - p));
    while (p < end && characters.size() < wanted) {
        int size = 1;
        characters.push_back(m_bUtf8 ? DecodeAt(p, &size) : char32_t(static_cast<unsigned char>(*p)));
        p += size;
    }
}
