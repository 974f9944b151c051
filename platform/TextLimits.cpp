#include "platform/TextLimits.h"

#include <cstring>

std::size_t CopyUtf8Bounded(char* buffer, std::size_t capacity, const QByteArray& text)
{
    if (capacity == 0)
        return 0;
    const std::size_t n = Utf8BoundedLength(text.constData(), static_cast<std::size_t>(text.size()), capacity);
    std::memcpy(buffer, text.constData(), n);
    std::memset(buffer + n, 0, capacity - n);
    return n;
}
