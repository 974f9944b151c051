#pragma once
// Copying into the fixed buffers of the 32-bit desktop without overrunning them
// and without cutting a multi-byte UTF-8 character in two.
#include <QByteArray>
#include <cstddef>

// Length of the longest prefix of `text` (of `length` bytes) that fits in
// `capacity` - 1 bytes and does not end inside a UTF-8 sequence.
std::size_t Utf8BoundedLength(const char* text, std::size_t length, std::size_t capacity);
// Copies as much of `text` as fits and zero-terminates; returns the bytes copied.
std::size_t CopyUtf8Bounded(char* buffer, std::size_t capacity, const QByteArray& text);
// Copies `text` whole or not at all; false when it does not fit with its zero.
bool CopyWhole(char* buffer, std::size_t capacity, const char* text);
