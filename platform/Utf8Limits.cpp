#include "platform/Utf8Limits.h"

#include <cstring>

std::size_t Utf8BoundedLength(const char* text, std::size_t length, std::size_t capacity)
{
    if (capacity == 0)
        return 0;
    if (length < capacity)
        return length;
    std::size_t cut = capacity - 1;
    // Step back over continuation bytes so the cut falls before a lead byte.
    std::size_t back = cut;
    while (back > 0 && (static_cast<unsigned char>(text[back]) & 0xC0) == 0x80)
        --back;
    if (back < cut && (static_cast<unsigned char>(text[back]) & 0x80) != 0)
        cut = back;
    return cut;
}

bool CopyWhole(char* buffer, std::size_t capacity, const char* text)
{
    const std::size_t n = std::strlen(text);
    if (n + 1 > capacity)
        return false;
    std::memcpy(buffer, text, n + 1);
    return true;
}
