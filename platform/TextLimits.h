#pragma once
// Copying into the fixed buffers of the 32-bit desktop without overrunning them
// and without cutting a multi-byte UTF-8 character in two.
#include <QByteArray>
#include <cstddef>

#include "platform/Utf8Limits.h"

// Copies as much of `text` as fits and zero-terminates; returns the bytes copied.
std::size_t CopyUtf8Bounded(char* buffer, std::size_t capacity, const QByteArray& text);
