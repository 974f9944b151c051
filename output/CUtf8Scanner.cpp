#include "output/CUtf8Scanner.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// The first byte at or after `p` with its high bit set, or `end`.
const unsigned char* SkipAscii(const unsigned char* p, const unsigned char* end)
{
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if (word & kHighBits)
            break;
        p += 8;
    }
    while (p < end && *p < 0x80)
        ++p;
    return p;
}

}  // namespace

// The second byte's range narrows for E0, ED, F0 and F4: that is what keeps
// out overlong forms, surrogates and code points above U+10FFFF.
void CUtf8Scanner::Lead(unsigned char c)
{
    m_low = 0x80;
    m_high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        m_nPending = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
        m_nPending = 2;
        if (c == 0xE0)
            m_low = 0xA0;
        else if (c == 0xED)
            m_high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        m_nPending = 3;
        if (c == 0xF0)
            m_low = 0x90;
        else if (c == 0xF4)
            m_high = 0x8F;
    } else {
        m_bBroken = true;  // a continuation byte without a lead, C0, C1, F5..FF
    }
}

void CUtf8Scanner::Feed(const char* bytes, std::size_t length)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    const auto* const end = p + length;
    const std::size_t start = m_nBytes;
    m_nBytes += length;
    while (!m_bBroken && p < end) {
        if (m_nPending == 0) {
            p = SkipAscii(p, end);
            if (p == end)
                break;
            Lead(*p);
        } else if (*p >= m_low && *p <= m_high) {
            m_low = 0x80;
            m_high = 0xBF;
            --m_nPending;
            ++m_nContinuations;
        } else {
            m_bBroken = true;
        }
        if (m_bBroken)
            m_nBrokenAt = start + static_cast<std::size_t>(p - reinterpret_cast<const unsigned char*>(bytes));
        ++p;
    }
}

void CUtf8Scanner::Truncate(const char* bytes, std::size_t length)
{
    if (length >= m_nBytes)
        return;
    if (length == 0) {
        Reset();  // nothing of `bytes` needs reading
        return;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(bytes);
    if (m_bBroken && length > m_nBrokenAt) {
        m_nBytes = length;  // the breaking byte stays
        return;
    }
    if (Valid() && (data[length] & 0xC0) != 0x80) {
        // A cut between whole characters: the continuation bytes cut off go.
        for (std::size_t i = length; i < m_nBytes; ++i)
            m_nContinuations -= (data[i] & 0xC0) == 0x80;
        m_nBytes = length;
        return;
    }
    Reset();
    Feed(bytes, length);
}

bool CUtf8Scanner::IsValid(const char* bytes, std::size_t length)
{
    CUtf8Scanner scanner;
    scanner.Feed(bytes, length);
    return scanner.Valid();
}

bool CUtf8Scanner::IsAscii(const char* bytes, std::size_t length)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    return SkipAscii(p, p + length) == p + length;
}
