#include "editor/ErrorLine.h"

#include <cstring>

namespace {

bool IsWhite(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

bool ParseErrorLine(const char* line, std::size_t length, ErrorLocation* location)
{
    if (!line || length == 0 || !location)
        return false;
    const char* end = line + length;
    const char* paren = static_cast<const char*>(std::memchr(line, '(', length));
    if (!paren)
        return false;
    const std::size_t nameLength = static_cast<std::size_t>(paren - line);
    // A name with a zero byte would name another file once passed on as a C string.
    if (nameLength == 0 || nameLength > kMaxErrorFileName || std::memchr(line, '\0', nameLength))
        return false;
    const char* p = paren + 1;
    while (p < end && IsWhite(*p))
        ++p;
    if (p == end || !IsDigit(*p))
        return false;
    unsigned long long number = 0;
    for (std::size_t digits = 0; p < end && IsDigit(*p) && digits < kMaxErrorLineDigits; ++p, ++digits)
        number = number * 10 + static_cast<unsigned long long>(*p - '0');
    location->fileName.assign(line, nameLength);
    location->lineNumber = number;
    return true;
}
